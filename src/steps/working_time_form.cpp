#include "working_time_form.h"

#include "choice_list.h"
#include "list_row.h"
#include "widgets.h"

#include "model/field_captions.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kvarton {

namespace {

const char* const kDirectInstruction = "Введите количество часов непосредственной работы персонала с детьми при "
                                       "оказании услуг в группах с установленным режимом пребывания";
const char* const kOtherInstruction = "Введите количество часов работы персонала, не связанной с непосредственным "
                                      "оказанием услуг, на группу с установленным режимом пребывания в день";

constexpr GroupKind kindOf(int step) { return static_cast<GroupKind>((step - 1) / 2); }
constexpr bool isDirectStep(int step) { return step % 2 == 1; }

} // namespace

WorkingTimeForm::WorkingTimeForm(QWidget* parent)
    : StepForm(Screen::WorkingTime, QStringLiteral("Аналитические параметры"), parent)
{
    QWidget* body = bodyWidget();
    std::array<ChoiceList*, 13> lists{};

    auto* stayRow = new QHBoxLayout;
    // The captions are those the program names the inputs by (field_captions.h).
    const ListRow stay = makeListRow(body,
        {QStringLiteral("Label3"), qs(fieldCaption(fields::directStayHours(GroupKind::GeneralDay)))},
        ListKind::StayModeHours, QStringLiteral("Combo1"), {QStringLiteral("Label2"), QStringLiteral("часов в день")});
    lists[0] = stay.list;
    stayRow->addWidget(stay.caption);
    stayRow->addWidget(stay.list);
    stayRow->addWidget(stay.unit);
    stayRow->addStretch(1);
    bodyLayout()->addLayout(stayRow);

    instruction_ = makeLabel(body, QStringLiteral("Label4"), {}, true);
    bodyLayout()->addWidget(instruction_);

    // Twelve roles in two columns of six, each a label, a list and "часов".
    auto* frame = makeBox(body, QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    for (StaffRole r : allOf<StaffRole>()) {
        const int k = static_cast<int>(ix(r)) + 2; // Combo2 … Combo13
        const QString name = QStringLiteral("Combo%1").arg(k);
        const int row = static_cast<int>(ix(r)) / 2;
        const int column = static_cast<int>(ix(r)) % 2 * 4;
        const ListRow role = makeListRow(frame,
            {name + QStringLiteral("Caption"), qs(fieldCaption(fields::directHours(GroupKind::GeneralDay, r)))},
            ListKind::RoleHours, name, {name + QStringLiteral("Unit"), QStringLiteral("часов")});
        role.addTo(grid, row, column);
        lists[static_cast<std::size_t>(k - 1)] = role.list;
    }
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(4, 1);
    bodyLayout()->addWidget(frame);
    bodyLayout()->addStretch(1);

    for (int step = 1; step <= 6; ++step) {
        const GroupKind g = kindOf(step);
        const bool direct = isDirectStep(step);
        auto& b = bindings_[static_cast<std::size_t>(step - 1)];
        b.push_back({lists[0], direct ? fields::directStayHours(g) : fields::otherStayHours(g)});
        for (StaffRole r : allOf<StaffRole>())
            b.push_back({lists[ix(r) + 1], direct ? fields::directHours(g, r) : fields::otherHours(g, r)});
    }
}

void WorkingTimeForm::applyLayout(int step)
{
    instruction_->setText(QString::fromUtf8(isDirectStep(step) ? kDirectInstruction : kOtherInstruction));
}

std::span<const Binding> WorkingTimeForm::bindings(int step) const
{
    return bindings_[static_cast<std::size_t>(step - 1)];
}

} // namespace kvarton
