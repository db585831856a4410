#pragma once

namespace kvarton::report {

// While it lives, whatever is written to the process's standard error goes nowhere: the
// spreadsheet library prints its failures there, and the report tells the learner in its own
// words instead. The program is single-threaded, so nothing else of ours is silenced meanwhile.
class QuietStandardError final {
public:
    QuietStandardError() noexcept;
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1; // the standard error's own descriptor, kept to put back
};

} // namespace kvarton::report
