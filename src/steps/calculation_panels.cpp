#include "calculation_form.h"

#include "widgets.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvarton {

namespace {

// A row of a results panel: caption, value label and unit.
struct ValueRow {
    const char* caption;
    const char* captionText;
    const char* value;
    const char* unit;
    const char* unitText;
};

// Step 13. Two captions spell "группах" with a Latin "c" after it, as the screen always has.
constexpr ValueRow kPupilHourRows[] = {
    {"Label10", "Стоимость ученико - часа в группах с обычным режимом пребывания", "Label1001", "Label12",
        "рублей на воспитанника "},
    {"Label11", "Стоимость ученико - часа в группах с краткосрочным режимом пребывания", "Label1010", "Label8",
        "рублей на воспитанника "},
    {"Label38", "Потребность в часах в группах c обычным режимом пребывания", "Label1002", "Label9",
        "часов на воспитанника"},
    {"Label14", "В том числе в коррекционных группах", "Label1003", "Label15", "часов на воспитанника "},
    {"Label20", "Потребность в часах в группах c краткосрочным режимом пребывания", "Label1004", "Label19",
        "часов на воспитанника"},
    {"Label17", "В том числе в коррекционных группах", "Label1005", "Label16", "часов на воспитанника "},
    {"Label23", "Общая потребность в часах в группах с обычным режимом", "Label1006", "Label22", "часов"},
    {"Label25", "В том числе в коррекционных группах", "Label1007", "Label26", "часов"},
    {"Label28", "Общая потребность в часах в краткосрочных группах", "Label1008", "Label30", "часов"},
    {"Label31", "В том числе в коррекционных группах", "Label1009", "Label33", "часов"},
};

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

// Step 14: one row per pedagogical role, in role order.
struct RoleRow {
    const char* caption;
    const char* captionText;
    const char* coefficient;
    const char* bracket;
    const char* amount;
};

constexpr RoleRow kRoleRows[] = {
    {"Label107", "Воспитатель -", "Label2022", "Label105", "Label2007"},
    {"Label108", "Музыкальный руководитель -", "Label102", "Label103", "Label2008"},
    {"Label109", "Инструктор - методист -", "Label101", "Label92", "Label2009"},
    {"Label110", "Инструктор по физкультуре -", "Label100", "Label91", "Label2011"},
    {"Label111", "Концертмейстер -", "Label99", "Label90", "Label2012"},
    {"Label112", "Педагог доп. образования -", "Label98", "Label89", "Label70"},
    {"Label113", "Педагог - организатор -", "Label97", "Label88", "Label69"},
    {"Label114", "Социальный педагог -", "Label96", "Label87", "Label68"},
    {"Label115", "Педагог - психолог -", "Label95", "Label86", "Label67"},
    {"Label116", "Рук физ. воспитания -", "Label94", "Label85", "Label66"},
    {"Label117", "Дефектолог, логопед -", "Label93", "Label84", "Label65"},
};

// Step 15: normative, need and remainder of every kind of expense.
struct TableRow {
    const char* caption;
    const char* captionText;
    const char* normative;
    const char* need;
    const char* remainder;
    bool summary; // the total and the two services; their parts are indented below them
};

constexpr TableRow kNormativeRows[] = {
    {"Label32", "Всего, рублей", "Label48", "Label78", "Label124", true},
    {"Label37", "Обучение, воспитание  и развитие", "Label49", "Label77", "Label123", true},
    {"Label39", "Педагогический персонал", "Label50", "Label76", "Label119", false},
    {"Label40", "АУП", "Label51", "Label75", "Label118", false},
    {"Label41", "Обслуживающий персонал", "Label52", "Label74", "Label106", false},
    {"Label42", "Материально-технические затраты", "Label53", "Label73", "Label104", false},
    {"Label43", "Уход и присмотр", "Label54", "Label72", "Label83", true},
    {"Label44", "УВП", "Label55", "Label71", "Label82", false},
    {"Label45", "АУП", "Label56", "Label61", "Label81", false},
    {"Label46", "Обслуживающий персонал", "Label57", "Label60", "Label80", false},
    {"Label47", "Материально-технические затраты", "Label58", "Label59", "Label79", false},
};

struct GroupOption {
    const char* name;
    calc::NormativeGroup group;
    AgeGroup age;
};

constexpr GroupOption kShortTermOptions[] = {
    {"Option11", calc::NormativeGroup::JuniorShortTerm, AgeGroup::Junior},
    {"Option12", calc::NormativeGroup::MiddleShortTerm, AgeGroup::Middle},
    {"Option13", calc::NormativeGroup::SeniorShortTerm, AgeGroup::Senior},
};
constexpr GroupOption kDayOptions[] = {
    {"Option21", calc::NormativeGroup::JuniorDay, AgeGroup::Junior},
    {"Option22", calc::NormativeGroup::MiddleDay, AgeGroup::Middle},
    {"Option23", calc::NormativeGroup::SeniorDay, AgeGroup::Senior},
};

// Step 16: the rows of the estimate; the role lines share one caption of eleven lines.
struct EstimateRow {
    const char* caption;
    const char* captionText;
    const char* total; // in Frame7
    const char* special; // in Frame8, or none
    int lines;
};

constexpr const char* kRoleLines = "в том числе: воспитатели\nмузыкальные руководители\nметодисты\n"
                                   "инструктора по физкультуре\nконцертмейстеры\nпедагоги доп. образования\n"
                                   "педагоги - организаторы\nсоциальные педагоги\nпедагоги - психологи\n"
                                   "руководители физ. воспитания\nдефектологи, логопеды";

constexpr EstimateRow kEstimateRows[] = {
    {"Label126", "Оплата труда педперсонала", "Label148", "Label166", 1},
    {"Label127", kRoleLines, nullptr, nullptr, 11},
    {"Label142", "Оплата труда АУП", "Label160", "Label178", 1},
    {"Label143", "в том числе: заведующий", "Label161", "Label179", 1},
    {"Label144", "Оплата труда обслуживающего персонала", "Label162", "Label180", 1},
    {"Label145", "Оплата труда УВП", "Label163", "Label181", 1},
    {"Label5", "Всего оплата труда, без начисслений", "Label600", "Label601", 1},
    {"Label146", "Материально - технические расходы", "Label164", nullptr, 1},
    {"Label147", "Всего расходов, с учетом начислений", "Label165", "Label182", 1},
    {"Label184", "Выделена субсидия на выполение задания", "Label183", nullptr, 1},
};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }
QString name(const char* latin) { return QString::fromLatin1(latin); }

