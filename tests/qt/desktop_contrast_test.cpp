// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Checks that the window follows the desktop's contrast, as a stand-in for the freedesktop
// settings portal on the test's own session bus tells it. Run under dbus-run-session.
#include "qt_look.h"
#include "window_driver.h"

#include "look.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QtTest>

#include <array>
#include <cstdlib>

// The portal's settings as GNOME 47 and KDE Plasma 6 have them: Read answers the appearance's
// contrast wrapped in one variant more than the signal, or that there is no such setting.
class StandInPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint contrast = 0;
    bool knowsContrast = true;

    void change(uint more)
    {
        contrast = more;
        emit SettingChanged("org.freedesktop.appearance", "contrast", QDBusVariant(more));
    }

public slots:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        if (!knowsContrast || group != "org.freedesktop.appearance" || key != "contrast") {
            sendErrorReply("org.freedesktop.portal.Error.NotFound", "no such setting");
            return {};
        }
        return QDBusVariant(QVariant::fromValue(QDBusVariant(contrast)));
    }

signals:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
};

class DesktopContrastTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        desktop = QApplication::palette();
        dornelik::look::setUpApplication();
        QVERIFY2(portalBus().isConnected(), "no session bus: run under dbus-run-session");
        QVERIFY(portalBus().registerObject("/org/freedesktop/portal/desktop", &portal,
                                           QDBusConnection::ExportAllSlots
                                               | QDBusConnection::ExportAllSignals));
    }

    void followsTheDesktopsContrast_data()
    {
        QTest::addColumn<bool>("portal");
        QTest::addColumn<bool>("knowsContrast");
        QTest::addColumn<uint>("contrast");
        QTest::addColumn<bool>("high");
        QTest::newRow("normal contrast") << true << true << 0u << false;
        QTest::newRow("more contrast") << true << true << 1u << true;
        QTest::newRow("a portal without the setting") << true << false << 1u << false;
        QTest::newRow("no portal") << false << true << 1u << false;
    }

    // As the window opens, and as the desktop's contrast changes the other way and back.
    void followsTheDesktopsContrast()
    {
        QFETCH(bool, portal);
        QFETCH(bool, knowsContrast);
        QFETCH(uint, contrast);
        QFETCH(bool, high);
        const QString name = "org.freedesktop.portal.Desktop";
        QVERIFY(portal ? portalBus().registerService(name)
                       : (portalBus().unregisterService(name), true));
        this->portal.knowsContrast = knowsContrast;
        this->portal.contrast = contrast;

        WindowDriver driver;
        QTest::qWait(200);
        QVERIFY(drawnInDesktopColours(driver) == high);
        if (!portal || !knowsContrast)
            return;
        this->portal.change(1 - contrast);
        QTRY_VERIFY(drawnInDesktopColours(driver) == !high);
        this->portal.change(contrast);
        QTRY_VERIFY(drawnInDesktopColours(driver) == high);
    }

private:
    // The portal's own connection to the bus, as another program's would be.
    static QDBusConnection portalBus()
    {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    }

    // The window, a heading, the button and the selected rows of the focused list and another,
    // all in the desktop's colours, or all in the window's own. Fusion shades a focused row a
    // little.
    bool drawnInDesktopColours(WindowDriver& driver)
    {
        driver.clickRow(1, 1);
        QTest::mouseMove(&driver.window, {2, 150});
        const std::array<QColor, 5> drawn{
            driver.colourAt(&driver.window, {2, 150}),
            driver.colourAt(driver.control("Label1(1)"), {2, 2}),
            driver.colourAt(driver.clearButton(), {20, 20}),
            driver.colourAt(driver.list(0)->viewport(), {2, 2}),
            driver.colourAt(driver.list(1)->viewport(), {100, 28}),
        };
        const auto allNear = [&drawn](const std::array<QColor, 5>& wanted) {
            for (std::size_t at = 0; at < drawn.size(); ++at)
                if (std::abs(drawn[at].red() - wanted[at].red()) > 8
                    || std::abs(drawn[at].green() - wanted[at].green()) > 8
                    || std::abs(drawn[at].blue() - wanted[at].blue()) > 8)
                    return false;
            return true;
        };
        const QColor selected = desktop.color(QPalette::Highlight);
        if (allNear({desktop.color(QPalette::Window), desktop.color(QPalette::Window),
                     desktop.color(QPalette::Button), selected, selected}))
            return true;
        const QColor legible = dornelik::look::toQColor(dornelik::look::legibleSelection);
        if (!allNear({dornelik::look::toQColor(dornelik::look::windowBackground),
                      dornelik::look::toQColor(dornelik::look::headingBackground),
                      dornelik::look::toQColor(dornelik::look::clearButtonFace), legible, legible}))
            qWarning() << "drawn in neither the desktop's colours nor the window's own:"
                       << QList<QColor>(drawn.begin(), drawn.end());
        return false;
    }

    StandInPortal portal;
    QPalette desktop;
};

QTEST_MAIN(DesktopContrastTest)
#include "desktop_contrast_test.moc"
