// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Drives the Windows window in this process with real input (SendInput) and reads back what the
// controls show. Prints a line for each group of checks and a last line with the count, which
// CTest looks for: a program that never ran must not pass. Its one argument, where given, is the
// screen density the window must find.
#include "colours.h"
#include "dpi.h"
#include "look.h"
#include "screen_reader.h"
#include "texts.h"
#include "wide_text.h"
#include "window_driver.h"

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

void check(bool passed, const std::string& what)
{
    ++checks;
    if (passed)
        return;
    ++failures;
    std::printf("FAIL: %s\n", what.c_str());
}

void group(const char* name)
{
    std::printf("checked: %s\n", name);
    std::fflush(stdout);
}

// The colour at a point given in pixels at 96 dots per inch.
COLORREF colourAt(const WindowDriver& driver, HWND control, int x, int y)
{
    POINT point{MulDiv(x, screenDpi, standardDpi), MulDiv(y, screenDpi, standardDpi)};
    MapWindowPoints(control, driver.window.handle(), &point, 1);
    const HDC dc = GetDC(driver.window.handle());
    const COLORREF colour = GetPixel(dc, point.x, point.y);
    ReleaseDC(driver.window.handle(), dc);
    return colour;
}

COLORREF colourRef(look::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

// Every control where it belongs at `dpi`, in the font sized for it.
void checkLayout(const WindowDriver& driver, int dpi, const char* when)
{
    RECT client;
    GetClientRect(driver.window.handle(), &client);
    check(std::abs(client.right - toPixels(clientArea, dpi).width) <= 1
              && std::abs(client.bottom - toPixels(clientArea, dpi).height) <= 1,
          std::string("client area ") + when);
    for (const ControlPlacement& placement : controlTable) {
        const HWND child = driver.control(placement.kind, placement.index);
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, driver.window.handle(), reinterpret_cast<POINT*>(&place), 2);
        const PixelRect expected = toPixels(placement.twips, dpi);
        check(place.left == expected.left && place.top == expected.top
                  && place.right - place.left == expected.width
                  && place.bottom - place.top == expected.height,
              std::string(placement.name) + " place " + when);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        check(font.lfHeight == -MulDiv(look::fontPointSize, dpi, 72) && font.lfWeight == FW_NORMAL
                  && font.lfCharSet == RUSSIAN_CHARSET
                  && std::wstring(font.lfFaceName) == widen(look::fontFamily),
              std::string(placement.name) + " font " + when);
    }
}

void checkWindowAndControls(WindowDriver& driver)
{
    const LONG style = GetWindowLongW(driver.window.handle(), GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU)
              && !(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)),
          "a fixed window with a caption and a close box, no minimise or maximise");
    check(WindowDriver::textOf(driver.window.handle()) == widen(texts::caption), "caption");
    RECT frame;
    RECT work;
    GetWindowRect(driver.window.handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs(frame.left + frame.right - work.left - work.right) <= 1
              && std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1,
          "frame centred");
    ICONINFO icon{};
    BITMAP mask{};
    GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(driver.window.handle(), GCLP_HICON)),
                &icon);
    GetObjectW(icon.hbmMask, sizeof mask, &mask);
    check(mask.bmWidth == GetSystemMetrics(SM_CXICON) && icon.hbmColor,
          "icon of the screen's size");
    checkLayout(driver, screenDpi, "at start");

    for (int column = 0; column < columnCount; ++column) {
        for (int row = 0; row < rowCount; ++row)
            check(WindowDriver::rowOf(driver.list(column), row)
                      == widen(builtInTable[column][row].text),
                  "the text of list " + std::to_string(column) + " row " + std::to_string(row));
        const HWND keys = driver.window.keyList(column);
        check(!IsWindowVisible(keys) && !IsChild(driver.window.handle(), keys)
                  && SendMessageW(keys, LB_GETCOUNT, 0, 0) == 3,
              "key list " + std::to_string(column)
                  + " filled, hidden and not among the window's controls");
    }
    check(WindowDriver::textOf(driver.control(ControlKind::button)) == widen(texts::clearButton),
          "button caption");
    // Nine lines, wrapped into more: Wine's shaping of the text once failed and left one line.
    check(GetWindowTextLengthW(driver.control(ControlKind::text)) == 1112
              && SendMessageW(driver.control(ControlKind::text), EM_GETLINECOUNT, 0, 0) > 9,
          "the text, with CR LF, wrapped");
    check(GetFocus() == driver.control(ControlKind::text)
              && SendMessageW(driver.control(ControlKind::text), EM_GETFIRSTVISIBLELINE, 0, 0) == 0,
          "the text has the focus and opens at its top");
    check(driver.shown() == WindowDriver::nothing, "nothing selected at start");
    check(colourAt(driver, driver.window.handle(), 2, 150) == colourRef(look::windowBackground)
              && colourAt(driver, driver.control(ControlKind::heading), 4, 4)
                     == colourRef(look::headingBackground)
              && colourAt(driver, driver.control(ControlKind::button), 20, 20)
                     == colourRef(look::clearButtonFace)
              && colourAt(driver, driver.control(ControlKind::text), 4, 130) == RGB(255, 255, 255),
          "the window's, a heading's, the button's and the text's colours");
    group("window and controls: style, place, icon, fonts, texts, colours, start state");
}

