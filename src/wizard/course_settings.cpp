#include "course_settings.h"

#include "ini_text.h"
#include "kvarton_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace kvarton {

namespace {

// A settings file holds a few lines; anything larger is not one and is not read into memory.
constexpr qint64 kMaxFileBytes = 64 * 1024;
// Longer than any address a course uses, short enough to stay on a few lines of its screen.
constexpr qsizetype kMaxValueLength = 200;

struct Setting {
    const char16_t* name;
    QString CourseSettings::*field;
};
constexpr Setting kSettings[] = {
    {u"course/email", &CourseSettings::email},
    {u"course/materials", &CourseSettings::materials},
};

std::optional<QByteArray> readSettingsFile(const QString& path)
{
    // A folder, a pipe or a device under the name is not a settings file; reading a pipe would wait.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.read(kMaxFileBytes + 1);
    if (text.size() > kMaxFileBytes)
        return std::nullopt;
    return text;
}

// Control and formatting characters (a line break, a direction override that would show the
// address reversed) and the marks of undecodable bytes make an address the learner cannot trust.
bool usable(const QString& value)
{
    if (value.trimmed().isEmpty() || value.size() > kMaxValueLength)
        return false;
    for (const QChar c : value) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Other_NotAssigned
            || c == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

} // namespace

CourseSettings readCourseSettings(const QStringList& files, const CourseSettings& fallback)
{
    CourseSettings result = fallback;
    bool found[std::size(kSettings)] = {};
    for (const QString& path : files) {
        const std::optional<QByteArray> text = readSettingsFile(path);
        if (!text)
            continue;
        for (std::size_t i = 0; i < std::size(kSettings); ++i) {
            const std::optional<QString> value = found[i] ? std::nullopt : iniValue(*text, kSettings[i].name);
            if (value && usable(*value)) {
                result.*kSettings[i].field = *value;
                found[i] = true;
            }
        }
    }
    return result;
}

QStringList courseSettingsFiles()
{
    QStringList files;
#ifdef Q_OS_WIN
    files << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kvarton.ini"));
#endif
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << QDir(folder).filePath(QStringLiteral("Kvarton/kvarton.ini"));
    return files;
}

CourseSettings builtInCourseSettings()
{
    return {QString::fromUtf8(KVARTON_COURSE_EMAIL), QString::fromUtf8(KVARTON_SUPPORT_PORTAL)};
}

CourseSettings courseSettings() { return readCourseSettings(courseSettingsFiles(), builtInCourseSettings()); }

} // namespace kvarton
