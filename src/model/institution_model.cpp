#include "institution_model.h"

#include <vector>

namespace kvarton {

namespace {

template <typename Model>
auto& fieldOf(Model& m, FieldRef r)
{
    switch (r.family()) {
    case Field::DirectStayHours:
        return m.directStayHours.at(r.index(0));
    case Field::DirectHours:
        return m.directHours.at(r.index(0)).at(r.index(1));
    case Field::OtherStayHours:
        return m.otherStayHours.at(r.index(0));
    case Field::OtherHours:
        return m.otherHours.at(r.index(0)).at(r.index(1));
    case Field::Payroll2011PedTotal:
        return m.payroll2011PedTotal;
    case Field::Payroll2011:
        return m.payroll2011.at(r.index(0));
    case Field::Payroll2011Admin:
        return m.payroll2011Admin;
    case Field::Payroll2011Medical:
        return m.payroll2011Medical;
    case Field::Payroll2011Service:
        return m.payroll2011Service;
    case Field::Positions2011PedTotal:
        return m.positions2011PedTotal;
    case Field::Positions2011:
        return m.positions2011.at(r.index(0));
    case Field::Positions2011Admin:
        return m.positions2011Admin;
    case Field::Positions2011Medical:
        return m.positions2011Medical;
    case Field::Positions2011Service:
        return m.positions2011Service;
    case Field::AssignedServices:
        return m.assignedServices.at(r.index(0)).at(r.index(1));
    case Field::ProvidedServices:
        return m.providedServices.at(r.index(0)).at(r.index(1)).at(r.index(2));
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
        return m.groupSize.at(r.index(0)).at(r.index(1));
    case Field::ServicePositions:
        return m.servicePositions.at(r.index(0));
    case Field::ServiceSalary:
        return m.serviceSalary.at(r.index(0));
    case Field::RegionalNormative:
        return m.regionalNormative.at(r.index(0)).at(r.index(1)).at(r.index(2));
    }
    return m.payroll2011PedTotal; // unreachable: every Field is handled above
}

} // namespace

ModelValue& field(InstitutionModel& model, FieldRef r) { return fieldOf(model, r); }
const ModelValue& field(const InstitutionModel& model, FieldRef r) { return fieldOf(model, r); }

std::span<const FieldRef> inputFields()
{
    static const std::vector<FieldRef> inputs = [] {
        using namespace fields;
        std::vector<FieldRef> all;
        for (GroupKind g : allOf<GroupKind>()) {
            all.push_back(directStayHours(g));
            for (StaffRole r : allOf<StaffRole>())
                all.push_back(directHours(g, r));
            all.push_back(otherStayHours(g));
            for (StaffRole r : allOf<StaffRole>())
                all.push_back(otherHours(g, r));
        }
        all.push_back(payroll2011PedTotal());
        for (StaffRole r : allOf<StaffRole>())
            all.push_back(payroll2011(r));
        all.insert(all.end(), {payroll2011Admin(), payroll2011Medical(), payroll2011Service()});
        all.push_back(positions2011PedTotal());
        for (StaffRole r : allOf<StaffRole>())
            all.push_back(positions2011(r));
        all.insert(all.end(), {positions2011Admin(), positions2011Medical(), positions2011Service()});
        for (StayRegime s : allOf<StayRegime>())
            for (AgeGroup a : allOf<AgeGroup>())
                all.push_back(assignedServices(s, a));
        for (AgeGroup a : allOf<AgeGroup>())
            for (GroupOrientation o : allOf<GroupOrientation>())
                for (StayMode m : allOf<StayMode>())
                    all.push_back(providedServices(a, o, m));
        all.insert(all.end(),
            {incentiveShareNonPed(), specialPartSharePed(), compensationSharePed(), awardsSharePed(),
                deputySalaryCoefficient(), adminPayrollTeachingShare(), servicePayrollTeachingShare(),
                materialCostsPercentOfPedPayroll(), materialCostsTeachingShare(), pedSalaryGrowthPercent2012(),
                monthsPerYear(), daysPerWeek()});
        for (GroupOrientation o : allOf<GroupOrientation>())
            for (AgeBand b : allOf<AgeBand>())
                all.push_back(groupSize(o, b));
        for (ServicePosition p : allOf<ServicePosition>()) {
            all.push_back(servicePositions(p));
            if (hasSalary(p))
                all.push_back(serviceSalary(p));
        }
        return all;
    }();
    return inputs;
}

bool isSingleField(FieldRef r) noexcept
{
    return r == fields::otherHours(GroupKind::Compensating, StaffRole::TeacherAssistant)
        || r == fields::positions2011Service()
        || r == fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver)
        || r == fields::serviceSalary(ServicePosition::OtherPositions) || r.family() == Field::RegionalNormative;
}

void commitText(InstitutionModel& model, FieldRef r, const std::string& text)
{
    field(model, r) = isSingleField(r) ? ModelValue::singleFromText(text) : ModelValue::text(text);
}

} // namespace kvarton
