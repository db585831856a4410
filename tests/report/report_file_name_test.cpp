#include "report/report_file_name.h"

#include <gtest/gtest.h>

using namespace kvarton::report;

// Whatever the learner typed, the stem is a file name on Windows and Linux and says whose it is.
TEST(ReportFileName, WhatTheLearnerTypedMadeAFileName)
{
    const std::string longName(200, 'x');
    const std::string cyrillic = [] {
        std::string s;
        for (int i = 0; i < 100; ++i)
            s += "ж";
        return s;
    }();
    const struct {
        std::string surname, institution;
        std::string stem;
    } cases[] = {
        {"Иванова", "МБДОУ «Солнышко» № 7", "Отчет Квартон — Иванова — МБДОУ «Солнышко» № 7"},
        {"", "", "Отчет Квартон"},
        {"", "ДОУ 5", "Отчет Квартон — ДОУ 5"},
        {"  Петров ", "МБДОУ \"Ромашка\"", "Отчет Квартон — Петров — МБДОУ Ромашка"},
        {"a/b\\c:d*e?f|g<h>i", "x\ty\nz", "Отчет Квартон — a b c d e f g h i — x y z"},
        {"Сидоров.", "...", "Отчет Квартон — Сидоров"}, // Windows drops a trailing dot
        {"О\u00A0Нил", "№\u00A07", "Отчет Квартон — О Нил — № 7"},
        {longName, "", "Отчет Квартон — " + longName.substr(0, kFileNamePartLength)},
        // cut between characters, never inside one
        {cyrillic, "", "Отчет Квартон — " + cyrillic.substr(0, 2 * kFileNamePartLength)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reportFileStem(c.surname, c.institution), c.stem) << c.surname;
}
