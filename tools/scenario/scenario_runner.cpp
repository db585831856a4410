#include "scenario_runner.h"

#include "steps/calculation_form.h"
#include "steps/choice_list.h"
#include "steps/explanation_panel.h"
#include "steps/result_chart.h"
#include "steps/widgets.h"
#include "wizard/main_window.h"
#include "wizard/summary_screen.h"
#include "wizard/wizard.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>

#include <utility>

namespace kvarton {

namespace {

// A row of a table as a scenario names it: its cells' shown texts that are not empty, joined by
// " | " (a cell's own line breaks as blanks).
QString rowText(const QAbstractItemView* view, int row)
{
    const QAbstractItemModel* model = view->model();
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString text = model->index(row, c).data().toString().replace(u'\n', u' ');
        if (!text.isEmpty())
            cells << text;
    }
    return cells.join(QStringLiteral(" | "));
}

// The row that reads `text` whole, or else the first with a cell that reads it; -1 for none.
int rowOf(const QAbstractItemView* view, const QString& text)
{
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (rowText(view, r) == text)
            return r;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->index(r, c).data().toString() == text)
                return r;
    return -1;
}

// A table's column by its head as shown (line breaks as blanks), or by its number from 1.
int columnOf(const QAbstractItemView* view, const QString& text)
{
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString().replace(u'\n', u' ') == text)
            return c;
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber && number >= 1 && number <= model->columnCount() ? number - 1 : -1;
}

// Splits a line into words; a double-quoted word may hold blanks and the escapes \" \\ \n \t.
bool splitWords(const QString& line, QStringList& words, QString& error)
{
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        QString word;
        if (line[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const QChar c = line[i++];
                if (c == u'"') {
                    closed = true;
                    break;
                }
                if (c == u'\\' && i < line.size()) {
                    const QChar e = line[i++];
                    word += e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e;
                } else {
                    word += c;
                }
            }
            if (!closed) {
                error = QStringLiteral("unterminated text");
                return false;
            }
        } else {
            while (i < line.size() && !line[i].isSpace())
                word += line[i++];
        }
        words << word;
    }
    return true;
}

QString escaped(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\t', QStringLiteral("\\t"));
    return text;
}

} // namespace

ScenarioRunner::ScenarioRunner(Wizard& wizard)
    : wizard_(wizard)
    , baseFolder_(QDir::currentPath())
{
    // No file dialog opens offscreen: `choose-file` answers it in advance.
    wizard_.setFileChooser([this](QWidget*, const QString&, const QString&) { return answerFileQuestion().value(0); });
    wizard_.setReportsChooser([this](QWidget*, bool) { return answerFileQuestion(); });
}

QStringList ScenarioRunner::answerFileQuestion()
{
    if (fileAnswers_.isEmpty()) {
        unansweredDialog_ = true;
        return {};
    }
    return fileAnswers_.takeFirst();
}

// PATH is taken from the scenario's folder unless absolute; ${NAME} stands for an environment
// variable, and a '*' in the file name must match exactly one file, such as a report named after
// the moment it was written.
ScenarioRunner::Status ScenarioRunner::chooseFiles(const QStringList& patterns, QString& error)
{
    if (patterns == QStringList{QStringLiteral("-")}) {
        fileAnswers_ << QStringList();
        return Ok;
    }
    QStringList answer;
    for (const QString& pattern : patterns) {
        QString path;
        if (chooseFile(pattern, path, error) != Ok)
            return CannotRun;
        answer << path;
    }
    fileAnswers_ << answer;
    return Ok;
}

