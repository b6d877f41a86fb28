// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QWidget;

namespace dornelik {

class SpokenNotice;

// Tells a screen reader something without moving its focus and without drawing anything: the
// window holds a status bar seen only by screen readers, and in it a notification whose text is
// what is told. Orca speaks a notification as it shows, and a status bar's without naming it.
// Qt 6.4 has no announcements of its own.
class Announcer {
public:
    explicit Announcer(QWidget* window);
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // Says `text`, where a screen reader listens.
    void announce(const QString& text);

private:
    SpokenNotice* statusBar;
    SpokenNotice* notice;
};

} // namespace dornelik
