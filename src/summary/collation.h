#pragma once

#include <string>
#include <string_view>

namespace kvarton::summary {

// A key that orders texts as a Russian reader expects a list: letters without regard to case,
// "ё" right after "е", Latin letters after Cyrillic ones as in a dictionary of either. Texts are
// UTF-8; what is not a letter keeps its place by its code. Compare keys with <.
std::u32string collationKey(std::string_view utf8);

} // namespace kvarton::summary
