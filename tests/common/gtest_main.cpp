// The main of every GoogleTest program: the locale taken from the environment, as the program's
// application object takes it, and the numbers put back to the files' notation, as main does; so
// that a run under LC_ALL=ru_RU.UTF-8 meets what the program meets there.
#include "model/numeric_locale.h"

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
#ifndef _WIN32 // Qt leaves the C library's locale alone on Windows
    std::setlocale(LC_ALL, "");
#endif
    kvarton::useFileNotationForNumbers();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
