// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "announcer.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

namespace dornelik {

// An accessible object of the window that no widget stands for: it has a role, a text and at
// most one child, and takes no room on the screen.
class SpokenNotice : public QAccessibleInterface {
public:
    SpokenNotice(QAccessible::Role role, QWidget* window, SpokenNotice* parent)
        : noticeRole(role)
        , ownWindow(window)
        , parentNotice(parent)
    {
        if (parent)
            parent->onlyChild = this;
    }

    bool isValid() const override { return !ownWindow.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return ownWindow ? ownWindow->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        if (parentNotice)
            return parentNotice;
        return ownWindow ? QAccessible::queryAccessibleInterface(ownWindow) : nullptr;
    }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? onlyChild : nullptr;
    }
    int childCount() const override { return onlyChild ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child == onlyChild ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? told : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return noticeRole; }
    QAccessible::State state() const override { return {}; }

    QString told;

private:
    QAccessible::Role noticeRole;
    QPointer<QWidget> ownWindow;
    SpokenNotice* parentNotice;
    SpokenNotice* onlyChild = nullptr;
};

Announcer::Announcer(QWidget* window)
    : statusBar(new SpokenNotice(QAccessible::StatusBar, window, nullptr))
    , notice(new SpokenNotice(QAccessible::Notification, window, statusBar))
{
    // Qt's cache of accessible objects owns them from here on.
    QAccessible::registerAccessibleInterface(statusBar);
    QAccessible::registerAccessibleInterface(notice);
}

Announcer::~Announcer()
{
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(notice));
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(statusBar));
}

void Announcer::announce(const QString& text)
{
    if (!QAccessible::isActive())
        return;
    notice->told = text;
    QAccessibleEvent renamed(notice, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace dornelik
