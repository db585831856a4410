#pragma once

#include "model/institution_model.h"
#include "work/saved_work.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

namespace kvarton {

namespace work {
class WorkWriter;
}

// Keeps the learner's work on the disk, one file per work in the folder of saved works. A commit
// asks for a save, which is captured once the switched screen has been painted and written on the
// writer's thread, so that neither the copy nor the disk delays the step the learner asked for.
// Closing saves at once and waits until the file is on the disk.
class WorkKeeper final : public QObject {
    Q_OBJECT
public:
    // An empty folder keeps nothing: the tests that do not look at saved works write no file.
    WorkKeeper(std::filesystem::path folder, QObject* parent);
    ~WorkKeeper() override;

    bool keeps() const { return !folder_.empty(); }
    const std::filesystem::path& folder() const { return folder_; }
    // The file of the work being kept; empty before a work begins.
    const std::filesystem::path& file() const { return file_; }

    // From now on the model is a new work with a file of its own: "начать" never replaces a work.
    void beginNew();
    // From now on the model is the work of `file`, which held `kept` beside what this program knows.
    void resume(std::filesystem::path file, work::KeptMembers kept);

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

    std::filesystem::path folder_;
    std::filesystem::path file_;
    work::KeptMembers kept_;
    const InstitutionModel* waiting_ = nullptr; // a save asked for and not yet captured
    std::unique_ptr<work::WorkWriter> writer_;
};

// The folder of saved works: the application's data folder.
std::filesystem::path savedWorksFolder();
// A path of the file system as the program shows and passes it.
QString pathText(const std::filesystem::path& path);
std::filesystem::path pathOf(const QString& text);
// The moment now, with the offset of the learner's clock.
work::SavedTime savedTimeNow();

} // namespace kvarton
