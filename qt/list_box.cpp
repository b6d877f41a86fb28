// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "list_box.h"

#include <QAccessible>
#include <QKeyEvent>

namespace dornelik {

ListBox::ListBox(std::string_view name, QWidget* parent)
    : QListWidget(parent)
    , ListControl(name)
{
    setObjectName(QString::fromUtf8(name));
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setUniformItemSizes(true);
    setFocusPolicy(Qt::StrongFocus);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListBox::selectedRowChanged);
    focusedRowReport.setSingleShot(true);
    focusedRowReport.setInterval(0);
    connect(&focusedRowReport, &QTimer::timeout, this, &ListBox::reportFocusedRow);
}

std::int16_t ListBox::widgetRowCount() const
{
    return static_cast<std::int16_t>(count());
}

std::int16_t ListBox::widgetSelectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return static_cast<std::int16_t>(selected.isEmpty() ? -1 : selected.first().row());
}

// The row with the keyboard's focus follows the selection only in the list that has the focus:
// Qt tells screen readers that that row has the focus, in any list, and they would follow it.
void ListBox::selectWidgetRow(std::int16_t row)
{
    if (row == -1)
        clearSelection();
    else if (hasFocus())
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->select(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

std::string ListBox::widgetRowText(std::int16_t row) const
{
    return item(row)->text().toStdString();
}

// As in a native list box, the movement keys select a row also when none is selected yet.
// Qt would move from the row it made current on focus-in, which nobody sees.
void ListBox::keyPressEvent(QKeyEvent* event)
{
    if (selectedRow() == -1 && count() > 0) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_PageUp:
            setSelectedRow(0);
            return event->accept();
        case Qt::Key_End:
        case Qt::Key_PageDown:
            setSelectedRow(static_cast<std::int16_t>(count() - 1));
            return event->accept();
        default:
            break;
        }
    }
    QListWidget::keyPressEvent(event);
}

// A list that takes the focus moves on from its selected row, and tells screen readers which row
// that is once Qt has told them of the list itself, which says nothing of its selection.
void ListBox::focusInEvent(QFocusEvent* event)
{
    const std::int16_t selected = selectedRow();
    if (selected != -1 && currentRow() != selected)
        selectionModel()->setCurrentIndex(model()->index(selected, 0),
                                          QItemSelectionModel::NoUpdate);
    QListWidget::focusInEvent(event);
    if (selected != -1)
        focusedRowReport.start();
}

void ListBox::reportFocusedRow()
{
    if (!hasFocus() || currentRow() == -1 || !QAccessible::isActive())
        return;
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(currentRow());
    QAccessible::updateAccessibility(&focused);
}

// The rows share the list's height, however tall the font would make them.
void ListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    if (count() == 0)
        return;
    const QSize rowSize(viewport()->width(), viewport()->height() / count());
    for (int row = 0; row < count(); ++row)
        item(row)->setSizeHint(rowSize);
}

// The user moves the selection but never removes it: Ctrl+click and Ctrl+Space on the
// selected row, or a click beside the rows, leave it where it is.
QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const
{
    const auto command = QListWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    if (!index.isValid() && (command & QItemSelectionModel::Clear))
        return QItemSelectionModel::NoUpdate;
    return command;
}

} // namespace dornelik
