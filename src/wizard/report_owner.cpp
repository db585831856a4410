#include "report_owner.h"

#include "number_sign.h"

#include "summary/summary_rows.h"

#include <QStringList>

namespace kvarton {

QString reportOwnerLine(const InstitutionModel& work)
{
    if (work.reportFile.empty())
        return {};
    const QString learner = QString::fromStdString(summary::learnerName(work));
    QStringList whose{learner.isEmpty() ? QStringLiteral("фамилия не указана") : learner};
    for (const std::string* text : {&work.institutionName, &work.regionName})
        if (const QString t = QString::fromStdString(*text).simplified(); !t.isEmpty())
            whose << t;
    return keptWithNumber(QStringLiteral("Отчет слушателя: %1 — файл «%2»")
                              .arg(whose.join(QStringLiteral(", ")), QString::fromStdString(work.reportFile)));
}

} // namespace kvarton
