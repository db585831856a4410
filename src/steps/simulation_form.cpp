#include "simulation_form.h"

#include "amount_marks.h"
#include "choice_list.h"
#include "item_list.h"
#include "list_row.h"
#include "text_field.h"
#include "widgets.h"

#include "model/field_captions.h"

#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

namespace {

// A question of step 11 with one list; questions 12 and 13 have several and are laid out apart.
// Their texts are those the program names the inputs by (field_captions.h).
struct Question {
    int number;
    int combo;
    ListKind kind;
    FieldRef field;
};

constexpr std::array<Question, 10> kQuestions{{
    {1, 13, ListKind::Percent1To99, fields::incentiveShareNonPed()},
    {2, 22, ListKind::Percent1To99, fields::specialPartSharePed()},
    {3, 14, ListKind::Percent0To30, fields::compensationSharePed()},
    {4, 15, ListKind::Percent0To30, fields::awardsSharePed()},
    {6, 16, ListKind::Percent40To100, fields::deputySalaryCoefficient()},
    {7, 17, ListKind::Percent0To100, fields::adminPayrollTeachingShare()},
    {8, 18, ListKind::Percent0To100, fields::servicePayrollTeachingShare()},
    {9, 19, ListKind::Percent0To20, fields::materialCostsPercentOfPedPayroll()},
    {10, 20, ListKind::Percent0To100, fields::materialCostsTeachingShare()},
    {11, 23, ListKind::Percent0To50, fields::pedSalaryGrowthPercent2012()},
}};

QString captionPart(FieldRef field, std::size_t part) { return qs(fieldCaptionPart(field, part)); }

// A row of the service staff: positions list, and the salary field except for the deputies.
struct StaffRow {
    ServicePosition position;
    int combo;
    int text; // 0: no salary
};

constexpr std::array<StaffRow, 13> kStaffRows{{
    {ServicePosition::DeputyEducation, 1, 0},
    {ServicePosition::DeputyHousekeeping, 2, 0},
    {ServicePosition::Accountant, 3, 3},
    {ServicePosition::Clerk, 4, 4},
    {ServicePosition::Medical, 21, 13},
    {ServicePosition::Chef, 5, 5},
    {ServicePosition::Cook, 6, 6},
    {ServicePosition::Storekeeper, 7, 7},
    {ServicePosition::LinenKeeper, 8, 8},
    {ServicePosition::LaundryWorker, 9, 9},
    {ServicePosition::Loader, 10, 10},
    {ServicePosition::RepairWorker, 11, 11},
    {ServicePosition::OtherPositions, 12, 12},
}};

QString comboName(int n) { return QStringLiteral("Combo%1").arg(n); }

} // namespace

SimulationForm::SimulationForm(QWidget* parent)
    : StepForm(Screen::Simulation, QStringLiteral("Имитационные параметры"), parent)
{
    parameters_ = buildParameters();
    serviceStaff_ = buildServiceStaff();
    bodyLayout()->addWidget(parameters_);
    bodyLayout()->addWidget(serviceStaff_);
    QLabel* note = makeAmountNote(bodyWidget());
    bodyLayout()->addWidget(note);
    bodyLayout()->addStretch(1);
    marks_ = new AmountMarks(bindings_[1], note, this);
}

