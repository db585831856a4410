// What the words of a command line ask for: the window with a report or without, the summary,
// help, version and mistakes, with Qt's own options passed over; and the words a Windows program
// hands on after its name.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kvarton::cli;

namespace {

struct Case {
    const char* what;
    std::vector<std::string> words;
    Mode mode;
    std::vector<std::string> paths;
};

const Case kCases[] = {
    {"nothing: the start screen", {}, Mode::Window, {}},
    {"a report to open", {"Отчет.xlsx"}, Mode::Window, {"Отчет.xlsx"}},
    {"a lone dash is a name", {"-"}, Mode::Window, {"-"}},
    {"after -- a dash starts a name", {"--", "--help", "-x.xlsx"}, Mode::Window, {"--help", "-x.xlsx"}},
    {"Qt's options with their values", {"-platform", "offscreen", "-style=fusion", "--reverse", "Отчет.xlsx"},
        Mode::Window, {"Отчет.xlsx"}},
    {"a Qt option at the end without its value", {"Отчет.xlsx", "-style"}, Mode::Window, {"Отчет.xlsx"}},
    {"the summary", {"--summary", "Сводка.xlsx", "папка", "Отчет.xlsx"}, Mode::Summary,
        {"Сводка.xlsx", "папка", "Отчет.xlsx"}},
    {"the summary without paths", {"--summary"}, Mode::Summary, {}},
    {"help", {"--help"}, Mode::Help, {}},
    {"help, short", {"-h"}, Mode::Help, {}},
    {"help wins over a summary", {"--summary", "Сводка.xlsx", "--help"}, Mode::Help, {}},
    {"version", {"--version"}, Mode::Version, {}},
    {"help wins over the version", {"--version", "--help"}, Mode::Help, {}},
    {"an unknown option", {"--helps"}, Mode::Mistake, {}},
    {"an unknown option wins over help", {"--help", "-x"}, Mode::Mistake, {}},
    {"an unknown option among a summary's paths", {"--summary", "Сводка.xlsx", "--all", "папка"}, Mode::Mistake, {}},
    {"one dash before our option's name is unknown", {"-help"}, Mode::Mistake, {}},
};

TEST(CommandLine, ModesAndPaths)
{
    for (const Case& c : kCases) {
        const Command command = parse(c.words);
        EXPECT_EQ(command.mode, c.mode) << c.what;
        EXPECT_EQ(command.paths, c.paths) << c.what;
        EXPECT_EQ(command.mistake.empty(), c.mode != Mode::Mistake) << c.what;
        EXPECT_EQ(needsNoWindow(command.mode), c.mode != Mode::Window) << c.what;
    }
}

TEST(CommandLine, AMistakeNamesTheOptionAndTheHelp)
{
    EXPECT_EQ(parse({"Отчет.xlsx", "--summery"}).mistake,
        "Неизвестный параметр «--summery». Как запускать программу, выводит kvarton --help.");
}

TEST(CommandLine, HelpNamesEveryWayToRunAndTheSummarysStatuses)
{
    const std::string help = helpText();
    for (const char* words : {"  kvarton\n", "kvarton ОТЧЕТ.xlsx", "kvarton --summary СВОДКА.xlsx ОТЧЕТ_ИЛИ_ПАПКА…",
             "kvarton --help", "kvarton --version", "0 — прочитаны все файлы", "2 — сводка не записана"})
        EXPECT_NE(help.find(words), std::string::npos) << words;
    EXPECT_EQ(versionText().rfind("Квартон 1.", 0), 0u) << versionText();
}

TEST(CommandLine, TheWordsAfterAWindowsProgramsName)
{
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"kvarton", L""},
        {L"kvarton   ", L""},
        {L"kvarton --summary a.xlsx \"b c\"", L"--summary a.xlsx \"b c\""},
        {L"\"C:\\Program Files\\Kvarton\\kvarton\" \"Отчет 1.xlsx\"", L"\"Отчет 1.xlsx\""},
        {L"\"C:\\a b\\kvarton.com\"\t x", L"x"},
        {L"\"unclosed name", L""},
        {L"", L""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_TRUE(afterProgramName(cases[i].first) == cases[i].second) << "case " << i;
}

} // namespace
