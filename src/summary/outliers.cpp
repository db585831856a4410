#include "outliers.h"

#include <algorithm>
#include <cmath>

namespace kvarton::summary {

namespace {

// The ratio of the median to the mean absolute deviation of normally spread figures (√(π/2)).
constexpr double kMeanToMedianDeviation = 1.2533;

double median(std::vector<double> v)
{
    const std::size_t half = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(half), v.end());
    const double upper = v[half];
    if (v.size() % 2 == 1)
        return upper;
    return (*std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(half)) + upper) / 2;
}

} // namespace

std::vector<bool> farFromTypical(std::span<const std::optional<double>> values)
{
    std::vector<bool> far(values.size(), false);
    std::vector<double> present;
    for (const auto& v : values)
        if (v && std::isfinite(*v))
            present.push_back(*v);
    if (present.size() < kFewestCompared)
        return far;
    const double centre = median(present);
    std::vector<double> deviations;
    double sum = 0;
    for (const double v : present) {
        deviations.push_back(std::abs(v - centre));
        sum += deviations.back();
    }
    double spread = median(deviations);
    if (spread == 0)
        spread = sum / static_cast<double>(present.size()) * kMeanToMedianDeviation;
    if (spread == 0)
        return far;
    for (std::size_t i = 0; i < values.size(); ++i)
        far[i] = values[i] && std::isfinite(*values[i]) && std::abs(*values[i] - centre) > kFarDeviations * spread;
    return far;
}

std::vector<std::vector<bool>> farFigures(const std::vector<SummaryRow>& rows)
{
    std::vector<std::vector<bool>> far(rows.size());
    if (rows.empty())
        return far;
    const std::size_t columns = rows.front().figures.size();
    for (auto& row : far)
        row.assign(columns, false);
    std::vector<std::optional<double>> column(rows.size());
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto* number = c < rows[r].figures.size() ? std::get_if<double>(&rows[r].figures[c]) : nullptr;
            column[r] = number ? std::optional<double>(*number) : std::nullopt;
        }
        const std::vector<bool> marks = farFromTypical(column);
        for (std::size_t r = 0; r < rows.size(); ++r)
            far[r][c] = marks[r];
    }
    return far;
}

std::string_view farRuleText()
{
    return "Выделены показатели, далекие от типичного для группы: они отличаются от медианы столбца больше "
           "чем на три медианных абсолютных отклонения (если больше половины значений столбца совпадают — больше "
           "чем на три средних абсолютных отклонения, умноженных на 1,2533). Столбцы, где меньше трех значений, "
           "не проверяются.";
}

} // namespace kvarton::summary
