#include "work_line.h"

#include "work_keeper.h"
#include "work_list_screen.h"

#include "summary/summary_rows.h"

#include <QStringList>

namespace kvarton {

namespace {

// The characters of an institution's name a line shows.
constexpr qsizetype kShownName = 80;

QString unreadable(const work::WorkEntry& entry)
{
    return QStringLiteral("«%1» не читается: %2")
        .arg(pathText(entry.file.filename()), QString::fromStdString(entry.problem));
}

QString shownName(const work::SavedWork& w)
{
    QString name = QString::fromStdString(w.institution).simplified();
    if (name.size() > kShownName)
        name = name.left(kShownName) + u'…';
    return name;
}

} // namespace

QString workLine(const work::WorkEntry& entry)
{
    if (!entry.work)
        return unreadable(entry);
    const work::SavedWork& w = *entry.work;
    const QString name = shownName(w);
    const QString region = w.region.empty() ? QStringLiteral("регион не выбран") : QString::fromStdString(w.region);
    return QStringLiteral("%1, «%2», шаг %3, %4")
        .arg(region, name)
        .arg(w.step)
        .arg(QString::fromStdString(work::russianText(w.saved)));
}

WorkRow workRow(const work::WorkEntry& entry)
{
    WorkRow row;
    if (!entry.work) {
        row.problem = unreadable(entry);
        return row;
    }
    const work::SavedWork& w = *entry.work;
    InstitutionModel person;
    person.surname = w.surname;
    person.firstInitial = w.firstInitial;
    person.patronymicInitial = w.patronymicInitial;
    row.learner = QString::fromStdString(summary::learnerName(person));
    row.institution = shownName(w);
    row.region = QString::fromStdString(w.region);
    row.step = w.step;
    row.saved = QString::fromStdString(work::russianText(w.saved));
    row.fromReport = !w.fromReport.empty();
    return row;
}

QString skippedText(const work::WorkListing& listing, const std::filesystem::path& folder)
{
    // A folder of many such entries is no learner's: the first ones say enough.
    constexpr std::size_t kShown = 10;
    QStringList lines;
    for (std::size_t i = 0; i < listing.skipped.size() && i < kShown; ++i)
        lines << QStringLiteral("«%1»: %2")
                     .arg(QString::fromStdString(listing.skipped[i].name),
                         QString::fromStdString(listing.skipped[i].reason));
    if (listing.skipped.size() > kShown)
        lines << QStringLiteral("и другие, всего %1").arg(listing.skipped.size());
    if (listing.cutShort)
        lines << QStringLiteral("остальные файлы папки: их слишком много, чтобы просмотреть все");
    if (lines.isEmpty())
        return {};
    return QStringLiteral("В папке «%1» пропущены:\n").arg(pathText(folder)) + lines.join(u'\n');
}

} // namespace kvarton
