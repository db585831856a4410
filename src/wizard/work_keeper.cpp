#include "work_keeper.h"

#include "test_switches.h"

#include "work/work_folder.h"
#include "work/work_writer.h"
#include "model/utf8_path.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QStandardPaths>

namespace kvarton {

namespace {

// Posted at the priority of the window's repaint and after it, so that it runs once the switched
// screen has been painted.
const QEvent::Type kSaveEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

WorkKeeper::WorkKeeper(WorksFolder folder, QObject* parent)
    : QObject(parent)
    , keeps_(!folder.path.empty() || !folder.unusable.isEmpty())
    , folder_(std::move(folder.path))
    , unusable_(std::move(folder.unusable))
{
    if (!keeps())
        return;
    writer_ = std::make_unique<work::WorkWriter>(
        [this](std::uint64_t, const std::optional<std::string>& problem) {
            if (!problem)
                return;
            const QString message = QString::fromStdString(*problem);
            // Called on the writer's thread: the message goes to the screens' thread.
            QMetaObject::invokeMethod(
                this, [this, message] { emit saveFailed(message); }, Qt::QueuedConnection);
        },
        [this](const work::SavedWork& work) { return newFile(work); });
}

WorkKeeper::~WorkKeeper() = default; // the writer writes what still waits before its thread ends

std::filesystem::path WorkKeeper::file() const
{
    const std::lock_guard lock(mutex_);
    return file_;
}

bool WorkKeeper::holds(const std::filesystem::path& file) const
{
    const std::lock_guard lock(mutex_);
    return !file.empty() && file == file_;
}

void WorkKeeper::beginNew(const InstitutionModel& model, work::KeptMembers kept)
{
    if (!keeps())
        return;
    letGo();
    kept_ = std::move(kept);
    wantsFile_ = true;
    saveSoon(model);
}

void WorkKeeper::resume(std::filesystem::path file, work::KeptMembers kept, WorkLock lock)
{
    if (!keeps())
        return;
    if (!holds(file)) {
        letGo();
        const std::lock_guard hold(mutex_);
        lock_ = std::move(lock);
        file_ = std::move(file);
    }
    kept_ = std::move(kept);
}

// The work kept so far is let go once what waits for its file has been written: from then on
// another copy of the program may continue it.
void WorkKeeper::letGo()
{
    if (writer_)
        writer_->waitUntilWritten();
    wantsFile_ = false;
    const std::lock_guard lock(mutex_);
    lock_.release();
    file_.clear();
}

// On the writer's thread: the new work's file, made under a name that this copy holds and that no
// work had. Holding a name waits for the disk, which the screens should not.
work::NewWorkFile WorkKeeper::newFile(const work::SavedWork& work)
{
    {
        const std::lock_guard lock(mutex_);
        if (!file_.empty()) // made by an earlier writing of the same work
            return {file_, {}};
    }
    if (!unusable_.isEmpty())
        return {{}, unusable_.toStdString()};
    WorkLock candidate;
    work::NewWorkFile made = work::createWorkFile(
        folder_, work, [&candidate](const std::filesystem::path& name) { return candidate.take(name); });
    if (!made.file.empty()) {
        const std::lock_guard lock(mutex_);
        file_ = made.file;
        lock_ = std::move(candidate);
    }
    return made;
}

void WorkKeeper::saveSoon(const InstitutionModel& model)
{
    if (!keeps() || (!wantsFile_ && file().empty()))
        return;
    if (!waiting_)
        QCoreApplication::postEvent(this, new QEvent(kSaveEvent), Qt::LowEventPriority);
    waiting_ = &model;
}

void WorkKeeper::customEvent(QEvent* event)
{
    if (event->type() != kSaveEvent)
        return QObject::customEvent(event);
    if (const InstitutionModel* model = std::exchange(waiting_, nullptr))
        hand(*model);
}

void WorkKeeper::saveNow(const InstitutionModel& model)
{
    if (!keeps() || (!wantsFile_ && file().empty()))
        return;
    waiting_ = nullptr;
    hand(model);
    writer_->waitUntilWritten();
}

void WorkKeeper::waitUntilSaved()
{
    if (writer_)
        writer_->waitUntilWritten();
}

void WorkKeeper::hand(const InstitutionModel& model)
{
    // Without a file yet, the writer makes the new work's.
    writer_->write(file(), work::captureWork(model, savedTimeNow(), kept_));
}

WorksFolder savedWorksFolder()
{
    if (const QString folder = testSwitches::worksFolder(); !folder.isEmpty())
        return {pathOf(folder)};
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#ifndef Q_OS_WIN
    // Without a home folder Qt names a folder under the root of the file system, which is no
    // learner's: a work saved there would be found by nobody, if it could be written at all.
    if (!QDir::isAbsolutePath(qEnvironmentVariable("XDG_DATA_HOME"))
        && !QDir::isAbsolutePath(qEnvironmentVariable("HOME")))
        return {pathOf(location),
            QStringLiteral("не задана домашняя папка (переменная окружения HOME), а сохраненные работы хранятся в "
                           "ней, в папке «.local/share/kvarton»")};
#endif
    if (!QDir::isAbsolutePath(location))
        return {pathOf(location),
            QStringLiteral("не найдена папка данных программы, в которой хранятся сохраненные работы (система "
                           "назвала «%1»)")
                .arg(location)};
    return {pathOf(location)};
}

QString pathText(const std::filesystem::path& path) { return QString::fromStdString(utf8Of(path)); }

std::filesystem::path pathOf(const QString& text) { return pathFromUtf8(text.toStdString()); }

work::SavedTime savedTimeNow()
{
    if (const QString fixed = testSwitches::saveTime(); !fixed.isEmpty())
        if (const auto t = work::parseIsoText(fixed.toStdString()))
            return *t;
    const QDateTime now = QDateTime::currentDateTime();
    return {now.toMSecsSinceEpoch(), now.offsetFromUtc() / 60};
}

} // namespace kvarton
