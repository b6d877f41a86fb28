// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_box.h"
#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <array>

// Opens the window and finds and drives its controls the way a user does: clicks on what is
// drawn, keys pressed on whatever has the focus.
class WindowDriver {
public:
    explicit WindowDriver(const dornelik::RowTable& table = dornelik::builtInTable)
        : window(table)
    {
        window.show();
        window.activateWindow();
        exposed = QTest::qWaitForWindowActive(&window);
    }

    template <typename Widget = QWidget> Widget* control(const QString& name)
    {
        return window.findChild<Widget*>(name);
    }
    dornelik::ListBox* list(int column) { return listNamed("List1", column); }
    dornelik::ListBox* keyList(int column) { return listNamed("List2", column); }
    QPushButton* clearButton() { return control<QPushButton>("Command1"); }
    QPlainTextEdit* text() { return control<QPlainTextEdit>("Text1"); }

    QPoint rowCentre(int column, int row)
    {
        return list(column)->visualItemRect(list(column)->item(row)).center();
    }
    void clickRow(int column, int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(list(column)->viewport(), Qt::LeftButton, modifiers,
                          rowCentre(column, row));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // What a control shows: its caption or text, or the text of each of its rows.
    static QStringList textsOf(QWidget* control)
    {
        if (auto* label = qobject_cast<QLabel*>(control))
            return {label->text()};
        if (auto* button = qobject_cast<QPushButton*>(control))
            return {button->text()};
        if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
            return {edit->toPlainText()};
        QStringList rows;
        if (auto* list = qobject_cast<QListWidget*>(control))
            for (int row = 0; row < list->count(); ++row)
                rows << list->item(row)->text();
        return rows;
    }

    // The selected text of each visible list, "" where none is selected.
    std::array<QString, dornelik::columnCount> shown()
    {
        std::array<QString, dornelik::columnCount> texts;
        for (int column = 0; column < dornelik::columnCount; ++column) {
            const auto selected = list(column)->selectedItems();
            texts[column] = selected.isEmpty() ? QString() : selected.first()->text();
        }
        return texts;
    }

    // The colour on screen at a point of a control, at whatever scale the screen has.
    QColor colourAt(QWidget* widget, QPoint point)
    {
        const QImage image = window.grab().toImage();
        return image.pixelColor(widget->mapTo(&window, point) * image.devicePixelRatio());
    }

    dornelik::MainWindow window;
    bool exposed = false;

private:
    dornelik::ListBox* listNamed(const char* name, int column)
    {
        return control<dornelik::ListBox>(QStringLiteral("%1(%2)").arg(name).arg(column));
    }
};

using Shown = std::array<QString, dornelik::columnCount>;
Q_DECLARE_METATYPE(Shown)
