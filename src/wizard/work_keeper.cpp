#include "work_keeper.h"

#include "test_switches.h"

#include "work/work_folder.h"
#include "work/work_writer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QStandardPaths>

#include <system_error>

namespace kvarton {

namespace {

// Posted at the priority of the window's repaint and after it, so that it runs once the switched
// screen has been painted.
const QEvent::Type kSaveEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

WorkKeeper::WorkKeeper(std::filesystem::path folder, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
{
    if (!keeps())
        return;
    writer_ = std::make_unique<work::WorkWriter>([this](std::uint64_t, const std::optional<std::string>& problem) {
        if (!problem)
            return;
        const QString message = QString::fromStdString(*problem);
        // Called on the writer's thread: the message goes to the screens' thread.
        QMetaObject::invokeMethod(
            this, [this, message] { emit saveFailed(message); }, Qt::QueuedConnection);
    });
}

WorkKeeper::~WorkKeeper() = default; // the writer writes what still waits before its thread ends

void WorkKeeper::beginNew()
{
    if (!keeps())
        return;
    std::error_code ignored; // a folder that cannot be made shows as a failed save
    std::filesystem::create_directories(folder_, ignored);
    file_ = work::newWorkFile(folder_, savedTimeNow());
    kept_ = {};
}

void WorkKeeper::resume(std::filesystem::path file, work::KeptMembers kept)
{
    if (!keeps())
        return;
    file_ = std::move(file);
    kept_ = std::move(kept);
}

void WorkKeeper::saveSoon(const InstitutionModel& model)
{
    if (!keeps() || file_.empty())
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
    if (!keeps() || file_.empty())
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
    writer_->write(file_, work::captureWork(model, savedTimeNow(), kept_));
}

std::filesystem::path savedWorksFolder()
{
    if (const QString folder = testSwitches::worksFolder(); !folder.isEmpty())
        return pathOf(folder);
    return pathOf(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::filesystem::path pathOf(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const auto* begin = reinterpret_cast<const char8_t*>(utf8.constData());
    return std::filesystem::path(std::u8string(begin, begin + utf8.size()));
}

work::SavedTime savedTimeNow()
{
    if (const QString fixed = testSwitches::saveTime(); !fixed.isEmpty())
        if (const auto t = work::parseIsoText(fixed.toStdString()))
            return *t;
    const QDateTime now = QDateTime::currentDateTime();
    return {now.toMSecsSinceEpoch(), now.offsetFromUtc() / 60};
}

} // namespace kvarton
