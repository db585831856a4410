#include "work_removal.h"

#include "work_keeper.h"
#include "work_lock.h"

#include "work/durable_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <system_error>

namespace kvarton {

namespace {

QString qtPath(const std::filesystem::path& path) { return pathText(path); }

// A name in `folder` that nothing holds yet: the file's own, else "NAME (2).json" and on.
QString freeNameIn(const QDir& folder, const QFileInfo& file)
{
    QString name = file.fileName();
    for (int n = 2; folder.exists(name); ++n)
        name = QStringLiteral("%1 (%2).%3").arg(file.completeBaseName()).arg(n).arg(file.suffix());
    return folder.filePath(name);
}

bool moveAside(const QString& path)
{
    if (QFile::moveToTrash(path))
        return true;
    const QFileInfo info(path);
    QDir works = info.absoluteDir();
    const QString removed = QString::fromUtf16(kRemovedWorksFolder);
    if (!works.exists(removed) && !works.mkdir(removed))
        return false;
    return QFile::rename(path, freeNameIn(QDir(works.filePath(removed)), info));
}

} // namespace

std::optional<QString> removeWork(const std::filesystem::path& file)
{
    WorkLock lock;
    if (!lock.take(file))
        return QStringLiteral("Работа «%1» не удалена: она открыта в другом окне программы.")
            .arg(qtPath(file.filename()));
    // The work's own file last: an interruption leaves the work listed, never a stray version alone.
    for (const std::filesystem::path& version : {work::pendingVersionOf(file), work::previousVersionOf(file), file}) {
        const QString path = qtPath(version);
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            continue;
        if (!moveAside(path))
            return QStringLiteral("Работа «%1» не удалена: не удалось переместить файл «%2» в корзину или в папку "
                                  "«%3». Проверьте права на папку работ.")
                .arg(qtPath(file.filename()), QDir::toNativeSeparators(path), QString::fromUtf16(kRemovedWorksFolder));
    }
    return std::nullopt;
}

} // namespace kvarton
