#include "offscreen_screen.h"
#include "support/wizard_fixture.h"

#include "model/numeric_locale.h"
#include "steps/choice_list.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace kvarton;
using namespace kvarton::test;

namespace {

// Shows a step and lets its screen lay itself out, as a learner would see it.
void showLaidOut(Wizard& w, int step)
{
    w.steps()->showStep(step);
    QApplication::processEvents();
}

// Where a widget stands inside its box.
QRect inBox(QWidget* widget, QWidget* box) { return {widget->mapTo(box, QPoint(0, 0)), widget->size()}; }

QStringList comboNames(std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QStringLiteral("Combo%1").arg(n);
    return names;
}

// Where the text of a one-line label, or the edge of any other control, ends on the right.
int inkRight(QWidget* widget, QWidget* box)
{
    const QRect r = inBox(widget, box);
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || label->wordWrap())
        return r.x() + r.width();
    const int text = label->fontMetrics().horizontalAdvance(label->text());
    if (label->alignment() & Qt::AlignRight)
        return r.x() + r.width();
    if (label->alignment() & Qt::AlignHCenter)
        return r.x() + (r.width() + text) / 2;
    return r.x() + text;
}

// The screens the windows must fit, side by side in the test, the first the primary one: a
// laptop's 1366×768 less a task bar at 100 %; a 1920×1080 display less its task bar at 150 %, which
// gives the program 1280×693; and the laptop with its text at 125 %, which may scroll down but
// never sideways.
struct LearnerDisplay {
    OffscreenScreen screen;
    bool showsStepsWhole; // without a scroll bar, not only without a horizontal one
};
constexpr LearnerDisplay kDisplays[]{
    {{"laptop", 1366, 728}, true},
    {{"scaled 150 %", 1920, 1040, 144}, true},
    {{"text 125 %", 1366, 728, 120}, false},
};

// Why a step screen's scroll area does not show its step as it should, or nothing: it scrolls
// sideways, it scrolls down where the display shows steps whole, or its body is taller than the
// step needs (a needless scroll bar).
QString scrollingProblem(const QScrollArea& scroll, bool whole)
{
    if (scroll.horizontalScrollBar()->isVisible())
        return QStringLiteral("scrolls sideways");
    if (whole && scroll.verticalScrollBar()->isVisible())
        return QStringLiteral("scrolls down");
    const QWidget* body = scroll.widget();
    const int needed
        = body->hasHeightForWidth() ? body->heightForWidth(body->width()) : body->minimumSizeHint().height();
    if (body->height() > std::max(needed, scroll.viewport()->height()))
        return QStringLiteral("%1 pixels high for %2").arg(body->height()).arg(needed);
    return {};
}

// A fresh program whose window stands on `display`, showing `screen`.
std::unique_ptr<Wizard> openedOn(QScreen* display, Screen screen)
{
    if (isStepScreen(screen) || screen == Screen::Help || screen == Screen::Report) {
        auto w = startedWizard(QStringLiteral("г. Санкт-Петербург"), display);
        if (screen == Screen::Help)
            control<QAction>(*w, Screen::WorkingTime, QStringLiteral("inform1"))->trigger();
        if (screen == Screen::Report) {
            w->steps()->showStep(kLastStep);
            control<QAction>(*w, Screen::Calculation, QStringLiteral("inform2"))->trigger();
        }
        return w;
    }
    auto w = std::make_unique<Wizard>();
    w->window()->setScreen(display);
    w->start();
    const std::pair<Screen, const char*> buttons[]{{Screen::DataList, "Command1"}, {Screen::PersonalData, "Command2"},
        {Screen::WorkList, "OpenWork"}, {Screen::Summary, "Summary"}};
    for (const auto& [opened, button] : buttons)
        if (opened == screen)
            control<QPushButton>(*w, Screen::Start, QString::fromLatin1(button))->click();
    return w;
}

} // namespace

