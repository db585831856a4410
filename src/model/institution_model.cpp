#include "institution_model.h"

#include <vector>

namespace kvarton {

namespace {

template <typename Model>
auto& fieldOf(Model& m, FieldRef r)
{
    switch (r.field) {
    case Field::DirectStayHours:
        return m.directStayHours.at(r.i);
    case Field::DirectHours:
        return m.directHours.at(r.i).at(r.j);
    case Field::OtherStayHours:
        return m.otherStayHours.at(r.i);
    case Field::OtherHours:
        return m.otherHours.at(r.i).at(r.j);
    case Field::Payroll2011PedTotal:
        return m.payroll2011PedTotal;
    case Field::Payroll2011:
        return m.payroll2011.at(r.i);
    case Field::Payroll2011Admin:
        return m.payroll2011Admin;
    case Field::Payroll2011Medical:
        return m.payroll2011Medical;
    case Field::Payroll2011Service:
        return m.payroll2011Service;
    case Field::Positions2011PedTotal:
        return m.positions2011PedTotal;
    case Field::Positions2011:
        return m.positions2011.at(r.i);
    case Field::Positions2011Admin:
        return m.positions2011Admin;
    case Field::Positions2011Medical:
        return m.positions2011Medical;
    case Field::Positions2011Service:
        return m.positions2011Service;
    case Field::AssignedServices:
        return m.assignedServices.at(r.i).at(r.j);
    case Field::ProvidedServices:
        return m.providedServices.at(r.i).at(r.j).at(r.k);
    case Field::IncentiveShareNonPed:
        return m.incentiveShareNonPed;
    case Field::SpecialPartSharePed:
        return m.specialPartSharePed;
    case Field::CompensationSharePed:
        return m.compensationSharePed;
    case Field::AwardsSharePed:
        return m.awardsSharePed;
    case Field::DeputySalaryCoefficient:
        return m.deputySalaryCoefficient;
    case Field::AdminPayrollTeachingShare:
        return m.adminPayrollTeachingShare;
    case Field::ServicePayrollTeachingShare:
        return m.servicePayrollTeachingShare;
    case Field::MaterialCostsPercentOfPedPayroll:
        return m.materialCostsPercentOfPedPayroll;
    case Field::MaterialCostsTeachingShare:
        return m.materialCostsTeachingShare;
    case Field::PedSalaryGrowthPercent2012:
        return m.pedSalaryGrowthPercent2012;
    case Field::MonthsPerYear:
        return m.monthsPerYear;
    case Field::DaysPerWeek:
        return m.daysPerWeek;
    case Field::GroupSize:
        return m.groupSize.at(r.i).at(r.j);
    case Field::ServicePositions:
        return m.servicePositions.at(r.i);
    case Field::ServiceSalary:
        return m.serviceSalary.at(r.i);
    case Field::RegionalNormative:
        return m.regionalNormative.at(r.i).at(r.j).at(r.k);
    }
    return m.payroll2011PedTotal; // unreachable: every Field is handled above
}

} // namespace

ModelValue& field(InstitutionModel& model, FieldRef r) { return fieldOf(model, r); }
const ModelValue& field(const InstitutionModel& model, FieldRef r) { return fieldOf(model, r); }

std::span<const FieldRef> inputFields()
{
    static const std::vector<FieldRef> fields = [] {
        std::vector<FieldRef> all;
        for (GroupKind g : allOf<GroupKind>()) {
            for (Field stay : {Field::DirectStayHours, Field::OtherStayHours}) {
                all.push_back(ref(stay, g));
                for (StaffRole r : allOf<StaffRole>())
                    all.push_back(ref(stay == Field::DirectStayHours ? Field::DirectHours : Field::OtherHours, g, r));
            }
        }
        for (Field f : {Field::Payroll2011, Field::Positions2011}) {
            all.push_back(ref(f == Field::Payroll2011 ? Field::Payroll2011PedTotal : Field::Positions2011PedTotal));
            for (StaffRole r : allOf<StaffRole>())
                all.push_back(ref(f, r));
            const bool pay = f == Field::Payroll2011;
            all.push_back(ref(pay ? Field::Payroll2011Admin : Field::Positions2011Admin));
            all.push_back(ref(pay ? Field::Payroll2011Medical : Field::Positions2011Medical));
            all.push_back(ref(pay ? Field::Payroll2011Service : Field::Positions2011Service));
        }
        for (StayRegime s : allOf<StayRegime>())
            for (AgeGroup a : allOf<AgeGroup>())
                all.push_back(ref(Field::AssignedServices, s, a));
        for (AgeGroup a : allOf<AgeGroup>())
            for (GroupOrientation o : allOf<GroupOrientation>())
                for (StayMode m : allOf<StayMode>())
                    all.push_back(ref(Field::ProvidedServices, a, o, m));
        for (auto f = static_cast<int>(Field::IncentiveShareNonPed); f <= static_cast<int>(Field::DaysPerWeek); ++f)
            all.push_back(ref(static_cast<Field>(f)));
        for (GroupOrientation o : allOf<GroupOrientation>())
            for (AgeBand b : allOf<AgeBand>())
                all.push_back(ref(Field::GroupSize, o, b));
        for (ServicePosition p : allOf<ServicePosition>()) {
            all.push_back(ref(Field::ServicePositions, p));
            if (hasSalary(p))
                all.push_back(ref(Field::ServiceSalary, p));
        }
        return all;
    }();
    return fields;
}

bool isSingleField(FieldRef r) noexcept
{
    return r == ref(Field::OtherHours, GroupKind::Compensating, StaffRole::TeacherAssistant)
        || r == ref(Field::Positions2011Service)
        || r == ref(Field::GroupSize, GroupOrientation::Compensating, AgeBand::ThreeAndOver)
        || r == ref(Field::ServiceSalary, ServicePosition::OtherPositions) || r.field == Field::RegionalNormative;
}

void commitText(InstitutionModel& model, FieldRef r, const std::string& text)
{
    field(model, r) = isSingleField(r) ? ModelValue::singleFromText(text) : ModelValue::text(text);
}

} // namespace kvarton
