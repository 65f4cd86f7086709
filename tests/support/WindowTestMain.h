// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Application.h"

#include <QtTest>

// The main of a window test: the program's application class (its error box is the
// harness's), named as the program names it, then the test's slots.
#define TOCKWELL_WINDOW_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char** argv) {                                                              \
        TApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Tockwell"));                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
