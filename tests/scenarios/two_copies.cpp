// Two copies of the program started together on one folder of works, each pressing "начать" in the
// same second (two runs of kvarton-scenario with one KVARTON_SAVE_TIME): every round must leave
// two works, each the one its copy began. Prints the rounds, the works left and the works lost.
//
// Usage: two_copies KVARTON_SCENARIO FOLDER [ROUNDS]

#include "work/work_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <array>
#include <cstdio>
#include <set>
#include <string>

namespace {

constexpr int kCopies = 2;
constexpr int kTimeoutMs = 300'000; // a copy under Wine takes seconds to start
const std::array<const char*, kCopies> kInstitutions = {"Детский сад первой копии", "Детский сад второй копии"};

// "начать", the personal data, one step, and the window closed.
QByteArray scenarioOf(const char* institution)
{
    return QByteArrayLiteral("click Form1.Command2\n"
                             "choose Form3.Combo1 \"Камчатский край\"\n"
                             "type Form3.Text1 \"")
        + institution
        + QByteArrayLiteral("\"\n"
                            "click Form3.Command2\n"
                            "click Form4.Command2\n"
                            "close Form4\n");
}

std::filesystem::path pathOf(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const auto* begin = reinterpret_cast<const char8_t*>(utf8.constData());
    return std::filesystem::path(std::u8string(begin, begin + utf8.size()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: two_copies KVARTON_SCENARIO FOLDER [ROUNDS]\n", stderr);
        return 2;
    }
    const QString runner = args[1];
    const QDir root(args[2]);
    const int rounds = args.value(3, QStringLiteral("20")).toInt();
    QDir(root).removeRecursively();
    root.mkpath(QStringLiteral("."));

    std::array<QString, kCopies> scenarios;
    for (int i = 0; i < kCopies; ++i) {
        scenarios[i] = root.filePath(QStringLiteral("copy-%1.scn").arg(i + 1));
        QFile file(scenarios[i]);
        if (!file.open(QIODevice::WriteOnly) || file.write(scenarioOf(kInstitutions[i])) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(scenarios[i]));
            return 2;
        }
    }

    int left = 0;
    int failed = 0;
    for (int round = 1; round <= rounds; ++round) {
        const QString data = root.filePath(QStringLiteral("round-%1").arg(round));
        const QString works = data + QStringLiteral("/kvarton");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // As the scenario tests run: their own settings and data folders, one moment for every work.
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), data + QStringLiteral("/settings"));
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), data + QStringLiteral("/settings/system"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
        environment.insert(QStringLiteral("KVARTON_WORKS_DIR"), works);
        environment.insert(QStringLiteral("KVARTON_REPORT_DIR"), data + QStringLiteral("/reports"));
        environment.insert(QStringLiteral("KVARTON_SAVE_TIME"), QStringLiteral("2026-03-14T10:22:05.000+03:00"));

        std::array<QProcess, kCopies> copies;
        for (int i = 0; i < kCopies; ++i) {
            copies[i].setProcessEnvironment(environment);
            copies[i].setProcessChannelMode(QProcess::MergedChannels);
            copies[i].start(runner, {scenarios[i]});
        }
        for (int i = 0; i < kCopies; ++i) {
            const bool ended = copies[i].waitForFinished(kTimeoutMs);
            if (!ended || copies[i].exitStatus() != QProcess::NormalExit || copies[i].exitCode() != 0) {
                ++failed;
                std::fprintf(stderr, "round %d, copy %d ended with %d: %s\n", round, i + 1, copies[i].exitCode(),
                    copies[i].readAll().constData());
            }
        }

        std::set<std::string> begun;
        for (const std::filesystem::path& file : kvarton::work::workFiles(pathOf(works))) {
            const kvarton::work::WorkEntry entry = kvarton::work::readEntry(file);
            if (entry.work)
                begun.insert(entry.work->institution);
            else
                std::fprintf(stderr, "round %d: %s\n", round, entry.problem.c_str());
        }
        left += static_cast<int>(begun.size());
        if (begun != std::set<std::string>(kInstitutions.begin(), kInstitutions.end()))
            std::fprintf(stderr, "round %d: %d works left of %d\n", round, static_cast<int>(begun.size()), kCopies);
    }
    const int lost = rounds * kCopies - left;
    std::printf(
        "%d rounds of %d copies: %d works left, %d lost, %d copies failed\n", rounds, kCopies, left, lost, failed);
    return lost == 0 && failed == 0 ? 0 : 1;
}
