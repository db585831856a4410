#include "work_folder.h"

#include "durable_file.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <system_error>
#include <utility>

namespace kvarton::work {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".json";
constexpr std::u8string_view kLock = u8".lock";
// Works started in the same second; more than this in one second no learner starts.
constexpr int kMaxSameSecond = 1000;

// The work a file belongs to: NAME.json itself, NAME.json for NAME.previous.json and for
// NAME.json.saving; none for a file of another name.
std::optional<fs::path> workOf(const fs::path& file)
{
    fs::path work = fileOfVersion(file);
    if (work.extension() != kExtension || isVersionOfAnother(work))
        return std::nullopt;
    return work;
}

// Whether anything has the name: a file, a folder, a link, even one that leads nowhere.
bool isThere(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::variant<SavedWork, WorkProblem> readFrom(const fs::path& path)
{
    const FileBytes bytes = readSmallFile(path, kMaxFileBytes);
    if (!bytes.bytes)
        return WorkProblem{bytes.problem};
    return readWorkJson(*bytes.bytes);
}

std::string quotedPath(const fs::path& path) { return "«" + displayPath(path) + "»"; }

// When a work's files were written: a work is dated by its file, and by its other versions only
// while the file is missing.
struct Dates {
    std::optional<fs::file_time_type> file;
    std::optional<fs::file_time_type> versions;
};

} // namespace

WorkListing listWorks(const fs::path& folder, std::size_t limit)
{
    WorkListing listing;
    std::map<fs::path, Dates> dated;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    // Every entry is looked at, whatever `limit` is: the folder lists them in no particular order,
    // and the newest work may come last. A folder of more than kMaxFolderEntries entries is no
    // learner's; the first ones read are enough to go on with.
    for (std::size_t read = 0; !error && it != fs::directory_iterator(); it.increment(error), ++read) {
        if (read == kMaxFolderEntries) {
            listing.cutShort = true;
            break;
        }
        const fs::path& path = it->path();
        const auto work = workOf(path);
        if (!work)
            continue;
        std::error_code fileError;
        const bool regular = it->is_regular_file(fileError);
        const auto written = regular ? it->last_write_time(fileError) : fs::file_time_type{};
        if (!regular || fileError) {
            if (isThere(path)) // not an entry removed while the folder was listed
                listing.skipped.push_back({displayName(path), whyNotAFile(path).value_or("файл не читается")});
            continue;
        }
        Dates& dates = dated[*work];
        if (path == *work)
            dates.file = written;
        else
            dates.versions = std::max(dates.versions.value_or(written), written);
    }
    std::vector<std::pair<fs::path, fs::file_time_type>> found;
    found.reserve(dated.size());
    for (const auto& [work, dates] : dated)
        found.emplace_back(work, dates.file.value_or(dates.versions.value_or(fs::file_time_type{})));
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first.filename() > b.first.filename();
    });
    if (found.size() > limit)
        found.resize(limit);
    listing.works.reserve(found.size());
    for (auto& f : found)
        listing.works.push_back(std::move(f.first));
    std::sort(listing.skipped.begin(), listing.skipped.end(),
        [](const SkippedEntry& a, const SkippedEntry& b) { return a.name < b.name; });
    return listing;
}

std::vector<fs::path> workFiles(const fs::path& folder, std::size_t limit) { return listWorks(folder, limit).works; }

WorkEntry readEntry(const fs::path& file)
{
    WorkEntry entry;
    entry.file = file;
    auto take = [&entry](Version version, std::variant<SavedWork, WorkProblem>&& read) {
        entry.version = version;
        if (auto* work = std::get_if<SavedWork>(&read))
            entry.work = std::move(*work);
        else
            entry.problem = std::get<WorkProblem>(read).reason;
        return entry;
    };
    // A writing puts the pending version on the disk whole before the file as it was becomes the
    // previous version: one that reads whole is newer than either.
    const fs::path pending = pendingVersionOf(file);
    std::optional<std::variant<SavedWork, WorkProblem>> fromPending;
    if (isThere(pending)) {
        fromPending = readFrom(pending);
        if (std::holds_alternative<SavedWork>(*fromPending))
            return take(Version::Pending, std::move(*fromPending));
    }
    if (isThere(file)) {
        auto read = readFrom(file);
        // A file gone while it was read has just become the previous version of a writing.
        if (std::holds_alternative<SavedWork>(read) || isThere(file))
            return take(Version::Current, std::move(read));
    }
    if (const fs::path previous = previousVersionOf(file); isThere(previous))
        return take(Version::Previous, readFrom(previous));
    if (fromPending) // the first writing of a work, cut off
        return take(Version::Pending, std::move(*fromPending));
    return take(Version::Current, readFrom(file));
}

fs::path lockOf(const fs::path& file)
{
    fs::path lock = file;
    lock += fs::path(kLock);
    return lock;
}

std::optional<std::string> makeWorksFolder(const fs::path& folder) noexcept
{
    try {
        std::error_code error;
        const fs::file_status status = fs::status(folder, error);
        if (fs::is_directory(status))
            return std::nullopt;
        const std::string notMade = "папка сохраненных работ " + quotedPath(folder) + " не создана: ";
        if (fs::exists(status))
            return notMade + "под этим именем уже есть файл";
        if (fs::create_directories(folder, error) || (!error && fs::is_directory(fs::status(folder, error))))
            return std::nullopt;
        // The nearest folder that is there says why.
        fs::path there = folder.parent_path();
        while (!isThere(there) && there.has_relative_path())
            there = there.parent_path();
        std::error_code thereError;
        if (isThere(there) && !fs::is_directory(fs::status(there, thereError)))
            return notMade + quotedPath(there) + " — это файл, а не папка";
        if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted
            || error == std::errc::read_only_file_system)
            return notMade + "нет прав на запись в папку " + quotedPath(there);
        if (error == std::errc::no_space_on_device)
            return notMade + "на диске не хватило места";
        return notMade.substr(0, notMade.size() - 2);
    } catch (...) {
        return "папка сохраненных работ не создана";
    }
}

NewWorkFile createWorkFile(const fs::path& folder, const SavedWork& work, const NameHold& hold)
{
    if (auto problem = makeWorksFolder(folder))
        return {{}, std::move(*problem)};
    std::string json;
    try {
        json = workJson(work);
    } catch (...) {
        return {{}, "не удалось записать файл новой работы"};
    }
    const ClockTime c = clockTime(work.saved);
    char stem[40];
    std::snprintf(
        stem, sizeof stem, "work-%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        std::string name = stem;
        if (n > 1)
            name += "-" + std::to_string(n);
        const fs::path file = folder / fs::path(name + std::string(kExtension));
        // A name whose work has only another version left is that work's (readEntry).
        if (isThere(file) || isThere(previousVersionOf(file)) || isThere(pendingVersionOf(file)))
            continue;
        if (hold && !hold(file))
            continue;
        const CreationResult created = createExclusively(file, json);
        if (created.outcome == Creation::Created)
            return {file, {}, true};
        if (created.outcome == Creation::Failed)
            return {{}, created.problem};
    }
    return {{}, "в папке " + quotedPath(folder) + " не осталось имени для новой работы"};
}

std::optional<std::string> writeWork(const fs::path& file, const SavedWork& work) noexcept
{
    std::string json;
    try {
        json = workJson(work);
    } catch (...) {
        return "не удалось записать файл «" + displayName(file) + "»";
    }
    return writeKeepingPrevious(file, json);
}

} // namespace kvarton::work
