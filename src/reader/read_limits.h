#pragma once

#include "report/xlsx_text.h"

#include <cstddef>

namespace kvarton::reader {

// What a workbook from outside may ask of the program. A report of the program is some 10 KB
// packed and 60 KB unpacked, a copy re-saved by a spreadsheet program about as much; the limits
// leave room for a learner's notes and extra sheets, and keep a hostile file from taking more
// than a moment and some tens of megabytes.
struct ReadLimits {
    std::size_t fileBytes = std::size_t{16} << 20; // the file as it lies on disk
    std::size_t entries = 1000; // members of the zip package
    // One part, unpacked (only the parts read count): its parsed XML takes up to some 15 times as
    // much memory.
    std::size_t partBytes = std::size_t{4} << 20;
    std::size_t totalBytes = std::size_t{12} << 20; // every part read, unpacked
    // A part that unpacks to more than `ratioFrom` bytes may be at most `ratio` times its packed
    // size: sheets pack some 5 to 20 times, a zip bomb a thousand times.
    std::size_t ratio = 100;
    std::size_t ratioFrom = std::size_t{1} << 20;
    // A cell's text, measured as the writers measure it (report::cellTextLength), so that every
    // text a report is read with can be written again.
    std::size_t cellCharacters = report::kMaxCellText;
    int rows = 1048576; // the largest sheet a spreadsheet program makes
    int columns = 16384; // A … XFD
};

inline constexpr ReadLimits kReadLimits{};

} // namespace kvarton::reader
