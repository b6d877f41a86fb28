// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "main_window.h"

#include "dpi.h"
#include "look.h"
#include "resource_ids.h"
#include "texts.h"
#include "wide_text.h"

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <string>

namespace dornelik {

namespace {

// Neither IDOK nor IDCANCEL: the keyboard interface sends those for Enter and Escape.
enum ControlId {
    firstHeadingId = 100,
    explanationId = 110,
    firstListId = 120,
    firstKeyListId = 130,
    clearButtonId = 140,
};

constexpr wchar_t windowClassName[] = L"Dornelik";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

std::wstring withWindowsLineBreaks(std::string_view text)
{
    std::wstring lines;
    for (const wchar_t c : widen(text)) {
        if (c == L'\n')
            lines += L'\r';
        lines += c;
    }
    return lines;
}

HWND createChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 DWORD extendedStyle, int id)
{
    return CreateWindowExW(extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// A multi-line edit asks for every key, so that Tab would stay in it and Escape would close the
// window. The read-only text needs none of them; nor does it select all its text when Tab
// enters it, which would scroll it to its end.
LRESULT CALLBACK explanationProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        return result & ~(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    return result;
}

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, windowClassName, &windowClass))
        return true;
    const auto icon = [instance](int metric) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_DORNELIK), IMAGE_ICON,
                                             GetSystemMetrics(metric), GetSystemMetrics(metric),
                                             LR_DEFAULTCOLOR));
    };
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon(SM_CXICON);
    windowClass.hIconSm = icon(SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace

MainWindow::MainWindow(const RowTable& table, bool (*highContrast)(), Announce announce)
    : table(table)
    , visibleLists(listsNamed<ListBox>(visibleListNames))
    , keyLists(listsNamed<ListBox>(keyListNames))
    , matcher(addressesOf(visibleLists), addressesOf(keyLists))
    , selectionNews(addressesOf(visibleLists))
    , announce(announce)
    , highContrast(highContrast)
{
}

MainWindow::~MainWindow()
{
    if (window)
        DestroyWindow(window);
    if (font)
        DeleteObject(font);
    deleteBrushes();
}

void MainWindow::deleteBrushes()
{
    for (HBRUSH* brush : {&windowBrush, &headingBrush, &buttonBrush, &textBrush}) {
        if (*brush)
            DeleteObject(*brush);
        *brush = nullptr;
    }
}

void MainWindow::applyColours()
{
    colours = chooseColours(highContrast(), GetSysColor);
    deleteBrushes();
    windowBrush = CreateSolidBrush(colours.window);
    headingBrush = CreateSolidBrush(colours.heading);
    buttonBrush = CreateSolidBrush(colours.button);
    textBrush = CreateSolidBrush(colours.textGround);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool MainWindow::create(HINSTANCE instance, int show)
{
    if (!registerWindowClass(instance, windowProcedure))
        return false;

    // Centred on the primary screen's work area, frame included.
    const int systemDpi = dpi::ofSystem();
    const PixelRect client = toPixels(clientArea, systemDpi);
    const RECT frame =
        dpi::windowRectFor({0, 0, client.width, client.height}, windowStyle, 0, systemDpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    if (!CreateWindowExW(0, windowClassName, widen(texts::caption).c_str(), windowStyle,
                         work.left + (work.right - work.left - width) / 2,
                         work.top + (work.bottom - work.top - height) / 2, width, height, nullptr,
                         nullptr, instance, this))
        return false;
    ShowWindow(window, show);
    UpdateWindow(window);
    return true;
}

bool MainWindow::handleDialogKeys(MSG& message)
{
    return window && IsDialogMessageW(window, &message);
}

HWND MainWindow::control(ControlKind kind, int index) const
{
    switch (kind) {
    case ControlKind::heading:
        return headings[index];
    case ControlKind::text:
        return explanation;
    case ControlKind::list:
        return visibleLists[index].handle();
    case ControlKind::button:
        return clearButton.handle();
    }
    return nullptr;
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        ClearButton::draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), buttonBrush, font,
                          colours.buttonText);
        return TRUE;
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_SYSCOLORCHANGE:
        // The controls learn of it only from their window.
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
        applyColours();
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST)
            applyColours();
        break;
    case WM_CTLCOLORSTATIC:
        return onStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        break;
    case WM_SETFOCUS:
        onSetFocus();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window = nullptr;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::onCreate()
{
    applyColours();
    // In the window's order: screen readers name the text and each list by the heading just
    // before it, Windows' own rule for controls without a caption.
    for (const ControlPlacement& placement : controlTable)
        createControl(placement);
    // The key lists are data: never shown, focused or selected, and kept out of the window's
    // controls, where screen readers would find them even hidden.
    for (int column = 0; column < columnCount; ++column) {
        keyLists[column].create(HWND_MESSAGE, firstKeyListId + column, 0);
        for (const TableRow& row : table[column])
            keyLists[column].addRow(row.key);
    }
    lastFocused = explanation;
    layOut(dpi::ofWindow(window));
    // Only now that the text has its font: Wine's shaping of long Cyrillic lines in the system
    // font's stand-in can crash.
    SetWindowTextW(explanation, withWindowsLineBreaks(texts::explanation).c_str());
}

void MainWindow::createControl(const ControlPlacement& placement)
{
    const int index = placement.index;
    switch (placement.kind) {
    case ControlKind::heading:
        headings[index] =
            createChild(window, L"STATIC", widen(texts::headings[index]),
                        SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, firstHeadingId + index);
        break;
    case ControlKind::text:
        explanation =
            createChild(window, L"EDIT", {}, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
                        WS_EX_CLIENTEDGE, explanationId);
        SetWindowSubclass(explanation, explanationProcedure, 0, 0);
        break;
    case ControlKind::list:
        visibleLists[index].create(window, firstListId + index,
                                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT);
        for (const TableRow& row : table[index])
            visibleLists[index].addRow(row.text);
        break;
    case ControlKind::button:
        clearButton.create(window, clearButtonId, widen(texts::clearButton).c_str());
        break;
    }
}

// Places every control and sizes the font for `dpi`.
void MainWindow::layOut(int dpi)
{
    const HFONT newFont =
        CreateFontW(-MulDiv(look::fontPointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    VARIABLE_PITCH | FF_ROMAN, widen(look::fontFamily).c_str());
    for (const ControlPlacement& placement : controlTable) {
        const HWND child = control(placement.kind, placement.index);
        const PixelRect place = toPixels(placement.twips, dpi);
        SetWindowPos(child, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
    }
    for (const ListBox& keys : keyLists)
        SendMessageW(keys.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(newFont), FALSE);
    if (font)
        DeleteObject(font);
    font = newFont;
}

void MainWindow::onCommand(int id, int code)
{
    if (id >= firstListId && id < firstListId + columnCount && code == LBN_SELCHANGE) {
        const auto column = static_cast<std::int16_t>(id - firstListId);
        runHandler([this, column] { matcher.List1_Click(column); });
    } else if (id == clearButtonId && code == BN_CLICKED) {
        runHandler([this] { matcher.Command1_Click(); });
    }
}

// Headings on their own ground; the read-only text, which Windows would draw grey, on the ground
// of text.
LRESULT MainWindow::onStaticColour(HDC dc, HWND child)
{
    if (child == explanation) {
        SetTextColor(dc, colours.text);
        SetBkColor(dc, colours.textGround);
        return reinterpret_cast<LRESULT>(textBrush);
    }
    SetTextColor(dc, colours.headingText);
    SetBkColor(dc, colours.heading);
    return reinterpret_cast<LRESULT>(headingBrush);
}

void MainWindow::onEraseBackground(HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, windowBrush);
}

// The control that had the focus gets it back when the window is activated again.
void MainWindow::onActivate(bool active)
{
    const HWND focus = GetFocus();
    if (!active && focus && IsChild(window, focus))
        lastFocused = focus;
}

void MainWindow::onDestroy()
{
    for (const ListBox& keys : keyLists)
        DestroyWindow(keys.handle());
    PostQuitMessage(0);
}

void MainWindow::onSetFocus()
{
    if (lastFocused)
        SetFocus(lastFocused);
}

// Moved to a screen of another density, or the density changed: the window goes where Windows
// suggests, its client area keeps its size in twips, and the controls and the font follow.
void MainWindow::onDpiChanged(int dpi, const RECT& suggested)
{
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame did not scale as Windows foresaw (Wine draws it at one density), the
    // client area is set right.
    RECT frame;
    RECT client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const PixelRect wanted = toPixels(clientArea, dpi);
    if (client.right != wanted.width || client.bottom != wanted.height)
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left - client.right + wanted.width,
                     frame.bottom - frame.top - client.bottom + wanted.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

template <typename Handler> void MainWindow::runHandler(Handler handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dornelik: %s\n", error.what());
        MessageBoxW(window, widen(std::string(texts::errorPrefix) + error.what()).c_str(),
                    widen(texts::caption).c_str(), MB_OK | MB_ICONERROR);
    }
    const std::string news = selectionNews.read();
    if (!news.empty())
        announce(window, widen(news));
}

} // namespace dornelik
