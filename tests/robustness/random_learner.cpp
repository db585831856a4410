// A learner who does anything the screens allow, at random: any enabled button, option or menu
// item, any list item, any text typed into a free text field, help and report opened and closed,
// "вывести отчет" pressed, a report workbook opened from the start screen (sound, re-saved, foreign,
// cut short, a zip bomb, or the dialog cancelled). After every action the program must still run with exactly one step
// screen, show no "nan", "inf" or "e+", and every workbook written must be whole.
//
// Reproducible from its seed: a failure prints the seed and the shortest list of actions that still
// fails, as a scenario for kvarton-scenario.
//
//   random_learner [--seeds FIRST:LAST] [--actions N]

#include "model/numeric_locale.h"
#include "offscreen_screen.h"
#include "report/xlsx_package_check.h"
#include "scenario_runner.h"
#include "steps/choice_list.h"
#include "steps/widgets.h"
#include "support/environment.h"
#include "wizard/report_screen.h"
#include "wizard/step_controller.h"
#include "wizard/test_switches.h"
#include "wizard/wizard.h"
#include "wizard/work_keeper.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <random>

using namespace kvarton;

namespace {

// Texts a learner might type, the sound and the odd.
QStringList typedTexts()
{
    return {QString(), QStringLiteral("   "), QStringLiteral("abc"), QStringLiteral("1.5"), QStringLiteral("-0"),
        QStringLiteral("1e308"), QString(10000, u'9'), QString(10000, u'я'), QStringLiteral("Иванова"),
        QStringLiteral("\x01\x02\x1f"), QStringLiteral("=1+1"), QStringLiteral("12000"), QStringLiteral("0,5"),
        QStringLiteral("4304792,5"), QStringLiteral("-250000"), QString(300, u'9'), QStringLiteral("0"),
        QStringLiteral("\"кавычки\" и \\ черта")};
}

#ifndef KVARTON_FUZZ_CORPUS
#error "the learner opens the workbooks of the fuzz corpus"
#endif

// What a learner may choose in the file dialog of "открыть отчет…"; "-" cancels it.
QString fileToOpen(std::mt19937& random)
{
    static const QStringList files{QStringLiteral("-"), QStringLiteral("report.xlsx"),
        QStringLiteral("report-libreoffice.xlsx"), QStringLiteral("foreign.xlsx"), QStringLiteral("truncated.xlsx"),
        QStringLiteral("zip-bomb.xlsx")};
    const QString file = files[std::uniform_int_distribution<qsizetype>(0, files.size() - 1)(random)];
    return file == QLatin1String("-") ? file : QStringLiteral(KVARTON_FUZZ_CORPUS "/") + file;
}

QString quoted(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'"', QStringLiteral("\\\""));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\t', QStringLiteral("\\t"));
    return u'"' + text + u'"';
}

const QString kCannotRun = QStringLiteral("cannot run: ");

bool usable(QWidget* w) { return w->isVisible() && w->isEnabled() && w->window()->isEnabled(); }

// One program under test, driven line by line.
class Session final {
public:
    Session()
    {
        runner_.emplace(wizard_);
        QObject::connect(&wizard_, &Wizard::quitRequested, [this] {
            runner_->setProgramEnded();
            endedFlag_ = true;
        });
        wizard_.start();
        QApplication::processEvents();
    }

    // Runs one action and checks the program afterwards; returns what went wrong, if anything.
    std::optional<QString> act(const QString& action)
    {
        for (const QString& line : action.split(u'\n'))
            if (runner_->runCommand(++lines_, line) == ScenarioRunner::CannotRun)
                return kCannotRun + runner_->messages().value(runner_->messages().size() - 1);
        return check();
    }

