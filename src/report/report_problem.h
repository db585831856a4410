#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kvarton::report {

// Why no report was written; the message is Russian and shown to the learner as it is.
struct ReportProblem {
    ReportProblem(std::string text, std::vector<std::string> failed = {})
        : message(std::move(text))
        , inputs(std::move(failed))
    {
    }

    std::string message;
    // The inputs that stop the report, each named as its step shows it ("Шаг 7: Воспитатель");
    // the screen lists them under the message.
    std::vector<std::string> inputs;
};

} // namespace kvarton::report
