// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "clear_button.h"
#include "colours.h"
#include "control_table.h"
#include "list_box.h"
#include "row_matcher.h"
#include "row_table.h"
#include "screen_reader.h"
#include "selection_news.h"

#include <windows.h>

#include <array>

namespace dornelik {

// The program's one window, made of Windows' own controls: three lists that keep to one
// situation, a button that clears them, the headings above them and an explanation below.
class MainWindow {
public:
    // `highContrast` tells whether Windows' high contrast is on; the window asks it again when
    // the system's colours or its high contrast change. `announce` tells screen readers what the
    // user's change of the selection has made of it.
    using Announce = void (*)(HWND window, const std::wstring& text);
    explicit MainWindow(const RowTable& table = builtInTable,
                        bool (*highContrast)() = highContrastIsOn,
                        Announce announce = announceToScreenReaders);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window centred on the screen and shows it; false if Windows refused.
    bool create(HINSTANCE instance, int show);

    // Lets the window's keyboard interface (Tab, Shift+Tab, the button's keys) see a message
    // from the message loop first; true when it has handled the message.
    bool handleDialogKeys(MSG& message);

    HWND handle() const { return window; }
    // The control of `kind`; `index` is its heading's number or its list's column.
    HWND control(ControlKind kind, int index = 0) const;
    HWND keyList(int column) const { return keyLists[column].handle(); }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void onCommand(int id, int code);
    LRESULT onStaticColour(HDC dc, HWND control);
    void onActivate(bool active);
    void onSetFocus();
    void onDpiChanged(int dpi, const RECT& suggested);
    void onEraseBackground(HDC dc);
    void onDestroy();

    void createControl(const ControlPlacement& placement);
    void layOut(int dpi);
    // Takes the colours for the system's settings as they are now, and draws everything anew.
    void applyColours();
    void deleteBrushes();
    // Errors must not cross the window procedure into Windows: they are reported, and the
    // program goes on. What the handler changed is told to screen readers.
    template <typename Handler> void runHandler(Handler handler);

    const RowTable& table;
    std::array<ListBox, columnCount> visibleLists;
    std::array<ListBox, columnCount> keyLists;
    RowMatcher matcher;
    SelectionNews selectionNews;
    Announce announce;

    HWND window = nullptr;
    HWND explanation = nullptr;
    ClearButton clearButton;
    std::array<HWND, 4> headings{};
    HWND lastFocused = nullptr;
    HFONT font = nullptr;
    bool (*highContrast)();
    WindowColours colours{};
    HBRUSH windowBrush = nullptr;
    HBRUSH headingBrush = nullptr;
    HBRUSH buttonBrush = nullptr;
    HBRUSH textBrush = nullptr;
};

} // namespace dornelik
