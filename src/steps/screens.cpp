#include "screens.h"

#include <algorithm>

namespace kvarton {

namespace {

constexpr EnumArray<Screen, std::string_view> kObjectNames{
    {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8", "Form9", "Form10"}};

} // namespace

std::string_view screenName(Screen s) noexcept { return kObjectNames[s]; }

std::optional<Screen> screenByName(std::string_view name) noexcept
{
    const auto found = std::find(kObjectNames.begin(), kObjectNames.end(), name);
    if (found == kObjectNames.end())
        return std::nullopt;
    return static_cast<Screen>(found - kObjectNames.begin());
}

} // namespace kvarton