ScenarioRunner::Status ScenarioRunner::chooseFile(const QString& pattern, QString& chosen, QString& error)
{
    static const QRegularExpression variable(QStringLiteral("\\$\\{(\\w+)\\}"));
    QString path;
    qsizetype at = 0;
    for (auto it = variable.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        path += pattern.mid(at, m.capturedStart() - at) + qEnvironmentVariable(qPrintable(m.captured(1)));
        at = m.capturedEnd();
    }
    path += pattern.mid(at);
    const QFileInfo file(QDir(baseFolder_), path);
    if (!file.fileName().contains(u'*')) {
        chosen = QDir::cleanPath(file.absoluteFilePath());
        return Ok;
    }
    const QDir folder = file.absoluteDir();
    const QStringList matches = folder.entryList({file.fileName()}, QDir::Files);
    if (matches.size() != 1) {
        error = QStringLiteral("%1 matches %2 files").arg(path).arg(matches.size());
        return CannotRun;
    }
    chosen = folder.filePath(matches.first());
    return Ok;
}

QString ScenarioRunner::usage()
{
    return QStringLiteral(
        "usage: kvarton-scenario [--compare EXPECTED] SCENARIO|-\n"
        "Drives the program's screens (offscreen) from SCENARIO, one command per line; '#' starts a comment.\n"
        "TEXT is a double-quoted string with the escapes \\\" \\\\ \\n \\t.\n"
        "  click FORM.CONTROL           press a button, option button or menu action\n"
        "  choose FORM.CONTROL TEXT     select the list item that reads TEXT (a drop-down list or a list of lines),\n"
        "                               or the row of a table that reads TEXT (cells joined by \" | \") or has a\n"
        "                               cell that reads it\n"
        "  activate FORM.TABLE TEXT     choose the row and open it, as a double-click or Enter does\n"
        "  sort FORM.TABLE COLUMN       sort the table by the column whose head reads COLUMN (or number COLUMN);\n"
        "                               the first row becomes the chosen one\n"
        "  type FORM.CONTROL TEXT       replace the text of a text field\n"
        "  close FORM                   close a window by its close box\n"
        "  expect FORM.CONTROL TEXT     the control's shown text must equal TEXT (FORM MainWindow: a line of the\n"
        "                               main window above every screen)\n"
        "  expect-visible FORM.CONTROL yes|no\n"
        "  expect-enabled FORM.CONTROL yes|no\n"
        "  expect-focus FORM.CONTROL yes|no   whether the control is the one its window gives the keys to\n"
        "  dump [FORM]                  print every visible control of the visible screens (or of FORM) as\n"
        "                               FORM.CONTROL<TAB>text\n"
        "  dump charts                  every visible control with the charts, each as its accessible description\n"
        "  screenshot FORM FILE.png     save a picture of the screen's window\n"
        "  explain FORM.LABEL           ask a value how it was obtained (F1 on it) and print the explanation's\n"
        "                               lines unfolded down to the inputs, then an empty line\n"
        "  explain FORM.CHART TEXT      the same for the figure of a chart whose words are (or begin with) TEXT,\n"
        "                               reached with the arrows\n"
        "  follow TEXT                  follow the link that reads TEXT (or alone begins with it) in the open\n"
        "                               explanation, or else on the error panel of steps 13-16 (an input to mend)\n"
        "  choose-file PATH…|-          the next file dialog a click opens answers PATH (from the scenario's\n"
        "                               folder; ${NAME} is an environment variable; a '*' in the file name must\n"
        "                               match one file); several PATHs answer a dialog that takes several\n"
        "                               files, a folder's PATH one that asks for a folder; '-' cancels it\n"
        "Exit status: 0 all ran and held; 1 an expectation failed; 2 the scenario cannot run (unknown control,\n"
        "item not in a list, a control a learner could not use, the program has ended).\n"
        "--compare EXPECTED: the printed output must also equal the file EXPECTED (status 1 otherwise).\n");
}

ScenarioRunner::Status ScenarioRunner::run(const QString& script)
{
    Status status = Ok;
    const QStringList lines = script.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const Status s = runCommand(i + 1, lines[i]);
        if (s == CannotRun)
            return CannotRun;
        if (s == ExpectationFailed)
            status = ExpectationFailed;
    }
    return status;
}

