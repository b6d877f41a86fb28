// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Starts a Windows program (`start_timer program.exe [argument]`), waits until its window is on
// the screen and the program waits for input, then prints the milliseconds since the start and
// the peak working set in kilobytes, and closes the window.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK findWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window))
        return TRUE;
    search->window = window;
    return FALSE;
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc < 2)
        return 2;
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (argc > 2)
        command += L" " + std::wstring(argv[2]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    LARGE_INTEGER frequency;
    LARGE_INTEGER before;
    LARGE_INTEGER shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return 1;
    Search search{started.dwProcessId, nullptr};
    while (!search.window) {
        WaitForInputIdle(started.hProcess, 10);
        EnumWindows(findWindow, reinterpret_cast<LPARAM>(&search));
    }
    WaitForInputIdle(started.hProcess, INFINITE);
    QueryPerformanceCounter(&shown);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(started.hProcess, &memory, sizeof memory);
    std::printf("%.2f %zu\n",
                1000.0 * static_cast<double>(shown.QuadPart - before.QuadPart)
                    / static_cast<double>(frequency.QuadPart),
                memory.PeakWorkingSetSize / 1024);
    PostMessageW(search.window, WM_CLOSE, 0, 0);
    WaitForSingleObject(started.hProcess, 10000);
    return 0;
}
