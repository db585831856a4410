#pragma once

#include "command_line.h"

#include <string>
#include <vector>

namespace kvarton {

// Where the messages of a command without a window go.
enum class Streams {
    Given, // the streams the program was given: a console program's (kvarton.com, Linux)
    ParentConsole, // the windowed kvarton.exe: a stream given to nothing goes to the console it was run from
};

// The words after the program's name in UTF-8: on Windows from the system's wide command line
// (argv holds them in the ANSI code page there, which cannot spell every name), elsewhere argv.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Runs a command that needs no window (help, version, a mistake, a summary) and gives its exit
// status: --help and --version print on standard output and give 0, a mistake is said on standard
// error and gives 2, a summary is made on a QCoreApplication (summary_command.h). The texts are
// UTF-8; a Windows console shows them so while the command runs and gets its code page back after.
int runWithoutWindow(const cli::Command& command, int& argc, char** argv, Streams streams);

// Says `text` on standard error as runWithoutWindow says its messages.
void sayOnStandardError(const std::string& text, Streams streams);

} // namespace kvarton
