#include "input_checks.h"

#include "amount_rule.h"

#include "model/conversion.h"
#include "model/field_captions.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace kvarton::calc {

namespace {

// Where the checks tell what they find. Running as the calculation's gate they only need to know
// whether everything passed; the error panel asks them to say what failed, and only then are
// texts made. One pass of the same code does both, so the two never disagree.
class Findings final {
public:
    explicit Findings(std::vector<std::pair<int, Failure>>* lines) noexcept
        : lines_(lines)
    {
    }

    bool passed() const noexcept { return passed_; }

    // Records a failure; `describe` makes its line when lines are wanted.
    template <typename Describe>
    void fail(FieldRef named, Describe&& describe)
    {
        passed_ = false;
        if (lines_)
            lines_->emplace_back(fieldPlace(named).step, Failure{fieldName(named) + " — " + describe(), named});
    }
    // A failure of the whole step that shows `onStep` rather than of one field.
    template <typename Describe>
    void failStep(FieldRef onStep, Describe&& describe)
    {
        passed_ = false;
        if (lines_) {
            const int step = fieldPlace(onStep).step;
            lines_->emplace_back(step, Failure{stepName(step) + ": " + describe(), onStep});
        }
    }

private:
    std::vector<std::pair<int, Failure>>* lines_;
    bool passed_ = true;
};

} // namespace

std::string quotedInput(const std::string& text)
{
    constexpr std::size_t kShown = 40; // characters
    std::size_t end = 0;
    std::size_t characters = 0;
    while (end < text.size() && characters < kShown) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        ++characters;
    }
    return "«" + text.substr(0, end) + (end < text.size() ? "…»" : "»");
}

std::string notANumberText(const ModelValue& v) { return quotedInput(v.displayText()) + " не является числом"; }

namespace {

std::string quoted(const std::string& text) { return quotedInput(text); }
std::string notANumber(const ModelValue& v) { return notANumberText(v); }

// A value as the screen shows it: a number as typed, anything else quoted.
std::string shown(const ModelValue& v) { return v.holdsNumber() ? v.displayText() : quoted(v.displayText()); }

// The direct hours of a kind of group must not all be 0; an hour that is no number fails too.
void checkDirectHours(const InstitutionModel& m, GroupKind g, Findings& found)
{
    double sum = 0;
    bool numbers = true;
    for (StaffRole r : allOf<StaffRole>()) {
        const FieldRef ref = fields::directHours(g, r);
        if (const auto hours = field(m, ref).toNumber()) {
            sum += *hours;
        } else {
            numbers = false;
            found.fail(ref, [&] { return notANumber(field(m, ref)); });
        }
    }
    if (numbers && sum == 0)
        found.failStep(fields::directHours(g, StaffRole::Teacher),
            [] { return std::string("у всех должностей 0 часов непосредственной работы с детьми"); });
}

// The sixteen payrolls of 2011 and their positions, in the order of the screen.
std::array<std::pair<FieldRef, FieldRef>, 16> payrollPositionPairs() noexcept
{
    std::array<std::pair<FieldRef, FieldRef>, 16> pairs{};
    std::size_t n = 0;
    for (StaffRole r : allOf<StaffRole>())
        pairs[n++] = {fields::payroll2011(r), fields::positions2011(r)};
    pairs[n++] = {fields::payroll2011PedTotal(), fields::positions2011PedTotal()};
    pairs[n++] = {fields::payroll2011Admin(), fields::positions2011Admin()};
    pairs[n++] = {fields::payroll2011Medical(), fields::positions2011Medical()};
    pairs[n++] = {fields::payroll2011Service(), fields::positions2011Service()};
    return pairs;
}

// A payroll needs positions to be paid to. A payroll that is no number counts as not 0 (the
// numeric-pay check rejects it as well); positions that are no number fail the pair.
void checkPositionsForPayrolls(const InstitutionModel& m, Findings& found)
{
    // Named copies rather than a structured binding, which clang 14 (the fuzz build) cannot capture.
    for (const auto& pair : payrollPositionPairs()) {
        const FieldRef payroll = pair.first, positions = pair.second;
        const auto pay = field(m, payroll).toNumber();
        const auto count = field(m, positions).toNumber();
        if (!count)
            found.fail(positions, [&] { return notANumber(field(m, positions)); });
        else if (*count == 0 && pay != 0.0)
            found.fail(positions, [&] { return "0 ставок при фонде " + shown(field(m, payroll)); });
    }
}

// Compensating pupils are part of the total of their age group and mode, never more.
void checkServiceCounts(const InstitutionModel& m, Findings& found)
{
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode mode : allOf<StayMode>()) {
            const FieldRef all = fields::providedServices(a, GroupOrientation::GeneralDevelopment, mode);
            const FieldRef compensating = fields::providedServices(a, GroupOrientation::Compensating, mode);
            const auto allCount = field(m, all).toNumber();
            const auto compensatingCount = field(m, compensating).toNumber();
            if (!allCount)
                found.fail(all, [&] { return notANumber(field(m, all)); });
            if (!compensatingCount)
                found.fail(compensating, [&] { return notANumber(field(m, compensating)); });
            if (allCount && compensatingCount && *allCount < *compensatingCount)
                found.fail(all, [&] {
                    return "всего " + field(m, all).displayText() + ", а в коррекционных группах "
                        + field(m, compensating).displayText();
                });
        }
}