class ScreenLayoutTest final : public QObject {
    Q_OBJECT

private slots:
    // Step 11: the lists of all questions form one column, as wide as the lists need, so that the
    // questions keep the rest of the box; the group sizes of question 13 stand under that column.
    void stepElevenHasOneColumnOfLists()
    {
        auto w = startedWizard();
        showLaidOut(*w, 11);
        auto* box = control<QFrame>(*w, Screen::Simulation, QStringLiteral("Frame2"));
        auto list = [&](const QString& name) { return control<ChoiceList>(*w, Screen::Simulation, name); };

        const QList<QStringList> kinds{
            comboNames({13, 22, 14, 15, 16, 17, 18, 19, 20, 23}), // percentages, questions 1–11
            comboNames({24}), comboNames({25}), // months, days
            comboNames({26, 27, 28, 29}), // group sizes
        };
        auto* underThree = control<QLabel>(*w, Screen::Simulation, QStringLiteral("Question13Head1"));
        int widest = underThree->sizeHint().width();
        for (const QStringList& kind : kinds)
            for (const QString& name : kind)
                widest = std::max(widest, list(name)->sizeHint().width());
        for (const QStringList& kind : kinds) {
            const int width = list(kind.front())->width();
            for (const QString& name : kind) {
                QVERIFY2(list(name)->width() == width, qPrintable(name + QStringLiteral(": another width")));
                QVERIFY2(width <= widest, qPrintable(name + QStringLiteral(": wider than any list needs")));
            }
        }

        const int column = inBox(list(QStringLiteral("Combo13")), box).x();
        for (const QString& name : kinds[0] + kinds[1] + kinds[2] + comboNames({26, 28}))
            QVERIFY2(inBox(list(name), box).x() == column, qPrintable(name + QStringLiteral(": off the list column")));
        const QRect older = inBox(list(QStringLiteral("Combo27")), box);
        QCOMPARE(inBox(list(QStringLiteral("Combo29")), box).x(), older.x());
        QVERIFY(older.x() > column + list(QStringLiteral("Combo26"))->width());

        // Each age band heads its column of group sizes.
        const std::pair<const char*, const char*> heads[]{
            {"Question13Head1", "Combo26"}, {"Question13Head2", "Combo27"}};
        for (const auto& [head, first] : heads) {
            const QRect h = inBox(control<QLabel>(*w, Screen::Simulation, QString::fromLatin1(head)), box);
            const QRect l = inBox(list(QString::fromLatin1(first)), box);
            QVERIFY2(h.center().x() >= l.left() && h.center().x() <= l.right(), head);
            QVERIFY2(h.bottom() < l.top(), head);
        }
    }

    // Step 9: each regime's head is one line centred over its list, and no box keeps room for the
    // second row of lists that only step 10 shows.
    void stepNineHeadsStandOverTheirLists()
    {
        auto w = startedWizard();
        showLaidOut(*w, 9);
        const struct {
            const char* box;
            const char* header;
            const char* shortTermHead;
            const char* shortTermList;
            const char* otherHead;
            const char* otherList;
        } boxes[]{
            {"Frame1", "Labe2", "Label4", "Combo4", "Label8", "Combo9"},
            {"Frame2", "Label24", "Label23", "Combo24", "Label17", "Combo29"},
            {"Frame3", "Label25", "Label26", "Combo44", "Label32", "Combo49"},
        };
        for (const auto& b : boxes) {
            auto* box = control<QFrame>(*w, Screen::Services, QString::fromLatin1(b.box));
            auto rect = [&](const char* name) {
                return inBox(control<QWidget>(*w, Screen::Services, QString::fromLatin1(name)), box);
            };
            for (const auto& [head, list] : {std::pair{b.shortTermHead, b.shortTermList}, {b.otherHead, b.otherList}}) {
                auto* label = control<QLabel>(*w, Screen::Services, QString::fromLatin1(head));
                QVERIFY2(label->height() < 2 * label->fontMetrics().lineSpacing(), head);
                QVERIFY2(std::abs(rect(head).center().x() - rect(list).center().x()) <= 1, head);
            }
            const int top = rect(b.header).top();
            const int below = box->height() - 1 - rect(b.shortTermList).bottom();
            QVERIFY2(std::abs(below - top) <= 2, b.box);
        }
    }

    // Steps 7 and 8: the amounts of step 7 stand in the column of step 8's lists.
    void stepsSevenAndEightShareOneControlColumn()
    {
        auto w = startedWizard();
        auto* box = control<QFrame>(*w, Screen::Staff2011, QStringLiteral("Frame1"));
        std::vector<int> amounts;
        showLaidOut(*w, 7);
        for (int n = 1; n <= 16; ++n)
            amounts.push_back(
                inBox(control<QLineEdit>(*w, Screen::Staff2011, QStringLiteral("Text%1").arg(n)), box).x());
        showLaidOut(*w, 8);
        for (int n = 1; n <= 16; ++n) {
            const QString list = QStringLiteral("Combo%1").arg(n);
            QVERIFY2(inBox(control<ChoiceList>(*w, Screen::Staff2011, list), box).x()
                    == amounts[static_cast<std::size_t>(n - 1)],
                qPrintable(list));
        }
        // Two columns: the roles of odd rows on the left, the rest on the right.
        const int left = amounts[1];
        const int right = amounts[0];
        QVERIFY(left < right);
        for (std::size_t i = 1; i < amounts.size(); ++i)
            QVERIFY(amounts[i] == left || amounts[i] == right);
    }

