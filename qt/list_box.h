// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_control.h"

#include <QListWidget>
#include <QTimer>

namespace dornelik {

// A single-selection list that behaves like a native list box, seen by the matching logic
// through ListControl.
class ListBox : public QListWidget, public ListControl {
    Q_OBJECT

public:
    // A list named `name`, which is also its object name.
    explicit ListBox(std::string_view name, QWidget* parent = nullptr);

signals:
    // The selected row has changed, whoever changed it.
    void selectedRowChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    std::int16_t widgetRowCount() const override;
    std::int16_t widgetSelectedRow() const override;
    void selectWidgetRow(std::int16_t row) override;
    std::string widgetRowText(std::int16_t row) const override;
    void reportFocusedRow();

    QTimer focusedRowReport; // once Qt has told screen readers of the list itself
};

} // namespace dornelik
