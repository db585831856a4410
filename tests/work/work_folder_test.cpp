#include "work/durable_file.h"
#include "work/work_folder.h"

#include "model/personal_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

using namespace kvarton;
using namespace kvarton::work;
namespace fs = std::filesystem;

namespace {

// A folder of its own for each test, removed afterwards.
class WorkFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path()
            / ("kvarton-work-test-" + std::to_string(std::random_device{}()) + "-"
                + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static SavedWork work(const std::string& institution, int step, const char* saved = "2026-03-14T10:00:00Z")
    {
        InstitutionModel m;
        confirmPersonalData(m, {"г. Москва", institution, "", "", ""});
        m.currentStep = step;
        return captureWork(m, *parseIsoText(saved));
    }

    static void put(const fs::path& file, const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static std::string bytesOf(const fs::path& file) { return readSmallFile(file, kMaxFileBytes).bytes.value_or(""); }

    // Makes `file` look written `secondsAgo` ago, so that the order of works does not hang on the
    // file system's clock.
    static void age(const fs::path& file, int secondsAgo)
    {
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
    }

    fs::path folder_;
};

} // namespace

TEST_F(WorkFolder, AWorkIsReadBackAndEachWritingKeepsThePreviousOne)
{
    const fs::path file = folder_ / "work-a.json";
    ASSERT_EQ(writeWork(file, work("Сад", 3)), std::nullopt);
    EXPECT_FALSE(fs::exists(previousVersionOf(file)));
    ASSERT_EQ(writeWork(file, work("Сад", 4)), std::nullopt);
    ASSERT_EQ(writeWork(file, work("Сад", 5)), std::nullopt);

    const WorkEntry entry = readEntry(file);
    ASSERT_TRUE(entry.work);
    EXPECT_FALSE(entry.fromPrevious);
    EXPECT_EQ(entry.work->step, 5);
    EXPECT_EQ(std::get<SavedWork>(readWorkJson(bytesOf(previousVersionOf(file)))).step, 4);
    EXPECT_FALSE(fs::exists(pendingVersionOf(file)));
    EXPECT_EQ(previousVersionOf(file).filename(), "work-a.previous.json");
}

// An interruption leaves one of these states; each still gives the work.
TEST_F(WorkFolder, EveryMomentOfAnInterruptedWritingLeavesAWork)
{
    const fs::path file = folder_ / "work-b.json";
    ASSERT_EQ(writeWork(file, work("Сад", 4)), std::nullopt);
    ASSERT_EQ(writeWork(file, work("Сад", 5)), std::nullopt);
    const std::string five = bytesOf(file);
    const std::string six = workJson(work("Сад", 6));

    // While the new version is being written, or written but not yet in place.
    put(pendingVersionOf(file), six.substr(0, six.size() / 3));
    EXPECT_EQ(readEntry(file).work->step, 5);
    EXPECT_EQ(workFiles(folder_), std::vector<fs::path>{file});
    put(pendingVersionOf(file), six);
    EXPECT_EQ(readEntry(file).work->step, 5);

    // After the file as it was has become the previous version, before the new one takes its name.
    fs::rename(file, previousVersionOf(file));
    const WorkEntry between = readEntry(file);
    ASSERT_TRUE(between.work);
    EXPECT_TRUE(between.fromPrevious);
    EXPECT_EQ(between.work->step, 5);
    EXPECT_EQ(workFiles(folder_), std::vector<fs::path>{file});

    // The next writing finishes the work's file over whatever was left.
    ASSERT_EQ(writeWork(file, work("Сад", 7)), std::nullopt);
    EXPECT_EQ(readEntry(file).work->step, 7);
    EXPECT_EQ(bytesOf(previousVersionOf(file)), five);
    EXPECT_FALSE(fs::exists(pendingVersionOf(file)));
}

// A damaged file is named with its reason and left as it is; its previous version is not taken in
// its place, which would quietly continue an older state of the work.
TEST_F(WorkFolder, ADamagedFileIsNamedNotReplaced)
{
    const fs::path file = folder_ / "work-c.json";
    ASSERT_EQ(writeWork(file, work("Сад", 4)), std::nullopt);
    ASSERT_EQ(writeWork(file, work("Сад", 5)), std::nullopt);
    const std::string damaged = bytesOf(file).substr(0, 100);
    put(file, damaged);

    const WorkEntry entry = readEntry(file);
    EXPECT_FALSE(entry.work);
    EXPECT_FALSE(entry.fromPrevious);
    EXPECT_EQ(entry.problem, "файл поврежден: запись обрывается");
    EXPECT_EQ(bytesOf(file), damaged); // reading changes nothing
    EXPECT_EQ(std::get<SavedWork>(readWorkJson(bytesOf(previousVersionOf(file)))).step, 4);

    // Only its previous version left, and that damaged.
    fs::remove(file);
    put(previousVersionOf(file), "");
    const WorkEntry neither = readEntry(file);
    EXPECT_FALSE(neither.work);
    EXPECT_TRUE(neither.fromPrevious);
    EXPECT_EQ(neither.problem, "файл поврежден: запись обрывается");
}

// A writing that fails leaves the work as it was, readable, and says why.
TEST_F(WorkFolder, AFailedWritingLeavesTheWorkAsItWas)
{
    const fs::path file = folder_ / "work-d.json";
    ASSERT_EQ(writeWork(file, work("Сад", 4)), std::nullopt);
    ASSERT_EQ(writeWork(file, work("Сад", 5)), std::nullopt);
    const std::string before = bytesOf(file);

    // The new version cannot be created: a folder stands where it would go.
    fs::create_directory(pendingVersionOf(file));
#ifdef _WIN32
    // Windows refuses to open a folder as a file with "access denied".
    EXPECT_EQ(writeWork(file, work("Сад", 6)), "нет прав на запись файла «work-d.json»");
#else
    EXPECT_EQ(writeWork(file, work("Сад", 6)), "не удалось записать файл «work-d.json»");
#endif
    EXPECT_EQ(bytesOf(file), before);
    fs::remove(pendingVersionOf(file));

    // The file as it was cannot become the previous version.
    fs::remove(previousVersionOf(file));
    fs::create_directories(previousVersionOf(file) / "inside");
    EXPECT_TRUE(writeWork(file, work("Сад", 6)).has_value());
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_FALSE(fs::exists(pendingVersionOf(file)));
    EXPECT_EQ(readEntry(file).work->step, 5);

    // A folder that is not there.
    EXPECT_EQ(writeWork(folder_ / "missing" / "work.json", work("Сад", 6)), "нет папки для файла «work.json»");
}

TEST_F(WorkFolder, WorksAreListedNewestFirst)
{
    EXPECT_TRUE(workFiles(folder_ / "none").empty());
    const fs::path older = folder_ / "work-1.json";
    const fs::path newer = folder_ / "work-2.json";
    const fs::path onlyPrevious = folder_ / "work-3.json";
    const fs::path damaged = folder_ / "work-4.json";
    ASSERT_EQ(writeWork(older, work("Старый", 2)), std::nullopt);
    ASSERT_EQ(writeWork(older, work("Старый", 3)), std::nullopt);
    ASSERT_EQ(writeWork(newer, work("Новый", 9)), std::nullopt);
    ASSERT_EQ(writeWork(onlyPrevious, work("Прерванный", 9)), std::nullopt);
    fs::rename(onlyPrevious, previousVersionOf(onlyPrevious));
    put(damaged, "{");
    age(older, 40);
    age(previousVersionOf(older), 50);
    age(newer, 10);
    age(previousVersionOf(onlyPrevious), 20);
    age(damaged, 30);
    // Not works: other files, a pending version, a folder.
    put(folder_ / "notes.txt", "x");
    put(folder_ / "work-5.json.saving", "{}");
    fs::create_directory(folder_ / "folder.json");

    EXPECT_EQ(workFiles(folder_), (std::vector<fs::path>{newer, onlyPrevious, damaged, older}));
    EXPECT_EQ(workFiles(folder_, 2), (std::vector<fs::path>{newer, onlyPrevious}));
}

// The most recent work is found among many, each with its previous version, wherever the folder
// lists it: "продолжить" names it, and the list of works starts with it.
TEST_F(WorkFolder, TheNewestOfManyWorksIsFoundWhereverTheFolderListsIt)
{
    constexpr int kWorks = 40;
    std::vector<fs::path> files;
    for (int i = 0; i < kWorks; ++i) {
        files.push_back(folder_ / ("work-" + std::to_string(100 + i) + ".json"));
        ASSERT_EQ(writeWork(files.back(), work("Сад", 1)), std::nullopt);
        ASSERT_EQ(writeWork(files.back(), work("Сад", 2)), std::nullopt);
    }
    for (int newest = 0; newest < kWorks; ++newest) {
        for (int i = 0; i < kWorks; ++i)
            age(files[i], i == newest ? 1 : 100 + i);
        ASSERT_EQ(workFiles(folder_, 1), std::vector<fs::path>{files[newest]}) << "the newest is work " << newest;
        EXPECT_EQ(workFiles(folder_).size(), std::size_t{kWorks});
    }
}

TEST_F(WorkFolder, ANewWorkNeverTakesTheNameOfAnother)
{
    const SavedTime t = *parseIsoText("2026-03-14T10:22:05.500+03:00");
    const fs::path first = newWorkFile(folder_, t);
    EXPECT_EQ(first.filename(), "work-20260314-102205.json");
    ASSERT_EQ(writeWork(first, work("Сад", 1)), std::nullopt);
    const fs::path second = newWorkFile(folder_, t);
    EXPECT_EQ(second.filename(), "work-20260314-102205-2.json");
    // A name whose work has only its previous version left is taken too.
    put(previousVersionOf(second), "{}");
    EXPECT_EQ(newWorkFile(folder_, t).filename(), "work-20260314-102205-3.json");
}

TEST_F(WorkFolder, ReadingRefusesWhatIsNoSmallFile)
{
    EXPECT_EQ(readSmallFile(folder_ / "none.json", 10).problem, "файл не найден");
    EXPECT_EQ(readSmallFile(folder_, 10).problem, "это не файл");
    put(folder_ / "big.json", std::string(11, 'x'));
    EXPECT_EQ(readSmallFile(folder_ / "big.json", 10).problem, "файл больше, чем бывает сохраненная работа");
    EXPECT_EQ(readSmallFile(folder_ / "big.json", 11).bytes, std::string(11, 'x'));
}

// Names with letters of any script go through the platform's wide-character paths.
TEST_F(WorkFolder, FoldersNamedInCyrillic)
{
    const fs::path folder = folder_ / fs::path(u8"Работы слушателя");
    fs::create_directories(folder);
    const fs::path file = newWorkFile(folder, *parseIsoText("2026-03-14T10:22:05Z"));
    ASSERT_EQ(writeWork(file, work("Сад", 2)), std::nullopt);
    ASSERT_EQ(writeWork(file, work("Сад", 3)), std::nullopt);
    EXPECT_EQ(readEntry(file).work->step, 3);
    EXPECT_EQ(workFiles(folder), std::vector<fs::path>{file});
}
