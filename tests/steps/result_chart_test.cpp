#include "offscreen_screen.h"
#include "support/wizard_fixture.h"

#include "calc/result_charts.h"
#include "model/numeric_locale.h"
#include "steps/result_chart.h"
#include "wizard/step_controller.h"

#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace kvarton;
using namespace kvarton::test;

class ResultChartTest final : public QObject {
    Q_OBJECT

private:
    static ResultChart* chart(Wizard& w, const char* name)
    {
        return control<ResultChart>(w, QStringLiteral("Form8"), QString::fromLatin1(name));
    }
    static void click(Wizard& w, const char* option)
    {
        control<QRadioButton>(w, QStringLiteral("Form8"), QString::fromLatin1(option))->click();
    }
    // The chart stands whole in the window, and the screen needs no scroll bar for it.
    static void expectWhollyShown(Wizard& w, ResultChart* c)
    {
        QApplication::processEvents();
        QCOMPARE(c->window()->height(), 720); // the laptop screen's height less the room for a title bar
        auto* scroll = w.form(QStringLiteral("Form8"))->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QVERIFY2(!scroll->verticalScrollBar()->isVisible(), qPrintable(c->accessibleName()));
        QCOMPARE(c->visibleRegion().boundingRect(), c->rect());
        QCOMPARE(c->height(), c->heightForWidth(c->width()));
    }

private slots:
    // The charts of the St Petersburg defaults after step 13: what the table of the option clicked
    // shows, in words, and the whole chart in the window at its first size.
    void chartsFollowEveryClickAndStateTheirFigures()
    {
        auto w = startedWizard();
        w->steps()->showStep(13);
        w->steps()->showStep(15);
        ResultChart* c15 = chart(*w, "Chart15");
        QVERIFY(c15->accessibleDescription().endsWith(QStringLiteral("равны нулю: сравнивать нечего.")));
        click(*w, "Option22");
        QCOMPARE(c15->accessibleName(),
            QStringLiteral("Норматив и потребности: Дневные группы, Средняя группа (от 3 до 5 лет)"));
        QVERIFY(c15->accessibleDescription().startsWith(
            QStringLiteral("Норматив и потребности: Дневные группы, Средняя группа (от 3 до 5 лет). Всего, "
                           "рублей: норматив 115000, потребности 136949, не хватает 21949. Обучение, воспитание  "
                           "и развитие: норматив 79920, потребности 68604, остаток 11316.")));
        QCOMPARE(c15->chart().lines.size(), std::size_t{10});
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(c15);
        QVERIFY(read);
        QCOMPARE(read->role(), QAccessible::Chart);
        QCOMPARE(read->text(QAccessible::Description), c15->accessibleDescription());
        for (const char* option : {"Option11", "Option12", "Option13", "Option21", "Option22", "Option23"}) {
            click(*w, option);
            expectWhollyShown(*w, c15);
        }

        w->steps()->showStep(16);
        ResultChart* c16 = chart(*w, "Chart16");
        QVERIFY(c16->accessibleDescription().endsWith(
            QStringLiteral("Субсидии не хватает на покрытие расходов: 3769974 рублей.")));
        expectWhollyShown(*w, c16);
    }

    // Without figures to draw the chart paints its words alone, as tall as they are, wrapped where
    // the window is narrow.
    void aChartWithoutFiguresShowsWordsOnly()
    {
        ResultChart c(QStringLiteral("Chart15"), nullptr);
        c.setChart(calc::normativeChart(calc::errorPanel(), calc::NormativeGroup::SeniorDay));
        // One line of words: the font's height, or its line spacing where the font has a leading, and
        // the pixel a fractional height rounds up to (DejaVu under Wine), but never a second line.
        const int oneLine = c.heightForWidth(2000);
        const QFontMetrics fm = c.fontMetrics();
        QVERIFY2(oneLine >= fm.height() + 2 && oneLine <= fm.lineSpacing() + 3,
            qPrintable(QStringLiteral("%1 for a line of %2").arg(oneLine).arg(fm.height())));
        QVERIFY(c.heightForWidth(200) > c.heightForWidth(2000));
        c.resize(200, c.heightForWidth(200));
        QVERIFY(!c.grab().isNull());
        QCOMPARE(c.accessibleDescription(),
            QStringLiteral("Норматив и потребности: Дневные группы, Старшая группа (от 5 до 7 лет). Диаграмма не "
                           "построена: не все значения удалось рассчитать."));
    }
};

int main(int argc, char** argv)
{
    // The program's first window size, on the laptop screen the scenarios use.
    QTemporaryFile screen;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qunsetenv("QT_QPA_PLATFORM");
    useOffscreenLaptopScreen(screen);
    QApplication app(argc, argv);
    useFileNotationForNumbers();
    ResultChartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "result_chart_test.moc"
