#pragma once

#include <QStringList>

namespace kvarton {

// `kvarton --summary OUT.xlsx FILE_OR_FOLDER…`, with no window and no display: `arguments` are
// the words after --summary. Writes the summary to OUT.xlsx (never over an existing file) and
// tells on standard error, in Russian, what it wrote and which files it could not read. Exit
// status 0 when every file was read, 1 when some were not, 2 when nothing could be written.
int runSummaryCommand(const QStringList& arguments);

} // namespace kvarton
