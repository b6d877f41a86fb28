// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "main_window.h"
#include "qt_look.h"
#include "window_system.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    dornelik::chooseWindowSystem();
    QApplication application(argc, argv);
    dornelik::look::setUpApplication();
    dornelik::MainWindow window(dornelik::builtInTable, dornelik::titleBarIsOurs());
    window.show();
    const int status = QApplication::exec();
    dornelik::endAtOnceOnWayland(status);
    return status;
}
