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

// Writes `bytes` to `file` so that an interruption at any moment leaves a whole file to read: the
// bytes go to pendingVersionOf(file) and onto the disk first; then the file as it was becomes
// previousVersionOf(file) and the new one takes its name. Each step is a rename within one folder,
// which the file system does whole. Returns, in Russian, why the file could not be written;
// nullopt once it is. Never throws.
std::optional<std::string> writeKeepingPrevious(const std::filesystem::path& file, std::string_view bytes) noexcept;

// The bytes of a regular file of at most `limit` bytes, or, in Russian, why it cannot be read.
struct FileBytes {
    std::optional<std::string> bytes;
    std::string problem; // when there are no bytes
};
FileBytes readSmallFile(const std::filesystem::path& file, std::size_t limit) noexcept;

// A file's name as UTF-8, for messages.
std::string displayName(const std::filesystem::path& file);

} // namespace kvarton::work
