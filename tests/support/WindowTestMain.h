// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Application.h"

#include <QtTest>
#include <cstddef>

// The data of a window's table: a column "row", each row named after the table's row.
template <class Row, std::size_t N> void AddTableRows(const Row (&table)[N]) {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(N); ++i)
        QTest::newRow(table[i].name) << i;
}

// The main of a window test: the program's application class (its error box is the
// harness's), named as the program names it, then the test's slots.
#define TOCKWELL_WINDOW_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char** argv) {                                                              \
        TApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Tockwell"));                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
