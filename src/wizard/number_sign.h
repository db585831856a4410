#pragma once

#include <QRegularExpression>
#include <QString>

namespace kvarton {

// An institution's "№ 7" never parts at the end of a shown line: the blanks after "№" become one
// no-break space.
inline QString keptWithNumber(QString text)
{
    static const QRegularExpression blanksAfterSign(QStringLiteral("№\\s+"));
    return text.replace(blanksAfterSign, QStringLiteral("№\u00A0"));
}

} // namespace kvarton
