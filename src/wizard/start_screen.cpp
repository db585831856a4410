#include "start_screen.h"

#include "number_sign.h"
#include "steps/screens.h"
#include "steps/widgets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <span>

namespace kvarton {

namespace {

struct Line {
    const char* name;
    const char* text;
};

constexpr Line kStartLines[] = {
    {"Label3",
        "Настоящий модуль разработан в качестве дополнения к теоретическому курсу. Целью его использования "
        "является развития следующих компетентностей:"},
    {"Label4",
        "1. Управление расходами дошкольного образовательного учреждения  на основе доводимых до учреждения "
        "нормативов финансирования;"},
    {"Label5",
        "2. Формирование и распределение фонда оплаты труда педагогических работников на основе расчета "
        "стоимости ученико-часа;"},
    {"Label6", "3. Формирование фонда материальных затрат;"},
    {"Label7",
        "4. Расчет натуральных потребностей и потребностей в финансировании  на оказание услуг по обучению и "
        "уходу и присмотру за детьми в соответствии с нормативно-подушевым принципом;"},
    {"Label9",
        "5. Управление оказываемыми услугами с точки зрения оптимизации их структуры и состава на основе "
        "расчета фактических потребностей;"},
    {"Label8", "Для работы с данным модулем Вам понадобится  использовать необходимые данные"},
};

constexpr Line kInfoLines[] = {
    {"Label1", "Для проведения корректной работы с обучающим программным модулям Вам понадобятся:"},
    {"Label2",
        "- Данные, характеризующие распределение детей, получающих услуги в ДОУ, по возрасту, направленности "
        "групп и режимам пребывания в них."},
    {"Label3",
        "- Информация о сложившемся в 2011 году фонде оплаты труда и штатном рассписании в разрезе отдельных "
        "должностей педагогического, учебно-вспомогательного, административно-управленческого и   "
        "обслуживающего персонала."},
    {"Label4",
        "- Аналитическая характеристика времени работы отдельных должностей педагогического персонала при "
        "непосредственном оказании услуг воспитанникам в группах общеразвивающей и компенсирующей      "
        "направленности, с различными режимами пребывания."},
};

void addLines(QWidget* parent, QVBoxLayout* layout, std::span<const Line> lines)
{
    for (const Line& l : lines)
        layout->addWidget(makeLabel(parent, QString::fromLatin1(l.name), QString::fromUtf8(l.text), true));
}

} // namespace

StartScreen::StartScreen(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(qs(screenName(Screen::Start)));
    setWindowTitle(QStringLiteral("Начало работы"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);

    QLabel* greeting = makeLabel(
        this, QStringLiteral("Label1"), QStringLiteral("Приветствуем Вас в образовательном программном модуле"), true);
    greeting->setAlignment(Qt::AlignCenter);
    QLabel* name = makeTitle(this, QStringLiteral("Label2"), QStringLiteral("\"Квартон\""));
    name->setAlignment(Qt::AlignCenter);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    layout->addWidget(greeting);
    layout->addWidget(name);
    layout->addSpacing(12);
    addLines(this, layout, kStartLines);
    layout->addSpacing(12);
    problem_ = makeLabel(this, QStringLiteral("OpenReportProblem"), {}, true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->hide();
    // A work open in another window can be continued as a copy, right where the problem is said.
    auto* problemRow = new QHBoxLayout;
    QPushButton* continueCopy = makeButton(this, QStringLiteral("ContinueCopy"), QStringLiteral("продолжить копию"));
    continueCopy->hide();
    problemRow->addWidget(problem_, 1);
    problemRow->addWidget(continueCopy, 0, Qt::AlignBottom);
    layout->addLayout(problemRow);
    continueCopy_ = continueCopy;

    // Two sides: the learner's ways into the steps, and apart from them, under their own head, the
    // teacher's ways to the learners' reports.
    auto* sides = new QHBoxLayout;
    QFrame* learner = makeBox(this, QStringLiteral("LearnerActions"));
    auto* learnerLayout = new QVBoxLayout(learner);
    // The saved work, above the ways to begin: continuing is what a returning learner wants.
    lastWork_ = makeLabel(learner, QStringLiteral("LastWork"), {}, true);
    learnerLayout->addWidget(lastWork_);
    QPushButton* openWork = makeButton(learner, QStringLiteral("OpenWork"), QStringLiteral("открыть…"));
    QPushButton* continueWork = makeButton(learner, QStringLiteral("Continue"), QStringLiteral("продолжить"));
    continue_ = continueWork;
    openWork_ = openWork;
    auto* buttons = new QHBoxLayout;
    QPushButton* details = makeButton(learner, QStringLiteral("Command1"), QStringLiteral("подробно"));
    QPushButton* start = makeButton(learner, QStringLiteral("Command2"), QStringLiteral("начать"));
    buttons->addWidget(details);
    buttons->addStretch(1);
    buttons->addWidget(openWork);
    buttons->addWidget(continueWork);
    buttons->addWidget(start);
    learnerLayout->addStretch(1);
    learnerLayout->addLayout(buttons);
    sides->addWidget(learner, 3);

    QFrame* teacher = makeBox(this, QStringLiteral("TeacherActions"));
    auto* teacherLayout = new QVBoxLayout(teacher);
    teacherLayout->addWidget(makeTitle(teacher, QStringLiteral("TeacherHead"), QStringLiteral("Для преподавателя")));
    auto* teacherButtons = new QHBoxLayout;
    QPushButton* openReport = makeButton(teacher, QStringLiteral("OpenReport"), QStringLiteral("открыть отчет…"));
    QPushButton* summary = makeButton(teacher, QStringLiteral("Summary"), QStringLiteral("сводка отчетов…"));
    teacherButtons->addWidget(openReport);
    teacherButtons->addWidget(summary);
    teacherButtons->addStretch(1);
    teacherLayout->addStretch(1);
    teacherLayout->addLayout(teacherButtons);
    sides->addWidget(teacher, 2);
    layout->addLayout(sides);
    layout->addStretch(1);
    showLastWork({});

    connect(details, &QPushButton::clicked, this, &StartScreen::detailsRequested);
    connect(openReport, &QPushButton::clicked, this, &StartScreen::openReportRequested);
    connect(summary, &QPushButton::clicked, this, &StartScreen::summaryRequested);
    connect(start, &QPushButton::clicked, this, &StartScreen::startRequested);
    connect(continueWork, &QPushButton::clicked, this, &StartScreen::continueRequested);
    connect(openWork, &QPushButton::clicked, this, &StartScreen::openWorkRequested);
    connect(continueCopy, &QPushButton::clicked, this, &StartScreen::continueCopyRequested);
}

void StartScreen::showLastWork(const QString& line)
{
    lastWork_->setText(line.isEmpty() ? QString() : QStringLiteral("Последняя работа: ") + keptWithNumber(line));
    for (QWidget* w : {static_cast<QWidget*>(lastWork_), continue_, openWork_})
        w->setVisible(!line.isEmpty());
}

void StartScreen::showProblem(const QString& message, bool copyOffered)
{
    problem_->setText(message);
    problem_->setVisible(!message.isEmpty());
    continueCopy_->setVisible(copyOffered && !message.isEmpty());
}

InfoScreen::InfoScreen(QWidget* parent)
    : ModalScreen(
        qs(screenName(Screen::DataList)), QStringLiteral("Необходимые данные для проведения расчетов"), parent)
{
    addLines(this, content(), kInfoLines);
    content()->addStretch(1);
    resize(560, 360);
}

} // namespace kvarton
