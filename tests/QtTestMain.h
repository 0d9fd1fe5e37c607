// The entry of every window test: the application is started exactly as the
// program starts it (locale, names, style, faces), so that the pages are laid
// out in the tests as they are for the user, whatever faces the machine has.
#pragma once

#include "ui/frame/Startup.h"

#include <QApplication>
#include <QTest>

#define DALVOR_TEST_MAIN(TestObject)                   \
    int main(int argc, char* argv[])                   \
    {                                                  \
        QApplication application(argc, argv);          \
        SetUpApplication();                            \
        TestObject test;                               \
        QTEST_SET_MAIN_SOURCE_PATH                     \
        return QTest::qExec(&test, argc, argv);        \
    }
