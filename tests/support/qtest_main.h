#pragma once

#include "model/numeric_locale.h"

#include <QApplication>
#include <QtTest/QTest>

// QTEST_MAIN as the program starts: the application object sets the locale from the environment,
// then the numbers go back to the files' notation, as main does.
#define KVARTON_QTEST_MAIN(TestObject) \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() kvarton::useFileNotationForNumbers();)
