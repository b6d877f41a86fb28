// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "desktop_contrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace dornelik {

namespace {

const QString portal = "org.freedesktop.portal.Desktop";
const QString portalPath = "/org/freedesktop/portal/desktop";
const QString settings = "org.freedesktop.portal.Settings";
const QString appearance = "org.freedesktop.appearance";
const QString contrast = "contrast";

} // namespace

// Asked once without waiting, so that the window opens at once; the answer comes a moment later.
DesktopContrast::DesktopContrast(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The whole message, since Qt 6.4 refuses a slot that takes a variant before the bus has
    // told its types.
    bus.connect(portal, portalPath, settings, "SettingChanged", this,
                SLOT(onSettingChanged(QDBusMessage)));
    QDBusMessage read = QDBusMessage::createMethodCall(portal, portalPath, settings, "Read");
    read << appearance << contrast;
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (!reply.isError())
                    take(reply.value().variant());
                call->deleteLater();
            });
}

void DesktopContrast::onSettingChanged(const QDBusMessage& change)
{
    const QList<QVariant> arguments = change.arguments();
    if (arguments.size() == 3 && arguments[0] == appearance && arguments[1] == contrast)
        take(arguments[2]);
}

// Read wraps the setting in one variant more than the signal does.
void DesktopContrast::take(const QVariant& value)
{
    const QVariant setting =
        value.canConvert<QDBusVariant>() ? qvariant_cast<QDBusVariant>(value).variant() : value;
    const bool more = setting.toUInt() == 1;
    if (more == high)
        return;
    high = more;
    emit changed(high);
}

} // namespace dornelik
