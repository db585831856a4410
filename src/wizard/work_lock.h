#pragma once

#include <filesystem>
#include <memory>

class QLockFile;

namespace kvarton {

// This copy's hold on a saved work: a lock file beside the work's file (work::lockOf), kept while
// this copy shows the work. Only the copy of the program that holds a work writes it, so that two
// windows never write over each other's commits. A lock left behind by a copy that ended without
// letting go (killed, or the computer switched off) is recognised as such and taken over.
class WorkLock final {
public:
    WorkLock();
    ~WorkLock();
    WorkLock(WorkLock&&) noexcept;
    WorkLock& operator=(WorkLock&&) noexcept;

    // Holds the work of `file` for this copy, letting go of the one held before; false when another
    // copy of the program holds it. In a folder where no lock can be made the work is held without
    // one: no file can be written there either, and the save that fails says why.
    bool take(const std::filesystem::path& file);
    // Lets the work go; nothing when none is held.
    void release();

    // The work held; empty when none is.
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace kvarton