void checkMouse(WindowDriver& driver)
{
    for (int column = 0; column < columnCount; ++column)
        for (int row = 0; row < rowCount; ++row) {
            driver.clickRow((column + 1) % columnCount, 0); // start from another situation
            driver.clickRow(column, row);
            check(driver.shown() == WindowDriver::situationOf(column, row)
                      && GetFocus() == driver.list(column),
                  "a click on list " + std::to_string(column) + " row " + std::to_string(row));
        }
    RECT button;
    GetClientRect(driver.control(ControlKind::button), &button);
    driver.click(driver.control(ControlKind::button), button);
    check(driver.shown() == WindowDriver::nothing, "the button clears");

    // A row dragged from the text's focus out of its list, below it and then above it: the list's
    // selection follows the pointer, and the other lists follow the selection, where Wine's list
    // box reports WindowDriver::nothing.
    SetFocus(driver.control(ControlKind::text));
    RECT list;
    GetWindowRect(driver.list(0), &list);
    driver.send({WindowDriver::mouse(MOUSEEVENTF_MOVE, {list.left + 80, list.top + 35}),
                 WindowDriver::mouse(MOUSEEVENTF_LEFTDOWN),
                 WindowDriver::mouse(MOUSEEVENTF_MOVE, {list.right + 230, list.bottom + 120}),
                 WindowDriver::mouse(MOUSEEVENTF_MOVE, {list.right + 170, list.top - 80}),
                 WindowDriver::mouse(MOUSEEVENTF_LEFTUP)});
    check(driver.shown()[0] != -1
              && driver.shown() == WindowDriver::situationOf(0, driver.shown()[0]),
          "a row dragged out of its list");
    // Wine's list box may go on following the pointer until a click in it.
    driver.clickRow(0, 0);
    driver.click(driver.control(ControlKind::button), button);
    group("mouse: the nine rows, the button and a drag");
}

void checkKeyboard(WindowDriver& driver)
{
    const HWND text = driver.control(ControlKind::text);
    const HWND button = driver.control(ControlKind::button);
    const std::array<HWND, 6> order{text,           driver.list(0), driver.list(1),
                                    driver.list(2), button,         text};
    SetFocus(text);
    for (std::size_t step = 1; step < order.size(); ++step) {
        driver.press(VK_TAB);
        check(GetFocus() == order[step], "Tab step " + std::to_string(step));
    }
    for (std::size_t step = order.size() - 1; step > 0; --step) {
        driver.press(VK_TAB, VK_SHIFT);
        check(GetFocus() == order[step - 1], "Shift+Tab step " + std::to_string(step));
    }
    check(driver.shown() == WindowDriver::nothing, "Tab selects nothing");

    driver.press(VK_TAB);
    driver.press(VK_DOWN);
    const WindowDriver::Rows selected = driver.shown();
    check(selected[0] != -1 && selected == WindowDriver::situationOf(0, selected[0]),
          "Down selects");
    for (const HWND elsewhere : {driver.list(2), text}) {
        SetFocus(elsewhere);
        driver.press(VK_RETURN);
        driver.press(VK_ESCAPE);
        check(IsWindowVisible(driver.window.handle()) && driver.shown() == selected,
              "Enter and Escape elsewhere do WindowDriver::nothing");
    }
    // Another row each time: a second click on a row soon after is a double click.
    for (const auto& [clearKey, row] : {std::pair<WORD, int>{VK_SPACE, 1}, {VK_RETURN, 0}}) {
        driver.clickRow(2, row);
        SetFocus(button);
        check(driver.shown() == WindowDriver::situationOf(2, row), "selected before the key");
        driver.press(clearKey);
        check(driver.shown() == WindowDriver::nothing, "a key on the focused button clears");
    }
    group("keyboard: focus order, Down, Enter, Escape, Space");
}

