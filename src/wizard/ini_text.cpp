#include "ini_text.h"

#include "text_encoding.h"

#include <QStringTokenizer>

namespace kvarton {

namespace {

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.sliced(1, value.size() - 2);
    return value;
}

} // namespace

std::optional<QString> iniValue(const QByteArray& text, QStringView name)
{
    const QString content = decodedText(text);
    std::optional<QString> found;
    QString prefix; // "section/" of the lines that follow
    bool readable = true; // false under a broken section line, whose keys belong nowhere
    for (QStringView line : QStringTokenizer(content, u'\n')) {
        line = line.trimmed(); // also the '\r' of Windows line ends
        if (line.isEmpty() || line.front() == u';' || line.front() == u'#')
            continue;
        if (line.front() == u'[') {
            readable = line.size() > 2 && line.back() == u']';
            if (readable)
                prefix = line.sliced(1, line.size() - 2).trimmed().toString() + u'/';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!readable || equals <= 0)
            continue;
        QString key = prefix;
        key += line.first(equals).trimmed();
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            found = unquoted(line.sliced(equals + 1).trimmed()).toString();
    }
    return found;
}

} // namespace kvarton
