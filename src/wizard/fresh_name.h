#pragma once

#include <QDir>
#include <QString>

namespace kvarton {

// The name of a new workbook in `folder`, after the moment and never after anything the learner
// typed: "<stem> 2026-12-09 14.05.31.xlsx", or "… (2).xlsx", "… (3).xlsx" when that name is taken,
// so that no file already there is ever replaced.
QString freshWorkbookName(const QDir& folder, const QString& stem);

} // namespace kvarton
