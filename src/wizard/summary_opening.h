#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

namespace kvarton {

class SummaryScreen;

// The teacher's summary of reports, opened from the start screen over it: its window is made on
// first use and keeps its last summary between openings.
class SummaryOpening final : public QObject {
    Q_OBJECT
public:
    SummaryOpening(QWidget* window, QWidget* startScreen, QObject* parent);

    void show();

    // Who answers "which reports?" for a summary (several files, or a folder): a file dialog,
    // unless the scenario runner or a test answers in advance.
    using ReportsChooser = std::function<QStringList(QWidget* parent, bool folder)>;
    void setReportsChooser(ReportsChooser chooser);

    // The summary's window, or nullptr while it has not been opened.
    SummaryScreen* screen() const { return screen_; }

signals:
    // A row of the group was opened: the window has closed, the report is to be opened.
    void reportChosen(const QString& path);

private:
    QWidget* window_;
    QWidget* start_;
    ReportsChooser chooseReports_;
    QPointer<SummaryScreen> screen_;
};

} // namespace kvarton
