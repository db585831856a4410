#pragma once

#include "saved_work.h"
#include "work_folder.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kvarton::work {

// Writes works on a thread of its own: putting a file on the disk may take longer than a step
// switch, and the learner should not wait for it. Works are written in the order they are handed
// over; a work handed over while an older one of the same file still waits replaces it, so the
// file never goes back to an older state. Each work handed over has a sequence number. The file of
// a new work is made here too, when its first work is written: making it waits for the disk.
class WorkWriter final {
public:
    // Called on the writer's thread after each writing, with its sequence number and, in Russian,
    // why the work could not be written (nullopt once it is).
    using Written = std::function<void(std::uint64_t sequence, const std::optional<std::string>& problem)>;

    // Called on the writer's thread for a work handed over without a file: the file of the new work
    // (made, or made already by an earlier writing), or why there is none.
    using NewFile = std::function<NewWorkFile(const SavedWork& work)>;

    explicit WorkWriter(Written written = {}, NewFile newFile = {});
    // Writes what is still waiting, then ends the thread.
    ~WorkWriter();
    WorkWriter(const WorkWriter&) = delete;
    WorkWriter& operator=(const WorkWriter&) = delete;

    // Hands a work over for writing into `file`, or, when `file` is empty, into the new work's file
    // that `newFile` gives; returns its sequence number.
    std::uint64_t write(std::filesystem::path file, SavedWork work);
    // Returns once every work handed over so far has been written or has failed.
    void waitUntilWritten();
    // The sequence number of the last work written or failed.
    std::uint64_t done() const;

private:
    struct Job {
        std::uint64_t sequence;
        std::filesystem::path file;
        SavedWork work;
    };
    void run();

    Written written_;
    NewFile newFile_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::deque<Job> waiting_;
    std::uint64_t handedOver_ = 0;
    std::uint64_t done_ = 0;
    bool stopping_ = false;
    std::thread thread_; // last: starts once everything it uses is there
};

} // namespace kvarton::work
