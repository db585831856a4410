#include "command_line.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace kvarton::cli {

namespace {

// Every way to run the program, as --help shows it, with what it does.
struct Usage {
    std::string_view words;
    std::string_view meaning;
};
constexpr std::array kUsage{
    Usage{"kvarton", "открывает начальное окно."},
    Usage{"kvarton ОТЧЕТ.xlsx", "открывает отчет слушателя на шаге 13."},
    Usage{"kvarton --summary СВОДКА.xlsx ОТЧЕТ_ИЛИ_ПАПКА…",
        "записывает сводку отчетов группы в новый файл СВОДКА.xlsx без окна (из папки\n"
        "берутся ее файлы .xlsx). Код завершения: 0 — прочитаны все файлы, 1 — прочитаны\n"
        "не все (они названы в сообщениях), 2 — сводка не записана."},
    Usage{"kvarton --help (или -h)", "выводит эту справку."},
    Usage{"kvarton --version", "выводит версию программы."},
};

// Qt's own options, which its application object takes from the command line of the windowed
// program; those marked take the next word as their value unless written as "-name=value".
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr std::array kQtOptions{
    QtOption{"platform", true},
    QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},
    QtOption{"plugin", true},
    QtOption{"qmljsdebugger", false},
    QtOption{"qwindowgeometry", true},
    QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},
    QtOption{"reverse", false},
    QtOption{"session", true},
    QtOption{"style", true},
    QtOption{"stylesheet", true},
    QtOption{"widgetcount", false},
    // The X11 platform's.
    QtOption{"display", true},
    QtOption{"geometry", true},
    QtOption{"title", true},
    QtOption{"icon", true},
    QtOption{"name", true},
    QtOption{"nograb", false},
    QtOption{"dograb", false},
};

const QtOption* qtOption(std::string_view word)
{
    word.remove_prefix(word.starts_with("--") ? 2 : 1); // Qt takes "--style" as "-style"
    word = word.substr(0, word.find('='));
    const auto* found = std::find_if(
        kQtOptions.begin(), kQtOptions.end(), [word](const QtOption& option) { return option.name == word; });
    return found == kQtOptions.end() ? nullptr : found;
}

bool isOption(std::string_view word) { return word.size() > 1 && word.front() == '-'; }

} // namespace

Command parse(const std::vector<std::string>& arguments)
{
    bool help = false;
    bool version = false;
    bool summary = false;
    std::vector<std::string> paths;
    for (auto word = arguments.begin(); word != arguments.end(); ++word) {
        if (*word == "--") {
            paths.insert(paths.end(), std::next(word), arguments.end());
            break;
        }
        if (!isOption(*word)) {
            paths.push_back(*word);
        } else if (*word == "--help" || *word == "-h") {
            help = true;
        } else if (*word == "--version") {
            version = true;
        } else if (*word == "--summary") {
            summary = true;
        } else if (const QtOption* qt = qtOption(*word)) {
            if (qt->takesValue && word->find('=') == std::string::npos && std::next(word) != arguments.end())
                ++word;
        } else {
            return {Mode::Mistake, {},
                "Неизвестный параметр «" + *word + "». Как запускать программу, выводит kvarton --help."};
        }
    }
    if (help)
        return {Mode::Help, {}, {}};
    if (version)
        return {Mode::Version, {}, {}};
    return {summary ? Mode::Summary : Mode::Window, std::move(paths), {}};
}

bool needsNoWindow(Mode mode) { return mode != Mode::Window; }

std::string helpText()
{
    std::string text = "«Квартон» — учебный модуль расчета нормативов финансирования ДОУ.\n\n";
    for (const Usage& usage : kUsage) {
        text += "  ";
        text += usage.words;
        text += "\n      ";
        for (const char c : usage.meaning) {
            text += c;
            if (c == '\n')
                text += "      ";
        }
        text += '\n';
    }
    return text;
}

std::string versionText()
{
    return std::string("Квартон ") + KVARTON_VERSION + "\n© Команда Квартон, " + KVARTON_YEAR
        + ". Свободная программа, лицензия MIT.\n";
}

std::wstring_view afterProgramName(std::wstring_view commandLine)
{
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    commandLine.remove_prefix(end);
    const std::size_t words = commandLine.find_first_not_of(L" \t");
    return words == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(words);
}

} // namespace kvarton::cli
