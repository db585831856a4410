#include "panel_options.h"

namespace kvarton::calc {

namespace {

constexpr EnumArray<Method, std::string_view> kMethodCaptions{{{
    "Метод 1 - расчет на основании рекомендаций",
    "Метод 2 - расчет с учетом всех потребностей",
}}};

constexpr EnumArray<Method, std::string_view> kMethodOptions13{{{"Option1", "Option2"}}};
constexpr EnumArray<Method, std::string_view> kMethodOptions14{{{"Option3", "Option4"}}};

constexpr EnumArray<StayRegime, PanelText> kViewOptions{{{
    {"Option6", "Краткосрочные режимы пребывания"},
    {"Option5", "Обычные режимы пребывания"},
}}};

constexpr EnumArray<StayRegime, std::string_view> kRegimeHeads{{{"Label27", "Label29"}}};

constexpr EnumArray<NormativeGroup, std::string_view> kGroupOptions{{{
    "Option11",
    "Option12",
    "Option13",
    "Option21",
    "Option22",
    "Option23",
}}};

} // namespace

PanelText methodOption(ResultsPanel panel, Method method) noexcept
{
    const auto& names = panel == ResultsPanel::Incentives ? kMethodOptions14 : kMethodOptions13;
    return {names[method], kMethodCaptions[method]};
}

PanelText viewOption(StayRegime view) noexcept { return kViewOptions[view]; }

PanelText regimeHead(StayRegime regime) noexcept { return {kRegimeHeads[regime], texts(regime).calculation}; }

PanelText groupOption(NormativeGroup group) noexcept
{
    return {kGroupOptions[group], texts(ageGroupOf(group)).calculation};
}

std::string_view regimeName(StayRegime regime) noexcept
{
    std::string_view head = regimeHead(regime).text;
    if (head.ends_with(':'))
        head.remove_suffix(1);
    return head;
}

std::string groupName(NormativeGroup group)
{
    return std::string(regimeName(regimeOf(group))) + ", " + std::string(groupOption(group).text);
}

} // namespace kvarton::calc