// Every typed amount must pass the amounts' rule. The salary of other positions is stored as a
// single number; a text left in it is no number.
void checkNumericPay(const InstitutionModel& m, Findings& found)
{
    for (const FieldRef ref : checkedAmounts())
        if (const auto problem = amountProblem(field(m, ref)))
            found.fail(ref, [&] {
                switch (*problem) {
                case AmountProblem::Empty:
                    return std::string("поле не заполнено");
                case AmountProblem::TooLarge:
                    return "слишком большое число " + quoted(field(m, ref).displayText());
                case AmountProblem::NotANumber:
                    break;
                }
                return notANumber(field(m, ref));
            });
}

double flag(bool passed) noexcept { return passed ? 1.0 : 0.0; }

// Runs every check, each into its own findings; returns whether all passed.
bool check(const InstitutionModel& m, InputCheckResults* flags, std::vector<std::pair<int, Failure>>* lines)
{
    bool passed = true;
    const auto run = [&](auto&& one) {
        Findings found(lines);
        one(found);
        passed = passed && found.passed();
        return flag(found.passed());
    };
    EnumArray<GroupKind, double> direct{};
    for (GroupKind g : allOf<GroupKind>())
        direct[g] = run([&](Findings& f) { checkDirectHours(m, g, f); });
    const double positions = run([&](Findings& f) { checkPositionsForPayrolls(m, f); });
    const double services = run([&](Findings& f) { checkServiceCounts(m, f); });
    const double pay = run([&](Findings& f) { checkNumericPay(m, f); });
    if (flags) {
        flags->checkDirectHours = direct;
        flags->checkPositionsForPayroll = positions;
        flags->checkServiceCounts = services;
        flags->checkNumericPay = pay;
    }
    return passed;
}

} // namespace

bool runInputChecks(InstitutionModel& model) noexcept
{
    // Without lines nothing is allocated, so nothing can throw.
    return check(model, &model.results.checks, nullptr);
}

std::vector<Failure> inputCheckFindings(const InstitutionModel& model)
{
    std::vector<std::pair<int, Failure>> lines;
    check(model, nullptr, &lines);
    std::stable_sort(lines.begin(), lines.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<Failure> found;
    found.reserve(lines.size());
    for (auto& [step, failure] : lines)
        found.push_back(std::move(failure));
    return found;
}

std::vector<std::string> inputCheckFailures(const InstitutionModel& model)
{
    std::vector<std::string> texts;
    for (Failure& f : inputCheckFindings(model))
        texts.push_back(std::move(f.text));
    return texts;
}

} // namespace kvarton::calc
