// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDBusMessage>
#include <QObject>

namespace dornelik {

// Whether the desktop asks programs for more contrast, as the freedesktop settings portal tells
// (org.freedesktop.appearance's contrast, 1 for more), followed as it changes. Qt 6.4 does not
// tell it. Where there is no portal, or it has no such setting, the desktop never asks.
class DesktopContrast : public QObject {
    Q_OBJECT

public:
    explicit DesktopContrast(QObject* parent = nullptr);

    bool isHigh() const { return high; }

signals:
    void changed(bool high);

private slots:
    void onSettingChanged(const QDBusMessage& change);

private:
    void take(const QVariant& value);

    bool high = false;
};

} // namespace dornelik
