// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "main_window.h"
#include "qt_look.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    dornelik::look::setUpApplication();
    dornelik::MainWindow window;
    window.show();
    return QApplication::exec();
}
