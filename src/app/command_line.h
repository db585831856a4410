#pragma once

#include <string>
#include <string_view>
#include <vector>

// The command line of `kvarton` (and of its console twin `kvarton.com` on Windows), read in one
// place: which mode the words ask for and the Russian texts that answer --help and --version.
// Plain C++, so that both programs and the tests share it.
namespace kvarton::cli {

enum class Mode {
    Window, // the start screen, or the report in `paths` opened on step 13
    Summary, // `--summary SUMMARY.xlsx FILE_OR_FOLDER…`: `paths` are the words after --summary
    Help,
    Version,
    Mistake, // an option the program does not know: `mistake` says which
};

struct Command {
    Mode mode = Mode::Window;
    std::vector<std::string> paths;
    std::string mistake; // in Russian, for standard error
};

// The exit status of a command line the program does not understand.
inline constexpr int kMistakeStatus = 2;

// Reads the words after the program's name (UTF-8). A word starting with '-' is an option up to
// a word "--", after which every word is a path. Qt's own options (-platform NAME, -style NAME,
// -reverse…) are passed over with their values: the windowed program's Qt takes them. An unknown
// option is a mistake whatever else the words ask for; then --help, --version and --summary, in
// this order, decide the mode.
Command parse(const std::vector<std::string>& arguments);

// True for the modes that print and end without a window: all but Mode::Window.
bool needsNoWindow(Mode mode);

// What `kvarton --help` prints: every way to run the program, from one table.
std::string helpText();

// What `kvarton --version` prints.
std::string versionText();

// The words of a Windows command line after the program's name, as the system splits them
// (a name in double quotes ends at the next quote, any other at the first blank), without the
// blanks before them: what a program hands on to another with the same arguments.
std::wstring_view afterProgramName(std::wstring_view commandLine);

} // namespace kvarton::cli
