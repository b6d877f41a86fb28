// Drives the Windows window in this process with real input (SendInput) and reads back what the
// controls show. Prints a line for each group of checks and a last line with the count, which
// CTest looks for: a program that never ran must not pass.
#include "control_table.h"
#include "dpi.h"
#include "look.h"
#include "main_window.h"
#include "texts.h"
#include "wide_text.h"

#include <windows.h>

#include <oleacc.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace dornelik;

namespace {

int checks = 0;
int failures = 0;
int screenDpi = standardDpi;

// A point given in pixels at 96 dots per inch, on this screen.
POINT at(int x, int y)
{
    return {MulDiv(x, screenDpi, standardDpi), MulDiv(y, screenDpi, standardDpi)};
}

void check(bool passed, const std::string& what)
{
    ++checks;
    if (!passed) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

void group(const char* name)
{
    std::printf("checked: %s\n", name);
    std::fflush(stdout);
}

// Lets the window handle what has been sent to it, through the program's own message loop.
void settle(MainWindow& window, DWORD milliseconds = 150)
{
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!window.handleDialogKeys(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        Sleep(5);
    } while (GetTickCount() < end);
}

void send(std::initializer_list<INPUT> inputs)
{
    std::vector<INPUT> all(inputs);
    SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
}

INPUT key(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void press(MainWindow& window, WORD virtualKey, WORD modifier = 0)
{
    if (modifier)
        send({key(modifier, false), key(virtualKey, false), key(virtualKey, true),
              key(modifier, true)});
    else
        send({key(virtualKey, false), key(virtualKey, true)});
    settle(window);
}

void clickAt(MainWindow& window, POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send({down, up});
    settle(window);
}

HWND list(MainWindow& window, int column)
{
    return window.control(ControlKind::list, column);
}

void clickRow(MainWindow& window, int column, int row)
{
    RECT item;
    SendMessageW(list(window, column), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list(window, column), &centre);
    clickAt(window, centre);
}

void clickControl(MainWindow& window, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    clickAt(window, {(place.left + place.right) / 2, (place.top + place.bottom) / 2});
}

std::array<int, 3> shown(MainWindow& window)
{
    std::array<int, 3> rows;
    for (int column = 0; column < 3; ++column)
        rows[column] = static_cast<int>(SendMessageW(list(window, column), LB_GETCURSEL, 0, 0));
    return rows;
}

// The rows of the situation of row `row` of column `column`, from the built-in table.
std::array<int, 3> situationOf(int column, int row)
{
    std::array<int, 3> rows{-1, -1, -1};
    for (int other = 0; other < 3; ++other)
        for (int candidate = 0; candidate < 3; ++candidate)
            if (builtInTable[other][candidate].key == builtInTable[column][row].key)
                rows[other] = candidate;
    return rows;
}

constexpr std::array<int, 3> nothing{-1, -1, -1};

std::wstring textOf(HWND control)
{
    std::wstring text(GetWindowTextLengthW(control), L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

COLORREF colourAt(MainWindow& window, HWND control, POINT point)
{
    MapWindowPoints(control, window.handle(), &point, 1);
    const HDC dc = GetDC(window.handle());
    const COLORREF colour = GetPixel(dc, point.x, point.y);
    ReleaseDC(window.handle(), dc);
    return colour;
}

COLORREF colourRef(look::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

void checkWindow(MainWindow& window)
{
    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "caption and close box");
    check(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)), "fixed, no min or max");
    check(textOf(window.handle()) == widen(texts::caption), "caption");
    RECT client;
    GetClientRect(window.handle(), &client);
    const PixelRect expected = toPixels(clientArea, screenDpi);
    check(client.right == expected.width && client.bottom == expected.height,
          "client area 6915 x 5175 twips");
    RECT frame;
    GetWindowRect(window.handle(), &frame);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs(frame.left + frame.right - work.left - work.right) <= 1
              && std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1,
          "frame centred");
    ICONINFO icon{};
    check(
        GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(window.handle(), GCLP_HICON)), &icon),
        "icon");
    BITMAP mask{};
    GetObjectW(icon.hbmMask, sizeof mask, &mask);
    check(mask.bmWidth == GetSystemMetrics(SM_CXICON) && icon.hbmColor,
          "icon of the screen's size with colour and mask");
    check(colourAt(window, window.handle(), at(2, 150)) == colourRef(look::windowBackground),
          "window background");
    group("window: style, size, place, caption, icon, background");
}

