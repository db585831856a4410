// Every figure steps 13–16 show is the figure the report writes, whatever road led to it: random
// works, and random roads through them by Next and Back, the menu (straight from any step to any
// other), the option buttons, lists changed on the way, closing the window and continuing the saved
// work, and opening the report the work would write. After every action the calculation screen's
// panel must equal what calc::allResults (the results sheet of the report and the summary) gives
// for the options selected on the screen, label by label; an error panel must say why.
//
// KVARTON_ROAD_WORKS and KVARTON_ROAD_ACTIONS run more works and longer roads by hand.
#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "calc/all_results.h"
#include "common/random_work.h"
#include "report/report.h"
#include "steps/choice_list.h"
#include "steps/step_form.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"
#include "wizard/work_keeper.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <random>

using namespace kvarton;
using namespace kvarton::test;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

bool usable(QWidget* w) { return w && w->isVisible() && w->isEnabled(); }

// The options the calculation screen has selected, read from its buttons.
calc::StepOptions selectedOptions(Wizard& w)
{
    QWidget* form = w.form(Screen::Calculation);
    const auto checked = [form](const char* name) {
        auto* button = form->findChild<QRadioButton*>(QString::fromLatin1(name));
        return button && button->isChecked();
    };
    calc::StepOptions o;
    o.step = w.model().currentStep;
    o.method
        = checked(o.step == 13 ? "Option2" : "Option4") ? calc::Method::ByAllNeeds : calc::Method::ByRecommendations;
    o.view = checked("Option6") ? StayRegime::ShortTerm : StayRegime::Day;
    const char* groups[] = {"Option11", "Option12", "Option13", "Option21", "Option22", "Option23"};
    for (int g = 0; g < 6; ++g)
        if (checked(groups[g]))
            o.group = static_cast<calc::NormativeGroup>(g);
    return o;
}

class Road final {
public:
    Road(InstitutionModel work, std::uint32_t seed)
        : random_(seed)
    {
        begin();
        wizard_->startWork(std::move(work), pick(kFirstStep, kLastStep));
        QApplication::processEvents();
    }

    // One random action; what it was, for a failure's message.
    QString act()
    {
        QWidget* form = visibleStepScreen(*wizard_);
        if (!form)
            return QStringLiteral("no step shown");
        const int kind = pick(0, 99);
        if (kind < 30) { // Back or Next
            auto* button
                = form->findChild<QPushButton*>(pick(0, 1) ? QStringLiteral("Command2") : QStringLiteral("Command1"));
            if (usable(button)) {
                const QString caption = button->text();
                button->click();
                return QStringLiteral("click %1").arg(caption);
            }
        } else if (kind < 55) { // a step of the menu
            const int step = pick(kFirstStep, kLastStep);
            auto* item = static_cast<StepForm*>(form)->stepAction(step);
            if (item && item->isEnabled()) {
                item->trigger();
                return QStringLiteral("menu: step %1").arg(step);
            }
        } else if (kind < 75) { // an option of the calculation screen
            QList<QRadioButton*> options;
            for (QRadioButton* b : form->findChildren<QRadioButton*>())
                if (usable(b) && !b->isChecked())
                    options << b;
            if (!options.isEmpty()) {
                QRadioButton* b = options[pick(0, static_cast<int>(options.size()) - 1)];
                b->click();
                return QStringLiteral("option %1").arg(b->objectName());
            }
        } else if (kind < 90) { // a list of an input step changed, committed when the step is left
            QList<ChoiceList*> lists;
            for (ChoiceList* l : form->findChildren<ChoiceList*>())
                if (usable(l))
                    lists << l;
            if (!lists.isEmpty()) {
                ChoiceList* l = lists[pick(0, static_cast<int>(lists.size()) - 1)];
                const QString item = l->itemText(pick(0, l->count() - 1));
                l->choose(item);
                return QStringLiteral("choose %1 %2").arg(l->objectName(), item);
            }
        } else if (kind < 97) { // closed and continued
            wizard_->window()->close();
            wizard_->keeper().waitUntilSaved();
            begin();
            control<QPushButton>(*wizard_, Screen::Start, QStringLiteral("Continue"))->click();
            QApplication::processEvents();
            return QStringLiteral("closed and continued");
        } else { // the report written and opened
            const QString file = reports_.filePath(QStringLiteral("report-%1.xlsx").arg(++reportCount_));
            if (!report::writeXlsxReport(wizard_->model(), file.toStdString()) && !wizard_->openReport(file)) {
                QApplication::processEvents();
                return QStringLiteral("report opened");
            }
        }
        return {};
    }

