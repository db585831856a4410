#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kvarton::work {

// The version of `file` before its last writing: "NAME.json" keeps "NAME.previous.json".
std::filesystem::path previousVersionOf(const std::filesystem::path& file);
// Where the next version of `file` is written before it takes the file's place.
std::filesystem::path pendingVersionOf(const std::filesystem::path& file);
// Whether `file` is a previous or a pending version of another file rather than a file of its own.
bool isVersionOfAnother(const std::filesystem::path& file);
// The file whose previous or pending version `version` is; `version` itself when it is neither.
std::filesystem::path fileOfVersion(const std::filesystem::path& version);

// How creating a file of a name that must not exist yet ended: the file is there with the bytes,
// the name was taken already (nothing was written), or, in Russian, why it could not be made.
enum class Creation { Created, NameTaken, Failed };
struct CreationResult {
    Creation outcome = Creation::Failed;
    std::string problem; // when it failed
};

// Creates `file` holding `bytes` only if nothing has that name yet: the system takes the name and
// makes the file in one step, so that of two copies of the program creating one name at the same
// moment, one is told that it is taken and no file is ever opened twice. The file and its name are
// on the disk when this returns; a file that could not be filled is removed. Never throws.
CreationResult createExclusively(const std::filesystem::path& file, std::string_view bytes) noexcept;

// Writes `bytes` to `file` so that an interruption at any moment leaves a whole file to read: the
// bytes go to pendingVersionOf(file) and onto the disk first; then the file as it was becomes
// previousVersionOf(file) and the new one takes its name. Each step is a rename within one folder,
// which the file system does whole. Returns, in Russian, why the file could not be written;
// nullopt once it is. Never throws.
std::optional<std::string> writeKeepingPrevious(const std::filesystem::path& file, std::string_view bytes) noexcept;

// Why nothing can be read from `path` as from a file, in Russian ("это не файл, а папка", "ссылка
// ведет по кругу", "файл не найден"); nullopt for a regular file or a link to one.
std::optional<std::string> whyNotAFile(const std::filesystem::path& path) noexcept;

// The bytes of a regular file of at most `limit` bytes, or, in Russian, why it cannot be read.
struct FileBytes {
    std::optional<std::string> bytes;
    std::string problem; // when there are no bytes
};
FileBytes readSmallFile(const std::filesystem::path& file, std::size_t limit) noexcept;

// A file's name as UTF-8, for messages.
std::string displayName(const std::filesystem::path& file);
// A whole path as UTF-8, for messages that name a folder.
std::string displayPath(const std::filesystem::path& path);

} // namespace kvarton::work
