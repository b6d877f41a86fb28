// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "qt_look.h"
#include "texts.h"
#include "window_driver.h"

#include "control_table.h"

#include <QAccessible>
#include <QFontInfo>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>

using dornelik::RowTable;

namespace {

const Shown current{"ток", "амперметър", "последователно"};
const Shown voltage{"напрежение", "волтметър", "паралелно"};
const Shown resistance{"съпротивление", "омметър", "отделно"};
const Shown nothing{};

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The contrast of two colours' luminances, as WCAG counts it.
double contrast(QColor one, QColor other)
{
    const auto luminance = [](QColor colour) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
               + 0.0722 * linear(colour.blueF());
    };
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { dornelik::look::setUpApplication(); }

    void theWindowIsFixedAndCaptioned()
    {
        WindowDriver driver;
        QVERIFY(driver.exposed);
        QCOMPARE(driver.window.windowTitle(), utf8("www.example.org Dornelik в ел. верига"));
        QCOMPARE(driver.window.size(), QSize(461, 345));
        QCOMPARE(driver.window.minimumSize(), QSize(461, 345));
        QCOMPARE(driver.window.maximumSize(), QSize(461, 345));
        const auto flags = driver.window.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(driver.colourAt(&driver.window, {2, 150}), QColor(192, 192, 255));
        QVERIFY(!driver.window.windowIcon().isNull());
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    }

    void theClientAreaIsCentredBeforeAnyFrameIsKnown()
    {
        const dornelik::MainWindow window;
        QCOMPARE(window.geometry().center(), window.screen()->availableGeometry().center());
    }