void checkControls(MainWindow& window)
{
    for (const ControlPlacement& placement : controlTable) {
        const std::string name(placement.name);
        const HWND control = window.control(placement.kind, placement.index);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&place), 2);
        const PixelRect expected = toPixels(placement.twips, screenDpi);
        check(place.left == expected.left && place.top == expected.top
                  && place.right - place.left == expected.width
                  && place.bottom - place.top == expected.height,
              name + " place");
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        check(font.lfHeight == -MulDiv(look::fontPointSize, screenDpi, 72)
                  && font.lfWeight == FW_NORMAL && !font.lfItalic && !font.lfUnderline
                  && !font.lfStrikeOut && font.lfCharSet == RUSSIAN_CHARSET
                  && std::wstring(font.lfFaceName) == widen(look::fontFamily),
              name + " font");
        switch (placement.kind) {
        case ControlKind::heading:
            check(textOf(control) == widen(texts::headings[placement.index]), name + " text");
            break;
        case ControlKind::text:
            check(GetWindowTextLengthW(control) == 1112, name + " text of 1112 characters");
            break;
        case ControlKind::button:
            check(textOf(control) == widen(texts::clearButton), name + " caption");
            break;
        case ControlKind::list:
            for (int row = 0; row < 3; ++row) {
                std::wstring text(64, L'\0');
                text.resize(
                    SendMessageW(control, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data())));
                check(text == widen(builtInTable[placement.index][row].text), name + " rows");
            }
            break;
        }
    }
    for (int column = 0; column < 3; ++column) {
        const HWND keys = window.keyList(column);
        check(!IsWindowVisible(keys) && !IsChild(window.handle(), keys),
              "key list hidden, not among the window's controls");
        check(SendMessageW(keys, LB_GETCOUNT, 0, 0) == 3, "key list filled");
    }
    const HWND text = window.control(ControlKind::text);
    check(GetFocus() == text, "the text has the focus at start");
    check(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0) == 0, "the text opens at its top");
    check(shown(window) == nothing, "nothing selected at start");
    const auto colourIn = [&](ControlKind kind, int index, POINT point) {
        return colourAt(window, window.control(kind, index), point);
    };
    check(colourIn(ControlKind::heading, 0, at(4, 4)) == colourRef(look::headingBackground),
          "heading ground");
    check(colourIn(ControlKind::button, 0, at(20, 20)) == colourRef(look::clearButtonFace),
          "button face");
    check(colourIn(ControlKind::list, 1, at(100, 50)) == RGB(255, 255, 255), "list ground");
    check(colourIn(ControlKind::text, 0, at(4, 130)) == RGB(255, 255, 255), "text ground");
    group("controls: places, fonts, texts, rows, key lists, focus, colours");
}

void checkMouse(MainWindow& window)
{
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            clickRow(window, (column + 1) % 3, 0); // start from another situation
            clickRow(window, column, row);
            const std::string where =
                "list " + std::to_string(column) + " row " + std::to_string(row);
            check(shown(window) == situationOf(column, row), where + " selects its situation");
            check(GetFocus() == list(window, column), where + " keeps the focus");
        }
    }
    clickControl(window, window.control(ControlKind::button));
    check(shown(window) == nothing, "the button clears");
    group("mouse: the nine rows and the button");
}

void checkKeyboard(MainWindow& window)
{
    const HWND text = window.control(ControlKind::text);
    const HWND button = window.control(ControlKind::button);
    const std::array<HWND, 6> order{text, list(window, 0), list(window, 1), list(window, 2), button,
                                    text};
    SetFocus(text);
    for (std::size_t step = 1; step < order.size(); ++step) {
        press(window, VK_TAB);
        check(GetFocus() == order[step], "Tab step " + std::to_string(step));
    }
    for (std::size_t step = order.size() - 1; step > 0; --step) {
        press(window, VK_TAB, VK_SHIFT);
        check(GetFocus() == order[step - 1], "Shift+Tab step " + std::to_string(step));
    }
    check(shown(window) == nothing, "Tab selects nothing");

    press(window, VK_TAB);
    press(window, VK_DOWN);
    const auto selected = shown(window);
    check(selected[0] != -1 && selected == situationOf(0, selected[0]), "Down selects");
    for (const HWND elsewhere : {list(window, 2), text}) {
        SetFocus(elsewhere);
        press(window, VK_RETURN);
        press(window, VK_ESCAPE);
        check(IsWindowVisible(window.handle()) && shown(window) == selected,
              "Enter and Escape elsewhere do nothing");
    }
    // Another row each time: a second click on the same row soon after is a double click.
    for (const auto& [clearKey, row] : {std::pair<WORD, int>{VK_SPACE, 1}, {VK_RETURN, 0}}) {
        clickRow(window, 2, row);
        SetFocus(button);
        check(shown(window) == situationOf(2, row), "selected before the key");
        press(window, clearKey);
        check(shown(window) == nothing, "a key on the focused button clears");
    }
    check(colourAt(window, button, at(0, 20)) == RGB(0, 0, 0), "the focused button is framed");
    group("keyboard: focus order, Down, Enter, Escape, Space");

    SetFocus(text);
    settle(window);
    for (const WORD typed : {WORD('A'), WORD(VK_DELETE), WORD(VK_BACK)})
        press(window, typed);
    press(window, 'V', VK_CONTROL);
    check(GetWindowTextLengthW(text) == 1112, "the text does not change");
    press(window, VK_END, VK_CONTROL);
    check(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0) > 0, "the text scrolls to its end");
    check(!(GetWindowLongW(text, GWL_STYLE) & WS_HSCROLL), "no horizontal scroll bar");
    group("text: read-only, scrolls");
}