ScenarioRunner::Status ScenarioRunner::runCommand(int lineNumber, const QString& line)
{
    const Status s = runLine(lineNumber, line);
    QApplication::processEvents();
    // A summary reads its files in the background; the next line sees it done, so that what a
    // scenario prints never depends on the speed of the machine.
    if (SummaryScreen* summary = wizard_.summaryScreen(); summary && summary->isBusy()) {
        QEventLoop wait;
        QObject::connect(summary, &SummaryScreen::idle, &wait, &QEventLoop::quit);
        wait.exec();
        QApplication::processEvents();
    }
    if (std::exchange(unansweredDialog_, false)) {
        messages_ << QStringLiteral("line %1: a file dialog opened without choose-file").arg(lineNumber);
        return CannotRun;
    }
    return s;
}

ScenarioRunner::Status ScenarioRunner::runLine(int number, const QString& rawLine)
{
    line_ = number;
    QString line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(u'#'))
        return Ok;
    auto cannot = [&](const QString& why) {
        messages_ << QStringLiteral("line %1: %2").arg(number).arg(why);
        return CannotRun;
    };
    QStringList words;
    QString error;
    if (!splitWords(line, words, error))
        return cannot(error);
    if (ended_)
        return cannot(QStringLiteral("the program has ended"));

    const QString command = words.value(0);
    auto needArguments = [&](int n) { return words.size() == n + 1; };

    if (command == QLatin1String("dump") && needArguments(0)) {
        dump(false);
        return Ok;
    }
    if (command == QLatin1String("dump") && needArguments(1) && words[1] == QLatin1String("charts")) {
        dump(true);
        return Ok;
    }
    if (command == QLatin1String("dump") && needArguments(1)) {
        QWidget* form = findForm(words[1]);
        if (!form || !form->isVisible())
            return cannot(QStringLiteral("%1 is not open").arg(words[1]));
        dumpForm(form, false);
        output_ += u'\n';
        return Ok;
    }
    if (command == QLatin1String("close") && needArguments(1)) {
        QWidget* form = findForm(words[1]);
        if (!form)
            return cannot(QStringLiteral("unknown screen %1").arg(words[1]));
        if (!form->isVisible())
            return cannot(QStringLiteral("%1 is not open").arg(words[1]));
        if (form->isWindow())
            form->close();
        else
            form->window()->close();
        return Ok;
    }
    if (command == QLatin1String("choose-file") && words.size() >= 2) {
        const Status s = chooseFiles(words.mid(1), error);
        return s == Ok ? Ok : cannot(error);
    }
    if (command == QLatin1String("screenshot") && needArguments(2)) {
        QWidget* form = findForm(words[1]);
        if (!form || !form->isVisible())
            return cannot(QStringLiteral("%1 is not open").arg(words[1]));
        QWidget* window = form->window();
        window->repaint();
        if (!window->grab().save(words[2]))
            return cannot(QStringLiteral("cannot write %1").arg(words[2]));
        return Ok;
    }

    if (command == QLatin1String("follow") && needArguments(1)) {
        auto* form = qobject_cast<CalculationForm*>(findForm(qs(screenName(Screen::Calculation))));
        ExplanationPanel* panel = form ? form->explanationPanel() : nullptr;
        if (panel && panel->isVisible()) {
            if (!panel->follow(words[1]))
                return cannot(QStringLiteral("the explanation has no link \"%1\"").arg(escaped(words[1])));
            return Ok;
        }
        if (!form || !form->showsInputFailures())
            return cannot(QStringLiteral("no explanation is open and no error panel lists inputs"));
        if (!form->followInputFailure(words[1]))
            return cannot(QStringLiteral("the error panel has no link \"%1\"").arg(escaped(words[1])));
        return Ok;
    }
    if (command == QLatin1String("explain") && (needArguments(1) || needArguments(2))) {
        Target t;
        if (!resolve(words[1], t, error))
            return cannot(error);
        auto* form = qobject_cast<CalculationForm*>(t.form);
        auto* label = qobject_cast<QLabel*>(t.control);
        auto* chart = qobject_cast<ResultChart*>(t.control);
        if (!form || !(label || chart) || qobject_cast<QWidget*>(t.control)->focusPolicy() == Qt::NoFocus)
            return cannot(QStringLiteral("%1 is no value that can be asked").arg(words[1]));
        if (!usable(t))
            return cannot(QStringLiteral("%1 cannot be used now (hidden or disabled)").arg(words[1]));
        QWidget* asked = label ? static_cast<QWidget*>(label) : chart;
        const auto key = [&](Qt::Key k) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QApplication::sendEvent(asked, &press);
        };
        // As the learner asks from the keyboard: F1 on the value, or on the chart's figure reached
        // with the arrows.
        asked->setFocus(Qt::TabFocusReason);
        if (chart) {
            const auto& figures = chart->chart().figures;
            const QString text = words.value(2);
            const auto reads = [&](const calc::ChartFigure& f, bool whole) {
                return whole ? qs(f.words) == text : qs(f.words).startsWith(text);
            };
            int index = -1;
            for (bool whole : {true, false})
                for (std::size_t i = 0; index < 0 && i < figures.size(); ++i)
                    if (!text.isEmpty() && reads(figures[i], whole))
                        index = static_cast<int>(i);
            if (index < 0)
                return cannot(QStringLiteral("%1 states no figure \"%2\"").arg(words[1], escaped(text)));
            key(Qt::Key_Home);
            for (std::size_t i = 0; i < figures.size() && chart->currentFigure() < index; ++i)
                key(Qt::Key_Right);
            if (chart->currentFigure() != index)
                return cannot(QStringLiteral("%1 draws no \"%2\" to pick").arg(words[1], escaped(text)));
        }
        key(Qt::Key_F1);
        if (!form->explanationPanel()->isVisible())
            return cannot(QStringLiteral("%1 did not explain itself").arg(words[1]));
        output_ += form->explanationPanel()->unfoldedText() + u'\n';
        return Ok;
    }

    const bool withText = command == QLatin1String("choose") || command == QLatin1String("type")
        || command == QLatin1String("activate") || command == QLatin1String("sort")
        || command == QLatin1String("expect") || command == QLatin1String("expect-visible")
        || command == QLatin1String("expect-enabled") || command == QLatin1String("expect-focus");
    if (!(command == QLatin1String("click") && needArguments(1)) && !(withText && needArguments(2)))
        return cannot(QStringLiteral("cannot read the command \"%1\"").arg(line));

    Target t;
    if (!resolve(words[1], t, error))
        return cannot(error);
    const QString text = words.value(2);

    auto expectation = [&](const QString& actual) {
        if (actual == text)
            return Ok;
        messages_ << QStringLiteral("line %1: %2: expected \"%3\", got \"%4\"")
                         .arg(number)
                         .arg(words[1], escaped(text), escaped(actual));
        return ExpectationFailed;
    };
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    if (command == QLatin1String("expect"))
        return expectation(shownText(t.control));
    if (command == QLatin1String("expect-visible"))
        return expectation(yesNo(visible(t)));
    if (command == QLatin1String("expect-enabled"))
        return expectation(yesNo(enabled(t)));
    if (command == QLatin1String("expect-focus")) {
        auto* w = qobject_cast<QWidget*>(t.control);
        return expectation(yesNo(w && w->window()->focusWidget() == w));
    }

    if (!usable(t))
        return cannot(QStringLiteral("%1 cannot be used now (hidden or disabled)").arg(words[1]));
    if (command == QLatin1String("click")) {
        if (auto* action = qobject_cast<QAction*>(t.control); action && !action->menu())
            action->trigger();
        else if (auto* button = qobject_cast<QAbstractButton*>(t.control))
            button->click();
        else
            return cannot(QStringLiteral("%1 cannot be clicked").arg(words[1]));
        return Ok;
    }
    if (command == QLatin1String("sort")) {
        auto* view = qobject_cast<QAbstractItemView*>(t.control);
        const int column = view ? columnOf(view, text) : -1;
        if (column < 0)
            return cannot(QStringLiteral("%1 has no column \"%2\"").arg(words[1], escaped(text)));
        auto* table = qobject_cast<QTableView*>(view);
        if (!table)
            return cannot(QStringLiteral("%1 cannot be sorted").arg(words[1]));
        table->sortByColumn(column, Qt::AscendingOrder);
        table->setCurrentIndex(table->model()->index(0, 0)); // `expect` reads the first row
        return Ok;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(t.control); view && !qobject_cast<QListWidget*>(view)
        && (command == QLatin1String("choose") || command == QLatin1String("activate"))) {
        const int row = rowOf(view, text);
        if (row < 0)
            return cannot(QStringLiteral("%1 has no row \"%2\"").arg(words[1], escaped(text)));
        const QModelIndex index = view->model()->index(row, 0);
        view->setCurrentIndex(index);
        if (command == QLatin1String("activate"))
            emit view->activated(index);
        return Ok;
    }
    if (command == QLatin1String("choose")) {
        if (auto* items = qobject_cast<QListWidget*>(t.control)) {
            const QList<QListWidgetItem*> found = items->findItems(text, Qt::MatchExactly);
            if (found.isEmpty())
                return cannot(QStringLiteral("%1 has no item \"%2\"").arg(words[1], escaped(text)));
            items->setCurrentItem(found.first());
            return Ok;
        }
        auto* list = qobject_cast<ChoiceList*>(t.control);
        if (!list)
            return cannot(QStringLiteral("%1 is not a list").arg(words[1]));
        if (!list->choose(text))
            return cannot(QStringLiteral("%1 has no item \"%2\"").arg(words[1], escaped(text)));
        return Ok;
    }
    auto* edit = qobject_cast<QLineEdit*>(t.control);
    if (!edit)
        return cannot(QStringLiteral("%1 is not a text field").arg(words[1]));
    edit->setText(text);
    return Ok;
}