QFrame* SimulationForm::buildParameters()
{
    auto* frame = makeBox(bodyWidget(), QStringLiteral("Frame2"));
    auto* grid = new QGridLayout(frame);
    // Three columns: the questions, one column of lists and the units after them. The questions
    // take whatever room the lists and units leave, so that they wrap as little as they can.
    constexpr int kListColumn = 1;
    constexpr int kUnitColumn = 2;
    grid->setColumnStretch(0, 1);
    auto& b = bindings_[0];
    std::vector<ChoiceList*> lists;
    auto addList = [&](int combo, ListKind kind, FieldRef ref, const QString& accessibleName) {
        auto* list = new ChoiceList(ItemList::of(kind), comboName(combo), frame);
        list->setAccessibleName(accessibleName);
        b.push_back({list, ref});
        lists.push_back(list);
        return list;
    };

    int row = 0;
    for (const Question& q : kQuestions) {
        const ListRow question
            = makeListRow(frame, {QStringLiteral("Question%1").arg(q.number), qs(fieldCaption(q.field)), true}, q.kind,
                comboName(q.combo), {comboName(q.combo) + QStringLiteral("Unit"), QStringLiteral("%")});
        b.push_back({question.list, q.field});
        lists.push_back(question.list);
        question.addTo(grid, row, 0);
        ++row;
    }

    // 12: months per year and days per week, each list with its unit, one under the other.
    QLabel* regime = makeLabel(frame, QStringLiteral("Question12"), captionPart(fields::monthsPerYear(), 0), true);
    grid->addWidget(regime, row, 0);
    const QString months = captionPart(fields::monthsPerYear(), 1);
    const QString days = captionPart(fields::daysPerWeek(), 1);
    grid->addWidget(addList(24, ListKind::Months, fields::monthsPerYear(), months), row, kListColumn);
    grid->addWidget(makeLabel(frame, QStringLiteral("Combo24Unit"), months), row++, kUnitColumn);
    grid->addWidget(addList(25, ListKind::Days, fields::daysPerWeek(), days), row, kListColumn);
    grid->addWidget(makeLabel(frame, QStringLiteral("Combo25Unit"), days), row++, kUnitColumn);

    // 13: group sizes by orientation and age band, a small table whose columns are the list column
    // and the unit column; the age bands head them on the line of the question.
    grid->addWidget(
        makeLabel(frame, QStringLiteral("Question13"), QStringLiteral("13. Укажите количество детей в возрасте"), true),
        row, 0);
    QLabel* underThree = makeLabel(frame, QStringLiteral("Question13Head1"), qs(text(AgeBand::UnderThree)));
    grid->addWidget(underThree, row, kListColumn, Qt::AlignLeft);
    grid->addWidget(makeLabel(frame, QStringLiteral("Question13Head2"), qs(text(AgeBand::ThreeAndOver))), row++,
        kUnitColumn, Qt::AlignLeft);
    for (GroupOrientation o : allOf<GroupOrientation>()) {
        const int r = static_cast<int>(ix(o));
        QLabel* label = makeLabel(frame, QStringLiteral("Question13Row%1").arg(r + 1),
            captionPart(fields::groupSize(o, AgeBand::UnderThree), 0));
        grid->addWidget(label, row, 0);
        for (AgeBand band : allOf<AgeBand>()) {
            const int combo = 26 + r * 2 + static_cast<int>(ix(band));
            grid->addWidget(addList(combo, ListKind::GroupSize, fields::groupSize(o, band),
                                qs(fieldCaption(fields::groupSize(o, band)))),
                row, band == AgeBand::UnderThree ? kListColumn : kUnitColumn, Qt::AlignLeft);
        }
        ++row;
    }

    // One width for every list of the box: that of the widest list, or of the age band heading the
    // list column, so that the column is as wide as its lists and the second column of question 13
    // matches the first.
    int width = underThree->sizeHint().width();
    for (const ChoiceList* list : lists)
        width = std::max(width, list->sizeHint().width());
    for (ChoiceList* list : lists)
        list->setFixedWidth(width);
    return frame;
}

QFrame* SimulationForm::buildServiceStaff()
{
    auto* frame = makeBox(bodyWidget(), QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(0, 1);
    grid->addWidget(makeLabel(frame, QStringLiteral("SalaryHead"), qs(kSalaryHead)), 0, 3, 1, 2, Qt::AlignHCenter);
    auto& b = bindings_[1];
    int row = 1;
    for (const StaffRow& s : kStaffRows) {
        const ListRow staff = makeListRow(frame,
            {QStringLiteral("Row%1Caption").arg(row), qs(fieldCaption(fields::servicePositions(s.position))), true},
            ListKind::Positions, comboName(s.combo),
            {comboName(s.combo) + QStringLiteral("Unit"), QStringLiteral("ст.")});
        b.push_back({staff.list, fields::servicePositions(s.position)});
        staff.addTo(grid, row, 0);
        if (s.text != 0) {
            const QString name = QStringLiteral("Text%1").arg(s.text);
            QLineEdit* salary = makeAmountField(frame, name);
            salary->setAccessibleName(qs(fieldCaption(fields::serviceSalary(s.position))));
            b.push_back({salary, fields::serviceSalary(s.position)});
            grid->addWidget(salary, row, 3);
            grid->addWidget(makeLabel(frame, name + QStringLiteral("Unit"), QStringLiteral("рублей")), row, 4);
        }
        ++row;
    }
    return frame;
}

void SimulationForm::applyLayout(int step)
{
    parameters_->setVisible(step == 11);
    serviceStaff_->setVisible(step == 12);
    marks_->setActive(step == 12);
}

std::span<const Binding> SimulationForm::bindings(int step) const { return bindings_[step == 11 ? 0 : 1]; }

} // namespace kvarton
