#include "calculation_form.h"

#include "calc/panel_options.h"
#include "result_chart.h"
#include "table_chart_layout.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

namespace {

constexpr const char* kErrorLines[] = {
    "1. указали нулевое время работы педагогического персонала",
    "при оказании услуг - Шаг 1 - Шаг 6;",
    "2. указали нулевое количество ставок для отдельной(ых)",
    "должности(ей) при отличном от нуля фонде оплаты труда -",
    "Шаг 7, Шаг 8;",
    "3. при указании оказываемых услуг, количество детей",
    "получающих конкретную услугу (всего) меньше количества",
    "детей получающих данную услугу в коррекционных группах -",
    "Шаг 10;",
    "4. при введении значений по оплате труда были использованы",
    "неверные параметры данных вместо числового параметра",
    "(например, сочетание цифр и букв, разделитель \".\" вместо",
    "\",\") - Шаг 7, Шаг 12.",
};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }
QString name(const char* latin) { return QString::fromLatin1(latin); }

// The groups of step 15 under the head of each regime, in the order they stand.
constexpr calc::NormativeGroup kGroupsByRegime[2][3] = {
    {calc::NormativeGroup::JuniorShortTerm, calc::NormativeGroup::MiddleShortTerm,
        calc::NormativeGroup::SeniorShortTerm},
    {calc::NormativeGroup::JuniorDay, calc::NormativeGroup::MiddleDay, calc::NormativeGroup::SeniorDay},
};

QFrame* makeFrame(QWidget* parent, const char* frameName) { return makeBox(parent, name(frameName)); }

// A caption, unit or head of a results panel.
QLabel* textLabel(QWidget* parent, const calc::PanelText& t, bool wrap = false)
{
    return makeLabel(parent, qs(t.name), qs(t.text), wrap);
}

// Wide enough for the largest amounts, so that columns keep their place when the values change.
int valueWidth(const QWidget* w, int digits) { return w->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 8; }

void setBold(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

} // namespace

QHBoxLayout* CalculationForm::methodRow(
    QWidget* parent, calc::ResultsPanel panel, EnumArray<calc::Method, QRadioButton*>& buttons)
{
    auto* row = new QHBoxLayout;
    for (calc::Method m : allOf<calc::Method>()) {
        buttons[m] = option(parent, calc::methodOption(panel, m));
        row->addWidget(buttons[m]);
    }
    buttons[calc::Method::ByRecommendations]->setChecked(true);
    row->addStretch(1);
    return row;
}

void CalculationForm::buildErrorPanel()
{
    errorPanel_ = makeFrame(bodyWidget(), "Frame1");
    auto* layout = new QVBoxLayout(errorPanel_);
    QLabel* heading
        = makeTitle(errorPanel_, QStringLiteral("Label2"), QStringLiteral("Проверьте правильность ввода параметров"));
    QPalette red = heading->palette();
    red.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x00));
    heading->setPalette(red);
    layout->addWidget(heading);
    layout->addWidget(makeLabel(errorPanel_, QStringLiteral("Label3"),
        QStringLiteral("На предыдущих шагах Вы допустили одну или несколько из следующих "
                       "ошибок введения данных:"),
        true));
    QStringList lines;
    for (const char* line : kErrorLines)
        lines << text(line);
    layout->addWidget(makeLabel(errorPanel_, QStringLiteral("Label4"), lines.join(u'\n')));

    // Below the thirteen lines: what the check found, one input per line, scrolling when long.
    failuresHead_ = makeLabel(
        errorPanel_, QStringLiteral("InputFailuresHead"), QStringLiteral("Значения, которые нужно исправить:"), true);
    setBold(failuresHead_);
    layout->addWidget(failuresHead_);
    // As tall as the list up to twelve lines; a longer one scrolls.
    failures_ = makeScrollingList(errorPanel_, QStringLiteral("InputFailureList"), QStringLiteral("InputFailures"), 12);
    layout->addWidget(failures_.area);
    bodyLayout()->addWidget(errorPanel_);
}