QWidget* ScenarioRunner::findForm(const QString& name) const { return wizard_.form(name); }

bool ScenarioRunner::resolve(const QString& path, Target& target, QString& error) const
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot <= 0) {
        error = QStringLiteral("%1 is not FORM.CONTROL").arg(path);
        return false;
    }
    const QString formName = path.left(dot);
    const QString controlName = path.mid(dot + 1);
    // The main window's own line above every page (ReportOwner) is MainWindow.CONTROL.
    if (formName == QLatin1String("MainWindow")) {
        const std::string_view start = screenName(Screen::Start);
        target.form = findForm(QString::fromUtf8(start.data(), static_cast<qsizetype>(start.size())))->window();
        target.control = target.form->findChild<QObject*>(controlName, Qt::FindDirectChildrenOnly);
        if (!target.control)
            error = QStringLiteral("unknown control %1").arg(path);
        return target.control != nullptr;
    }
    if (!screenByName(formName.toStdString())) {
        error = QStringLiteral("unknown screen %1").arg(formName);
        return false;
    }
    target.form = findForm(formName);
    if (!target.form) {
        error = QStringLiteral("%1 is not open").arg(formName);
        return false;
    }
    target.control = target.form->findChild<QObject*>(controlName);
    if (!target.control) {
        error = QStringLiteral("unknown control %1").arg(path);
        return false;
    }
    return true;
}

