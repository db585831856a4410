#pragma once

#include "calc/step_view.h"

#include "model/defaults.h"
#include "model/institution_model.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kvarton::calc::test {

// Every input at its St Petersburg default.
inline InstitutionModel defaults()
{
    InstitutionModel m;
    m.regionCoefficient = 1.0;
    resetToDefaults(m);
    return m;
}

inline std::map<std::string, std::string, std::less<>> texts(const StepView& view)
{
    std::map<std::string, std::string, std::less<>> byLabel;
    for (const LabelText& l : view.labels)
        byLabel.emplace(std::string(l.label), l.text);
    return byLabel;
}

// The texts a panel shows for the labels given, in their order.
using Labels = std::vector<std::string_view>;

inline std::vector<std::string> shown(const StepView& view, const Labels& labels)
{
    const auto byLabel = texts(view);
    std::vector<std::string> out;
    for (std::string_view l : labels) {
        const auto it = byLabel.find(l);
        out.push_back(it == byLabel.end() ? "<missing " + std::string(l) + ">" : it->second);
    }
    return out;
}

using Texts = std::vector<std::string>;

// Short names the tables of the tests read better with.
using O = GroupOrientation;
constexpr auto Day = StayRegime::Day;
constexpr auto Short = StayRegime::ShortTerm;

} // namespace kvarton::calc::test
