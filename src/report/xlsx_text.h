#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvarton::report {

// The code point that starts at `pos` and its length in bytes; length 0 for a byte that starts no
// valid UTF-8 sequence (overlong forms, surrogates and values past U+10FFFF included).
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Utf8Char decodeUtf8(std::string_view s, std::size_t pos) noexcept;

// A cell text as the xlsx format must store it so that it reads back exactly as given:
// characters XML cannot carry (U+0000–U+001F except tab and line feed, U+FFFE, U+FFFF) become
// "_xHHHH_", and the underscore of a literal "_xHHHH_" becomes "_x005F_". Bytes that are not
// UTF-8 become U+FFFD. libxlsxwriter 1.1.4 escapes the control characters itself but neither a
// literal "_xHHHH_" (which would read back as another character) nor U+FFFE/U+FFFF (which make
// the workbook unreadable), so all of it is done here, and the library finds nothing to escape.
std::string xlsxCellText(std::string_view utf8);

// The most a cell's text may hold: 32767 characters as spreadsheet programs count them (UTF-16
// code units) of the text as the file stores it. libxlsxwriter counts code points, never more.
// The reader of reports and every writer of workbooks measure a text with cellTextLength alone,
// so that a text read from a report is always written again.
inline constexpr std::size_t kMaxCellText = 32767;

// The length of xlsxCellText(utf8) in UTF-16 code units: an escaped character counts as the seven
// of its escape, a character beyond U+FFFF as two.
std::size_t cellTextLength(std::string_view utf8) noexcept;

// `utf8` whole when its cellTextLength is at most `maxLength` (at most kMaxCellText); otherwise
// its longest beginning, in whole characters, that fits with an ellipsis after it.
std::string fittingCellText(std::string_view utf8, std::size_t maxLength = kMaxCellText);

// A page header as the format stores it: "&C" centres it, the text as xlsxCellText stores it, a
// literal ampersand doubled. It may hold at most kMaxHeaderCharacters characters (code points).
inline constexpr std::size_t kMaxHeaderCharacters = 255;
std::string xlsxCentredHeader(std::string_view utf8);

// `utf8` cut short with an ellipsis where its stored header would hold more than `maxCharacters`
// (at most kMaxHeaderCharacters).
std::string fittingHeaderText(std::string_view utf8, std::size_t maxCharacters = kMaxHeaderCharacters);

} // namespace kvarton::report
