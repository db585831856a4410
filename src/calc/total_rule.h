#pragma once

#include "model/conversion.h"
#include "model/field_ref.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvarton::calc {

// A total the learner types beside its parts: the payroll (step 7) and the positions (step 8) of
// the pedagogical staff "(всего)", whose parts are the eleven pedagogical roles above it (the
// course's figures add up so: St Petersburg's 25,9 positions are those of the eleven). The
// calculation takes the total as typed; the screens only point out a total smaller than its parts.
struct TypedTotal {
    FieldRef total;
    std::vector<FieldRef> parts;
};
std::span<const TypedTotal> typedTotals();

struct TotalExcess {
    Currency parts; // the sum of the parts, exactly
    Currency total;
};

// The parts' sum when it is larger than the total, all as typed (texts with the decimal comma).
// A part that is no number counts as nothing (its own mark says so); a total that is no number is
// not judged here, nor are sums too large to hold as money.
std::optional<TotalExcess> totalExcess(std::span<const std::string> parts, const std::string& total);

// The hint of a marked total: "Сумма по должностям 9000000 больше итога 1000".
std::string totalHint(const TotalExcess& excess);
// Its line in the note under the box: "Проверьте итог «(всего)»: сумма по должностям 9000000 больше
// итога 1000".
std::string totalNote(const TotalExcess& excess);

} // namespace kvarton::calc
