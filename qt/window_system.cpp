// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "window_system.h"

#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>

#include <xcb/xcb.h>

namespace dornelik {

namespace {

// As the X server in DISPLAY, with the credentials in XAUTHORITY, lets this program in.
bool xServerTakesUs()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

bool qtHasWayland()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
    return !platforms.entryList({"libqwayland-*"}, QDir::Files).isEmpty();
}

// The calls of the Wayland client library that ask a compositor what it offers, found in the
// library Qt's Wayland plugin has loaded: the program itself needs it nowhere else.
struct WaylandClient {
    void* (*connect)(const char*);
    void* (*marshalConstructor)(void*, std::uint32_t, const void*, ...);
    int (*addListener)(void*, void (**)(), void*);
    int (*roundtrip)(void*);
    void (*destroy)(void*);
    void (*disconnect)(void*);
    const void* registryInterface;

    bool found() const
    {
        return connect && marshalConstructor && addListener && roundtrip && destroy && disconnect
               && registryInterface;
    }
};

template <typename Function> void lookUp(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
}

// A registry's listener: what it announces, and what it takes away.
struct RegistryListener {
    void (*global)(void* found, void* registry, std::uint32_t name, const char* interface,
                   std::uint32_t version);
    void (*globalRemove)(void* found, void* registry, std::uint32_t name);
};

} // namespace

bool titleBarIsOurs()
{
    if (!QGuiApplication::platformName().startsWith("wayland"))
        return false;
    void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return false;
    WaylandClient client{};
    lookUp(library, "wl_display_connect", client.connect);
    lookUp(library, "wl_proxy_marshal_constructor", client.marshalConstructor);
    lookUp(library, "wl_proxy_add_listener", client.addListener);
    lookUp(library, "wl_display_roundtrip", client.roundtrip);
    lookUp(library, "wl_proxy_destroy", client.destroy);
    lookUp(library, "wl_display_disconnect", client.disconnect);
    client.registryInterface = dlsym(library, "wl_registry_interface");
    bool decorates = true;
    void* display = client.found() ? client.connect(nullptr) : nullptr;
    if (display) {
        constexpr std::uint32_t getRegistry = 1; // wl_display.get_registry
        void* registry =
            client.marshalConstructor(display, getRegistry, client.registryInterface, nullptr);
        static const RegistryListener listener{
            [](void* found, void*, std::uint32_t, const char* interface, std::uint32_t) {
                if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                    *static_cast<bool*>(found) = true;
            },
            [](void*, void*, std::uint32_t) {},
        };
        decorates = false;
        client.addListener(registry,
                           reinterpret_cast<void (**)()>(const_cast<RegistryListener*>(&listener)),
                           &decorates);
        client.roundtrip(display);
        client.destroy(registry);
        client.disconnect(display);
    }
    dlclose(library);
    return !decorates;
}

void chooseWindowSystem()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (xServerTakesUs()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return;
    }
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                         || !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET");
    if (wayland && qtHasWayland()) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        return;
    }
    std::fprintf(stderr, "dornelik: no window to open: no X server takes us at DISPLAY '%s', %s\n",
                 qgetenv("DISPLAY").constData(),
                 wayland ? "and Qt's Wayland plugin is missing (Debian package qt6-wayland)"
                         : "and no Wayland desktop is named in WAYLAND_DISPLAY");
    std::exit(1);
}

void endAtOnceOnWayland(int status)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return;
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace dornelik
