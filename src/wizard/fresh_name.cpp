#include "fresh_name.h"

#include <QDateTime>

namespace kvarton {

QString freshWorkbookName(const QDir& folder, const QString& stem, const QString& separator)
{
    const QString dated
        = stem + separator + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString name = dated + QStringLiteral(".xlsx");
    for (int n = 2; folder.exists(name); ++n)
        name = dated + QStringLiteral(" (%1).xlsx").arg(n);
    return name;
}

} // namespace kvarton
