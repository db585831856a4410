#pragma once

namespace kvarton {

// Numbers in files follow the files' own notation, never the user's locale.
//
// libxlsxwriter prints every number of a workbook with the C library's printf, which follows the
// process's LC_NUMERIC: under a Russian or German locale 3.5 goes out as <v>3,5</v>, which no
// spreadsheet, nor this program's own reader, accepts. C and C++ programs start in the "C" locale;
// Qt's application object sets the locale from the environment on Linux (and a desktop's platform
// theme may do so again while the application object is made).

// Whether the C library prints and reads numbers in the files' notation: a decimal point and no
// grouping.
bool numbersInFileNotation() noexcept;

// Puts LC_NUMERIC back to "C" for the whole process and every thread, leaving the rest of the
// user's locale (letters, messages) as it is. Every program calls it right after its application
// object is made, before any other thread starts; the workbook writer refuses to write while
// numbersInFileNotation() is false rather than write a damaged file.
void useFileNotationForNumbers() noexcept;

} // namespace kvarton
