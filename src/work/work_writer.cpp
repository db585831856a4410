#include "work_writer.h"

#include "work_folder.h"

namespace kvarton::work {

WorkWriter::WorkWriter(Written written, NewFile newFile)
    : written_(std::move(written))
    , newFile_(std::move(newFile))
    , thread_([this] { run(); })
{
}

WorkWriter::~WorkWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

std::uint64_t WorkWriter::write(std::filesystem::path file, SavedWork work)
{
    std::uint64_t sequence = 0;
    {
        std::lock_guard lock(mutex_);
        sequence = ++handedOver_;
        // The newer state of the same file makes the older one that still waits pointless.
        if (!waiting_.empty() && waiting_.back().file == file)
            waiting_.pop_back();
        waiting_.push_back({sequence, std::move(file), std::move(work)});
    }
    wake_.notify_one();
    return sequence;
}

void WorkWriter::waitUntilWritten()
{
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_ == handedOver_; });
}

std::uint64_t WorkWriter::done() const
{
    std::lock_guard lock(mutex_);
    return done_;
}

void WorkWriter::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (waiting_.empty())
                return; // stopping, with nothing left to write
            job = std::move(waiting_.front());
            waiting_.pop_front();
        }
        std::optional<std::string> problem;
        bool written = false;
        if (job.file.empty()) {
            NewWorkFile made = newFile_ ? newFile_(job.work) : NewWorkFile{{}, "не удалось записать файл новой работы"};
            job.file = std::move(made.file);
            if (job.file.empty())
                problem = std::move(made.problem);
            written = made.holdsWork;
        }
        if (!problem && !written)
            problem = writeWork(job.file, job.work);
        if (written_)
            written_(job.sequence, problem);
        {
            std::lock_guard lock(mutex_);
            // A replaced job's number is passed too: everything up to this one is done.
            done_ = job.sequence;
        }
        finished_.notify_all();
    }
}

} // namespace kvarton::work
