#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "steps/choice_list.h"
#include "wizard/step_controller.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

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
};

KVARTON_QTEST_MAIN(ScreenLayoutTest)
#include "screen_layout_test.moc"
