// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Drives the Windows window with a long seeded run of random real input (SendInput): clicks,
// double-clicks and drags with any button, wheel turns, over every control and beside the window,
// and keys held or pressed with and without Shift, Ctrl and Alt. After each event it checks that
// nothing a pupil does breaks the window: the lists show one situation or none, the key lists are
// never shown, focused or selected, no text changes, the client area keeps its size, no message
// box or other window opens, and the window answers. Menus that the keys and the right button
// open (the window's own, the text's) are closed again. A failure names the seed and the event;
// DORNELIK_MONKEY_SEED and DORNELIK_MONKEY_EVENTS replay it.
#include "wide_text.h"
#include "window_driver.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>

using namespace dornelik;

namespace {

unsigned seed = 20261208;
std::atomic<int> event{-1};
std::atomic<bool> finished{false};
std::atomic<bool> watcherStopped{false};

[[noreturn]] void fail(const std::string& what)
{
    std::printf("FAIL: seed %u, event %d: %s\n", seed, event.load(), what.c_str());
    std::fflush(stdout);
    ExitProcess(1);
}

int fromEnvironment(const char* name, int otherwise)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : otherwise;
}

// Everything the window shows as text: its caption, the controls' captions and texts, and the rows
// of all six lists.
std::wstring allTexts(const WindowDriver& driver)
{
    std::wstring texts = WindowDriver::textOf(driver.window.handle());
    for (const ControlPlacement& placement : controlTable) {
        const HWND child = driver.control(placement.kind, placement.index);
        texts += L'|' + WindowDriver::textOf(child);
        if (placement.kind != ControlKind::list)
            continue;
        for (const HWND list : {child, driver.window.keyList(placement.index)})
            for (int row = 0; row < SendMessageW(list, LB_GETCOUNT, 0, 0); ++row)
                texts += L'|' + WindowDriver::rowOf(list, row);
    }
    return texts;
}

// A visible window of the thread other than the program's window and the menus (#32768), which
// keys open and the watcher closes; its class, or nothing.
struct OtherWindow {
    HWND programWindow;
    std::string className;
};

BOOL CALLBACK findOtherWindow(HWND found, LPARAM search)
{
    auto& other = *reinterpret_cast<OtherWindow*>(search);
    wchar_t className[64]{};
    GetClassNameW(found, className, 64);
    if (found == other.programWindow || !IsWindowVisible(found) || narrow(className) == "#32768")
        return TRUE;
    other.className = narrow(className);
    return FALSE;
}

std::string otherWindow(const WindowDriver& driver, DWORD thread)
{
    OtherWindow other{driver.window.handle(), {}};
    EnumThreadWindows(thread, findOtherWindow, reinterpret_cast<LPARAM>(&other));
    return other.className;
}

// Watches the window from another thread. A menu, or a scroll bar or selection that follows the
// mouse, runs its own loop, which the monkey cannot leave: a menu is ended at once, the others
// once the event has lasted a second (under Wine a button released beside the window can miss
// the loop), as Windows ends them when something else takes over. A message box would run its
// own loop too, and is a failure. And the window must answer.
void watch(const WindowDriver& driver, DWORD thread)
{
    int lastEvent = event;
    DWORD since = GetTickCount();
    while (!finished) {
        Sleep(20);
        if (event != lastEvent) {
            lastEvent = event;
            since = GetTickCount();
        }
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        if (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) {
            SendMessageTimeoutW(info.hwndMenuOwner, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                nullptr);
            continue;
        }
        if (info.hwndCapture && GetTickCount() - since > 1000) {
            INPUT release[3]{WindowDriver::mouse(MOUSEEVENTF_LEFTUP),
                             WindowDriver::mouse(MOUSEEVENTF_RIGHTUP),
                             WindowDriver::mouse(MOUSEEVENTF_MIDDLEUP)};
            SendInput(3, release, sizeof(INPUT));
            since = GetTickCount();
            continue;
        }
        const std::string other = otherWindow(driver, thread);
        if (!other.empty())
            fail("a window of class " + other + " opened");
        DWORD_PTR answer;
        if (!SendMessageTimeoutW(driver.window.handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                 &answer))
            fail("the window does not answer");
    }
    watcherStopped = true;
}

// The check after each event: what must hold whatever the pupil has done.
std::string whatIsBroken(const WindowDriver& driver, const std::wstring& texts, SIZE client)
{
    const WindowDriver::Rows rows = driver.shown();
    std::wstring key[columnCount];
    for (int column = 0; column < columnCount; ++column) {
        const HWND keys = driver.window.keyList(column);
        if (IsWindowVisible(keys) || GetFocus() == keys
            || SendMessageW(keys, LB_GETCURSEL, 0, 0) != -1)
            return "key list " + std::to_string(column) + " was shown, focused or selected";
        if (rows[column] != -1)
            key[column] = WindowDriver::rowOf(keys, rows[column]);
    }
    if (rows != WindowDriver::nothing && (rows[0] == -1 || key[0] != key[1] || key[1] != key[2]))
        return "the lists show rows " + std::to_string(rows[0]) + ", " + std::to_string(rows[1])
               + ", " + std::to_string(rows[2]);
    if (allTexts(driver) != texts)
        return "a text changed";
    RECT now;
    GetClientRect(driver.window.handle(), &now);
    if (now.right != client.cx || now.bottom != client.cy)
        return "the client area is " + std::to_string(now.right) + " x "
               + std::to_string(now.bottom);
    const std::string other = otherWindow(driver, GetCurrentThreadId());
    if (!other.empty())
        return "a window of class " + other + " opened";
    return {};
}

} // namespace

