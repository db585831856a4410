#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace kvarton::work {
struct WorkEntry;
} // namespace kvarton::work

namespace kvarton {

class Wizard;
class WorkListScreen;

// What the start screen opens: a saved work (the last one, one from the list, or a copy of one that
// another window of the program holds) and a report read back into a new work. Each either starts
// the work in the wizard, or changes nothing but the start screen, which says why.
class WorkOpening final : public QObject {
    Q_OBJECT
public:
    explicit WorkOpening(Wizard& wizard);

    // The newest work, named on the start screen; read alone, so that the start stays quick however
    // many works there are.
    void offerLastWork();
    void continueLastWork();
    std::optional<QString> continueWork(const std::filesystem::path& file);
    void continueCopy();
    void listSavedWorks();

    std::optional<QString> openReport(const QString& path);
    void chooseReport();

    // Who answers "which file?" when the learner asks to open one: a file dialog, unless the
    // scenario runner or a test answers in advance. An empty answer means the choice was cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    WorkListScreen* workList() const { return workList_; }

private:
    std::optional<work::WorkEntry> lastOwnWork() const;
    void fillWorkList();
    void removeListedWork(int row);

    Wizard& wizard_;
    FileChooser chooseFile_;
    QPointer<WorkListScreen> workList_;
    std::vector<std::filesystem::path> listedWorks_; // the files of workList_'s lines
    std::filesystem::path heldElsewhere_; // the work another copy shows, whose copy is offered
};

} // namespace kvarton
