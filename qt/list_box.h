#pragma once

#include "list_control.h"

#include <QListWidget>

namespace dornelik {

// A single-selection list that behaves like a native list box, seen by the matching logic
// through ListControl.
class ListBox : public QListWidget, public ListControl {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    std::int16_t selectedRow() const override;
    void setSelectedRow(std::int16_t row) override;
    std::string rowText(std::int16_t row) const override;

signals:
    // The selected row has changed, whoever changed it.
    void selectedRowChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void checkRow(std::int16_t row) const;
};

} // namespace dornelik
