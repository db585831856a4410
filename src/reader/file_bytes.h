#pragma once

#include "refusal.h"

#include <cstddef>
#include <string>

namespace kvarton::reader {

// The bytes of the file at `path` (UTF-8 on every system, so that no name is lost to a code page),
// refused when there are more than `limit` of them, without reading them.
Read<std::string> readFileBytes(const std::string& path, std::size_t limit);

} // namespace kvarton::reader
