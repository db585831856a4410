#include "console_command.h"

#include "model/numeric_locale.h"
#include "wizard/summary_command.h"

#include <QCoreApplication>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

#include <cstdio>

namespace kvarton {

namespace {

#ifdef _WIN32
std::string utf8(const wchar_t* text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), bytes, nullptr, nullptr);
    result.pop_back(); // the terminating zero
    return result;
}

bool isConsole(DWORD which)
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

// While it lives, the program's standard streams reach a console in UTF-8. A windowed program has
// no console of its own: a stream that was not redirected to a file or a pipe goes to the console
// it was run from (which does not wait for it: the console twin kvarton.com does).
class Utf8Console final {
public:
    explicit Utf8Console(Streams streams)
    {
        if (streams == Streams::ParentConsole) {
            const bool outMissing = !hasHandle(STD_OUTPUT_HANDLE);
            const bool errorMissing = !hasHandle(STD_ERROR_HANDLE);
            if ((outMissing || errorMissing) && AttachConsole(ATTACH_PARENT_PROCESS)) {
                if (outMissing && std::freopen("CONOUT$", "w", stdout))
                    attached_ = true;
                if (errorMissing && std::freopen("CONOUT$", "w", stderr))
                    attached_ = true;
            }
        }
        if (attached_ || isConsole(STD_OUTPUT_HANDLE) || isConsole(STD_ERROR_HANDLE)) {
            codePage_ = GetConsoleOutputCP();
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~Utf8Console()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        if (codePage_ != 0)
            SetConsoleOutputCP(codePage_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    static bool hasHandle(DWORD which)
    {
        const HANDLE given = GetStdHandle(which);
        return given != nullptr && given != INVALID_HANDLE_VALUE;
    }

    bool attached_ = false;
    UINT codePage_ = 0;
};
#else
// Linux terminals take UTF-8 as it is.
class Utf8Console final {
public:
    explicit Utf8Console(Streams) { }
    ~Utf8Console()
    {
        std::fflush(stdout);
        std::fflush(stderr);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;
};
#endif

int summary(const std::vector<std::string>& paths, int& argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The application object took the locale from the environment; the workbook's numbers must
    // not follow it (numeric_locale.h).
    useFileNotationForNumbers();
    QStringList arguments;
    for (const std::string& path : paths)
        arguments << QString::fromStdString(path);
    return runSummaryCommand(arguments);
}

} // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    std::vector<std::string> words;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            words.push_back(utf8(wide[i]));
        LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
#endif
    return words;
}

int runWithoutWindow(const cli::Command& command, int& argc, char** argv, Streams streams)
{
    const Utf8Console console(streams);
    switch (command.mode) {
    case cli::Mode::Help:
        std::fputs(cli::helpText().c_str(), stdout);
        return 0;
    case cli::Mode::Version:
        std::fputs(cli::versionText().c_str(), stdout);
        return 0;
    case cli::Mode::Summary:
        return summary(command.paths, argc, argv);
    case cli::Mode::Mistake:
    case cli::Mode::Window:
        break;
    }
    std::fprintf(stderr, "%s\n", command.mistake.c_str());
    return cli::kMistakeStatus;
}

void sayOnStandardError(const std::string& text, Streams streams)
{
    const Utf8Console console(streams);
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace kvarton
