#include "report_values.h"

#include "report.h"
#include "report_layout.h"

#include "model/conversion.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace kvarton::report {

std::optional<double> reportNumber(const ModelValue& value) noexcept
{
    // A field left blank on its step holds an empty text: it is as empty as a field never filled.
    const std::string* text = value.textIf();
    const auto number = text && text->empty() ? std::optional<double>(0.0) : value.toNumber();
    if (!number)
        return std::nullopt;
    const auto amount = Currency::fromDouble(*number);
    if (!amount)
        return std::nullopt;
    // Units up to 2^53 are exact doubles, so one division gives the nearest double. Beyond that
    // the units would be rounded before the division as well, which can miss the nearest double
    // by a step; whole roubles and the fraction are converted apart instead.
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    const std::int64_t units = amount->units();
    if (units > -kExact && units < kExact)
        return static_cast<double>(units) / 10000.0;
    return static_cast<double>(units / 10000) + static_cast<double>(units % 10000) / 10000.0;
}

std::vector<std::string> invalidInputs(const InstitutionModel& model)
{
    // In the order of the wizard: by step, then as the rows and columns of the sheet go.
    std::vector<const ReportCell*> bad;
    for (const ReportCell& cell : reportCells())
        if (const auto* input = std::get_if<InputCell>(&cell.content))
            if (!reportNumber(field(model, input->field)))
                bad.push_back(&cell);
    const auto key
        = [](const ReportCell* c) { return std::tuple(std::get<InputCell>(c->content).step, c->row, c->column); };
    std::sort(bad.begin(), bad.end(), [&](const ReportCell* x, const ReportCell* y) { return key(x) < key(y); });
    std::vector<std::string> names;
    for (const ReportCell* cell : bad)
        names.push_back(std::get<InputCell>(cell->content).name);
    return names;
}

ReportProblem invalidInputsProblem(const std::vector<std::string>& names)
{
    std::string message = "Отчет не создан: следующие значения не являются числами или слишком велики. "
                          "Исправьте их и снова нажмите «вывести отчет».";
    for (const std::string& name : names)
        message.append("\n").append(name);
    return {message};
}

} // namespace kvarton::report
