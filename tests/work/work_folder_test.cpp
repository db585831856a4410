#include "work/durable_file.h"
#include "work/work_folder.h"

#include "model/personal_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

    // Every file of the folder with its bytes.
    std::map<fs::path, std::string> folderBytes() const
    {
        std::map<fs::path, std::string> bytes;
        for (const auto& entry : fs::directory_iterator(folder_))
            bytes[entry.path().filename()] = bytesOf(entry.path());
        return bytes;
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
    EXPECT_EQ(entry.version, Version::Current);
    EXPECT_EQ(entry.work->step, 5);
    EXPECT_EQ(std::get<SavedWork>(readWorkJson(bytesOf(previousVersionOf(file)))).step, 4);
    EXPECT_FALSE(fs::exists(pendingVersionOf(file)));
    EXPECT_EQ(previousVersionOf(file).filename(), "work-a.previous.json");
}

// The writing of version 6 over 5 (previous 4), interrupted after each of its steps, and the
// first writing of a work cut off: the work continues from the newest version that reads whole,
// and reading it changes no file, so that nothing newer is lost before it is read.
TEST_F(WorkFolder, AnInterruptedWritingContinuesFromTheNewestWholeVersion)
{
    const std::string six = workJson(work("Сад", 6));
    const std::string partSix = six.substr(0, six.size() / 3);
    struct Moment {
        const char* name;
        std::function<void(const fs::path& file)> cut;
        Version version;
        int step; // 0: the work cannot be read
    };
    const Moment moments[] = {
        {"nothing begun", [](const fs::path&) {}, Version::Current, 5},
        {"the new version half written", [&](const fs::path& f) { put(pendingVersionOf(f), partSix); },
            Version::Current, 5},
        {"the new version whole, not yet in place", [&](const fs::path& f) { put(pendingVersionOf(f), six); },
            Version::Pending, 6},
        {"the file as it was become the previous version",
            [&](const fs::path& f) {
                put(pendingVersionOf(f), six);
                fs::rename(f, previousVersionOf(f));
            },
            Version::Pending, 6},
        {"between the renamings, the new version half written",
            [&](const fs::path& f) {
                put(pendingVersionOf(f), partSix);
                fs::rename(f, previousVersionOf(f));
            },
            Version::Previous, 5},
        {"the new version in place", [&](const fs::path& f) { ASSERT_EQ(writeWork(f, work("Сад", 6)), std::nullopt); },
            Version::Current, 6},
        // Kept after a cut-off writing: the previous version at the step 249 stood for, the new one
        // whole at the step of 261; the work's file missing.
        {"the issue's folder",
            [&](const fs::path& f) {
                fs::rename(f, previousVersionOf(f));
                put(pendingVersionOf(f), workJson(work("Сад", 12)));
            },
            Version::Pending, 12},
        {"a work's first writing half done",
            [&](const fs::path& f) {
                fs::remove(f);
                fs::remove(previousVersionOf(f));
                put(pendingVersionOf(f), partSix);
            },
            Version::Pending, 0},
    };
    int n = 0;
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.name);
        const fs::path file = folder_ / ("work-" + std::to_string(++n) + ".json");
        ASSERT_EQ(writeWork(file, work("Сад", 4)), std::nullopt);
        ASSERT_EQ(writeWork(file, work("Сад", 5)), std::nullopt);
        m.cut(file);
        const auto before = folderBytes();

        const WorkEntry entry = readEntry(file);
        EXPECT_EQ(entry.version, m.version);
        EXPECT_EQ(entry.work ? entry.work->step : 0, m.step) << entry.problem;
        EXPECT_EQ(workFiles(folder_, 1), std::vector<fs::path>{file});
        EXPECT_EQ(folderBytes(), before);
        if (!entry.work)
            continue;

        // Continuing writes the next version over whatever the interruption left.
        ASSERT_EQ(writeWork(file, work("Сад", 14)), std::nullopt);
        EXPECT_EQ(readEntry(file).work->step, 14);
        EXPECT_FALSE(fs::exists(pendingVersionOf(file)));
    }
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
    EXPECT_EQ(entry.version, Version::Current);
    EXPECT_EQ(entry.problem, "файл поврежден: запись обрывается");
    EXPECT_EQ(bytesOf(file), damaged); // reading changes nothing
    EXPECT_EQ(std::get<SavedWork>(readWorkJson(bytesOf(previousVersionOf(file)))).step, 4);

    // Only its previous version left, and that damaged.
    fs::remove(file);
    put(previousVersionOf(file), "");
    const WorkEntry neither = readEntry(file);
    EXPECT_FALSE(neither.work);
    EXPECT_EQ(neither.version, Version::Previous);
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
    EXPECT_EQ(writeWork(file, work("Сад", 6)),
        "нет прав на запись файла «work-d.json» в папку «" + displayPath(folder_) + "»");
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

    // A folder that is not there, named by its whole path.
    const fs::path missing = folder_ / "missing";
    EXPECT_EQ(writeWork(missing / "work.json", work("Сад", 6)),
        "нет папки «" + displayPath(missing) + "» для файла «work.json»");
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
    // A work whose first writing was cut off, dated by its pending version.
    const fs::path onlyPending = folder_ / "work-5.json";
    put(pendingVersionOf(onlyPending), "{}");
    age(pendingVersionOf(onlyPending), 60);
    // Not works: other files, a folder.
    put(folder_ / "notes.txt", "x");
    fs::create_directory(folder_ / "folder.json");

    EXPECT_EQ(workFiles(folder_), (std::vector<fs::path>{newer, onlyPrevious, damaged, older, onlyPending}));
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
    const SavedWork begun = work("Сад", 1, "2026-03-14T10:22:05.500+03:00");
    const NewWorkFile first = createWorkFile(folder_, begun);
    EXPECT_EQ(first.file.filename(), "work-20260314-102205.json");
    EXPECT_EQ(readEntry(first.file).work, begun);
    EXPECT_EQ(createWorkFile(folder_, begun).file.filename(), "work-20260314-102205-2.json");
    // A name whose work has only another version left is that work's; one that another copy of
    // the program holds is passed over too.
    put(folder_ / "work-20260314-102205-3.previous.json", "{}");
    put(folder_ / "work-20260314-102205-4.json.saving", "{}");
    std::vector<std::string> asked;
    const NewWorkFile held = createWorkFile(folder_, begun, [&](const fs::path& name) {
        asked.push_back(name.filename().string());
        return asked.size() > 1;
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"work-20260314-102205-5.json", "work-20260314-102205-6.json"}));
    EXPECT_EQ(held.file.filename(), "work-20260314-102205-6.json");
    EXPECT_FALSE(fs::exists(folder_ / "work-20260314-102205-5.json"));
}

