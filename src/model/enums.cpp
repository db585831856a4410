#include "enums.h"

namespace kvarton {

namespace {

constexpr std::array<RoleTexts, kCount<StaffRole>> kRoleTexts{{
    {"Воспитатель", "Воспитатели"},
    {"Музыкальный руководитель", "Музыкальные руководители"},
    {"Инструктор - методист", "Методисты"},
    {"Инструктор по физкультуре", "Инструктора по физкультуре"},
    {"Концертмейстер", "Концертмейстеры"},
    {"Педагог доп. образования", "Педагоги доп. Образования"},
    {"Педагог - организатор", "Педагоги - организаторы"},
    {"Социальный педагог", "Социальные педагоги"},
    {"Педагог - психолог", "Педагоги - психологи"},
    {"Рук физ. воспитания", "Физкультурные руководители"},
    {"Дефектолог, логопед", "Дефектологи, логопеды"},
    {"Помощник воспитателя, няня", "Помощники воспитателей, няни"},
}};

constexpr std::array<GroupKindTexts, kCount<GroupKind>> kGroupKindTexts{{
    {"ОБЩЕРАЗВИВАЮЩИХ", "Дневные группы"},
    {"КРАТКОСРОЧНЫХ", "Краткосрочные группы"},
    {"КОРРЕКЦИОННЫХ", "Коррекционные группы"},
}};

constexpr std::array<OrientationTexts, kCount<GroupOrientation>> kOrientationTexts{{
    {"Общеразвивающие группы", "Общеразвивающая группа"},
    {"Коррекционные группы", "Коррекционная группа"},
}};

constexpr std::array<RegimeTexts, kCount<StayRegime>> kRegimeTexts{{
    {"Краткосрочные группы", "Краткосрочные группы:"},
    {"Группы с дневным режимом", "Дневные группы:"},
}};

constexpr std::array<AgeGroupTexts, kCount<AgeGroup>> kAgeGroupTexts{{
    {"Младшая группа (от 1,5 до 3 лет)", "Младшая группа (1,5-3)"},
    {"Средняя группа (от 3 до 5 лет)", "Средняя группа (3-5)"},
    {"Старшая группа (от 5 до 7 лет)", "Старшая группа (5-7)"},
}};

constexpr std::array<std::string_view, kCount<AgeBand>> kAgeBandTexts{"до 3-х лет", "старше 3-х лет"};

constexpr std::array<StayModeInfo, kCount<StayMode>> kStayModes{{
    {3, StayRegime::ShortTerm, "3 часа", "3 часа"},
    {4, StayRegime::ShortTerm, "4 часа", "4 часа"},
    {5, StayRegime::ShortTerm, "5 часов", "5 часов"},
    {6, StayRegime::ShortTerm, "6 часов", "6 часов"},
    {8, StayRegime::Day, "8 часов", "8 часов"},
    {10, StayRegime::Day, "10 часов", "10 часов"},
    {10.5, StayRegime::Day, "10,5 часов", "(10,5)"},
    {12, StayRegime::Day, "12 часов", "12 часов"},
    {14, StayRegime::Day, "14 часов", "14 часов"},
    {24, StayRegime::Day, "24 часа", "24 часа"},
}};

constexpr std::array<ServicePositionTexts, kCount<ServicePosition>> kServiceTexts{{
    {"Зам. руководителя по воспитанию, метод работе", "Заместители руководителя по воспитанию, методической работе"},
    {"Зам. руководителя по хозяйству, безопасности", "Заместители руководителя по хозяйству, безопасности"},
    {"Бухгалтер, экономист", "Бухгалтера"},
    {"Делопроизводитель, документовод, кассир", "Делопроизводители"},
    {"Медперсонал", "Медицинский персонал"},
    {"Шеф-повар", "Шеф-повар"},
    {"Работник по приготовлению питания", "Работники питания"},
    {"Кладовщик", "Кладовщики"},
    {"Кастелянша", "Кастельянши"},
    {"Работник по стирке белья", "Рабочие по стирке белья"},
    {"Грузчик", "Грузчики"},
    {"Рабочий по ремонту, обслуживанию зданий", "Рабочие по ремонту, обслуживанию зданий"},
    {"Прочие ставки, в том числе садовники, истопники, кочегары, водители, уборщики, сторожа и др.", "Прочие ставки"},
}};

} // namespace

const RoleTexts& texts(StaffRole r) noexcept { return kRoleTexts[ix(r)]; }
const GroupKindTexts& texts(GroupKind k) noexcept { return kGroupKindTexts[ix(k)]; }
const OrientationTexts& texts(GroupOrientation o) noexcept { return kOrientationTexts[ix(o)]; }
const RegimeTexts& texts(StayRegime s) noexcept { return kRegimeTexts[ix(s)]; }
const AgeGroupTexts& texts(AgeGroup a) noexcept { return kAgeGroupTexts[ix(a)]; }
std::string_view text(AgeBand b) noexcept { return kAgeBandTexts[ix(b)]; }
const StayModeInfo& info(StayMode m) noexcept { return kStayModes[ix(m)]; }
const ServicePositionTexts& texts(ServicePosition p) noexcept { return kServiceTexts[ix(p)]; }

} // namespace kvarton
