// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest main for the core tests, with the QCoreApplication that Qt's files want.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