// What stands where the folder of works should be, said with the folder's whole path.
TEST_F(WorkFolder, AFolderThatCannotBeMadeIsNamed)
{
    const fs::path aFile = folder_ / "file";
    put(aFile, "x");
    const std::string under = "папка сохраненных работ «" + displayPath(aFile / "kvarton") + "» не создана: ";
    EXPECT_EQ(makeWorksFolder(aFile),
        "папка сохраненных работ «" + displayPath(aFile) + "» не создана: под этим именем уже есть файл");
    EXPECT_EQ(makeWorksFolder(aFile / "kvarton"), under + "«" + displayPath(aFile) + "» — это файл, а не папка");
    EXPECT_EQ(createWorkFile(aFile / "kvarton", work("Сад", 1)).problem,
        under + "«" + displayPath(aFile) + "» — это файл, а не папка");
    EXPECT_EQ(makeWorksFolder(folder_ / "new" / "kvarton"), std::nullopt);
    EXPECT_TRUE(fs::is_directory(folder_ / "new" / "kvarton"));
}

#ifndef _WIN32
// Entries named as works' files that hold no work are listed with the reason, never in silence.
TEST_F(WorkFolder, EntriesThatAreNoFilesAreNamedWithTheReason)
{
    ASSERT_EQ(writeWork(folder_ / "work-1.json", work("Сад", 2)), std::nullopt);
    ASSERT_EQ(::mkfifo((folder_ / "work-2.json").c_str(), 0600), 0);
    fs::create_directory(folder_ / "work-3.previous.json");
    fs::create_symlink("work-4.json", folder_ / "work-4.json");
    fs::create_symlink("missing.json", folder_ / "work-5.json");
    fs::create_directory(folder_ / "notes"); // no work's name: passed over in silence
    put(folder_ / "notes.txt", "x");

    const WorkListing listing = listWorks(folder_);
    EXPECT_EQ(listing.works, std::vector<fs::path>{folder_ / "work-1.json"});
    EXPECT_EQ(listing.skipped,
        (std::vector<SkippedEntry>{
            {"work-2.json", "это не файл с данными, а устройство или канал"},
            {"work-3.previous.json", "это не файл, а папка"},
            {"work-4.json", "ссылка ведет по кругу"},
            {"work-5.json", "ссылка ведет на файл, которого нет"},
        }));
    EXPECT_FALSE(listing.cutShort);
    EXPECT_EQ(readEntry(folder_ / "work-2.json").problem, "это не файл с данными, а устройство или канал");
}
#endif

TEST_F(WorkFolder, ReadingRefusesWhatIsNoSmallFile)
{
    EXPECT_EQ(readSmallFile(folder_ / "none.json", 10).problem, "файл не найден");
    EXPECT_EQ(readSmallFile(folder_, 10).problem, "это не файл, а папка");
    put(folder_ / "big.json", std::string(11, 'x'));
    EXPECT_EQ(readSmallFile(folder_ / "big.json", 10).problem, "файл больше, чем бывает сохраненная работа");
    EXPECT_EQ(readSmallFile(folder_ / "big.json", 11).bytes, std::string(11, 'x'));
}

// Names with letters of any script go through the platform's wide-character paths.
TEST_F(WorkFolder, FoldersNamedInCyrillic)
{
    const fs::path folder = folder_ / fs::path(u8"Работы слушателя");
    fs::create_directories(folder);
    const fs::path file = createWorkFile(folder, work("Сад", 2)).file;
    ASSERT_FALSE(file.empty());
    ASSERT_EQ(writeWork(file, work("Сад", 3)), std::nullopt);
    EXPECT_EQ(readEntry(file).work->step, 3);
    EXPECT_EQ(workFiles(folder), std::vector<fs::path>{file});
}
