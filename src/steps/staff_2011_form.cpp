#include "staff_2011_form.h"

#include "amount_marks.h"
#include "choice_list.h"
#include "list_row.h"
#include "text_field.h"
#include "total_marks.h"
#include "widgets.h"

#include "model/field_captions.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

namespace {

// Rows 1–12 are the roles; 13–16 the totals and the other staff, whose captions name the step's
// quantity. The captions are those the program names the inputs by (field_captions.h).
struct RowInfo {
    int control; // TextN and ComboN
    FieldRef payroll;
    FieldRef positions;
};

std::array<RowInfo, 16> rowTable()
{
    std::array<RowInfo, 16> rows{};
    for (StaffRole r : allOf<StaffRole>())
        rows[ix(r)] = {static_cast<int>(ix(r)) + 2, fields::payroll2011(r), fields::positions2011(r)};
    rows[12] = {1, fields::payroll2011PedTotal(), fields::positions2011PedTotal()};
    rows[13] = {14, fields::payroll2011Admin(), fields::positions2011Admin()};
    rows[14] = {15, fields::payroll2011Medical(), fields::positions2011Medical()};
    rows[15] = {16, fields::payroll2011Service(), fields::positions2011Service()};
    return rows;
}

const std::array<RowInfo, 16>& rowInfo()
{
    static const auto rows = rowTable();
    return rows;
}

} // namespace

Staff2011Form::Staff2011Form(QWidget* parent)
    : StepForm(Screen::Staff2011, QStringLiteral("Данные 2011"), parent)
{
    auto* frame = makeBox(bodyWidget(), QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);

    // Two columns of roles under "Должность:" and "рублей"; grid columns: label, control (the amount,
    // or the list with its unit), a gap, label, control. Rows 13–16 use the right control column.
    constexpr int kRightColumn = 3;
    const std::array<std::pair<const char*, const char*>, 2> heads{{{"Label35", "Label34"}, {"Label37", "Label36"}}};
    for (std::size_t c = 0; c < 2; ++c) {
        const int column = static_cast<int>(c) * kRightColumn;
        grid->addWidget(makeLabel(frame, QString::fromLatin1(heads[c].first), QStringLiteral("Должность:")), 0, column);
        roubleHeads_[c] = makeLabel(frame, QString::fromLatin1(heads[c].second), QStringLiteral("рублей"));
        grid->addWidget(roubleHeads_[c], 0, column + 1, Qt::AlignHCenter);
    }

    int controlWidth = 0;
    for (std::size_t i = 0; i < rowInfo().size(); ++i) {
        const RowInfo& info = rowInfo()[i];
        const QString rowName = QStringLiteral("Row%1").arg(i + 1);
        Row& row = rows_[i];
        const QString caption = qs(fieldCaption(info.positions));
        // The positions of step 8 are a row of caption, list and unit; step 7 shows the amount instead.
        const ListRow positions
            = makeListRow(frame, {rowName + QStringLiteral("Caption"), caption}, ListKind::Positions,
                QStringLiteral("Combo%1").arg(info.control), {rowName + QStringLiteral("Unit"), QStringLiteral("ст.")});
        row.caption = positions.caption;
        row.positions = positions.list;
        row.unit = positions.unit;
        row.amount = makeAmountField(frame, QStringLiteral("Text%1").arg(info.control));
        auto* listAndUnit = new QHBoxLayout;
        listAndUnit->addWidget(row.positions, 1);
        listAndUnit->addWidget(row.unit);
        controlWidth = std::max({controlWidth, row.amount->minimumWidth(), listAndUnit->sizeHint().width()});

        int gridRow = 0;
        int column = 0;
        if (i < 12) { // odd rows on the left, even rows on the right
            gridRow = static_cast<int>(i) / 2 + 1;
            column = static_cast<int>(i) % 2 * kRightColumn;
            grid->addWidget(row.caption, gridRow, column);
        } else {
            gridRow = static_cast<int>(i) - 12 + 8;
            column = kRightColumn;
            grid->addWidget(row.caption, gridRow, 0, 1, kRightColumn + 1);
        }
        grid->addWidget(row.amount, gridRow, column + 1);
        grid->addLayout(listAndUnit, gridRow, column + 1);

        bindings_[0].push_back({row.amount, info.payroll});
        bindings_[1].push_back({row.positions, info.positions});
    }
    // Step 7's amounts stand where step 8's lists and units do, so that the column of controls
    // keeps its place between the steps: an amount is as wide as a list with its unit, or as an
    // amount needs, and keeps that room on step 8, where the lists widen into it.
    for (Row& row : rows_) {
        row.amount->setFixedWidth(controlWidth);
        QSizePolicy policy = row.amount->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        row.amount->setSizePolicy(policy);
    }
    grid->setRowMinimumHeight(7, 12); // a gap between the roles and the totals
    grid->setColumnMinimumWidth(kRightColumn - 1, 24);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(kRightColumn, 1);
    bodyLayout()->addWidget(frame);
    QLabel* note = makeAmountNote(bodyWidget());
    bodyLayout()->addWidget(note);
    bodyLayout()->addStretch(1);
    marks_ = new AmountMarks(bindings_[0], note, this);
    QLabel* totalNote = makeAmountNote(bodyWidget(), QStringLiteral("TotalNote"));
    bodyLayout()->insertWidget(bodyLayout()->indexOf(note) + 1, totalNote);
    std::vector<Binding> both = bindings_[0];
    both.insert(both.end(), bindings_[1].begin(), bindings_[1].end());
    totals_ = new TotalMarks(both, totalNote, this);
}

void Staff2011Form::applyLayout(int step)
{
    const bool payroll = step == 7;
    for (QLabel* head : roubleHeads_)
        head->setVisible(payroll);
    marks_->setActive(payroll);
    totals_->showFor(bindings(step));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row& row = rows_[i];
        row.amount->setVisible(payroll);
        row.positions->setVisible(!payroll);
        row.unit->setVisible(!payroll);
        row.caption->setText(qs(fieldCaption(payroll ? rowInfo()[i].payroll : rowInfo()[i].positions)));
        QWidget* control = payroll ? static_cast<QWidget*>(row.amount) : row.positions;
        control->setAccessibleName(row.caption->text());
        row.caption->setBuddy(control);
    }
}

std::span<const Binding> Staff2011Form::bindings(int step) const { return bindings_[step == 7 ? 0 : 1]; }

} // namespace kvarton
