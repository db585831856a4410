#include "summary_opening.h"

#include "summary_screen.h"

namespace kvarton {

SummaryOpening::SummaryOpening(QWidget* window, QWidget* startScreen, QObject* parent)
    : QObject(parent)
    , window_(window)
    , start_(startScreen)
{
}

void SummaryOpening::setReportsChooser(ReportsChooser chooser)
{
    chooseReports_ = std::move(chooser);
    if (screen_ && chooseReports_)
        screen_->setChooser([this](QWidget* parent, SummaryScreen::Choice choice) {
            return chooseReports_(parent, choice == SummaryScreen::Choice::Folder);
        });
}

void SummaryOpening::show()
{
    if (!screen_) {
        screen_ = new SummaryScreen(window_);
        setReportsChooser(chooseReports_);
        connect(screen_, &SummaryScreen::reportChosen, this, [this](const QString& path) {
            screen_->close();
            emit reportChosen(path);
        });
    }
    screen_->openOver({start_});
}

} // namespace kvarton
