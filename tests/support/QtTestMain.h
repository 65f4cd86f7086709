#pragma once

#include <QtTest>
#include <initializer_list>

// Runs several Qt Test classes in one program and gives the number of failures.
inline int RunTestObjects(std::initializer_list<QObject*> tests, int argc, char** argv) {
    int failed = 0;
    for (QObject* t : tests)
        failed += QTest::qExec(t, argc, argv);
    return failed;
}
