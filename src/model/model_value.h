#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace kvarton {

// The value of a model field: empty, an integer, a double, a single-precision number or a text.
// Defaults are numbers, money defaults texts; a committed step leaves the text of its control.
class ModelValue final {
public:
    ModelValue() = default;
    static ModelValue integer(std::int64_t v) { return ModelValue(Storage(v)); }
    static ModelValue real(double v) { return ModelValue(Storage(v)); }
    // Kept on purpose: the course's figures come from these fields held as floats (DEVELOPERS.md).
    static ModelValue single(float v) { return ModelValue(Storage(v)); }
    static ModelValue text(std::string v) { return ModelValue(Storage(std::move(v))); }
    // What a single-precision field keeps of a committed text: the number it reads as, held as a
    // float; a text that is no number (or none a float can hold) stays text, so that the input
    // check can reject it instead of the field silently keeping an older value.
    static ModelValue singleFromText(const std::string& text);

    bool isEmpty() const noexcept { return std::holds_alternative<std::monostate>(v_); }
    bool isText() const noexcept { return std::holds_alternative<std::string>(v_); }
    bool isSingle() const noexcept { return std::holds_alternative<float>(v_); }
    const std::string* textIf() const noexcept { return std::get_if<std::string>(&v_); }

    // The number the value stands for in arithmetic: empty is 0, a text is read with the decimal
    // comma; nullopt for a text that is not a number.
    std::optional<double> toNumber() const noexcept;
    // Whether the value is a number in the strict sense of the input checks: a number, or a text
    // that reads as one. Empty is not.
    bool holdsNumber() const noexcept;

    // The text a control shows for the value: numbers as list items show them, texts unchanged,
    // empty as "".
    std::string displayText() const;

    friend bool operator==(const ModelValue&, const ModelValue&) = default;

private:
    using Storage = std::variant<std::monostate, std::int64_t, double, float, std::string>;
    explicit ModelValue(Storage v)
        : v_(std::move(v))
    {
    }
    Storage v_;
};

} // namespace kvarton