IAccessible* accessibleOf(HWND control)
{
    IAccessible* accessible = nullptr;
    AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&accessible));
    return accessible;
}

// Wine's Active Accessibility answers neither names nor the rows' states; what it does answer,
// and what Windows' own list proxy and labelling rule read, is checked here.
void checkScreenReaders(MainWindow& window)
{
    clickRow(window, 1, 1);
    const std::array<int, 3> selected = situationOf(1, 1);
    const HWND text = window.control(ControlKind::text);
    check(textOf(GetWindow(text, GW_HWNDPREV)) == widen(texts::headings[0]),
          "the title stands just before the text");
    for (int column = 0; column < 3; ++column) {
        const HWND control = list(window, column);
        const HWND label = GetWindow(control, GW_HWNDPREV);
        check(textOf(label) == widen(texts::headings[column + 1]),
              "the heading stands just before list " + std::to_string(column));
        for (int row = 0; row < 3; ++row)
            check((SendMessageW(control, LB_GETSEL, row, 0) > 0) == (row == selected[column]),
                  "the matched rows report as selected");
    }

    IAccessible* whole = accessibleOf(window.handle());
    check(whole, "the window is accessible");
    long count = 0;
    whole->get_accChildCount(&count);
    std::vector<VARIANT> children(count);
    long got = 0;
    AccessibleChildren(whole, 0, count, children.data(), &got);
    check(got == static_cast<long>(controlTable.size()), "the shown controls are the children");
    for (VARIANT& item : children) {
        IAccessible* accessible = nullptr;
        if (item.vt == VT_DISPATCH && item.pdispVal)
            item.pdispVal->QueryInterface(__uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible));
        HWND control = nullptr;
        WindowFromAccessibleObject(accessible, &control);
        check(control && IsWindowVisible(control), "no hidden control is a child");
        if (accessible)
            accessible->Release();
        VariantClear(&item);
    }
    whole->Release();
    group("screen readers: headings before what they name, selected rows, no key list");
}

// Moved to a screen of 150 %, the window takes the place Windows suggests and lays its controls
// and font out anew.
void checkDensityChange(MainWindow& window)
{
    const int newDpi = 144;
    const PixelRect client = toPixels(clientArea, newDpi);
    const RECT suggested = dpi::windowRectFor(
        {0, 0, client.width, client.height}, GetWindowLongW(window.handle(), GWL_STYLE), 0, newDpi);
    SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT area;
    GetClientRect(window.handle(), &area);
    check(std::abs(area.right - client.width) <= 1 && std::abs(area.bottom - client.height) <= 1,
          "the client area follows the density");
    const HWND button = window.control(ControlKind::button);
    RECT place;
    GetWindowRect(button, &place);
    check(place.right - place.left == toPixels(controlTable.back().twips, newDpi).width,
          "the controls follow");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font);
    check(font.lfHeight == -MulDiv(look::fontPointSize, newDpi, 72), "the font follows");
    group("a change of screen density");
}

// A key outside 16 bits is reported in a message box, and the window goes on.
void checkErrorReport()
{
    RowTable broken = builtInTable;
    broken[1][2].key = "40000";
    MainWindow window(broken);
    window.create(GetModuleHandleW(nullptr), SW_SHOW);
    SetForegroundWindow(window.handle());
    settle(window, 300);

    std::wstring reported;
    std::thread closer([&reported] {
        for (int attempt = 0; attempt < 100 && reported.empty(); ++attempt) {
            Sleep(50);
            if (const HWND box = FindWindowW(L"#32770", nullptr)) {
                std::wstring text(512, L'\0');
                text.resize(GetDlgItemTextW(box, 0xFFFF, text.data(), 512));
                reported = text.empty() ? L"?" : text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
    });
    clickRow(window, 1, 2);
    closer.join();
    check(reported.find(L"\"40000\"") != std::wstring::npos, "the error names the key");
    check(shown(window) == (std::array<int, 3>{-1, 2, -1}), "nothing else changed");
    clickRow(window, 1, 1);
    check(shown(window) == situationOf(1, 1), "the window goes on");
    group("an error in a handler");
}

} // namespace

// The one argument, where given, is the screen density the window must find.
int main(int argc, char* argv[])
{
    {
        MainWindow window;
        if (!window.create(GetModuleHandleW(nullptr), SW_SHOW)) {
            std::printf("FAIL: the window could not be created\n");
            return 1;
        }
        SetForegroundWindow(window.handle());
        settle(window, 500);
        screenDpi = dpi::ofWindow(window.handle());
        check(argc < 2 || std::atoi(argv[1]) == screenDpi,
              "the screen has " + std::to_string(screenDpi) + " dots per inch");
        std::printf("checked at %d dots per inch\n", screenDpi);
        checkWindow(window);
        checkControls(window);
        checkMouse(window);
        checkKeyboard(window);
        checkScreenReaders(window);
        checkDensityChange(window);
    }
    checkErrorReport();
    std::printf("%d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}
