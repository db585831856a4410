#pragma once

#include <string>
#include <variant>

namespace kvarton::reader {

// What a step of reading gives when the workbook must be refused: a reason of read_problem.h.
struct Refusal {
    std::string reason;
};

template <typename T>
using Read = std::variant<T, Refusal>;

template <typename T>
const Refusal* refusal(const Read<T>& read) noexcept
{
    return std::get_if<Refusal>(&read);
}

} // namespace kvarton::reader
