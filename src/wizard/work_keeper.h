#pragma once

#include "work_lock.h"

#include "model/institution_model.h"
#include "work/saved_work.h"
#include "work/work_folder.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <mutex>

namespace kvarton {

namespace work {
class WorkWriter;
}

// The folder of saved works, or why the program has none it can use.
struct WorksFolder {
    WorksFolder(std::filesystem::path folder = {}, QString problem = {})
        : path(std::move(folder))
        , unusable(std::move(problem))
    {
    }
    std::filesystem::path path;
    // In Russian, following "Работа не сохранена: ", which folder the works needed and why there is
    // none; empty when the folder can be used.
    QString unusable;
};

// Keeps the learner's work on the disk, one file per work in the folder of saved works. A commit
// asks for a save, which is captured once the switched screen has been painted and written on the
// writer's thread, so that neither the copy nor the disk delays the step the learner asked for.
// Closing saves at once and waits until the file is on the disk.
class WorkKeeper final : public QObject {
    Q_OBJECT
public:
    // An empty folder keeps nothing: the tests that do not look at saved works write no file. An
    // unusable one keeps nothing either, and says why whenever a work would be saved.
    WorkKeeper(WorksFolder folder, QObject* parent);
    ~WorkKeeper() override;

    bool keeps() const { return keeps_; }
    // Whether the folder's works can be listed and continued.
    bool lists() const { return keeps_ && unusable_.isEmpty(); }
    const std::filesystem::path& folder() const { return folder_; }
    // The file of the work being kept; empty before a work begins, or while a new work has none.
    std::filesystem::path file() const;
    // Whether this copy of the program holds the work of `file`, as the work it keeps.
    bool holds(const std::filesystem::path& file) const;

    // From now on `model` is a new work with a file of its own, made by the writer when it first
    // saves the work (when that fails, again at each save): "начать" never replaces a work. `kept`
    // is what the work it copies held beside what this program knows.
    void beginNew(const InstitutionModel& model, work::KeptMembers kept = {});
    // From now on the model is the work of `file`, which held `kept` beside what this program
    // knows; `lock` holds it for this copy (unless this keeper holds it already).
    void resume(std::filesystem::path file, work::KeptMembers kept, WorkLock lock);

    // Saves `model` once what is waiting to be painted has been: several requests before that
    // make one save of the model as it is then.
    void saveSoon(const InstitutionModel& model);
    // Saves `model` now and returns once it is on the disk or has failed.
    void saveNow(const InstitutionModel& model);
    // Returns once every save asked for so far is on the disk or has failed (tests, benchmark).
    void waitUntilSaved();

signals:
    // A save failed; the message names the file and the reason, in Russian.
    void saveFailed(const QString& message);

protected:
    void customEvent(QEvent* event) override;

private:
    void hand(const InstitutionModel& model);
    work::NewWorkFile newFile(const work::SavedWork& work);
    void letGo();

    bool keeps_ = false;
    std::filesystem::path folder_;
    QString unusable_;
    bool wantsFile_ = false; // a new work, whose file the writer makes
    work::KeptMembers kept_;
    const InstitutionModel* waiting_ = nullptr; // a save asked for and not yet captured
    // The work's file and this copy's hold on it, which the writer's thread sets for a new work.
    mutable std::mutex mutex_;
    std::filesystem::path file_;
    WorkLock lock_; // before the writer: let go only once the writer has written what waits
    std::unique_ptr<work::WorkWriter> writer_;
};

// The folder of saved works: the application's data folder, or why there is none.
WorksFolder savedWorksFolder();
// A path of the file system as the program shows and passes it.
QString pathText(const std::filesystem::path& path);
std::filesystem::path pathOf(const QString& text);
// The moment now, with the offset of the learner's clock.
work::SavedTime savedTimeNow();

} // namespace kvarton
