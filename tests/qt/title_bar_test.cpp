// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Checks the window on native Wayland where the compositor draws no title bars, as weston: the
// window draws its own, with the caption and a close box alone, and a request to maximise, as a
// title bar's button makes it, leaves the window at its size and the program running. Run on
// such a compositor, with QT_QPA_PLATFORM=wayland.
#include "main_window.h"
#include "qt_look.h"
#include "window_system.h"

#include <QAbstractButton>
#include <QApplication>
#include <QtTest>

class TitleBarTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        dornelik::look::setUpApplication();
        QVERIFY2(dornelik::titleBarIsOurs(), "the compositor draws title bars");
        window.emplace(dornelik::builtInTable, dornelik::titleBarIsOurs());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*window));
        titleBar = window->findChild<QWidget*>("TitleBar");
        QVERIFY(titleBar);
    }

    void theTitleBarHasACloseBoxAlone()
    {
        QCOMPARE(window->windowHandle()->frameMargins(), QMargins());
        const auto boxes = titleBar->findChildren<QAbstractButton*>();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->accessibleName(), QString::fromUtf8("Затвори"));
        QCOMPARE(window->size(), QSize(461, 345 + titleBar->height()));
    }

    void aRequestToMaximiseLeavesTheWindowAtItsSize()
    {
        const QSize size = window->size();
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        QTest::qWait(1000);
        QCOMPARE(window->windowState(), Qt::WindowNoState);
        QCOMPARE(window->size(), size);
    }

    void theCloseBoxCloses()
    {
        titleBar->findChild<QAbstractButton*>()->click();
        QTRY_VERIFY(!window->isVisible());
    }

private:
    std::optional<dornelik::MainWindow> window;
    QWidget* titleBar = nullptr;
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TitleBarTest test;
    const int status = QTest::qExec(&test, argc, argv);
    dornelik::endAtOnceOnWayland(status);
    return status;
}

#include "title_bar_test.moc"
