#include "model_value.h"

#include "conversion.h"

#include <cmath>

namespace kvarton {

ModelValue ModelValue::singleFromText(const std::string& text)
{
    if (const auto number = parseNumber(text)) {
        const float f = toSingle(*number);
        if (std::isfinite(f))
            return single(f);
    }
    return ModelValue::text(text);
}

std::optional<double> ModelValue::toNumber() const noexcept
{
    struct Visitor {
        std::optional<double> operator()(std::monostate) const noexcept { return 0.0; }
        std::optional<double> operator()(std::int64_t v) const noexcept { return static_cast<double>(v); }
        std::optional<double> operator()(double v) const noexcept { return v; }
        std::optional<double> operator()(float v) const noexcept { return static_cast<double>(v); }
        std::optional<double> operator()(const std::string& v) const noexcept { return parseNumber(v); }
    };
    return std::visit(Visitor{}, v_);
}

bool ModelValue::holdsNumber() const noexcept { return !isEmpty() && toNumber().has_value(); }

std::string ModelValue::displayText() const
{
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return listItemText(v); }
        std::string operator()(float v) const { return listItemText(v); }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(Visitor{}, v_);
}

} // namespace kvarton
