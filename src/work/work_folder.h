#pragma once

#include "saved_work.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The folder of saved works: one file per work, "work-20260314-102205.json", beside it the
// version before its last writing, "work-20260314-102205.previous.json", while a writing is under
// way the next version, "work-20260314-102205.json.saving", and while a copy of the program shows
// the work, that copy's lock, "work-20260314-102205.json.lock".
namespace kvarton::work {

// Which of a work's files a reading took the work from.
enum class Version {
    Current, // NAME.json
    Pending, // NAME.json.saving: written whole, the writing was cut off before it took the name
    Previous, // NAME.previous.json: the writing was cut off between its two renamings
};

// A saved work as continuing it finds it.
struct WorkEntry {
    std::filesystem::path file; // NAME.json, even when only another version of it is left
    std::optional<SavedWork> work; // what continuing restores; none when the work cannot be read
    Version version = Version::Current; // the file `work` (or `problem`) comes from
    std::string problem; // why the work cannot be read, "" when it can
};

// An entry of the folder named as a work's file that is passed over, with the reason, in Russian.
struct SkippedEntry {
    std::string name; // the entry's name, UTF-8
    std::string reason; // "это не файл, а папка"
    friend bool operator==(const SkippedEntry&, const SkippedEntry&) = default;
};

struct WorkListing {
    std::vector<std::filesystem::path> works; // the one written last first
    std::vector<SkippedEntry> skipped; // by name
    bool cutShort = false; // the folder holds more entries than are looked at (kMaxFolderEntries)
};

// Entries of the works' folder looked at when listing it: a work is one file or two (its previous
// version), and a learner keeps a few dozen.
inline constexpr std::size_t kMaxFolderEntries = 10'000;

// The works in `folder`, the one written last first (by the time the file system gives its file,
// or its newest other version while the file is missing; among equal times, by name), at most
// `limit` of them. Files whose names are no work's are
// passed over in silence; an entry named as a work's that is no file to read (a folder, a pipe, a
// link that leads nowhere) is listed among the skipped with the reason. A missing folder holds none.
WorkListing listWorks(const std::filesystem::path& folder, std::size_t limit = 1000);
// The works alone.
std::vector<std::filesystem::path> workFiles(const std::filesystem::path& folder, std::size_t limit = 1000);

// Reads a work from the newest of its versions that reads whole: the pending version a writing
// had put on the disk before it was cut off, else the file, else (the file missing, as a writing
// cut off between its two renamings leaves it) the previous version. A file that is there but
// cannot be read is not passed over for the previous version: the learner is told why, and the
// file stays as it is. Reading changes no file.
WorkEntry readEntry(const std::filesystem::path& file);

// The lock file through which one copy of the program holds the work of `file`.
std::filesystem::path lockOf(const std::filesystem::path& file);

// Makes the folder of saved works when it is not there. Returns, in Russian, which folder could
// not be made and why (to follow "Работа не сохранена: "); nullopt when the folder is there.
std::optional<std::string> makeWorksFolder(const std::filesystem::path& folder) noexcept;

// The file of a new work, or, in Russian, why none was made.
struct NewWorkFile {
    std::filesystem::path file; // empty when none was made
    std::string problem;
    bool holdsWork = false; // the file was made now, with the work in it
};
// Decides whether this copy of the program may take a free name, before its file is made: false
// when another copy holds it.
using NameHold = std::function<bool(const std::filesystem::path& file)>;

// Makes the folder when it is not there and creates the file of a new work in it, holding `work`,
// named after the moment the work began (`work.saved`): "work-20260314-102205.json", or with "-2",
// "-3", … the first name of that second that no version of a work has. The name is taken by the
// creation itself, never an existing file, so two copies of the program beginning works in the
// same second get two files. `hold`, when given, is asked for each free name before its file is
// created. The file is on the disk when this returns.
NewWorkFile createWorkFile(const std::filesystem::path& folder, const SavedWork& work, const NameHold& hold = {});

// Writes the work into its file, keeping the previous version (writeKeepingPrevious). Returns, in
// Russian, why it could not be written; nullopt once it is.
std::optional<std::string> writeWork(const std::filesystem::path& file, const SavedWork& work) noexcept;

} // namespace kvarton::work
