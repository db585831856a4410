#pragma once

#include "step_table.h"

#include <span>
#include <string_view>

namespace kvarton {

// What choosing a menu entry does.
enum class MenuTarget { Submenu, Step, Help, Report };

// The menu every step screen carries, in the order it shows.
struct MenuEntry {
    std::string_view name; // objectName of the menu or action
    std::string_view parent; // empty for a top menu
    std::string_view caption;
    MenuTarget target;
    int step; // for MenuTarget::Step
};

std::span<const MenuEntry> menuEntries() noexcept;

// The caption of an entry on one screen: a few screens spell some entries their own way.
std::string_view menuCaption(Screen screen, const MenuEntry& entry) noexcept;

} // namespace kvarton
