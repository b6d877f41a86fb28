// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// The cost of one selection: from the mouse click on a row to all three lists showing the
// rows of its situation.
#include "qt_look.h"
#include "window_driver.h"

#include <QtTest>

class SelectionBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { dornelik::look::setUpApplication(); }

    void oneSelection()
    {
        WindowDriver driver;
        int row = 0;
        QBENCHMARK
        {
            driver.clickRow(1, row);
            row = (row + 1) % 3;
        }
        QCOMPARE(driver.list(0)->selectedRow() == -1, false);
    }
};

QTEST_MAIN(SelectionBench)
#include "selection_bench.moc"