    // Every action a learner could take now, each as a scenario line.
    QStringList possibleActions(std::mt19937& random)
    {
        QStringList clicks, choices, typing, closing;
        for (Screen screen : allOf<Screen>()) {
            QWidget* form = wizard_.form(screen);
            if (!form || !form->isVisible())
                continue;
            const QString name = form->objectName();
            // The windows over the main window; the main window is never closed: that ends the program.
            if (screen == Screen::DataList || screen == Screen::Help || screen == Screen::Report
                || screen == Screen::WorkList || screen == Screen::Summary)
                closing << QStringLiteral("close ") + name;
            for (QWidget* w : form->findChildren<QWidget*>()) {
                if (w->objectName().isEmpty() || !usable(w))
                    continue;
                const QString target = name + u'.' + w->objectName();
                if (auto* list = qobject_cast<ChoiceList*>(w)) {
                    std::uniform_int_distribution<int> row(0, list->count() - 1);
                    choices << QStringLiteral("choose %1 %2").arg(target, quoted(list->itemText(row(random))));
                } else if (qobject_cast<QLineEdit*>(w)) {
                    const QStringList texts = typedTexts();
                    std::uniform_int_distribution<qsizetype> pick(0, texts.size() - 1);
                    typing << QStringLiteral("type %1 %2").arg(target, quoted(texts[pick(random)]));
                } else if (target == QLatin1String("Form1.OpenReport")) { // a click that asks for a file
                    clicks << QStringLiteral("choose-file %1\nclick %2").arg(quoted(fileToOpen(random)), target);
                } else if (target == QLatin1String("SummaryScreen.ChooseFiles")) { // several files
                    clicks << QStringLiteral("choose-file %1 %2\nclick %3")
                                  .arg(quoted(fileToOpen(random)), quoted(fileToOpen(random)), target);
                } else if (target == QLatin1String("SummaryScreen.ChooseFolder")) { // the seeds' folder
                    clicks << QStringLiteral("choose-file %1\nclick %2").arg(quoted(KVARTON_FUZZ_CORPUS), target);
                } else if (qobject_cast<QAbstractButton*>(w)) {
                    clicks << QStringLiteral("click ") + target;
                }
            }
            if (!form->isEnabled())
                continue;
            for (QAction* action : form->findChildren<QAction*>())
                if (!action->objectName().isEmpty() && !action->menu() && action->isEnabled())
                    clicks << QStringLiteral("click %1.%2").arg(name, action->objectName());
        }
        // Now and then the way to the report, which a walk at random would seldom find.
        QStringList towardsReport;
        for (const QString& click : clicks)
            if (click.endsWith(QLatin1String(".raschet4")) || click.endsWith(QLatin1String(".inform2"))
                || click == QStringLiteral("click %1.Command2").arg(qs(screenName(Screen::Report))))
                towardsReport << click;
        if (!towardsReport.isEmpty() && std::uniform_int_distribution<int>(0, 99)(random) < 15)
            return towardsReport;
        // One kind of action first, so that typing and closing are not drowned by the many lists.
        std::vector<QStringList*> kinds;
        for (QStringList* kind : {&clicks, &choices, &typing, &closing})
            if (!kind->isEmpty())
                kinds.push_back(kind);
        return kinds.empty() ? QStringList()
                             : *kinds[std::uniform_int_distribution<std::size_t>(0, kinds.size() - 1)(random)];
    }

private:
    std::optional<QString> check()
    {
        if (ended())
            return QStringLiteral("the program has ended");
        if (wizard_.steps()) {
            int visible = 0;
            for (Screen screen : kStepScreens)
                visible += wizard_.form(screen)->isVisible() ? 1 : 0;
            if (visible != 1)
                return QStringLiteral("%1 step screens are visible").arg(visible);
        }
        for (Screen screen : allOf<Screen>()) {
            QWidget* form = wizard_.form(screen);
            if (!form || !form->isVisible())
                continue;
            const QString name = form->objectName();
            for (QWidget* w : form->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->objectName() == QLatin1String("ReportStatus")
                    || w->objectName() == QLatin1String("SummaryStatus")
                    || w->objectName() == QLatin1String("OpenReportProblem")) // a file's name and a message
                    continue;
                QString text;
                if (auto* label = qobject_cast<QLabel*>(w))
                    text = label->text();
                else if (auto* list = qobject_cast<QComboBox*>(w))
                    text = list->currentText();
                else if (auto* button = qobject_cast<QAbstractButton*>(w))
                    text = button->text();
                for (const char* bad : {"nan", "inf", "e+"})
                    if (text.contains(QString::fromUtf8(bad), Qt::CaseInsensitive))
                        return QStringLiteral("%1.%2 shows \"%3\"").arg(name, w->objectName(), text);
            }
        }
        if (ReportScreen* report = wizard_.steps() ? wizard_.steps()->reportScreen() : nullptr;
            report && report->lastReport() != lastReport_) {
            lastReport_ = report->lastReport();
            QFile file(lastReport_);
            if (!file.open(QIODevice::ReadOnly))
                return QStringLiteral("the workbook %1 cannot be read").arg(lastReport_);
            const QByteArray bytes = file.readAll();
            if (!report::isCompleteXlsxPackage(
                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
                return QStringLiteral("the workbook %1 is not whole").arg(lastReport_);
        }
        return std::nullopt;
    }

    bool ended() const { return endedFlag_; }

    // Each program saves its work into a folder of its own, so that a replay starts as the run did.
    QTemporaryDir works_;
    Wizard wizard_{pathOf(works_.path())};
    std::optional<ScenarioRunner> runner_;
    int lines_ = 0;
    bool endedFlag_ = false;
    QString lastReport_;
};

// Whether `actions`, replayed on a fresh program, still break it. A list whose actions cannot all
// be taken any more (a control left out of reach) does not count.
bool fails(const QStringList& actions)
{
    Session session;
    for (const QString& line : actions)
        if (const auto failure = session.act(line))
            return !failure->startsWith(kCannotRun);
    return false;
}

// The shortest list found by leaving out ever smaller runs of actions that the failure needs not.
QStringList shortest(QStringList actions)
{
    for (qsizetype chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
        for (qsizetype start = 0; start + chunk <= actions.size();) {
            QStringList fewer = actions;
            fewer.remove(start, chunk);
            if (fails(fewer))
                actions = fewer;
            else
                start += chunk;
        }
    }
    return actions;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryFile screenConfig;
    useOffscreenLaptopScreen(screenConfig);
    QApplication app(argc, argv);
    useFileNotationForNumbers();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg || type == QtCriticalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    unsigned first = 1;
    unsigned last = 6;
    int actionsPerSeed = 400;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--seeds")) {
            const QStringList range = args[i + 1].split(u':');
            first = range.value(0).toUInt();
            last = range.value(1, range.value(0)).toUInt();
        } else if (args[i] == QLatin1String("--actions")) {
            actionsPerSeed = args[i + 1].toInt();
        }
    }
    QTemporaryDir reports;
    kvarton::test::setEnvironment(testSwitches::kReportFolder, reports.path());

    int totalActions = 0;
    int calculationActions = 0;
    for (unsigned seed = first; seed <= last; ++seed) {
        std::mt19937 random(seed);
        QStringList done;
        std::optional<QString> failure;
        {
            Session session;
            for (int i = 0; i < actionsPerSeed && !failure; ++i) {
                const QStringList possible = session.possibleActions(random);
                if (possible.isEmpty()) {
                    failure = QStringLiteral("nothing can be done");
                    break;
                }
                const QString line = possible[std::uniform_int_distribution<qsizetype>(0, possible.size() - 1)(random)];
                done << line;
                calculationActions += line.contains(qs(screenName(Screen::Calculation)) + u'.') ? 1 : 0;
                failure = session.act(line);
                ++totalActions;
            }
        }
        if (failure) {
            std::printf("seed %u failed after %lld actions: %s\n", seed, static_cast<long long>(done.size()),
                qPrintable(*failure));
            std::printf("the shortest scenario that fails (for kvarton-scenario):\n");
            for (const QString& line : shortest(done))
                std::printf("%s\n", qPrintable(line));
            return 1;
        }
    }
    const auto workbooks = QDir(reports.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files).size();
    std::printf("%d random actions over seeds %u to %u (%d on the calculation screen, %lld workbooks written): "
                "the program held\n",
        totalActions, first, last, calculationActions, static_cast<long long>(workbooks));
    return 0;
}
