#include "work/durable_file.h"
#include "work/work_folder.h"
#include "work/work_writer.h"

#include "model/personal_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <random>

using namespace kvarton;
using namespace kvarton::work;
namespace fs = std::filesystem;

namespace {

SavedWork workOnStep(int step)
{
    InstitutionModel m;
    confirmPersonalData(m, {"г. Москва", "Сад", "", "", ""});
    m.currentStep = step;
    return captureWork(m, *parseIsoText("2026-03-14T10:00:00Z"));
}

struct Folder {
    Folder()
        : path(fs::temp_directory_path()
            / ("kvarton-writer-test-" + std::to_string(std::random_device{}()) + "-"
                + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
    {
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

int stepIn(const fs::path& file) { return readEntry(file).work.value_or(SavedWork{}).step; }

} // namespace

// Many states handed over quickly: the file ends in the last one, never goes back, and every
// number handed out is reported done.
TEST(WorkWriter, TheLastStateHandedOverIsTheOneOnTheDisk)
{
    Folder folder;
    const fs::path a = folder.path / "a.json";
    const fs::path b = folder.path / "b.json";
    std::mutex mutex;
    std::vector<std::uint64_t> reported;
    std::vector<int> stepsSeen;
    {
        WorkWriter writer([&](std::uint64_t sequence, const std::optional<std::string>& problem) {
            EXPECT_EQ(problem, std::nullopt);
            const std::lock_guard lock(mutex);
            reported.push_back(sequence);
            stepsSeen.push_back(stepIn(a));
        });
        std::uint64_t last = 0;
        for (int i = 1; i <= 16; ++i) {
            last = writer.write(a, workOnStep(i));
            if (i == 8)
                writer.write(b, workOnStep(8));
        }
        writer.waitUntilWritten();
        EXPECT_EQ(writer.done(), last);
        EXPECT_EQ(stepIn(a), 16);
        EXPECT_EQ(stepIn(b), 8);
    }
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), 17u);
    EXPECT_TRUE(std::is_sorted(stepsSeen.begin(), stepsSeen.end())) << "a file went back to an older state";
}

TEST(WorkWriter, EndingWritesWhatIsStillWaiting)
{
    Folder folder;
    const fs::path file = folder.path / "w.json";
    {
        WorkWriter writer;
        for (int i = 1; i <= 5; ++i)
            writer.write(file, workOnStep(i));
    }
    EXPECT_EQ(stepIn(file), 5);
}

TEST(WorkWriter, AFailureIsReportedWithItsNumber)
{
    Folder folder;
    std::optional<std::string> failure;
    std::uint64_t failed = 0;
    WorkWriter writer([&](std::uint64_t sequence, const std::optional<std::string>& problem) {
        failure = problem;
        failed = sequence;
    });
    const std::uint64_t sequence = writer.write(folder.path / "missing" / "w.json", workOnStep(1));
    writer.waitUntilWritten();
    EXPECT_EQ(failed, sequence);
    EXPECT_EQ(failure, "нет папки «" + displayPath(folder.path / "missing") + "» для файла «w.json»");
}
