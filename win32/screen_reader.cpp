// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "screen_reader.h"

#include <oleauto.h>
#include <unknwn.h>

namespace dornelik {

namespace {

// As the Windows SDK's UIAutomationCoreApi.h declares them: mingw-w64's header cannot be read
// as C++, and lacks the notification. The provider is an IRawElementProviderSimple.
enum NotificationKind { NotificationKind_ActionCompleted = 2 };
enum NotificationProcessing { NotificationProcessing_MostRecent = 3 };
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, NotificationKind, NotificationProcessing,
                                                BSTR, BSTR);
using AllocateString = BSTR(WINAPI*)(const OLECHAR*);
using FreeString = void(WINAPI*)(BSTR);

// A function of one of Windows' own libraries, loaded from the system's folder and never from
// beside the program; null where this Windows lacks it.
template <typename Function> Function systemFunction(const wchar_t* library, const char* name)
{
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(library) >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, library);
    const HMODULE module = LoadLibraryW(path);
    if (!module)
        return nullptr;
    const FARPROC address = GetProcAddress(module, name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

} // namespace

void announceToScreenReaders(HWND window, const std::wstring& text)
{
    static const auto raise = systemFunction<RaiseNotificationEvent>(L"uiautomationcore.dll",
                                                                     "UiaRaiseNotificationEvent");
    static const auto hostProvider =
        systemFunction<HostProviderFromHwnd>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static const auto allocate = systemFunction<AllocateString>(L"oleaut32.dll", "SysAllocString");
    static const auto release = systemFunction<FreeString>(L"oleaut32.dll", "SysFreeString");
    if (!raise || !hostProvider || !allocate || !release)
        return;
    IUnknown* provider = nullptr;
    if (FAILED(hostProvider(window, &provider)) || !provider)
        return;
    const BSTR spoken = allocate(text.c_str());
    const BSTR activity = allocate(L"dornelik-selection");
    raise(provider, NotificationKind_ActionCompleted, NotificationProcessing_MostRecent, spoken,
          activity);
    release(activity);
    release(spoken);
    provider->Release();
}

} // namespace dornelik