// Wine's Active Accessibility answers neither names nor the rows' states; what it does answer,
// and what Windows' own list proxy and labelling rule read, is checked here.
void checkScreenReaders(WindowDriver& driver)
{
    driver.clickRow(1, 1);
    check(WindowDriver::textOf(GetWindow(driver.control(ControlKind::text), GW_HWNDPREV))
              == widen(texts::headings[0]),
          "the title stands just before the text");
    for (int column = 0; column < columnCount; ++column) {
        const HWND list = driver.list(column);
        check(WindowDriver::textOf(GetWindow(list, GW_HWNDPREV))
                  == widen(texts::headings[column + 1]),
              "the heading stands just before list " + std::to_string(column));
        for (int row = 0; row < rowCount; ++row)
            check((SendMessageW(list, LB_GETSEL, row, 0) > 0)
                      == (row == WindowDriver::situationOf(1, 1)[column]),
                  "list " + std::to_string(column) + " row " + std::to_string(row)
                      + " reports whether it is selected");
    }
    IAccessible* whole = nullptr;
    AccessibleObjectFromWindow(driver.window.handle(), OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&whole));
    long count = 0;
    whole->get_accChildCount(&count);
    std::vector<VARIANT> children(count);
    long got = 0;
    AccessibleChildren(whole, 0, count, children.data(), &got);
    check(got == static_cast<long>(controlTable.size()), "the shown controls are the children");
    for (VARIANT& item : children) {
        HWND child = nullptr;
        IAccessible* accessible = nullptr;
        if (item.vt == VT_DISPATCH)
            item.pdispVal->QueryInterface(__uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible));
        WindowFromAccessibleObject(accessible, &child);
        check(child && IsWindowVisible(child), "no hidden control is a child");
        if (accessible)
            accessible->Release();
        VariantClear(&item);
    }
    whole->Release();
    group("screen readers: headings before what they name, selected rows, no key list");
}

std::vector<std::wstring> told;
void record(HWND, const std::wstring& text)
{
    told.push_back(text);
}

// The window's own reports of where the focus is, as Windows carries them to screen readers.
std::vector<HWND> focusEvents;
void CALLBACK recordFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_CLIENT)
        focusEvents.push_back(window);
}

// A blind pupil's keys: what screen readers are told after each, and that the focus they follow
// stays where the keys put it while the program moves the other lists.
void checkAnnouncements()
{
    told.clear();
    WindowDriver driver(builtInTable, highContrastIsOn, record);
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, recordFocus,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    check(told.empty(), "nothing is told as the window opens");
    const std::wstring voltage = L"напрежение, волтметър, паралелно";
    const std::wstring resistance = L"съпротивление, омметър, отделно";
    const std::wstring current = L"ток, амперметър, последователно";
    const std::wstring cleared = widen(texts::selectionCleared);
    // Each key, and what screen readers have been told once it is pressed: Up on the first row
    // and Space with nothing selected change nothing.
    const struct {
        WORD key;
        std::vector<std::wstring> toldSoFar;
    } steps[] = {
        {VK_TAB, {}},
        {VK_DOWN, {voltage}},
        {VK_DOWN, {voltage, resistance}},
        {VK_TAB, {voltage, resistance}},
        {VK_UP, {voltage, resistance, voltage}},
        {VK_UP, {voltage, resistance, voltage, current}},
        {VK_UP, {voltage, resistance, voltage, current}},
        {VK_TAB, {voltage, resistance, voltage, current}},
        {VK_TAB, {voltage, resistance, voltage, current}},
        {VK_SPACE, {voltage, resistance, voltage, current, cleared}},
        {VK_SPACE, {voltage, resistance, voltage, current, cleared}},
    };
    SetFocus(driver.control(ControlKind::text));
    int step = 0;
    for (const auto& [key, toldSoFar] : steps) {
        focusEvents.clear();
        driver.press(key);
        const std::string after = "after key " + std::to_string(++step);
        check(told == toldSoFar,
              after + " screen readers have been told " + std::to_string(told.size()) + " things");
        check(key != VK_TAB || !focusEvents.empty(), after + " the focus is reported");
        for (const HWND focused : focusEvents)
            check(focused == GetFocus(), after + " the focus is reported only where it is");
    }
    UnhookWinEvent(hook);
    announceToScreenReaders(driver.window.handle(), voltage);
    check(IsWindow(driver.window.handle()), "where UI Automation has no notifications, the "
                                            "announcement does no harm");
    group("screen readers: the selection told once changed, the focus reported where it is");
}

