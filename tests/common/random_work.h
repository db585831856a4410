#pragma once

#include "calc/step_view.h"

#include "model/institution_model.h"

#include "model/list_items.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace kvarton::test {

// A random institution a learner could enter: list items in every list, typed amounts (whole
// roubles, at times kopecks, now and then an odd text), positions and payrolls that mostly agree.
// The same seed gives the same work on every platform.
class RandomWork final {
public:
    explicit RandomWork(std::uint32_t seed);

    // Every input at a random value, starting from the St Petersburg defaults; identity empty.
    InstitutionModel model();
    // A whole work: a random region (its defaults), identity texts, then random inputs as above.
    InstitutionModel work();

    calc::NormativeGroup group();
    calc::Method method();
    StayRegime view();

    int pick(int n);
    bool chance(double p);

private:
    const std::string& item(ListKind kind);
    void list(InstitutionModel& m, FieldRef f, ListKind kind);
    void mostlyZero(InstitutionModel& m, FieldRef f, ListKind kind, double zeroShare = 0.6);
    void amount(InstitutionModel& m, FieldRef f);
    void staff(InstitutionModel& m, FieldRef payroll, FieldRef positions, double zeroShare = 0.6);
    void randomInputs(InstitutionModel& m);

    std::mt19937 rng_;
    bool kopecks_ = false; // amounts with up to four decimals, as accountants type them
};

// Texts a learner may type into the payroll and salary fields, or into a list that accepts typing.
extern const std::array<std::string, 14> kOddTexts;

} // namespace kvarton::test
