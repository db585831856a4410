// The benchmark of the real program on the offscreen platform: start-up beside a floor program,
// the learner's actions each with the repaint they cause, the report, and peak memory.
// Not a test: it prints a table of medians, minima and maxima and marks the targets.

#include "offscreen_screen.h"
#include "reader/report_reader.h"
#include "report/report.h"
#include "steps/calculation_form.h"
#include "steps/choice_list.h"
#include "steps/explanation_panel.h"
#include "steps/result_chart.h"
#include "steps/step_form.h"
#include "wizard/main_window.h"
#include "wizard/report_screen.h"
#include "wizard/step_controller.h"
#include "wizard/test_switches.h"
#include "wizard/wizard.h"
#include "wizard/work_keeper.h"
#include "work/work_folder.h"

#include "model/numeric_locale.h"
#include "model/personal_data.h"

#include "common/random_work.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace kvarton;

namespace {

// Pads to `width` characters, counting UTF-8 characters rather than bytes.
std::string padded(const std::string& text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

struct Series {
    std::vector<double> ms;
    double target = 0; // 0: no target of its own
    void add(double v) { ms.push_back(v); }
    double median() const
    {
        auto v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    double min() const { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Rows in the order they were first measured.
class Table {
public:
    Series& row(const std::string& name, double target = 0)
    {
        if (!rows_.count(name))
            order_.push_back(name);
        Series& s = rows_[name];
        s.target = target;
        return s;
    }
    bool print(const char* unit = "ms") const
    {
        bool allMet = true;
        std::printf("| %-44s | %9s | %9s | %9s | %8s |\n", "measure", "median", "min", "max", "target");
        std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(11, '-').c_str(),
            std::string(11, '-').c_str(), std::string(11, '-').c_str(), std::string(10, '-').c_str());
        for (const std::string& name : order_) {
            const Series& s = rows_.at(name);
            std::string target = "";
            if (s.target > 0) {
                // A target holds for the typical action, the median; the maximum is the first
                // time a screen shows in the process, with its one-time caches still empty.
                const bool met = s.median() < s.target;
                allMet = allMet && met;
                char buf[32];
                std::snprintf(buf, sizeof buf, "%s%g", met ? "< " : "MISSED ", s.target);
                target = buf;
            }
            std::printf("| %s | %7.3f%s | %7.3f%s | %7.3f%s | %8s |\n", padded(name, 44).c_str(), s.median(), unit,
                s.min(), unit, s.max(), unit, target.c_str());
        }
        return allMet;
    }

private:
    std::map<std::string, Series> rows_;
    std::vector<std::string> order_;
};

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <typename T>
T* find(Wizard& w, Screen screen, const char* name)
{
    QWidget* f = w.form(screen);
    T* found = f ? f->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found) {
        std::fprintf(stderr, "no %s.%s\n", screenName(screen).data(), name);
        std::exit(2);
    }
    return found;
}

// Runs `action`, then paints the window at once, and returns the milliseconds of both.
// Counts the widgets painted, to make sure that a measure includes the paint it causes.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(o, e);
    }
};
PaintCounter* paintCounter = nullptr;

// Runs `action` and lets the event loop handle what it posted, layout and the paint of what
// changed, as after a real click; returns the milliseconds of all of it.
template <typename F>
double timed(F&& action)
{
    const double start = now();
    action();
    QCoreApplication::processEvents();
    return now() - start;
}

std::unique_ptr<Wizard> atPersonalData(const QString& workFolder = {})
{
    auto w = std::make_unique<Wizard>(pathOf(workFolder));
    w->start();
    find<QPushButton>(*w, Screen::Start, "Command2")->click();
    find<ChoiceList>(*w, Screen::PersonalData, "Combo1")->choose(QStringLiteral("г. Санкт-Петербург"));
    find<QLineEdit>(*w, Screen::PersonalData, "Text1")->setText(QStringLiteral("Детский сад № 1"));
    w->window()->repaint();
    return w;
}

StepForm* screenOf(Wizard& w, int step) { return w.steps()->formOf(step); }

// The learner's road, measured in this process.
int road(int rounds)
{
    Table table;
    QTemporaryDir reports;
    qputenv(testSwitches::kReportFolder, reports.path().toLocal8Bit());
    // The road saves its work as the program does, into a folder of its own.
    QTemporaryDir works;

    for (int round = 0; round < rounds; ++round) {
        // Building every screen, alone.
        {
            InstitutionModel model;
            MainWindow window;
            const double start = now();
            StepController controller(model, window);
            table.row("building every screen", 30).add(now() - start);
        }

        auto w = atPersonalData(works.path());
        table.row("\"далее\" to step 1 painted", 30).add(timed([&] {
            find<QPushButton>(*w, Screen::PersonalData, "Command2")->click();
        }));

        for (int step = 1; step < 16; ++step) {
            StepForm* form = screenOf(*w, step);
            const double ms = timed([&] { form->findChild<QPushButton*>(QStringLiteral("Command2"))->click(); });
            table.row("Next " + std::to_string(step) + " → " + std::to_string(step + 1), 3).add(ms);
        }
        for (int step = 16; step > 1; --step) {
            StepForm* form = screenOf(*w, step);
            const double ms = timed([&] { form->findChild<QPushButton*>(QStringLiteral("Command1"))->click(); });
            table.row("Back " + std::to_string(step) + " → " + std::to_string(step - 1), 3).add(ms);
        }

        // Saving a commit: what the screens' thread does (the model captured, handed to the writer)
        // and what the writer's thread does (the file written, flushed and renamed into place).
        // A file of its own, beside the road's, which the writer's thread may be writing now.
        {
            w->keeper().waitUntilSaved();
            const work::SavedTime at = savedTimeNow();
            double start = now();
            const work::SavedWork saved = work::captureWork(w->model(), at);
            table.row("saving a commit: the model captured", 2).add(now() - start);
            const std::filesystem::path file = w->keeper().folder() / "bench.json";
            start = now();
            const auto problem = work::writeWork(file, saved);
            table.row("saving a commit: written to the disk (thread)").add(now() - start);
            if (problem) {
                std::fprintf(stderr, "the work was not saved: %s\n", problem->c_str());
                return 2;
            }
        }

        // The sixty lists of step 10, set from the model and read back, without painting.
        w->steps()->showStep(10);
        QList<ChoiceList*> lists;
        for (ChoiceList* l : screenOf(*w, 10)->findChildren<ChoiceList*>())
            if (l->isVisible())
                lists << l;
        {
            const double start = now();
            QStringList read;
            for (ChoiceList* l : lists)
                l->showText(QStringLiteral("17"));
            for (ChoiceList* l : lists)
                read << l->currentText();
            table.row("setting and reading the 60 lists of step 10", 0.1).add(now() - start);
        }

        // Entering each calculation step from the menu of another; steps 15 and 16 paint their
        // charts within the measure, or the benchmark fails.
        for (int step = 13; step <= 16; ++step) {
            w->steps()->showStep(step == 13 ? 12 : 13);
            w->window()->repaint();
            StepForm* from = screenOf(*w, step == 13 ? 12 : 13);
            const char* chart = step == 15 ? "Chart15" : step == 16 ? "Chart16" : nullptr;
            PaintCounter chartPaints;
            if (chart)
                find<QWidget>(*w, Screen::Calculation, chart)->installEventFilter(&chartPaints);
            // Step 15 is entered with a group whose chart has every line (a group without children
            // draws none).
            if (step == 15)
                find<QRadioButton>(*w, Screen::Calculation, "Option22")->setChecked(true);
            const double ms = timed([&] { from->stepAction(step)->trigger(); });
            if (chart && chartPaints.paints == 0) {
                std::fprintf(stderr, "entering step %d did not paint %s\n", step, chart);
                return 2;
            }
            table.row("entering step " + std::to_string(step) + (chart ? ", its chart painted" : ""), 3).add(ms);
        }

        // Every option button of the calculation screen.
        const std::pair<int, const char*> options[] = {{13, "Option2"}, {13, "Option1"}, {14, "Option4"},
            {14, "Option6"}, {14, "Option5"}, {14, "Option3"}, {15, "Option12"}, {15, "Option13"}, {15, "Option21"},
            {15, "Option22"}, {15, "Option23"}, {15, "Option11"}};
        for (const auto& [step, name] : options) {
            if (w->model().currentStep != step) {
                w->steps()->showStep(step);
                w->window()->repaint();
            }
            auto* option = find<QRadioButton>(*w, Screen::Calculation, name);
            table.row(std::string("option ") + name + " (step " + std::to_string(step) + ")", 3).add(timed([&] {
                option->click();
            }));
        }

        // "Как получено?": F1 on a value of steps 13 and 16, the explanation painted beside the
        // step, and one of its figures unfolded in place.
        const std::pair<int, const char*> asked[] = {{13, "Label1001"}, {16, "Label165"}};
        for (const auto& [step, name] : asked) {
            w->steps()->showStep(step);
            w->window()->repaint();
            QCoreApplication::processEvents(); // the step shown and settled before the learner asks
            auto* form = static_cast<CalculationForm*>(screenOf(*w, step));
            auto* value = find<QLabel>(*w, Screen::Calculation, name);
            value->setFocus();
            table.row("asking " + std::string(name) + " (step " + std::to_string(step) + "), panel painted", 5)
                .add(timed([&] {
                    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
                    QCoreApplication::sendEvent(value, &f1);
                }));
            ExplanationPanel* panel = form->explanationPanel();
            if (!panel->isVisible()) {
                std::fprintf(stderr, "%s did not explain itself\n", name);
                return 2;
            }
            ExplanationLink* figure = nullptr; // the first operand that is another figure
            for (ExplanationLink* link : panel->findChildren<ExplanationLink*>())
                if (!figure && link->accessibleDescription().contains(QStringLiteral("раскрыть")))
                    figure = link;
            if (!figure) {
                std::fprintf(stderr, "%s names no other figure\n", name);
                return 2;
            }
            table.row("unfolding a figure one level (step " + std::to_string(step) + ")", 2).add(timed([&] {
                emit figure->activated();
            }));
            form->closeExplanation();
            QCoreApplication::processEvents(); // as after the learner's Esc
        }

        // A figure only the chart of step 16 states (the accruals on pay), asked from the keyboard.
        {
            w->steps()->showStep(16);
            w->window()->repaint();
            QCoreApplication::processEvents();
            auto* chart = find<ResultChart>(*w, Screen::Calculation, "Chart16");
            const auto& figures = chart->chart().figures;
            const auto accruals = std::find_if(figures.begin(), figures.end(),
                [](const calc::ChartFigure& f) { return !f.figure.isLabel(); });
            chart->setFocus();
            chart->setCurrentFigure(static_cast<int>(accruals - figures.begin()));
            table.row("asking a chart figure (step 16), painted", 5).add(timed([&] {
                QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
                QCoreApplication::sendEvent(chart, &f1);
            }));
            auto* form = static_cast<CalculationForm*>(screenOf(*w, 16));
            if (accruals == figures.end() || !form->explanationPanel()->isVisible()) {
                std::fprintf(stderr, "the chart's figure did not explain itself\n");
                return 2;
            }
            form->closeExplanation();
            QCoreApplication::processEvents();
        }

        // The report, from step 16.
        w->steps()->showStep(16);
        screenOf(*w, 16)->reportAction()->trigger();
        auto* write = find<QPushButton>(*w, Screen::Report, "Command2");
        table.row("\"вывести отчет\": both sheets and charts", 50).add(timed([&] { write->click(); }));
        if (w->steps()->reportScreen()->lastReport().isEmpty()) {
            std::fprintf(stderr, "the report was not written\n");
            return 2;
        }

        // The report just written, opened by a fresh program from its start screen: reading it,
        // building the step screens and step 13 computed and painted.
        {
            Wizard opening;
            opening.start();
            QCoreApplication::processEvents();
            opening.window()->repaint();
            const QString report = w->steps()->reportScreen()->lastReport();
            const double start = now();
            const bool read = std::holds_alternative<InstitutionModel>(reader::readReport(report.toStdString()));
            table.row("reading a report workbook, the reader alone").add(now() - start);
            table.row("opening a report to step 13 painted", 30).add(timed([&] { opening.openReport(report); }));
            if (!read) {
                std::fprintf(stderr, "the report cannot be read\n");
                return 2;
            }
            if (opening.model().currentStep != 13) {
                std::fprintf(stderr, "the report was not opened\n");
                return 2;
            }
        }
    }
    return table.print() ? 0 : 1;
}

struct ProcessRun {
    double ms = 0;
    long maxRssKb = 0;
    int status = 0;
};

// Ten works as learners leave them, in the program's folder of saved works under `dataHome`
// (XDG_DATA_HOME), each with every field and a step of its own.
bool writeTenWorks(const QString& dataHome)
{
    const std::filesystem::path folder = pathOf(dataHome) / "kvarton";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 10; ++i) {
        InstitutionModel model;
        model.regionName = "Камчатский край";
        confirmPersonalData(model, {model.regionName, "Детский сад № " + std::to_string(i + 1), "Иванова", "А", "Б"});
        model.currentStep = 1 + i;
        const work::SavedTime at{savedTimeNow().unixMs - (10 - i) * 60'000, 180};
        if (const auto created = work::createWorkFile(folder, work::captureWork(model, at)); created.file.empty()) {
            std::fprintf(stderr, "%s\n", created.problem.c_str());
            return false;
        }
    }
    return true;
}

ProcessRun runProcess(const std::string& program, const std::vector<std::string>& args, bool quiet);

// The teacher's summary of a hundred reports the program wrote for random works, made by the
// program's command line (`kvarton --summary`): starting, reading and computing on all cores,
// writing the summary. Returns whether the target is met.
bool summaryOfReports(const std::string& program, int rounds)
{
    constexpr int kReports = 100;
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("reports")).toStdString();
    QDir().mkpath(QString::fromStdString(folder));
    int written = 0;
    for (std::uint32_t seed = 1; written < kReports && seed < 10 * kReports; ++seed)
        written += !report::writeXlsxReport(
            test::RandomWork(seed).work(), folder + "/Отчет " + std::to_string(seed) + ".xlsx");
    Table table;
    bool allRead = true;
    for (int i = 0; i < rounds; ++i) {
        const std::string out = dir.filePath(QStringLiteral("Сводка %1.xlsx").arg(i)).toStdString();
        const ProcessRun run = runProcess(program, {"--summary", out, folder}, true);
        allRead = allRead && WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
        table.row("kvarton --summary of " + std::to_string(written) + " reports", 2000).add(run.ms);
    }
    std::printf("The summary of %d generated reports, %d runs:\n\n", written, rounds);
    const bool met = table.print() && allRead && written == kReports;
    if (!allRead)
        std::printf("the summary did not read every report\n");
    return met;
}

