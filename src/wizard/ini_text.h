#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace kvarton {

// The value of `name` ("section/key", or "key" before any section) in the text of an INI file as
// a teacher writes it by hand: "[section]" lines, "key = value" lines, whole-line comments
// starting with ';' or '#', blanks around names and values ignored, one pair of double quotes
// around a value removed, names compared without regard to case. The last line naming the key
// counts. The text is in any encoding a Windows editor saves it in (decodedText: UTF-8 with or
// without a byte order mark, UTF-16 with one, Windows-1251). Empty when the key is missing; a
// value with a byte that is no character in the file's encoding is returned as it decodes (with
// U+FFFD), for the caller to refuse.
std::optional<QString> iniValue(const QByteArray& text, QStringView name);

} // namespace kvarton
