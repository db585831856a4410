#include "menu_table.h"

#include <array>

namespace kvarton {

namespace {

using T = MenuTarget;

constexpr std::array<MenuEntry, 28> kMenu{{
    {"parametry", "", "Аналитические параметры", T::Submenu, 0},
    {"parametry1", "parametry", "Общеразвивающие группы", T::Submenu, 0},
    {"parametry11", "parametry1", "Обычный режим", T::Submenu, 0},
    {"parametry111", "parametry11", "Непосредственное оказание услуг", T::Step, 1},
    {"parametry112", "parametry11", "Прочее время работы", T::Step, 2},
    {"parametry12", "parametry1", "Краткосрочный режим", T::Submenu, 0},
    {"parametry121", "parametry12", "Непосредственное оказание услуг", T::Step, 3},
    {"parametry122", "parametry12", "Прочее время работы", T::Step, 4},
    {"parametry2", "parametry", "Коррекционные группы", T::Submenu, 0},
    {"parametry21", "parametry2", "Непосредственное оказание услуг", T::Step, 5},
    {"parametry22", "parametry2", "Прочее время работы", T::Step, 6},
    {"dannye", "", "Данные 2011", T::Submenu, 0},
    {"dannye1", "dannye", "Фонд оплаты труда", T::Step, 7},
    {"dannye2", "dannye", "Структура персонала", T::Step, 8},
    {"uslugi", "", "Услуги", T::Submenu, 0},
    {"uslugi1", "uslugi", "Бюджетное задание", T::Step, 9},
    {"uslugi2", "uslugi", "Оказываемые услуги", T::Step, 10},
    {"imitac", "", "Имитационные параметры", T::Submenu, 0},
    {"imitac1", "imitac", "Общие параметры", T::Step, 11},
    {"imitac2", "imitac", "Обслуживающий персонал", T::Step, 12},
    {"raschet", "", "Расчет", T::Submenu, 0},
    {"raschet1", "raschet", "Расчет ученико-часа", T::Step, 13},
    {"raschet2", "raschet", "Расчет стимулирующих выплат", T::Step, 14},
    {"raschet3", "raschet", "Нормативы финансирования", T::Step, 15},
    {"raschet4", "raschet", "Смета учреждения", T::Step, 16},
    {"inform", "", "Информация", T::Submenu, 0},
    {"inform1", "inform", "Справка", T::Help, 0},
    {"inform2", "inform", "Создать отчет", T::Report, 0},
}};

struct CaptionVariant {
    Screen screen;
    std::string_view name;
    std::string_view caption;
};

constexpr std::array<CaptionVariant, 8> kVariants{{
    {Screen::WorkingTime, "parametry11", "обычный режим"},
    {Screen::WorkingTime, "parametry12", "краткосрочный режим"},
    {Screen::WorkingTime, "parametry2", "Компенсирующие группы"},
    {Screen::Staff2011, "raschet1", "Расчет ученика-часа"},
    {Screen::Simulation, "dannye2", "Структрура персонала"},
    {Screen::Calculation, "parametry111", "Непосредственное предоставление услуг"},
    {Screen::Calculation, "parametry121", "Непосредственное предоставление услуг"},
    {Screen::Calculation, "parametry21", "Непосредственное предоставление услуг"},
}};

} // namespace

std::span<const MenuEntry> menuEntries() noexcept { return kMenu; }

std::string_view menuCaption(Screen screen, const MenuEntry& entry) noexcept
{
    for (const CaptionVariant& v : kVariants)
        if (v.screen == screen && v.name == entry.name)
            return v.caption;
    return entry.caption;
}

} // namespace kvarton