    // What ends a row on the right (a unit, or step 7's amount) is as far from the box's edge as
    // the captions are on the left.
    void rowsEndAsFarFromTheRightEdgeAsTheyBeginOnTheLeft_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("box");
        for (int step : {1, 7, 8})
            QTest::newRow(qPrintable(QStringLiteral("step %1").arg(step))) << step << QStringLiteral("Frame1");
        QTest::newRow("step 11") << 11 << QStringLiteral("Frame2");
        QTest::newRow("step 12") << 12 << QStringLiteral("Frame1");
    }

    void rowsEndAsFarFromTheRightEdgeAsTheyBeginOnTheLeft()
    {
        QFETCH(int, step);
        QFETCH(QString, box);
        auto w = startedWizard();
        showLaidOut(*w, step);
        auto* frame = visibleStepScreen(*w)->findChild<QFrame*>(box);
        QVERIFY(frame && frame->isVisible());
        int left = frame->width();
        int right = 0;
        for (QWidget* child : frame->findChildren<QWidget*>()) {
            if (!child->isVisible() || child->parentWidget() != frame)
                continue;
            left = std::min(left, inBox(child, frame).x());
            right = std::max(right, inkRight(child, frame));
        }
        const int rightMargin = frame->width() - right;
        QVERIFY2(std::abs(rightMargin - left) <= 2,
            qPrintable(QStringLiteral("left %1, right %2").arg(left).arg(rightMargin)));
    }

    // Every window stands within the free area of its screen on each display; where the display
    // shows steps whole, each step of a step screen (step 15 with each of its groups) needs no
    // scroll bar, and none ever needs a horizontal one.
    void everyWindowFitsItsScreen_data()
    {
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("screen");
        for (int d = 0; d < static_cast<int>(std::size(kDisplays)); ++d)
            for (Screen s : allOf<Screen>())
                QTest::newRow(qPrintable(QString::fromLatin1(kDisplays[d].screen.name) + u' ' + qs(screenName(s))))
                    << d << static_cast<int>(s);
    }

    void everyWindowFitsItsScreen()
    {
        QFETCH(int, display);
        QFETCH(int, screen);
        QScreen* on = QGuiApplication::screens().value(display);
        QVERIFY(on);
        const auto shown = static_cast<Screen>(screen);
        auto w = openedOn(on, shown);
        QApplication::processEvents();
        QWidget* window = w->form(shown)->window();
        QVERIFY(window->isVisible());
        QCOMPARE(window->screen(), on);
        const QRect free = on->availableGeometry();
        QVERIFY2(free.contains(window->frameGeometry()),
            qPrintable(QStringLiteral("%1×%2 at %3,%4 on %5×%6")
                           .arg(window->frameGeometry().width())
                           .arg(window->frameGeometry().height())
                           .arg(window->frameGeometry().x() - free.x())
                           .arg(window->frameGeometry().y() - free.y())
                           .arg(free.width())
                           .arg(free.height())));
        if (!isStepScreen(shown))
            return;

        auto* scroll = w->form(shown)->findChild<QScrollArea*>();
        QVERIFY(scroll);
        const bool whole = kDisplays[display].showsStepsWhole;
        for (int step = kFirstStep; step <= kLastStep; ++step) {
            if (stepInfo(step).screen != shown)
                continue;
            w->steps()->showStep(step);
            QApplication::processEvents();
            QString problem = scrollingProblem(*scroll, whole);
            QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("step %1 %2").arg(step).arg(problem)));
            if (step != 15)
                continue;
            for (const char* group : {"Option11", "Option12", "Option13", "Option21", "Option22", "Option23"}) {
                control<QRadioButton>(*w, shown, QString::fromLatin1(group))->click();
                QApplication::processEvents();
                problem = scrollingProblem(*scroll, whole);
                QVERIFY2(problem.isEmpty(),
                    qPrintable(QStringLiteral("step 15, %1 %2").arg(QString::fromLatin1(group), problem)));
            }
        }
    }
};

int main(int argc, char** argv)
{
    QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qunsetenv("QT_QPA_PLATFORM");
    std::vector<OffscreenScreen> described;
    for (const LearnerDisplay& d : kDisplays)
        described.push_back(d.screen);
    useOffscreenScreens(screens, described);
    QApplication app(argc, argv);
    useFileNotationForNumbers();
    ScreenLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_layout_test.moc"