bool ScenarioRunner::visible(const Target& t)
{
    if (auto* action = qobject_cast<QAction*>(t.control))
        return action->isVisible() && t.form->isVisible();
    if (auto* w = qobject_cast<QWidget*>(t.control))
        return w->isVisible();
    return false;
}

bool ScenarioRunner::enabled(const Target& t)
{
    if (auto* action = qobject_cast<QAction*>(t.control)) {
        if (!action->isEnabled() || !t.form->isEnabled())
            return false;
        for (QObject* menu : action->associatedObjects()) // the menus holding it must be usable too
            if (auto* m = qobject_cast<QMenu*>(menu); m && !m->isEnabled())
                return false;
        return true;
    }
    if (auto* w = qobject_cast<QWidget*>(t.control))
        return w->isEnabled();
    return false;
}

bool ScenarioRunner::usable(const Target& t) { return visible(t) && enabled(t) && t.form->window()->isEnabled(); }

QString ScenarioRunner::shownText(const QObject* control)
{
    // A chart says in words what it shows.
    if (auto* chart = qobject_cast<const ResultChart*>(control))
        return chart->accessibleDescription();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return labelText(*label);
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* list = qobject_cast<const QComboBox*>(control))
        return list->currentText();
    if (auto* items = qobject_cast<const QListWidget*>(control))
        return items->currentItem() ? items->currentItem()->text() : QString();
    if (auto* view = qobject_cast<const QAbstractItemView*>(control))
        return view->currentIndex().isValid() ? rowText(view, view->currentIndex().row()) : QString();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* action = qobject_cast<const QAction*>(control))
        return action->text();
    if (auto* menu = qobject_cast<const QMenu*>(control))
        return menu->title();
    if (auto* widget = qobject_cast<const QWidget*>(control))
        return widget->windowTitle();
    return {};
}

