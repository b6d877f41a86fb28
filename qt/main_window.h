// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "announcer.h"
#include "desktop_contrast.h"
#include "graphical_button.h"
#include "list_box.h"
#include "row_matcher.h"
#include "row_table.h"
#include "selection_news.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
#include <functional>

namespace dornelik {

// The program's one window: three lists that keep to one situation, a button that clears
// them, the headings above them and an explanation below.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // With `ownTitleBar` the window draws its title bar itself (window_system.h).
    explicit MainWindow(const RowTable& table = builtInTable, bool ownTitleBar = false,
                        QWidget* parent = nullptr);

protected:
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void addHeadingsAndText();
    void placeControls();
    void centreClientArea();
    void applyColours(bool highContrast);
    void keepItsSize(Qt::WindowState state);
    // Errors must not cross Qt's event loop: they are reported, and the program goes on. What the
    // handler changed is told to screen readers once the lists have settled.
    void runHandler(const std::function<void()>& handler);
    void announceSelection();

    std::array<ListBox*, columnCount> visibleLists;
    std::array<ListBox*, columnCount> keyLists;
    RowMatcher matcher;
    SelectionNews selectionNews;
    Announcer announcer;
    QTimer announcement;
    QTimer normalAgain;
    QPlainTextEdit* explanation = nullptr;
    GraphicalButton* clearButton = nullptr;
    QWidget* titleBar = nullptr;
    DesktopContrast desktopContrast;
    bool centred = false;
};

} // namespace dornelik
