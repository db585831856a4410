#pragma once

#include "saved_work.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The folder of saved works: one file per work, "work-20260314-102205.json", beside it the
// version before its last writing, "work-20260314-102205.previous.json".
namespace kvarton::work {

// A saved work as continuing it finds it.
struct WorkEntry {
    std::filesystem::path file; // NAME.json, even when only its previous version is left
    std::optional<SavedWork> work; // what continuing restores; none when the work cannot be read
    bool fromPrevious = false; // `work` is the previous version: a writing was cut off
    std::string problem; // why the work cannot be read, "" when it can
};

// The works in `folder`, the one written last first (by the time the file system gives the files;
// among equal times, by name). Files that are no work's are passed over; a missing folder holds
// none. At most `limit` works.
std::vector<std::filesystem::path> workFiles(const std::filesystem::path& folder, std::size_t limit = 1000);

// Reads a work: its file, or its previous version when the file is missing, as a writing cut off
// between its two renamings leaves it. A file that is there but cannot be read is not passed over
// for an older version: the learner is told why, and the file stays as it is.
WorkEntry readEntry(const std::filesystem::path& file);

// A name in `folder` that no work has yet, from the time it is started.
std::filesystem::path newWorkFile(const std::filesystem::path& folder, SavedTime started);

// Writes the work into its file, keeping the previous version (writeKeepingPrevious). Returns, in
// Russian, why it could not be written; nullopt once it is.
std::optional<std::string> writeWork(const std::filesystem::path& file, const SavedWork& work) noexcept;

} // namespace kvarton::work
