#pragma once

#include "model/institution_model.h"

#include <string>
#include <variant>
#include <vector>

namespace kvarton::summary {

// A figure as its label shows it: a number (the screen's rounded value), a text shown in place of a
// number ("-"), or nothing where the step showed its error panel.
using SummaryValue = std::variant<std::monostate, double, std::string>;

// One report: whose it is, and its figures in the order of summaryColumns().
struct SummaryRow {
    std::string fileName;
    std::string region;
    std::string institution;
    std::string learner; // "Иванова А. Б."
    std::vector<SummaryValue> figures;
    std::string note; // the steps that showed the error panel instead of their figures
    std::string path = {}; // as given to summarizeFile, to open the report from its row
};

// A file that gave no row, and why, in the words the program uses when opening it.
struct UnreadFile {
    std::string fileName;
    std::string folder;
    std::string reason;
    bool ownSummary = false; // a summary this program wrote: passed over, never listed as not read
};

using FileSummary = std::variant<SummaryRow, UnreadFile>;

// The row of a work, computed on a copy of it as the screens compute when a learner takes every
// option of steps 13–16 (calc::allResults).
SummaryRow summaryRow(std::string fileName, const InstitutionModel& work);

// Reads the report at `path` (UTF-8) within the reader's limits and computes its row. Pure: many
// files may be summarized on as many threads at once. Never throws.
FileSummary summarizeFile(const std::string& path) noexcept;

// Rows in the order of the summary: by region, then institution, then learner, then file name,
// each as a Russian list orders it.
void sortRows(std::vector<SummaryRow>& rows);

// The learner's name as the summary shows it: the surname and the initials, each initial
// followed by its full stop ("Иванова", "А", "Б." → "Иванова А. Б.").
std::string learnerName(const InstitutionModel& work);

} // namespace kvarton::summary
