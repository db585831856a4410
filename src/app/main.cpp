#include "model/defaults.h"
#include "model/regions.h"

#include <cstdio>
#include <string>

// Until the screens exist: prints what the model holds for a region.
int main(int argc, char** argv)
{
    using namespace kvarton;
    const std::string region = argc > 1 ? argv[1] : "г. Санкт-Петербург";
    InstitutionModel m;
    m.regionName = region;
    m.regionCoefficient = regionCoefficient(region);
    resetToDefaults(m);
    std::printf("%s: ФОТ педперсонала 2011 %s, оклад бухгалтера %s\n", region.c_str(),
                m.payroll2011PedTotal.displayText().c_str(),
                m.serviceSalary[ServicePosition::Accountant].displayText().c_str());
    return 0;
}
