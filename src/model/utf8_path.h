#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kvarton {

// Paths travel through the program as UTF-8 and meet the file system only as std::filesystem::path,
// so that no path passes through a Windows code page on its way.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

} // namespace kvarton
