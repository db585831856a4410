#include "numeric_locale.h"

#include <clocale>
#include <cstring>

namespace kvarton {

bool numbersInFileNotation() noexcept
{
    const std::lconv* conventions = std::localeconv();
    return conventions && std::strcmp(conventions->decimal_point, ".") == 0 && conventions->thousands_sep[0] == '\0';
}

void useFileNotationForNumbers() noexcept { std::setlocale(LC_NUMERIC, "C"); }

} // namespace kvarton