void CalculationForm::buildPupilHourPanel()
{
    const calc::Panel& panel = calc::panel(calc::ResultsPanel::PupilHourCost);
    QFrame* frame = makeBox(bodyWidget(), qs(panel.frame));
    panels_[calc::ResultsPanel::PupilHourCost] = frame;
    auto* grid = new QGridLayout(frame);
    grid->addLayout(methodRow(frame, calc::ResultsPanel::PupilHourCost, methodButtons13_), 0, 0, 1, 3);
    int row = 1;
    for (const calc::PanelLine& line : panel.lines) {
        const calc::ValueLabel& cell = calc::value(line);
        grid->addWidget(textLabel(frame, line.caption, true), row, 0);
        QLabel* v = value(frame, cell, QStringLiteral("0"));
        v->setMinimumWidth(valueWidth(v, 12));
        grid->addWidget(v, row, 1);
        grid->addWidget(textLabel(frame, cell.unit), row, 2);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildIncentivePanel()
{
    using calc::IncentiveLine;
    const calc::Panel& panel = calc::panel(calc::ResultsPanel::Incentives);
    QFrame* frame = makeBox(bodyWidget(), qs(panel.frame));
    panels_[calc::ResultsPanel::Incentives] = frame;
    auto* layout = new QVBoxLayout(frame);

    // The method and the view are two groups of their own: the view sits in Frame4.
    layout->addLayout(methodRow(frame, calc::ResultsPanel::Incentives, methodButtons14_));
    QFrame* views = makeFrame(frame, "Frame4");
    auto* viewRow = new QHBoxLayout(views);
    for (StayRegime v : {StayRegime::Day, StayRegime::ShortTerm}) {
        viewButtons14_[v] = option(views, calc::viewOption(v));
        viewRow->addWidget(viewButtons14_[v]);
    }
    viewButtons14_[StayRegime::Day]->setChecked(true);
    viewRow->addStretch(1);
    layout->addWidget(views);

    // Until the first computation the values show the placeholders of the screen design.
    const QString moneyPlaceholder = QStringLiteral("18000000");
    const QString coefficientPlaceholder = QStringLiteral("1,8");
    const int money = valueWidth(frame, 12);
    const int coefficient = valueWidth(frame, 6);
    constexpr int spacing = 6;
    constexpr int margin = 9;

    // Every amount in roubles stands in one column, right-aligned, with "рублей" after it: the
    // salary fund above the box as the funds and the roles' amounts inside it. Inside the box the
    // columns are caption, coefficient, amount and unit; the salary fund's caption is as wide as
    // the box's frame and first two columns together.
    const calc::PanelLine& salaryFund = calc::line(IncentiveLine::SalaryFund);
    auto* fund = new QHBoxLayout;
    fund->setSpacing(spacing);
    QLabel* salaryFundCaption = textLabel(frame, salaryFund.caption);
    fund->addWidget(salaryFundCaption);
    QLabel* salaryFundValue = value(frame, calc::value(salaryFund), QStringLiteral("1800"));
    salaryFundValue->setFixedWidth(money);
    fund->addWidget(salaryFundValue);
    fund->addWidget(textLabel(frame, calc::value(salaryFund).unit));
    fund->addStretch(1);
    layout->addLayout(fund);

    QFrame* details = makeFrame(frame, "Frame31");
    auto* grid = new QGridLayout(details);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->setHorizontalSpacing(spacing);
    int row = 0;
    for (IncentiveLine l : {IncentiveLine::CompensationFund, IncentiveLine::AwardsFund}) {
        const calc::PanelLine& line = calc::line(l);
        grid->addWidget(textLabel(details, line.caption), row, 0, 1, 2);
        QLabel* v = value(details, calc::value(line), moneyPlaceholder);
        v->setFixedWidth(money);
        grid->addWidget(v, row, 2);
        grid->addWidget(textLabel(details, calc::value(line).unit), row, 3);
        ++row;
    }

    // The two coefficients for compensating groups on one line under their heading.
    const calc::PanelLine& teachers = calc::line(IncentiveLine::CompensatingTeachers);
    QLabel* compensatingHead = textLabel(details, teachers.heading);
    setBold(compensatingHead);
    grid->addWidget(compensatingHead, row++, 0, 1, 5);
    auto* compensating = new QHBoxLayout;
    compensating->setSpacing(spacing);
    for (IncentiveLine l : {IncentiveLine::CompensatingTeachers, IncentiveLine::CompensatingOther}) {
        const calc::PanelLine& line = calc::line(l);
        if (l != IncentiveLine::CompensatingTeachers)
            compensating->addSpacing(24);
        compensating->addWidget(textLabel(details, line.caption));
        compensating->addWidget(value(details, calc::value(line), coefficientPlaceholder));
    }
    compensating->addStretch(1);
    grid->addLayout(compensating, row++, 0, 1, 5);

    const auto roleLines = panel.lines.subspan(static_cast<std::size_t>(IncentiveLine::Teacher));
    QLabel* rolesHead = textLabel(details, roleLines.front().heading);
    setBold(rolesHead);
    grid->addWidget(rolesHead, row++, 0, 1, 5);
    // Each role reads "Воспитатель - 1,10 (91932 рублей)": caption, coefficient, and the amount in
    // its bracket; amounts and coefficients right-aligned in their columns.
    int captions = 0;
    for (const calc::PanelLine& line : roleLines) {
        const calc::ValueLabel& amount = calc::value(line, calc::RoleColumn::Amount);
        QLabel* caption = textLabel(details, line.caption);
        captions = std::max(captions, caption->sizeHint().width());
        grid->addWidget(caption, row, 0);
        QLabel* coef = value(details, calc::value(line, calc::RoleColumn::Coefficient), coefficientPlaceholder);
        coef->setFixedWidth(coefficient);
        grid->addWidget(coef, row, 1);
        // The bracket hugs the amount; the pair stands right-aligned so that the digits line up.
        auto* bracketed = new QWidget(details);
        bracketed->setFixedWidth(money);
        auto* pair = new QHBoxLayout(bracketed);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(0);
        pair->addStretch(1);
        pair->addWidget(makeLabel(bracketed, qs(amount.unit.name), QStringLiteral("(")));
        pair->addWidget(value(bracketed, amount, moneyPlaceholder));
        grid->addWidget(bracketed, row, 2);
        grid->addWidget(
            makeLabel(details, qs(amount.unit.name) + QStringLiteral("Tail"), qs(amount.unit.text) + u')'), row, 3);
        ++row;
    }
    // The amount column starts as far from the box's left edge as the salary fund's value does.
    const int inset = details->frameWidth() + margin;
    const int captionColumn = std::max(captions, salaryFundCaption->sizeHint().width() - inset - spacing - coefficient);
    grid->setColumnMinimumWidth(0, captionColumn);
    salaryFundCaption->setFixedWidth(inset + captionColumn + spacing + coefficient);
    grid->setColumnStretch(4, 1);
    layout->addWidget(details);
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildNormativePanel()
{
    const calc::Panel& panel = calc::panel(calc::ResultsPanel::NormativeTable);
    QFrame* frame = makeBox(bodyWidget(), qs(panel.frame));
    panels_[calc::ResultsPanel::NormativeTable] = frame;
    auto* layout = new QVBoxLayout(frame);

    // Six options in one group, under the heads of their regime.
    groups15_ = new QButtonGroup(frame);
    auto* choice = new QHBoxLayout;
    for (StayRegime regime : {StayRegime::ShortTerm, StayRegime::Day}) {
        auto* column = new QVBoxLayout;
        QLabel* head = textLabel(frame, calc::regimeHead(regime));
        setBold(head);
        column->addWidget(head);
        for (calc::NormativeGroup g : kGroupsByRegime[regime == StayRegime::ShortTerm ? 0 : 1]) {
            QRadioButton* button = option(frame, calc::groupOption(g));
            groupButtons15_[g] = button;
            groups15_->addButton(button, static_cast<int>(g));
            column->addWidget(button);
        }
        choice->addLayout(column);
        choice->addSpacing(32);
    }
    choice->addStretch(1);
    groupButtons15_[calc::NormativeGroup::JuniorShortTerm]->setChecked(true);
    layout->addLayout(choice);

    auto* grid = new QGridLayout;
    const int money = valueWidth(frame, 11);
    for (int c = 0; c < 3; ++c) {
        QLabel* head = textLabel(frame, panel.columnHeads[static_cast<std::size_t>(c)]);
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setBold(head);
        grid->addWidget(head, 0, c + 1);
    }
    // The total and the two services in bold, their parts indented below them.
    int row = 1;
    for (const calc::PanelLine& line : panel.lines) {
        QLabel* caption = textLabel(frame, line.caption);
        if (line.indented)
            caption->setIndent(24);
        else
            setBold(caption);
        grid->addWidget(caption, row, 0);
        int c = 1;
        for (const calc::ValueLabel& cell : line.values) {
            QLabel* v = value(frame, cell, QStringLiteral("0"));
            v->setMinimumWidth(money);
            grid->addWidget(v, row, c++);
        }
        ++row;
    }
    grid->setHorizontalSpacing(24);
    grid->setColumnStretch(4, 1);
    chart15_ = new ResultChart(QStringLiteral("Chart15"), frame);
    layout->addLayout(new TableChartLayout(grid, chart15_));
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildEstimatePanel()
{
    const calc::Panel& panel = calc::panel(calc::ResultsPanel::Estimate);
    QFrame* frame = makeBox(bodyWidget(), qs(panel.frame));
    panels_[calc::ResultsPanel::Estimate] = frame;
    auto* layout = new QVBoxLayout(frame);
    auto* grid = new QGridLayout;
    const calc::PanelText heads[] = {panel.captionsHead, panel.columnHeads[0], panel.columnHeads[1]};
    for (int c = 0; c < 3; ++c) {
        QLabel* head = textLabel(frame, heads[c]);
        setBold(head);
        if (c > 0)
            head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(head, 0, c);
    }

    // Three columns of rows of one line height each, so that the eleven lines of the role caption
    // stand level with the eleven values beside them. A group of rows (a kind of expense with its
    // parts) is set off from the one above by a small space; the totals and the subsidy by a
    // larger one and a rule, in bold.
    QWidget* captions = new QWidget(frame);
    auto* totals = new QFrame(frame);
    totals->setObjectName(QStringLiteral("Frame7"));
    auto* specials = new QFrame(frame);
    specials->setObjectName(QStringLiteral("Frame8"));
    std::array<QVBoxLayout*, 3> columns{new QVBoxLayout(captions), new QVBoxLayout(totals), new QVBoxLayout(specials)};
    for (QVBoxLayout* column : columns) {
        column->setSpacing(0);
        column->setContentsMargins(0, 0, 0, 0);
    }
    const int lineHeight = frame->fontMetrics().lineSpacing();
    const int money = valueWidth(frame, 12);
    auto fixedHeight = [lineHeight](QLabel* label, qsizetype lines) {
        label->setFixedHeight(lineHeight * static_cast<int>(lines));
        label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
        return label;
    };
    const auto groupSpace = [&](bool total) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            columns[c]->addSpacing(total ? 5 : 6);
            if (!total)
                continue;
            auto* rule = new QFrame(c == 0 ? captions : c == 1 ? static_cast<QWidget*>(totals) : specials);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Plain);
            rule->setFixedHeight(1);
            rule->setForegroundRole(QPalette::Mid);
            columns[c]->addWidget(rule);
            columns[c]->addSpacing(4);
        }
    };
    const std::span<const calc::PanelLine> lines = panel.lines;
    for (std::size_t first = 0; first < lines.size();) {
        // Lines that share a caption label show it once, one line of its text beside each.
        std::size_t end = first + 1;
        while (end < lines.size() && lines[end].caption.name == lines[first].caption.name)
            ++end;
        const auto group = lines.subspan(first, end - first);
        const calc::PanelLine& head = group.front();
        if (first > 0 && (head.total || !head.indented))
            groupSpace(head.total);
        QStringList captionLines;
        for (const calc::PanelLine& line : group)
            captionLines << qs(line.caption.text);
        QLabel* caption
            = fixedHeight(makeLabel(captions, qs(head.caption.name), captionLines.join(u'\n')), group.size());
        if (head.indented) // not setIndent: a label aligned to the top indents its top edge as well
            caption->setContentsMargins(16, 0, 0, 0);
        if (head.total)
            setBold(caption);
        columns[0]->addWidget(caption);
        for (const calc::PanelLine& line : group) {
            QLabel* t
                = fixedHeight(value(totals, calc::value(line, calc::EstimateColumn::Total), QStringLiteral("0")), 1);
            t->setMinimumWidth(money);
            columns[1]->addWidget(t);
            const calc::ValueLabel& special = calc::value(line, calc::EstimateColumn::Special);
            QLabel* s = special.name.empty() ? nullptr : fixedHeight(value(specials, special, QStringLiteral("0")), 1);
            if (s) {
                s->setMinimumWidth(money);
                columns[2]->addWidget(s);
            } else {
                columns[2]->addSpacing(lineHeight);
            }
            if (line.total) {
                setBold(t);
                if (s)
                    setBold(s);
            }
        }
        first = end;
    }
    for (QVBoxLayout* column : columns)
        column->addStretch(1);
    grid->addWidget(captions, 1, 0);
    grid->addWidget(totals, 1, 1);
    grid->addWidget(specials, 1, 2);
    grid->setHorizontalSpacing(24);
    grid->setColumnStretch(3, 1);
    chart16_ = new ResultChart(QStringLiteral("Chart16"), frame);
    layout->addLayout(new TableChartLayout(grid, chart16_));
    bodyLayout()->addWidget(frame);
}

} // namespace kvarton
