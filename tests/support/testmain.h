#pragma once

#include "privatehome.h"

#include <QApplication>
#include <QtTest>

/// Like QTEST_MAIN, but gives the test a private home before the application object exists,
/// and the program's names, so settings and folders are those the program uses.
#define QUARNEL_TEST_MAIN(TestObject)                                                                                  \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        testsupport::PrivateHome privateHome;                                                                          \
        QCoreApplication::setOrganizationName(QStringLiteral("Quarnel"));                                              \
        QCoreApplication::setApplicationName(QStringLiteral("Quarnel Link"));                                          \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
