#pragma once

#include "work/work_folder.h"

#include <QString>

#include <filesystem>

namespace kvarton {

// A saved work as the start screen and the works list name it: region, institution, step, date
// and time; or the file and why it cannot be read.
QString workLine(const work::WorkEntry& entry);

// The same work as a row of the works' table: learner, institution, region, step, saved at, and
// whether the teacher made it of a report.
struct WorkRow;
WorkRow workRow(const work::WorkEntry& entry);

// The entries of the works' folder that the list passes over, each named with the reason, under
// the folder's whole path; "" when there are none.
QString skippedText(const work::WorkListing& listing, const std::filesystem::path& folder);

} // namespace kvarton
