#pragma once

#include <QDir>
#include <QString>

namespace kvarton {

// The name of a new workbook in `folder`, the stem followed by the moment: "<stem> 2026-12-09
// 14.05.31.xlsx" (or "<stem> — 2026-…" with that separator), or "… (2).xlsx", "… (3).xlsx" when that
// name is taken, so that no file already there is ever replaced. A stem made of what a learner
// typed is made a safe file name first (report::reportFileStem).
QString freshWorkbookName(const QDir& folder, const QString& stem, const QString& separator = QStringLiteral(" "));

} // namespace kvarton
