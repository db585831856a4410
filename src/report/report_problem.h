#pragma once

#include <string>

namespace kvarton::report {

// Why no report was written; the message is Russian and shown to the learner as it is.
struct ReportProblem {
    std::string message;
};

} // namespace kvarton::report
