#include "work_folder.h"

#include "durable_file.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <system_error>

namespace kvarton::work {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".json";
// Works started in the same second; more than this in one second no learner starts.
constexpr int kMaxSameSecond = 1000;
// Files of the works' folder looked at when listing it: a work is one file or two (its previous
// version), and a learner keeps a few dozen.
constexpr std::size_t kMaxFolderEntries = 10'000;

bool isWorkName(const fs::path& file) { return file.extension() == kExtension && !isVersionOfAnother(file); }

// The work a file belongs to: NAME.json itself, or NAME.json for NAME.previous.json.
std::optional<fs::path> workOf(const fs::path& file)
{
    if (file.extension() != kExtension || file.filename().u8string().ends_with(u8".saving"))
        return std::nullopt;
    if (isWorkName(file))
        return file;
    fs::path stem = file.stem(); // NAME.previous
    return file.parent_path() / stem.stem().concat(kExtension);
}

struct Found {
    fs::path file;
    fs::file_time_type written;
};

} // namespace

std::vector<fs::path> workFiles(const fs::path& folder, std::size_t limit)
{
    std::vector<Found> found;
    std::set<fs::path> seen;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    // Every file is looked at, whatever `limit` is: the folder lists files in no particular order,
    // and the newest work may come last. A folder of more than kMaxFolderEntries files is no
    // learner's; the first ones read are enough to go on with.
    for (std::size_t read = 0; !error && it != fs::directory_iterator() && read < kMaxFolderEntries;
         it.increment(error), ++read) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError))
            continue;
        const auto work = workOf(it->path());
        if (!work || seen.count(*work))
            continue;
        // A work whose file is missing is dated by its previous version.
        const fs::path dated = fs::exists(*work, fileError) ? *work : previousVersionOf(*work);
        const auto written = fs::last_write_time(dated, fileError);
        if (fileError)
            continue;
        seen.insert(*work);
        found.push_back({*work, written});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.written != b.written ? a.written > b.written : a.file.filename() > b.file.filename();
    });
    if (found.size() > limit)
        found.resize(limit);
    std::vector<fs::path> files;
    files.reserve(found.size());
    for (Found& f : found)
        files.push_back(std::move(f.file));
    return files;
}

WorkEntry readEntry(const fs::path& file)
{
    WorkEntry entry;
    entry.file = file;
    auto readFrom = [](const fs::path& path) -> std::variant<SavedWork, WorkProblem> {
        const FileBytes bytes = readSmallFile(path, kMaxFileBytes);
        if (!bytes.bytes)
            return WorkProblem{bytes.problem};
        return readWorkJson(*bytes.bytes);
    };
    std::error_code error;
    entry.fromPrevious = !fs::exists(file, error) && !error && fs::exists(previousVersionOf(file), error);
    auto read = readFrom(entry.fromPrevious ? previousVersionOf(file) : file);
    if (auto* work = std::get_if<SavedWork>(&read))
        entry.work = std::move(*work);
    else
        entry.problem = std::get<WorkProblem>(read).reason;
    return entry;
}

fs::path newWorkFile(const fs::path& folder, SavedTime started)
{
    const ClockTime c = clockTime(started);
    char stem[40];
    std::snprintf(
        stem, sizeof stem, "work-%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
    for (int n = 1; n < kMaxSameSecond; ++n) {
        std::string name = stem;
        if (n > 1)
            name += "-" + std::to_string(n);
        const fs::path file = folder / fs::path(name + std::string(kExtension));
        std::error_code error;
        if (!fs::exists(file, error) && !fs::exists(previousVersionOf(file), error)
            && !fs::exists(pendingVersionOf(file), error))
            return file;
    }
    return folder / fs::path(std::string(stem) + "-" + std::to_string(started.unixMs) + std::string(kExtension));
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