// Charts are printed only when asked for, so that the printed screens of scenarios written
// before there were charts stay as they were.
void ScenarioRunner::dump(bool charts)
{
    for (Screen screen : allOf<Screen>())
        if (QWidget* form = wizard_.form(screen); form && form->isVisible())
            dumpForm(form, charts);
    output_ += u'\n';
}

void ScenarioRunner::dumpForm(QWidget* form, bool charts)
{
    const QString prefix = form->objectName() + u'.';
    auto line
        = [&](const QString& name, const QString& text) { output_ += prefix + name + u'\t' + escaped(text) + u'\n'; };

    std::function<void(QMenu*)> dumpMenu = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            const QString state = action->isEnabled() ? QString() : QStringLiteral("[disabled] ");
            if (QMenu* sub = action->menu()) {
                line(sub->objectName(), state + sub->title());
                dumpMenu(sub);
            } else {
                line(action->objectName(), state + action->text());
            }
        }
    };
    std::function<void(QObject*)> walk = [&](QObject* parent) {
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w->isWindow() || !w->isVisible())
                continue;
            if (auto* bar = qobject_cast<QMenuBar*>(w)) {
                for (QAction* top : bar->actions())
                    if (QMenu* menu = top->menu()) {
                        line(menu->objectName(),
                            (top->isEnabled() ? QString() : QStringLiteral("[disabled] ")) + menu->title());
                        dumpMenu(menu);
                    }
                continue;
            }
            if (!w->objectName().isEmpty()) {
                if (auto* radio = qobject_cast<QRadioButton*>(w))
                    line(w->objectName(),
                        (radio->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + radio->text());
                else if (auto* items = qobject_cast<QListWidget*>(w))
                    for (int row = 0; row < items->count(); ++row)
                        line(w->objectName(),
                            (row == items->currentRow() ? QStringLiteral("[x] ") : QStringLiteral("[ ] "))
                                + items->item(row)->text());
                else if (auto* view = qobject_cast<QAbstractItemView*>(w))
                    for (int row = 0; row < view->model()->rowCount(); ++row)
                        line(w->objectName(),
                            (row == view->currentIndex().row() ? QStringLiteral("[x] ") : QStringLiteral("[ ] "))
                                + rowText(view, row));
                else if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
                    || qobject_cast<QAbstractButton*>(w) || (charts && qobject_cast<ResultChart*>(w)))
                    line(w->objectName(), shownText(w));
            }
            walk(w);
        }
    };
    walk(form);
}

} // namespace kvarton
