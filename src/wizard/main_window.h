#pragma once

#include <QWidget>

class QLabel;
class QStackedLayout;

namespace kvarton {

// The one main window; its page is the start screen, the personal-data screen or a step screen.
// The window shows the page's title. Closing it ends the program.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    MainWindow();

    void addPage(QWidget* page);
    void showPage(QWidget* page);
    QWidget* currentPage() const;
    // Opens at a size that shows the largest page without scrolling, within the screen, centred.
    void fitAndCentre();
    // Takes the wanted size, as far as the screen allows, in the middle of the screen.
    void resizeCentred(QSize wanted);
    // The quiet line above the pages (ReportOwner) that names whose report a work read from one
    // is; an empty text hides it.
    void showReportOwner(const QString& line);
    QLabel* reportOwner() const { return reportOwner_; }

signals:
    void closeRequested();

protected:
    void closeEvent(class QCloseEvent* event) override;

private:
    void updateTitle();
    void moveFocusInto(QWidget* page, QWidget* oldFocus);

    QStackedLayout* pages_ = nullptr;
    QLabel* reportOwner_ = nullptr;
    QWidget* current_ = nullptr;
};

} // namespace kvarton
