#include "work_lock.h"

#include "work_keeper.h"

#include "work/work_folder.h"

#include <QLockFile>

namespace kvarton {

WorkLock::WorkLock() = default;
WorkLock::~WorkLock() = default;
WorkLock::WorkLock(WorkLock&&) noexcept = default;
WorkLock& WorkLock::operator=(WorkLock&&) noexcept = default;

bool WorkLock::take(const std::filesystem::path& file)
{
    release();
    auto lock = std::make_unique<QLockFile>(pathText(work::lockOf(file)));
    // A learner keeps a work open for hours: a lock is stale only when the copy that made it has
    // ended, never because it is old.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        lock.reset();
    }
    file_ = file;
    lock_ = std::move(lock);
    return true;
}

void WorkLock::release()
{
    lock_.reset(); // the lock file goes with it
    file_.clear();
}

} // namespace kvarton
