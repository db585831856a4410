// kvarton.com, the console twin of the windowed kvarton.exe, installed beside it on Windows: a
// shell that is told `kvarton` runs the .com first. A windowed program returns to the shell at
// once, so its messages would come after the prompt and its exit status would be lost; the twin
// runs what needs no window itself, in the console, and hands anything else to kvarton.exe.

#include "console_command.h"

#include <QString>

#include <windows.h>

#include <string>

namespace {

// Starts kvarton.exe from the twin's folder with the words the twin was given, exactly as typed,
// and does not wait for it.
int startWindowedProgram()
{
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0)
            return 2;
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    program.replace(program.find_last_of(L"\\/") + 1, std::wstring::npos, L"kvarton.exe");
    std::wstring commandLine = L"\"" + program + L"\"";
    if (const std::wstring_view words = kvarton::cli::afterProgramName(GetCommandLineW()); !words.empty())
        commandLine.append(L" ").append(words);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(
            program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        const DWORD error = GetLastError();
        kvarton::sayOnStandardError(QStringLiteral("Программа «%1» не запустилась (ошибка Windows %2).")
                                        .arg(QString::fromStdWString(program))
                                        .arg(error)
                                        .toStdString(),
            kvarton::Streams::Given);
        return 2;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const kvarton::cli::Command command = kvarton::cli::parse(kvarton::commandLineArguments(argc, argv));
    if (kvarton::cli::needsNoWindow(command.mode))
        return kvarton::runWithoutWindow(command, argc, argv, kvarton::Streams::Given);
    return startWindowedProgram();
}