// Moved to a screen of 150 %, the window takes the place Windows suggests and lays its controls
// and font out anew.
void checkDensityChange(WindowDriver& driver)
{
    const PixelRect client = toPixels(clientArea, 144);
    const RECT suggested =
        dpi::windowRectFor({0, 0, client.width, client.height},
                           GetWindowLongW(driver.window.handle(), GWL_STYLE), 0, 144);
    SendMessageW(driver.window.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    checkLayout(driver, 144, "at 144 dots per inch");
    group("a change of screen density");
}

// A key outside 16 bits is reported in a message box, and the window goes on.
void checkErrorReport()
{
    RowTable broken = builtInTable;
    broken[1][2].key = "40000";
    WindowDriver driver(broken);
    std::wstring reported;
    std::thread closer([&reported] {
        for (int attempt = 0; attempt < 100 && reported.empty(); ++attempt, Sleep(50)) {
            const HWND box = FindWindowW(L"#32770", nullptr);
            std::wstring text(512, L'\0');
            text.resize(box ? GetDlgItemTextW(box, 0xFFFF, text.data(), 512) : 0);
            if (text.empty()) // not yet shown, or not yet filled
                continue;
            reported = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    driver.clickRow(1, 2);
    closer.join();
    check(reported.find(L"\"40000\"") != std::wstring::npos, "the error names the key");
    check(driver.shown() == WindowDriver::Rows{-1, 2, -1}, "nothing else changed");
    driver.clickRow(1, 1);
    check(driver.shown() == WindowDriver::situationOf(1, 1), "the window goes on");
    group("an error in a handler");
}

bool highContrastOn = false;
bool highContrast()
{
    return highContrastOn;
}

// The window's client area as a 24-bit BMP file, for a person to look at.
void saveScreenshot(const WindowDriver& driver, const char* file)
{
    RECT client;
    GetClientRect(driver.window.handle(), &client);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = client.right;
    header.biHeight = client.bottom;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (client.right * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * client.bottom);
    const HDC window = GetDC(driver.window.handle());
    const HDC memory = CreateCompatibleDC(window);
    const HBITMAP bitmap = CreateCompatibleBitmap(window, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, client.bottom, pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(driver.window.handle(), window);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixels.size());
    if (std::FILE* out = std::fopen(file, "wb")) {
        std::fwrite(&fileHeader, sizeof fileHeader, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }
}

// While Windows' high contrast is on, the window is drawn in the system's colours, and follows
// them when they change; when it goes off, the window's own colours come back. Wine has no high
// contrast of its own: the window is told of it by the function it asks, and the system's colours
// are changed as a contrast theme would change them.
void checkHighContrast()
{
    WindowDriver driver(builtInTable, highContrast);
    const HWND window = driver.window.handle();
    const auto colours = [&driver](const char* when) {
        const WindowColours expected = chooseColours(highContrastOn, GetSysColor);
        check(
            colourAt(driver, driver.window.handle(), 2, 150) == expected.window
                && colourAt(driver, driver.control(ControlKind::heading, 1), 4, 4)
                       == expected.heading
                && colourAt(driver, driver.control(ControlKind::button), 20, 20) == expected.button
                && colourAt(driver, driver.control(ControlKind::text), 4, 130)
                       == expected.textGround,
            std::string("the window's, a heading's, the button's and the text's colours ") + when);
    };
    colours("before high contrast");
    check(colourAt(driver, window, 2, 150) == colourRef(look::windowBackground),
          "the window's own colours while high contrast is off");

    highContrastOn = true;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    driver.settle();
    colours("once high contrast is on");

    int elements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                      COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
    COLORREF before[std::size(elements)];
    for (std::size_t element = 0; element < std::size(elements); ++element)
        before[element] = GetSysColor(elements[element]);
    // Windows' "High Contrast Black".
    const COLORREF black[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),
                              RGB(255, 255, 0), RGB(26, 235, 255),  RGB(0, 0, 0)};
    SetSysColors(static_cast<int>(std::size(elements)), elements, black);
    driver.settle(300);
    colours("in a contrast theme's colours");
    driver.clickRow(1, 1);
    check(colourAt(driver, driver.list(2), 100, 30) == RGB(26, 235, 255),
          "a matched row in the theme's selection colour");
    saveScreenshot(driver, "win32_high_contrast.bmp");

    SetSysColors(static_cast<int>(std::size(elements)), elements, before);
    highContrastOn = false;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    driver.settle(300);
    colours("once high contrast is off");
    check(colourAt(driver, window, 2, 150) == colourRef(look::windowBackground),
          "the window's own colours again");
    group("high contrast: the system's colours, followed as they change");
}

} // namespace

int main(int argc, char* argv[])
{
    {
        WindowDriver driver;
        if (!driver.created) {
            std::printf("FAIL: the window could not be created\n");
            return 1;
        }
        screenDpi = dpi::ofWindow(driver.window.handle());
        check(argc < 2 || std::atoi(argv[1]) == screenDpi,
              "the screen has " + std::to_string(screenDpi) + " dots per inch");
        std::printf("checked at %d dots per inch\n", screenDpi);
        checkWindowAndControls(driver);
        checkMouse(driver);
        checkKeyboard(driver);
        checkScreenReaders(driver);
        checkDensityChange(driver);
    }
    checkErrorReport();
    checkHighContrast();
    checkAnnouncements();
    std::printf("%d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}
