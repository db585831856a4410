#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace kvarton {

// The folder, inside the works' folder, that takes removed works where the system has no trash.
// The list of works passes over it: it holds no name a work has.
inline constexpr char16_t kRemovedWorksFolder[] = u"удаленные";

// Removes the saved work of `file` with its previous and pending versions: into the system's
// trash where there is one, else into the folder «удаленные» beside the works, under names that
// replace nothing there. The work is held first (WorkLock), so that a work another window shows is
// never taken from under it. Returns why it was not removed, in Russian; a version already moved
// stays moved (the work it leaves reads as its newest version that remains).
std::optional<QString> removeWork(const std::filesystem::path& file);

} // namespace kvarton
