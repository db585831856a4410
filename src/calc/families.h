#pragma once

#include "explaining.h"
#include "panels.h"
#include "quantity_words.h"

#include <optional>
#include <span>

// Each family of quantities (a step's calculation) answers for its own quantities: it evaluates
// them on either source of numbers, says where the calculation stores them and in which words an
// explanation speaks of them, and which of them its panel shows in which value label.
// quantities.cpp joins the families; nothing else calls these.
namespace kvarton::calc::families {

#define KVARTON_QUANTITY_FAMILY(family)                                                                                \
    std::optional<double> evaluate##family(Reading& s, QuantityRef q);                                                 \
    std::optional<Term> evaluate##family(Explaining& s, QuantityRef q);                                                \
    std::optional<double> stored##family(const CalcResults& results, QuantityRef q) noexcept;                          \
    std::span<const QuantityWords> words##family() noexcept;

KVARTON_QUANTITY_FAMILY(PupilHours)
KVARTON_QUANTITY_FAMILY(Incentives)
KVARTON_QUANTITY_FAMILY(Needs)
KVARTON_QUANTITY_FAMILY(NormativeTable)
KVARTON_QUANTITY_FAMILY(Estimate)
#undef KVARTON_QUANTITY_FAMILY

// The quantity a value label of a panel shows under the panel's options, by the line's index in
// its panel and the value's column.
QuantityRef pupilHourFigure(std::size_t line, std::size_t column, const StepOptions& options) noexcept;
QuantityRef incentiveFigure(std::size_t line, std::size_t column, const StepOptions& options) noexcept;
QuantityRef normativeTableFigure(std::size_t line, std::size_t column, const StepOptions& options) noexcept;
QuantityRef estimateFigure(std::size_t line, std::size_t column, const StepOptions& options) noexcept;

} // namespace kvarton::calc::families
