#include "golden_road.h"

#include "calc/steps.h"

namespace kvarton::test {

namespace {

using namespace kvarton::calc;

void append(std::string& out, const char* what, const StepView& v)
{
    out += "== ";
    out += what;
    out += '\n';
    if (v.showError) {
        out += "error panel\n";
        return;
    }
    for (const LabelText& l : v.labels) {
        out += l.label;
        out += '=';
        out += l.text;
        out += '\n';
    }
}

} // namespace

std::string goldenRoad(InstitutionModel m)
{
    std::string out;
    append(out, "enter 13 method 1", enterStep13(m, Method::ByRecommendations));
    append(out, "click 13 method 2", clickMethod13(m, Method::ByAllNeeds));
    append(out, "enter 14 method 1 day", enterStep14(m, Method::ByRecommendations, StayRegime::Day));
    append(out, "view 14 short", clickView14(m, Method::ByRecommendations, StayRegime::ShortTerm));
    append(out, "click 14 method 2 short", clickMethod14(m, Method::ByAllNeeds, StayRegime::ShortTerm));
    append(out, "view 14 day", clickView14(m, Method::ByAllNeeds, StayRegime::Day));
    append(out, "enter 15 group 1", enterStep15(m, NormativeGroup::JuniorShortTerm));
    for (int g = 1; g < 6; ++g)
        append(out, ("group 15 " + std::to_string(g + 1)).c_str(), clickGroup15(m, static_cast<NormativeGroup>(g)));
    append(out, "enter 16", enterStep16(m));
    append(out, "enter 13 method 2", enterStep13(m, Method::ByAllNeeds));
    append(out, "enter 15 group 5", enterStep15(m, NormativeGroup::MiddleDay));
    append(out, "enter 16 again", enterStep16(m));
    return out;
}

} // namespace kvarton::test