QFrame* makeFrame(QWidget* parent, const char* frameName) { return makeBox(parent, name(frameName)); }

// Wide enough for the largest amounts, so that columns keep their place when the values change.
int valueWidth(const QWidget* w, int digits) { return w->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 8; }

void setBold(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

} // namespace

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
    bodyLayout()->addWidget(errorPanel_);
}

void CalculationForm::buildPupilHourPanel()
{
    QFrame* frame = makeFrame(bodyWidget(), "Frame2");
    panels_[0] = frame;
    auto* grid = new QGridLayout(frame);
    auto* methods = new QHBoxLayout;
    option(frame, "Option1", QStringLiteral("Метод 1 - расчет на основании рекомендаций"))->setChecked(true);
    methods->addWidget(options_.value(QStringLiteral("Option1")));
    methods->addWidget(option(frame, "Option2", QStringLiteral("Метод 2 - расчет с учетом всех потребностей")));
    methods->addStretch(1);
    grid->addLayout(methods, 0, 0, 1, 3);
    int row = 1;
    for (const ValueRow& r : kPupilHourRows) {
        grid->addWidget(makeLabel(frame, name(r.caption), text(r.captionText), true), row, 0);
        QLabel* v = value(frame, name(r.value), QStringLiteral("0"));
        v->setMinimumWidth(valueWidth(v, 12));
        grid->addWidget(v, row, 1);
        grid->addWidget(makeLabel(frame, name(r.unit), text(r.unitText)), row, 2);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildIncentivePanel()
{
    QFrame* frame = makeFrame(bodyWidget(), "Frame3");
    panels_[1] = frame;
    auto* layout = new QVBoxLayout(frame);

    // The method and the view are two groups of their own: the view sits in Frame4.
    auto* methods = new QHBoxLayout;
    option(frame, "Option3", QStringLiteral("Метод 1 - расчет на основании рекомендаций"))->setChecked(true);
    methods->addWidget(options_.value(QStringLiteral("Option3")));
    methods->addWidget(option(frame, "Option4", QStringLiteral("Метод 2 - расчет с учетом всех потребностей")));
    methods->addStretch(1);
    layout->addLayout(methods);
    QFrame* views = makeFrame(frame, "Frame4");
    auto* viewRow = new QHBoxLayout(views);
    option(views, "Option5", QStringLiteral("Обычные режимы пребывания"))->setChecked(true);
    viewRow->addWidget(options_.value(QStringLiteral("Option5")));
    viewRow->addWidget(option(views, "Option6", QStringLiteral("Краткосрочные режимы пребывания")));
    viewRow->addStretch(1);
    layout->addWidget(views);

    const int money = valueWidth(frame, 12);
    const int coefficient = valueWidth(frame, 6);
    auto* fund = new QHBoxLayout;
    fund->addWidget(
        makeLabel(frame, QStringLiteral("Label136"), QStringLiteral("Фонд окладов, рассчитанный по ученико-часам")));
    fund->addWidget(value(frame, QStringLiteral("Label2001"), QStringLiteral("1800")));
    fund->addWidget(makeLabel(frame, QStringLiteral("Label137"), QStringLiteral("рублей")));
    fund->addStretch(1);
    values_.value(QStringLiteral("Label2001"))->setMinimumWidth(money);
    layout->addLayout(fund);

    QFrame* details = makeFrame(frame, "Frame31");
    auto* grid = new QGridLayout(details);
    // Funds: caption, value, unit, twice on one line.
    const ValueRow funds[] = {{"Label13", "Компенсационный фонд", "Label2003", "Label18", "рублей"},
        {"Label21", "Фонд доплат", "Label2004", "Label24", "рублей"}};
    auto* fundRow = new QHBoxLayout;
    fundRow->setSpacing(6);
    for (const ValueRow& r : funds) {
        fundRow->addWidget(makeLabel(details, name(r.caption), text(r.captionText)));
        QLabel* v = value(details, name(r.value), QStringLiteral("18000000"));
        v->setMinimumWidth(money);
        fundRow->addWidget(v);
        fundRow->addWidget(makeLabel(details, name(r.unit), text(r.unitText)));
        fundRow->addSpacing(24);
    }
    fundRow->addStretch(1);
    grid->addLayout(fundRow, 0, 0, 1, 5);

    QLabel* compensatingHead = makeLabel(details, QStringLiteral("Label64"),
        QStringLiteral("Повышающие коэффициенты за работу в коррекционных группах:"));
    setBold(compensatingHead);
    grid->addWidget(compensatingHead, 1, 0, 1, 5);
    auto* compensating = new QHBoxLayout;
    compensating->setSpacing(6);
    compensating->addWidget(makeLabel(details, QStringLiteral("Label121"), QStringLiteral(" воспитатели -")));
    compensating->addWidget(value(details, QStringLiteral("Label120"), QStringLiteral("1,8")));
    compensating->addSpacing(24);
    compensating->addWidget(makeLabel(details, QStringLiteral("Label63"), QStringLiteral("иной персонал -")));
    compensating->addWidget(value(details, QStringLiteral("Label62"), QStringLiteral("1,8")));
    compensating->addStretch(1);
    grid->addLayout(compensating, 2, 0, 1, 5);

    QLabel* rolesHead = makeLabel(details, QStringLiteral("Label122"),
        QStringLiteral("Повышающие коэффициенты на категорию персонала в группах с обычным режимом:"));
    setBold(rolesHead);
    grid->addWidget(rolesHead, 3, 0, 1, 5);
    // Each role reads "Воспитатель - 1,10 (91932 рублей)": caption, coefficient, and the amount in
    // its bracket; amounts and coefficients right-aligned in their columns.
    int row = 4;
    for (const RoleRow& r : kRoleRows) {
        grid->addWidget(makeLabel(details, name(r.caption), text(r.captionText)), row, 0);
        QLabel* coef = value(details, name(r.coefficient), QStringLiteral("1,8"));
        coef->setMinimumWidth(coefficient);
        grid->addWidget(coef, row, 1);
        // The bracket hugs the amount; the pair stands right-aligned so that the digits line up.
        auto* bracketed = new QWidget(details);
        bracketed->setMinimumWidth(money);
        auto* pair = new QHBoxLayout(bracketed);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(0);
        pair->addStretch(1);
        pair->addWidget(makeLabel(bracketed, name(r.bracket), QStringLiteral("(")));
        pair->addWidget(value(bracketed, name(r.amount), QStringLiteral("18000000")));
        grid->addWidget(bracketed, row, 2);
        grid->addWidget(
            makeLabel(details, name(r.bracket) + QStringLiteral("Tail"), QStringLiteral("рублей)")), row, 3);
        ++row;
    }
    grid->setHorizontalSpacing(6);
    grid->setColumnStretch(4, 1);
    layout->addWidget(details);
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildNormativePanel()
{
    QFrame* frame = makeFrame(bodyWidget(), "Frame5");
    panels_[2] = frame;
    auto* layout = new QVBoxLayout(frame);

    // Six options in one group, under the heads of their regime.
    groups15_ = new QButtonGroup(frame);
    auto* choice = new QHBoxLayout;
    const std::pair<const char*, const char*> heads[]
        = {{"Label27", "Краткосрочные группы:"}, {"Label29", "Дневные группы:"}};
    for (int regime = 0; regime < 2; ++regime) {
        auto* column = new QVBoxLayout;
        QLabel* head = makeLabel(frame, name(heads[regime].first), text(heads[regime].second));
        setBold(head);
        column->addWidget(head);
        for (const GroupOption& o : regime == 0 ? std::span(kShortTermOptions) : std::span(kDayOptions)) {
            QRadioButton* button = option(frame, o.name, qs(texts(o.age).calculation));
            groups15_->addButton(button, static_cast<int>(o.group));
            column->addWidget(button);
        }
        choice->addLayout(column);
        choice->addSpacing(32);
    }
    choice->addStretch(1);
    options_.value(QStringLiteral("Option11"))->setChecked(true);
    layout->addLayout(choice);

    auto* grid = new QGridLayout;
    const int money = valueWidth(frame, 11);
    const std::pair<const char*, const char*> columns[]
        = {{"Label34", "Норматив"}, {"Label35", "Потребности"}, {"Label36", "Остаток"}};
    for (int c = 0; c < 3; ++c) {
        QLabel* head = makeLabel(frame, name(columns[c].first), text(columns[c].second));
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setBold(head);
        grid->addWidget(head, 0, c + 1);
    }
    int row = 1;
    for (const TableRow& r : kNormativeRows) {
        QLabel* caption = makeLabel(frame, name(r.caption), text(r.captionText));
        if (r.summary)
            setBold(caption);
        else
            caption->setIndent(24);
        grid->addWidget(caption, row, 0);
        int c = 1;
        for (const char* cell : {r.normative, r.need, r.remainder}) {
            QLabel* v = value(frame, name(cell), QStringLiteral("0"));
            v->setMinimumWidth(money);
            grid->addWidget(v, row, c++);
        }
        ++row;
    }
    grid->setHorizontalSpacing(24);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    bodyLayout()->addWidget(frame);
}

void CalculationForm::buildEstimatePanel()
{
    QFrame* frame = makeFrame(bodyWidget(), "Frame6");
    panels_[3] = frame;
    auto* grid = new QGridLayout(frame);
    const std::pair<const char*, const char*> heads[]
        = {{"Label125", "Направление расходов"}, {"Label128", "Всего"}, {"Label129", "в том числе спец. часть"}};
    for (int c = 0; c < 3; ++c) {
        QLabel* head = makeLabel(frame, name(heads[c].first), text(heads[c].second));
        setBold(head);
        if (c > 0)
            head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(head, 0, c);
    }

    // Three columns of rows of one line height each, without spacing, so that the eleven lines of
    // the role caption stand level with the eleven values beside them.
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
    const int line = frame->fontMetrics().lineSpacing();
    const int money = valueWidth(frame, 12);
    auto fixedHeight = [line](QLabel* label, int lines) {
        label->setFixedHeight(line * lines);
        label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
        return label;
    };
    int roleLabel = 0;
    for (const EstimateRow& r : kEstimateRows) {
        QLabel* caption = fixedHeight(makeLabel(captions, name(r.caption), text(r.captionText)), r.lines);
        columns[0]->addWidget(caption);
        for (int i = 0; i < r.lines; ++i) {
            // The role lines are Label149 … Label159 and Label167 … Label177.
            const QString total = r.total ? name(r.total) : QStringLiteral("Label%1").arg(149 + roleLabel);
            const QString special = r.lines > 1 ? QStringLiteral("Label%1").arg(167 + roleLabel) : QString();
            QLabel* t = fixedHeight(value(totals, total, QStringLiteral("0")), 1);
            t->setMinimumWidth(money);
            columns[1]->addWidget(t);
            if (r.lines > 1 || r.special) {
                QLabel* s = fixedHeight(value(specials, r.special ? name(r.special) : special, QStringLiteral("0")), 1);
                s->setMinimumWidth(money);
                columns[2]->addWidget(s);
            } else {
                columns[2]->addSpacing(line);
            }
            if (r.lines > 1)
                ++roleLabel;
        }
    }
    for (QVBoxLayout* column : columns)
        column->addStretch(1);
    grid->addWidget(captions, 1, 0);
    grid->addWidget(totals, 1, 1);
    grid->addWidget(specials, 1, 2);
    grid->setHorizontalSpacing(24);
    grid->setColumnStretch(3, 1);
    bodyLayout()->addWidget(frame);
}

} // namespace kvarton
