#pragma once

#include <QByteArray>
#include <QString>

namespace kvarton {

// The text of a small file a teacher saved with a Windows editor, in whichever encoding it chose:
// the one its byte order mark names (UTF-8, UTF-16, UTF-32), else UTF-8 when the bytes are valid
// UTF-8, else Windows-1251, which Notepad on a Russian Windows saves as "ANSI". A byte that is no
// character of the encoding decodes as U+FFFD.
QString decodedText(const QByteArray& bytes);

} // namespace kvarton
