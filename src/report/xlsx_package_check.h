#pragma once

#include <string_view>

namespace kvarton::report {

// Whether `bytes` is a whole .xlsx package: a zip whose every member inflates to its recorded
// size and checksum, and whose every XML member is a complete document (ends with the end tag of
// its root). libxlsxwriter 1.1.4 builds each part in a temporary file and ignores failed writes
// to it, so on a full temporary disk it reports success for a workbook with a cut-off part; this
// is how such a workbook is caught.
bool isCompleteXlsxPackage(std::string_view bytes);

} // namespace kvarton::report
