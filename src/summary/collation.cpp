#include "collation.h"

namespace kvarton::summary {

namespace {

// Decodes one UTF-8 character at `at`; a broken sequence counts as U+FFFD, one byte long.
char32_t next(std::string_view s, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(at);
    std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > s.size()) {
        ++at;
        return U'\uFFFD';
    }
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return U'\uFFFD';
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return c;
}

// Letters are spread out (twice their code) so that "ё" finds room between "е" and "ж"; Latin
// letters move behind the Cyrillic ones.
char32_t weight(char32_t c)
{
    if (c >= U'А' && c <= U'Я')
        c += U'а' - U'А';
    if (c == U'Ё')
        c = U'ё';
    if (c >= U'A' && c <= U'Z')
        c += U'a' - U'A';
    if (c == U'ё')
        return 2 * U'е' + 1;
    if (c >= U'а' && c <= U'я')
        return 2 * c;
    if (c >= U'a' && c <= U'z')
        return 2 * U'я' + 2 + 2 * (c - U'a');
    return c < U'a' ? c : 2 * U'я' + 2 + 2 * 26 + c; // digits, blanks and marks before letters
}

} // namespace

std::u32string collationKey(std::string_view utf8)
{
    std::u32string key;
    key.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
        key.push_back(weight(next(utf8, at)));
    return key;
}

} // namespace kvarton::summary