    void everyControlHasItsPlaceFontAndText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("title") << "Label1(0)" << QRect(48, 0, 353, 25)
                               << utf8("Измерване на ток, напрежение и съпротивление");
        QTest::newRow("quantity") << "Label1(1)" << QRect(24, 40, 137, 25) << utf8("величина");
        QTest::newRow("instrument") << "Label1(2)" << QRect(168, 40, 113, 25) << utf8("уред");
        QTest::newRow("method") << "Label1(3)" << QRect(288, 40, 145, 25) << utf8("начин");
        QTest::newRow("quantities")
            << "List1(0)" << QRect(24, 64, 137, 61) << utf8("напрежение|съпротивление|ток");
        QTest::newRow("instruments")
            << "List1(1)" << QRect(168, 64, 113, 61) << utf8("амперметър|волтметър|омметър");
        QTest::newRow("methods") << "List1(2)" << QRect(288, 64, 145, 61)
                                 << utf8("отделно|паралелно|последователно");
        QTest::newRow("clear") << "Command1" << QRect(136, 144, 185, 41) << utf8("Чисти");
        QTest::newRow("explanation")
            << "Text1" << QRect(8, 200, 449, 137) << utf8(dornelik::texts::explanation);
    }

    void everyControlHasItsPlaceFontAndText()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        WindowDriver driver;
        QWidget* control = driver.control(name);
        QVERIFY(control);
        QVERIFY(control->isVisible());
        QCOMPARE(control->geometry(), geometry);

        const QFontInfo font(control->font());
        QCOMPARE(font.pixelSize(), 16);
        QCOMPARE(font.weight(), int(QFont::Normal));
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QVERIFY(QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::Cyrillic));

        QCOMPARE(WindowDriver::textsOf(control).join('|'), text);
    }

    void theExplanationIsNineLinesEachEndingInABreak()
    {
        const QString text = utf8(dornelik::texts::explanation);
        QCOMPARE(text.size(), 1103);
        QCOMPARE(text.count('\n'), 9);
        QVERIFY(text.endsWith('\n'));
        QVERIFY(text.section('\n', 0, 0).endsWith(utf8("мултиметър. ")));
    }

    void coloursAreDrawnAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("title") << "Label1(0)" << QPoint(4, 4) << QColor(255, 192, 128);
        QTest::newRow("heading") << "Label1(3)" << QPoint(140, 20) << QColor(255, 192, 128);
        QTest::newRow("button face") << "Command1" << QPoint(10, 20) << QColor(255, 0, 0);
        QTest::newRow("list ground") << "List1(1)" << QPoint(108, 30) << QColor(Qt::white);
        QTest::newRow("text ground") << "Text1" << QPoint(3, 130) << QColor(Qt::white);
    }

    void coloursAreDrawnAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        WindowDriver driver;
        QCOMPARE(driver.colourAt(driver.control(name), point), colour);
    }

    void atStartNothingIsSelectedAndTheTextHasTheFocus()
    {
        WindowDriver driver;
        QCOMPARE(driver.shown(), nothing);
        QCOMPARE(QApplication::focusWidget(), driver.text());
        QCOMPARE(driver.text()->verticalScrollBar()->value(), 0);
        QCOMPARE(driver.text()->textCursor().position(), 0);
        for (int column = 0; column < dornelik::columnCount; ++column) {
            dornelik::ListBox* keys = driver.keyList(column);
            QVERIFY(keys && !keys->isVisible());
            QCOMPARE(keys->focusPolicy(), Qt::NoFocus);
            QVERIFY(keys->selectedItems().isEmpty());
            QCOMPARE(keys->count(), 3);
        }
        QCOMPARE(driver.keyList(0)->item(0)->text(), QStringLiteral("2"));
        QCOMPARE(driver.keyList(2)->item(0)->text(), QStringLiteral("3"));
    }

    void aClickOnAnyRowSelectsItsSituation_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<Shown>("expected");
        const Shown byRow[3][3] = {{voltage, resistance, current},
                                   {current, voltage, resistance},
                                   {resistance, voltage, current}};
        for (int column = 0; column < dornelik::columnCount; ++column)
            for (int row = 0; row < dornelik::rowCount; ++row)
                QTest::addRow("list %d row %d", column, row) << column << row << byRow[column][row];
    }

    void aClickOnAnyRowSelectsItsSituation()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(Shown, expected);
        WindowDriver driver;
        driver.clickRow((column + 1) % dornelik::columnCount, 0); // start from another situation
        driver.clickRow(column, row);
        QCOMPARE(driver.shown(), expected);
        QCOMPARE(QApplication::focusWidget(), driver.list(column));
    }

    void theSelectionCannotBeRemovedByTheUser()
    {
        WindowDriver driver;
        driver.clickRow(1, 1);
        driver.clickRow(1, 1, Qt::ControlModifier);
        driver.press(Qt::Key_Space, Qt::ControlModifier);
        QTest::mouseClick(driver.list(1)->viewport(), Qt::LeftButton, {},
                          driver.list(1)->viewport()->rect().bottomRight());
        QCOMPARE(driver.shown(), voltage);
    }

    void keysSelectAsInANativeListBox_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<Shown>("expected");
        QTest::newRow("tab in") << QList<int>{Qt::Key_Tab} << nothing;
        QTest::newRow("down") << QList<int>{Qt::Key_Tab, Qt::Key_Down} << voltage;
        QTest::newRow("up") << QList<int>{Qt::Key_Tab, Qt::Key_Up} << voltage;
        QTest::newRow("down twice")
            << QList<int>{Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down} << resistance;
        QTest::newRow("end") << QList<int>{Qt::Key_Tab, Qt::Key_End} << current;
        QTest::newRow("page down") << QList<int>{Qt::Key_Tab, Qt::Key_PageDown} << current;
        QTest::newRow("end, home") << QList<int>{Qt::Key_Tab, Qt::Key_End, Qt::Key_Home} << voltage;
        QTest::newRow("end, page up")
            << QList<int>{Qt::Key_Tab, Qt::Key_End, Qt::Key_PageUp} << voltage;
        QTest::newRow("end, up") << QList<int>{Qt::Key_Tab, Qt::Key_End, Qt::Key_Up} << resistance;
        QTest::newRow("second list, home")
            << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Home} << current;
        QTest::newRow("third list, page down")
            << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_PageDown} << current;
        QTest::newRow("tab on after a selection")
            << QList<int>{Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Down} << resistance;
    }

    void keysSelectAsInANativeListBox()
    {
        QFETCH(QList<int>, keys);
        QFETCH(Shown, expected);
        WindowDriver driver;
        for (const int key : keys)
            driver.press(Qt::Key(key));
        QCOMPARE(driver.shown(), expected);
    }

    void aftertheClearButtonTheListsSelectAgainByKeyboard()
    {
        WindowDriver driver;
        driver.clickRow(2, 2);
        driver.focus(driver.list(2));
        driver.clearButton()->click();
        driver.press(Qt::Key_Down);
        QCOMPARE(driver.shown(), resistance);
    }

    void matchedRowsAreHighlightedAlikeInEveryList()
    {
        WindowDriver driver;
        driver.clickRow(0, 2);
        QCOMPARE(QApplication::focusWidget(), driver.list(0));
        // The focused list lays its faint focus mark over the highlight.
        const QColor highlight =
            driver.list(0)->palette().color(QPalette::Active, QPalette::Highlight);
        const QColor focused =
            driver.colourAt(driver.list(0)->viewport(), {120, driver.rowCentre(0, 2).y()});
        QVERIFY(qAbs(focused.red() - highlight.red()) + qAbs(focused.green() - highlight.green())
                    + qAbs(focused.blue() - highlight.blue())
                <= 6);
        QCOMPARE(driver.colourAt(driver.list(1)->viewport(), {100, driver.rowCentre(1, 0).y()}),
                 highlight);
        QCOMPARE(driver.colourAt(driver.list(2)->viewport(), {135, driver.rowCentre(2, 2).y()}),
                 highlight);
    }

    void theClearButtonClearsByMouseAndByKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("mouse") << 0;
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("return") << int(Qt::Key_Return);
        QTest::newRow("enter") << int(Qt::Key_Enter);
    }

    void theClearButtonClearsByMouseAndByKeys()
    {
        QFETCH(int, key);
        WindowDriver driver;
        driver.clickRow(1, 1);
        driver.focus(driver.clearButton());
        if (key)
            driver.press(Qt::Key(key));
        else
            QTest::mouseClick(driver.clearButton(), Qt::LeftButton);
        QCOMPARE(driver.shown(), nothing);
        QCOMPARE(QApplication::focusWidget(), driver.clearButton());
        driver.clickRow(2, 0);
        QCOMPARE(driver.shown(), resistance);
    }

    void enterAndEscapeElsewhereDoNotPressTheButton()
    {
        WindowDriver driver;
        driver.clickRow(0, 0);
        const QList<QWidget*> elsewhere{driver.list(0), driver.list(2), driver.text()};
        for (QWidget* widget : elsewhere) {
            driver.focus(widget);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                driver.press(key);
        }
        QCOMPARE(driver.shown(), voltage);
        QVERIFY(!driver.clearButton()->isDefault() && !driver.clearButton()->autoDefault());
    }

    void tabWalksTheFocusOrderBothWays()
    {
        WindowDriver driver;
        const QList<QWidget*> order{driver.text(),  driver.list(0),       driver.list(1),
                                    driver.list(2), driver.clearButton(), driver.text()};
        for (QWidget* expected : order.mid(1)) {
            driver.press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
        for (qsizetype index = order.size() - 2; index >= 0; --index) {
            driver.press(Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), order[index]);
        }
        QCOMPARE(driver.shown(), nothing);
    }

    void theTextCanBeScrolledAndSelectedButNotChanged()
    {
        WindowDriver driver;
        QPlainTextEdit* text = driver.text();
        QTest::keyClicks(text, "abc");
        for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Return})
            driver.press(key);
        driver.press(Qt::Key_V, Qt::ControlModifier);
        driver.press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), utf8(dornelik::texts::explanation));

        driver.press(Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(text->textCursor().hasSelection());
        driver.press(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(text->textCursor().position(), text->toPlainText().size());
        QVERIFY(text->viewport()->rect().contains(text->cursorRect()));
        QScrollBar* scroll = text->verticalScrollBar();
        QVERIFY(scroll->value() > 0);
        QVERIFY(!text->horizontalScrollBar()->isVisible());
        QVERIFY(scroll->isVisible());
    }

    void everyControlIsNamedForScreenReaders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("heading");
        QTest::newRow("quantities")
            << "List1(0)" << QAccessible::List << utf8("величина") << "Label1(1)";
        QTest::newRow("instruments")
            << "List1(1)" << QAccessible::List << utf8("уред") << "Label1(2)";
        QTest::newRow("methods") << "List1(2)" << QAccessible::List << utf8("начин") << "Label1(3)";
        QTest::newRow("clear") << "Command1" << QAccessible::Button << utf8("Чисти") << "";
        QTest::newRow("explanation") << "Text1" << QAccessible::EditableText
                                     << utf8("Измерване на ток, напрежение и съпротивление") << "";
    }

    void everyControlIsNamedForScreenReaders()
    {
        QFETCH(QString, name);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, spoken);
        QFETCH(QString, heading);
        WindowDriver driver;
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(driver.control(name));
        QVERIFY(control);
        QCOMPARE(control->role(), role);
        QCOMPARE(control->text(QAccessible::Name), spoken);
        QVERIFY(control->text(QAccessible::Description).size() > 10);
        if (heading.isEmpty())
            return;
        const auto labelled = QAccessible::queryAccessibleInterface(driver.control(heading))
                                  ->relations(QAccessible::Labelled);
        QCOMPARE(labelled.size(), 1);
        QCOMPARE(labelled.first().first->object(), driver.control(name));
    }

    void screenReadersLearnOfTheMatchedRows()
    {
        WindowDriver driver;
        driver.clickRow(1, 1);

        const int selectedRow[3] = {0, 1, 1};
        for (int column = 0; column < dornelik::columnCount; ++column) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(driver.list(column));
            QCOMPARE(list->tableInterface()->selectedRows(), QList<int>{selectedRow[column]});
            for (int row = 0; row < dornelik::rowCount; ++row)
                QCOMPARE(list->child(row)->state().selected, row == selectedRow[column]);
        }
        QAccessibleInterface* clicked = QAccessible::queryAccessibleInterface(driver.list(1));
        QCOMPARE(clicked->focusChild()->text(QAccessible::Name), utf8("волтметър"));
    }

    void theFocusedControlShowsAFocusMark_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("list without a selection") << "List1(0)";
        QTest::newRow("list with a selection") << "List1(1)";
        QTest::newRow("button") << "Command1";
    }

    void theFocusedControlShowsAFocusMark()
    {
        QFETCH(QString, name);
        WindowDriver driver;
        driver.clickRow(1, 2);
        QWidget* control = driver.control(name);
        driver.focus(driver.text());
        const QImage unfocused = control->grab().toImage();
        driver.focus(control);
        const QImage focused = control->grab().toImage();
        QVERIFY(focused != unfocused);
        if (control == driver.clearButton()) {
            // The mark shows on the red face, which stays red around it.
            QCOMPARE(driver.colourAt(control, {20, 20}), QColor(255, 0, 0));
            const int row = 4 * focused.devicePixelRatio();
            int black = 0;
            for (int x = 10; x < 100; ++x)
                black += focused.pixelColor(x, row) == QColor(Qt::black);
            QVERIFY(black > 10);
        }
    }

    void aSelectedRowCanBeRead_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("in the focused list") << 1;
        QTest::newRow("in a list without the focus") << 0;
    }

    // Measured on the screen: the row's ground, and its text where it stands out most.
    void aSelectedRowCanBeRead()
    {
        QFETCH(int, column);
        WindowDriver driver;
        driver.clickRow(1, 1);
        dornelik::ListBox* list = driver.list(column);
        const QImage screen = list->viewport()->grab().toImage();
        const QRect item = list->visualItemRect(list->selectedItems().first());
        const QRect row(item.topLeft() * screen.devicePixelRatio(),
                        item.size() * screen.devicePixelRatio());
        const QColor ground = screen.pixelColor(row.topLeft() + QPoint(1, 1));
        double best = 1;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                best = std::max(best, contrast(ground, screen.pixelColor(x, y)));
        QVERIFY2(best >= 4.5, qPrintable(QString("%1:1 on %2").arg(best).arg(ground.name())));
    }

    void theWindowScalesWithTheScreen()
    {
        WindowDriver driver;
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QCOMPARE(driver.window.devicePixelRatioF(), scale);
        QCOMPARE(driver.window.grab().toImage().size(), QSize(461, 345) * scale);
        for (const auto& placement : dornelik::controlTable) {
            QWidget* control = driver.control(utf8(placement.name.data()));
            const QFontMetrics metrics(control->font());
            auto* list = qobject_cast<dornelik::ListBox*>(control);
            if (!list && !qobject_cast<QLabel*>(control))
                continue;
            if (list)
                QVERIFY(metrics.height() <= list->visualItemRect(list->item(0)).height());
            for (const QString& text : WindowDriver::textsOf(control))
                QVERIFY2(metrics.horizontalAdvance(text) < control->contentsRect().width(),
                         qPrintable(text));
        }
        const QPixmap icon = QApplication::windowIcon().pixmap(QSize(32, 32), scale);
        QCOMPARE(icon.size(), QSize(32, 32) * scale);
    }

    void anErrorInAHandlerIsReportedAndTheProgramGoesOn()
    {
        RowTable broken = dornelik::builtInTable;
        broken[1][2].key = "40000";
        WindowDriver driver(broken);
        QString reported;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                reported = box->text();
                box->accept();
            }
        });
        driver.clickRow(1, 2);
        QVERIFY2(reported.contains("\"40000\""), qPrintable(reported));
        QCOMPARE(driver.shown(), (Shown{"", utf8("омметър"), ""}));
        driver.clickRow(1, 1);
        QCOMPARE(driver.shown(), voltage);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