ProcessRun runProcess(const std::string& program, const std::vector<std::string>& args, bool quiet)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // What this process printed must leave before the fork: a child that reopens its output would
    // otherwise flush a copy of it.
    std::fflush(stdout);
    std::fflush(stderr);
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        // A child that cannot silence its output still runs: its output then shows, nothing more.
        if (quiet && !(std::freopen("/dev/null", "w", stdout) && std::freopen("/dev/null", "w", stderr)))
            std::fputs("kvarton-bench: the program's output cannot be silenced\n", stderr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {now() - start, usage.ru_maxrss, status};
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryFile screenConfig;
    useOffscreenLaptopScreen(screenConfig);
    const std::string self = argv[0];
    const std::string mode = argc > 1 ? argv[1] : "";
    int rounds = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--rounds")
            rounds = std::atoi(argv[i + 1]);

    if (mode == "--switch") { // a profiling aid: page switches alone, and paint time by widget class
        struct TimingApp final : QApplication {
            using QApplication::QApplication;
            std::map<std::string, double> paintMs;
            bool notify(QObject* o, QEvent* e) override
            {
                if (e->type() != QEvent::Paint)
                    return QApplication::notify(o, e);
                const double t = now();
                const bool r = QApplication::notify(o, e);
                paintMs[o->metaObject()->className()] += now() - t;
                return r;
            }
        };
        TimingApp app(argc, argv);
        struct Report {
            TimingApp& app;
            ~Report()
            {
                for (const auto& [name, ms] : app.paintMs)
                    std::printf("paint %-28s %8.1f ms\n", name.c_str(), ms);
            }
        } report{app};
        auto w = atPersonalData();
        find<QPushButton>(*w, Screen::PersonalData, "Command2")->click();
        Table table;
        for (int i = 0; i < rounds; ++i) {
            for (int step : {9, 11, 13, 7, 1}) {
                const double t0 = now();
                w->steps()->showStep(step);
                const double t1 = now();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                const double t2 = now();
                QCoreApplication::processEvents();
                const double t3 = now();
                table.row("show " + std::to_string(step) + ": showStep").add(t1 - t0);
                table.row("show " + std::to_string(step) + ": layout").add(t2 - t1);
                table.row("show " + std::to_string(step) + ": paint").add(t3 - t2);
            }
        }
        table.print();
        return 0;
    }
    if (mode == "--road") {
        // The offscreen platform's notes on window hints it ignores would bury the table.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(message));
        });
        QApplication app(argc, argv);
        useFileNotationForNumbers();
        PaintCounter counter;
        paintCounter = &counter;
        app.installEventFilter(&counter);
        const int status = road(rounds);
        std::printf("\nwidgets painted during the road: %d\n", counter.paints);
        return status;
    }

    // The parent: start-up of the program and of the floor, alternately, then the road in a child
    // of its own whose peak memory is read when it ends.
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    const std::string program = argc > 2 && mode == "--program" ? argv[2] : folder + "../src/app/kvarton";
    const std::string floor = folder + "kvarton-bench-floor";
    if (mode == "--summary") // the summary of a hundred reports alone
        return summaryOfReports(program, rounds) ? 0 : 1;
    setenv(testSwitches::kExitAfterFirstPaint, "1", 1);
    // The program starts with no saved work, and with ten, never with the learner's own.
    QTemporaryDir noWorks;
    QTemporaryDir tenWorks;
    if (!writeTenWorks(tenWorks.path()))
        return 2;

    Table startup;
    long programRss = 0;
    long floorRss = 0;
    for (int i = 0; i < rounds; ++i) {
        const ProcessRun f = runProcess(floor, {}, true);
        setenv("XDG_DATA_HOME", noWorks.path().toUtf8().constData(), 1);
        const ProcessRun p = runProcess(program, {}, true);
        setenv("XDG_DATA_HOME", tenWorks.path().toUtf8().constData(), 1);
        const ProcessRun t = runProcess(program, {}, true);
        if (f.status != 0 || p.status != 0 || t.status != 0) {
            std::fprintf(stderr, "start-up run failed (%d, %d, %d)\n", f.status, p.status, t.status);
            return 2;
        }
        startup.row("floor: one window with one label, to exit").add(f.ms);
        startup.row("kvarton: start screen painted, to exit").add(p.ms);
        startup.row("kvarton, ten saved works: the same").add(t.ms);
        programRss = std::max(programRss, p.maxRssKb);
        floorRss = std::max(floorRss, f.maxRssKb);
    }
    std::printf("Start-up, %d runs each, alternating (whole process):\n\n", rounds);
    startup.print();
    // The ratio of medians; the target is 1.5.
    const double floorMedian = startup.row("floor: one window with one label, to exit").median();
    const double programMedian = startup.row("kvarton: start screen painted, to exit").median();
    const double startupRatio = programMedian / floorMedian;
    std::printf("\nstart-up ratio (medians): %.2f (target at most 1.5)\n", startupRatio);
    const double tenWorksMedian = startup.row("kvarton, ten saved works: the same").median();
    const double tenWorksRatio = tenWorksMedian / floorMedian;
    std::printf(
        "start-up ratio with ten saved works: %.3f × floor (target at most 1.2), %.2f × without saved works\n\n",
        tenWorksRatio, tenWorksMedian / programMedian);
    unsetenv("XDG_DATA_HOME");

    unsetenv(testSwitches::kExitAfterFirstPaint);
    std::printf("The learner's road, %d rounds in one process (each action with its repaint):\n\n", rounds);
    std::fflush(stdout);
    const ProcessRun roadRun = runProcess(self, {"--road", "--rounds", std::to_string(rounds)}, false);
    // Peak memory of the program beside the floor doing the same (a start to the first painted
    // window), the target; and, for information, of one learner's whole run to the report.
    const ProcessRun oneRun = runProcess(self, {"--road", "--rounds", "1"}, true);
    const double memoryRatio = static_cast<double>(programRss) / static_cast<double>(floorRss);
    std::printf("\npeak resident memory (KiB):\n"
                "  floor program                        %6ld\n"
                "  kvarton, start screen painted        %6ld  (%.2f × floor; target at most 1.3)\n"
                "  kvarton, one whole run to the report %6ld  (%.2f × floor)\n",
        floorRss, programRss, memoryRatio, oneRun.maxRssKb,
        static_cast<double>(oneRun.maxRssKb) / static_cast<double>(floorRss));
    std::printf("\n");
    const bool summaryMet = summaryOfReports(program, std::min(rounds, 10));
    const bool met = startupRatio <= 1.5 && tenWorksRatio <= 1.2 && memoryRatio <= 1.3 && WIFEXITED(roadRun.status)
        && WEXITSTATUS(roadRun.status) == 0 && summaryMet;
    std::printf("\n%s\n", met ? "every target met" : "TARGETS MISSED");
    return met ? 0 : 1;
}