    // What the calculation screen shows against the report's figures; the number of figures
    // compared, or -1 with a message in `failure`.
    int check(QString& failure)
    {
        QApplication::processEvents();
        QWidget* form = wizard_->form(Screen::Calculation);
        if (!form || !form->isVisible())
            return 0;
        const calc::StepOptions options = selectedOptions(*wizard_);
        const calc::AllResults report = calc::allResults(wizard_->model());
        const calc::StepView& expected = calc::shownUnder(report, options);
        auto* errorPanel = form->findChild<QWidget*>(QStringLiteral("Frame1"));
        if (errorPanel->isVisible() != expected.showError) {
            failure = QStringLiteral("step %1: the error panel %2")
                          .arg(options.step)
                          .arg(errorPanel->isVisible() ? "shows" : "does not show");
            return -1;
        }
        if (expected.showError) {
            if (form->findChild<QLabel*>(QStringLiteral("InputFailureList"))->text().isEmpty()) {
                failure = QStringLiteral("step %1: an error panel without a cause").arg(options.step);
                return -1;
            }
            return 0;
        }
        for (const calc::LabelText& l : expected.labels) {
            const QString shown = form->findChild<QLabel*>(qs(l.label))->text();
            if (shown != QString::fromStdString(l.text)) {
                failure = QStringLiteral("step %1: %2 shows %3, the report %4")
                              .arg(options.step)
                              .arg(qs(l.label), shown, QString::fromStdString(l.text));
                return -1;
            }
        }
        return static_cast<int>(expected.labels.size());
    }

private:
    void begin()
    {
        wizard_.reset(); // the earlier program, saved, ends before the next starts
        wizard_ = std::make_unique<Wizard>(pathOf(works_.path()));
        wizard_->setFileChooser([](QWidget*, const QString&, const QString&) { return QString(); });
        wizard_->start();
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::mt19937 random_;
    QTemporaryDir works_;
    QTemporaryDir reports_;
    int reportCount_ = 0;
    std::unique_ptr<Wizard> wizard_;
};

} // namespace

class RoadPropertyTest final : public QObject {
    Q_OBJECT

private slots:
    void everyFigureShownIsTheReportsOnEveryRoad()
    {
        const int works = setting("KVARTON_ROAD_WORKS", 24);
        const int actions = setting("KVARTON_ROAD_ACTIONS", 40);
        constexpr int kRoadsPerWork = 2;
        long long figures = 0;
        int calculationViews = 0;
        for (int work = 1; work <= works; ++work)
            for (int r = 0; r < kRoadsPerWork; ++r) {
                const auto seed = static_cast<std::uint32_t>(work * 100 + r);
                Road road(RandomWork(static_cast<std::uint32_t>(work)).work(), seed);
                QStringList done;
                for (int a = 0; a < actions; ++a) {
                    done << road.act();
                    QString failure;
                    const int compared = road.check(failure);
                    if (compared < 0)
                        QFAIL(qPrintable(QStringLiteral("work %1, road %2: %3\nafter: %4")
                                             .arg(work)
                                             .arg(seed)
                                             .arg(failure, done.join(QStringLiteral("; ")))));
                    figures += compared;
                    calculationViews += compared > 0 ? 1 : 0;
                }
            }
        std::printf("%d works, %d roads of %d actions: %d panels of steps 13-16 with %lld figures, each the report's\n",
            works, works * kRoadsPerWork, actions, calculationViews, figures);
        QVERIFY(calculationViews > works);
    }
};

KVARTON_QTEST_MAIN(RoadPropertyTest)

#include "road_property_test.moc"
