// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "control_table.h"
#include "main_window.h"
#include "row_table.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

// Opens a window of the program in this process and drives it with real input (SendInput), as a
// person does, and reads back what its controls show; shared by the window test and the monkey
// test.
class WindowDriver {
public:
    using Rows = std::array<int, dornelik::columnCount>; // the selected row of each list, or -1
    static constexpr Rows nothing{-1, -1, -1};

    explicit WindowDriver(
        const dornelik::RowTable& table = dornelik::builtInTable,
        bool (*highContrast)() = dornelik::highContrastIsOn,
        dornelik::MainWindow::Announce announce = dornelik::announceToScreenReaders)
        : window(table, highContrast, announce)
    {
        created = window.create(GetModuleHandleW(nullptr), SW_SHOW);
        if (!created)
            return;
        SetForegroundWindow(window.handle());
        settle(500);
    }

    // Lets the window handle what has been sent to it, through the program's own message loop.
    void settle(DWORD milliseconds = 150)
    {
        for (const DWORD end = GetTickCount() + milliseconds; GetTickCount() < end; Sleep(5)) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                if (!window.handleDialogKeys(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
        }
    }

    void send(std::vector<INPUT> inputs)
    {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        settle();
    }

    static INPUT key(WORD virtualKey, DWORD flags = 0)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        return input;
    }

    void press(WORD virtualKey, WORD modifier = 0)
    {
        if (modifier)
            send({key(modifier), key(virtualKey), key(virtualKey, KEYEVENTF_KEYUP),
                  key(modifier, KEYEVENTF_KEYUP)});
        else
            send({key(virtualKey), key(virtualKey, KEYEVENTF_KEYUP)});
    }

    // A mouse event; one that moves goes to `at`, in screen coordinates.
    static INPUT mouse(DWORD flags, POINT at = {}, DWORD data = 0)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        input.mi.mouseData = data;
        if (flags & MOUSEEVENTF_MOVE) {
            input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
            input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        }
        return input;
    }

    // A click in the middle of `area`, given in the client coordinates of `control`.
    void click(HWND control, RECT area)
    {
        POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ClientToScreen(control, &centre);
        SetCursorPos(centre.x, centre.y);
        send({mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)});
    }

    HWND control(dornelik::ControlKind kind, int index = 0) const
    {
        return window.control(kind, index);
    }
    HWND list(int column) const { return control(dornelik::ControlKind::list, column); }

    void clickRow(int column, int row)
    {
        RECT item;
        SendMessageW(list(column), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        click(list(column), item);
    }

    Rows shown() const
    {
        Rows rows;
        for (int column = 0; column < dornelik::columnCount; ++column)
            rows[column] = static_cast<int>(SendMessageW(list(column), LB_GETCURSEL, 0, 0));
        return rows;
    }

    // The rows of the situation of a row, by the keys of the built-in table.
    static Rows situationOf(int column, int row)
    {
        const auto& table = dornelik::builtInTable;
        Rows rows = nothing;
        for (int other = 0; other < dornelik::columnCount; ++other)
            for (int candidate = 0; candidate < dornelik::rowCount; ++candidate)
                if (table[other][candidate].key == table[column][row].key)
                    rows[other] = candidate;
        return rows;
    }

    static std::wstring textOf(HWND control)
    {
        std::wstring text(GetWindowTextLengthW(control), L'\0');
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1);
        return text;
    }

    // The text of a row of a list box.
    static std::wstring rowOf(HWND list, int row)
    {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, row, 0), L'\0');
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
        return text;
    }

    dornelik::MainWindow window;
    bool created = false;
};
