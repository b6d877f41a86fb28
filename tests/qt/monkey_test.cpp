// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "qt_look.h"
#include "texts.h"
#include "window_driver.h"

#include <QWheelEvent>
#include <QtTest>

#include <random>

namespace {

const Qt::Key keys[] = {
    Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,  Qt::Key_Home,
    Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Tab,    Qt::Key_Space,
    Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape,   Qt::Key_Delete, Qt::Key_Backspace,
};
const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier,
                                           Qt::ShiftModifier};
const Qt::Key shortcuts[] = {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X};
const QString letters = QString::fromUtf8("атвнопсуоdxq1");

} // namespace

// Drives the window with a long run of random mouse and keyboard events from a seeded
// generator and checks after every event that nothing the user can do breaks it.
class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { dornelik::look::setUpApplication(); }

    void randomEventsBreakNothing()
    {
        const int seed = qEnvironmentVariableIsSet("DORNELIK_MONKEY_SEED")
                             ? qEnvironmentVariableIntValue("DORNELIK_MONKEY_SEED")
                             : 20261208;
        const int events = qEnvironmentVariableIsSet("DORNELIK_MONKEY_EVENTS")
                               ? qEnvironmentVariableIntValue("DORNELIK_MONKEY_EVENTS")
                               : 20000;
        std::mt19937 random(static_cast<unsigned>(seed));
        const auto pick = [&](int count) {
            return std::uniform_int_distribution<int>(0, count - 1)(random);
        };

        WindowDriver driver;
        QVERIFY(driver.exposed);
        rows = listRows(driver);

        for (int event = 0; event < events; ++event) {
            const QPoint at(pick(461), pick(345));
            QWidget* target = driver.window.childAt(at);
            if (!target)
                target = &driver.window;
            const QPoint local = target->mapFrom(&driver.window, at);
            QWidget* focused =
                QApplication::focusWidget() ? QApplication::focusWidget() : &driver.window;
            const Qt::KeyboardModifiers held = modifiers[pick(std::size(modifiers))];
            switch (pick(8)) {
            case 0:
                QTest::mouseClick(target, Qt::LeftButton, held, local);
                break;
            case 1:
                QTest::mouseDClick(target, Qt::LeftButton, held, local);
                break;
            case 2: {
                const QPoint to(pick(461), pick(345));
                QTest::mousePress(target, Qt::LeftButton, held, local);
                QTest::mouseMove(target, target->mapFrom(&driver.window, to));
                QTest::mouseRelease(target, Qt::LeftButton, held,
                                    target->mapFrom(&driver.window, to));
                break;
            }
            case 3: {
                QWheelEvent wheel(local, target->mapToGlobal(local), {}, {0, pick(2) ? 120 : -120},
                                  Qt::NoButton, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(target, &wheel);
                break;
            }
            case 4:
            case 5:
                QTest::keyClick(focused, keys[pick(std::size(keys))], held);
                break;
            case 6:
                if (pick(2))
                    QTest::keyClick(focused, Qt::Key_Backtab, Qt::ShiftModifier);
                else
                    QTest::keyClick(focused, shortcuts[pick(std::size(shortcuts))],
                                    Qt::ControlModifier);
                break;
            default: {
                const QString letter = letters.mid(pick(int(letters.size())), 1);
                QTest::sendKeyEvent(QTest::Click, focused, Qt::Key(letter.toUpper()[0].unicode()),
                                    letter, {});
                break;
            }
            }
            const QString broken = whatIsBroken(driver);
            if (!broken.isEmpty())
                QFAIL(
                    qPrintable(QString("seed %1, event %2: %3").arg(seed).arg(event).arg(broken)));
        }
    }

private:
    static QStringList listRows(WindowDriver& driver)
    {
        QStringList texts;
        for (int column = 0; column < dornelik::columnCount; ++column)
            texts << WindowDriver::textsOf(driver.list(column))
                  << WindowDriver::textsOf(driver.keyList(column));
        return texts;
    }

    QString whatIsBroken(WindowDriver& driver) const
    {
        QStringList selectedKeys;
        for (int column = 0; column < dornelik::columnCount; ++column) {
            dornelik::ListBox* keys = driver.keyList(column);
            if (keys->isVisible() || !keys->selectedItems().isEmpty() || keys->hasFocus())
                return QString("key list %1 was shown, selected or focused").arg(column);
            const int row = driver.list(column)->selectedRow();
            selectedKeys << (row == -1 ? QString() : keys->item(row)->text());
        }
        const bool noneSelected = selectedKeys.join("").isEmpty();
        const bool oneSituation = selectedKeys.count(selectedKeys[0]) == 3;
        if (!noneSelected && !oneSituation)
            return "the lists show keys " + selectedKeys.join(", ");
        if (driver.text()->toPlainText() != QString::fromUtf8(dornelik::texts::explanation))
            return "the explanation changed";
        if (listRows(driver) != rows)
            return "the rows of a list changed";
        if (driver.window.size() != QSize(461, 345))
            return "the window is " + QString::number(driver.window.width()) + " wide";
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
            return "a dialog or menu opened";
        return {};
    }

    QStringList rows;
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