int main()
{
    seed = static_cast<unsigned>(fromEnvironment("DORNELIK_MONKEY_SEED", static_cast<int>(seed)));
    const int events = fromEnvironment("DORNELIK_MONKEY_EVENTS", 1000);
    std::mt19937 random(seed);
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };

    WindowDriver driver;
    if (!driver.created)
        fail("the window could not be created");
    const std::wstring texts = allTexts(driver);
    RECT start;
    GetClientRect(driver.window.handle(), &start);
    const SIZE client{start.right, start.bottom};
    std::thread watcher(watch, std::cref(driver), GetCurrentThreadId());

    const WORD keys[] = {VK_UP,   VK_DOWN, VK_LEFT,  VK_RIGHT,  VK_HOME,   VK_END,    VK_PRIOR,
                         VK_NEXT, VK_TAB,  VK_SPACE, VK_RETURN, VK_ESCAPE, VK_DELETE, VK_BACK,
                         'A',     'C',     'V',      'X',       'Z',       'T',       '1',
                         VK_F1,   VK_F2,   VK_F3,    VK_F4,     VK_F5,     VK_F6,     VK_F7,
                         VK_F8,   VK_F9,   VK_F10,   VK_F11,    VK_F12,    VK_APPS};
    const WORD modifiers[] = {0, 0, 0, VK_SHIFT, VK_CONTROL, VK_MENU};
    const DWORD buttons[][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                                {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};

    for (event = 0; event < events; ++event) {
        // Mostly over the window, sometimes just beside it.
        RECT frame;
        GetWindowRect(driver.window.handle(), &frame);
        const auto somewhere = [&] {
            const int margin = pick(8) == 0 ? 30 : 0;
            return POINT{frame.left - margin + pick(frame.right - frame.left + 2 * margin),
                         frame.top - margin + pick(frame.bottom - frame.top + 2 * margin)};
        };
        const POINT at = somewhere();
        const auto& [down, up] = buttons[pick(std::size(buttons))];
        const WORD held = modifiers[pick(std::size(modifiers))];
        const WORD pressed = keys[pick(std::size(keys))];
        std::vector<INPUT> inputs;
        switch (pick(7)) {
        case 0:
            inputs = {WindowDriver::mouse(MOUSEEVENTF_MOVE, at), WindowDriver::mouse(down),
                      WindowDriver::mouse(up)};
            break;
        case 1:
            inputs = {WindowDriver::mouse(MOUSEEVENTF_MOVE, at), WindowDriver::mouse(down),
                      WindowDriver::mouse(up), WindowDriver::mouse(down), WindowDriver::mouse(up)};
            break;
        case 2:
            inputs = {WindowDriver::mouse(MOUSEEVENTF_MOVE, at), WindowDriver::mouse(down),
                      WindowDriver::mouse(MOUSEEVENTF_MOVE, somewhere()),
                      WindowDriver::mouse(MOUSEEVENTF_MOVE, somewhere()), WindowDriver::mouse(up)};
            break;
        case 3:
            inputs = {
                WindowDriver::mouse(MOUSEEVENTF_MOVE, at),
                WindowDriver::mouse(MOUSEEVENTF_WHEEL, {},
                                    static_cast<DWORD>(pick(2) ? WHEEL_DELTA : -WHEEL_DELTA))};
            break;
        default: {
            if (held == VK_MENU && pressed == VK_F4)
                continue; // closes the window, as it should
            if (held)
                inputs.push_back(WindowDriver::key(held));
            // A key held down repeats.
            for (int repeat = pick(4) == 0 ? 2 + pick(4) : 1; repeat > 0; --repeat)
                inputs.push_back(WindowDriver::key(pressed));
            inputs.push_back(WindowDriver::key(pressed, KEYEVENTF_KEYUP));
            if (held)
                inputs.push_back(WindowDriver::key(held, KEYEVENTF_KEYUP));
            break;
        }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        driver.settle(25);
        // A pupil who has clicked beside the window clicks it again.
        if (GetForegroundWindow() != driver.window.handle()) {
            SetForegroundWindow(driver.window.handle());
            driver.settle(25);
        }
        const std::string broken = whatIsBroken(driver, texts, client);
        if (!broken.empty())
            fail(broken);
    }
    // The watcher may be waiting for the window to answer.
    finished = true;
    while (!watcherStopped)
        driver.settle(10);
    watcher.join();
    std::printf("%d events from seed %u, 0 failed\n", events, seed);
    return 0;
}
