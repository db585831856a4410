#include "services_form.h"

#include "choice_list.h"
#include "item_list.h"
#include "widgets.h"

#include "model/field_captions.h"

#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>

namespace kvarton {

namespace {

// The object names of a box of an age group, as the screen has always had them ("Labe2" too).
struct BoxNames {
    const char* frame;
    const char* header;
    const char* firstColumn; // column 1, "3 часа"; on step 9 the short-term head
    const char* sixthColumn; // column 6, "10 часов"; on step 9 the head of the other regimes
    const char* subHeader;
    int firstCombo; // first row: firstCombo, then the next nine (Junior skips Combo2)
};

constexpr std::array<BoxNames, 3> kBoxes{{
    {"Frame1", "Labe2", "Label4", "Label8", "Label3", 1},
    {"Frame2", "Label24", "Label23", "Label17", "Label22", 22},
    {"Frame3", "Label25", "Label26", "Label32", "Label27", 42},
}};

// The captions are those the program names the inputs by (field_captions.h): the ages of a box,
// the heads of step 9's two lists, the row of compensating groups.
QString captionPart(FieldRef field, std::size_t part) { return qs(fieldCaptionPart(field, part)); }
QString ages(std::size_t box)
{
    return captionPart(fields::assignedServices(StayRegime::Day, static_cast<AgeGroup>(box)), 0);
}
QString assignmentHead(StayRegime regime) { return captionPart(fields::assignedServices(regime, AgeGroup::Junior), 1); }
QString compensatingRow()
{
    return captionPart(fields::providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours3), 1);
}

// The step-9 lists: short-term modes under column 3, the other regimes under column 8.
constexpr int kShortTermColumn = 2;
constexpr int kDayColumn = 7;
// On step 9 each head spans five columns with its list in the middle one, so that the head,
// centred, stands over its list and has the room of one line.
constexpr int kStep9HeadSpan = 5;
constexpr int kShortTermHeadColumn = kShortTermColumn - kStep9HeadSpan / 2;
constexpr int kDayHeadColumn = kDayColumn - kStep9HeadSpan / 2;
static_assert(kShortTermHeadColumn == 0 && kDayHeadColumn + kStep9HeadSpan == 10);

int firstRowCombo(std::size_t box, std::size_t column)
{
    const int first = kBoxes[box].firstCombo;
    if (box == 0) // Frame1 has no Combo2: Combo1, then Combo3 … Combo11
        return column == 0 ? 1 : static_cast<int>(column) + 2;
    return first + static_cast<int>(column);
}

int secondRowCombo(std::size_t box, std::size_t column) { return firstRowCombo(box, 9) + 1 + static_cast<int>(column); }

QString headerText(std::size_t box, bool services)
{
    QString text = QStringLiteral("Количество воспитанников в возрасте %1, посещающих группы с соответствующим режимом "
                                  "пребавания")
                       .arg(ages(box));
    if (services)
        text += QStringLiteral(", в том числе коррекционные");
    return text;
}

} // namespace

ServicesForm::ServicesForm(QWidget* parent)
    : StepForm(Screen::Services, QStringLiteral("Услуги"), parent)
{
    for (std::size_t b = 0; b < kBoxes.size(); ++b) {
        const BoxNames& names = kBoxes[b];
        Box& box = boxes_[b];
        auto* frame = makeBox(bodyWidget(), QString::fromLatin1(names.frame));
        box.grid = new QGridLayout(frame);
        box.header = makeLabel(frame, QString::fromLatin1(names.header), {}, true);
        box.grid->addWidget(box.header, 0, 0, 1, 10);

        for (std::size_t c = 0; c < 10; ++c) {
            const char* special = c == 0 ? names.firstColumn : c == 5 ? names.sixthColumn : nullptr;
            const QString name = special
                ? QString::fromLatin1(special)
                : QStringLiteral("%1Column%2").arg(QString::fromLatin1(names.frame)).arg(c + 1);
            box.columns[c] = makeLabel(frame, name, qs(info(static_cast<StayMode>(c)).columnHead), special != nullptr);
            box.columns[c]->setAlignment(Qt::AlignCenter);
            box.grid->addWidget(box.columns[c], 1, static_cast<int>(c));
        }
        box.subHeader = makeLabel(frame, QString::fromLatin1(names.subHeader), compensatingRow(), true);
        box.grid->addWidget(box.subHeader, 3, 0, 1, 10);

        const auto age = static_cast<AgeGroup>(b);
        auto makeList = [&](int number, GroupOrientation o, std::size_t column, int row) {
            auto* list = new ChoiceList(ItemList::of(ListKind::Children), QStringLiteral("Combo%1").arg(number), frame);
            if (o == GroupOrientation::GeneralDevelopment) {
                // The first row keeps the columns of step 10 on step 9; the second row, all hidden
                // there, gives its height back.
                QSizePolicy policy = list->sizePolicy();
                policy.setRetainSizeWhenHidden(true);
                list->setSizePolicy(policy);
            }
            box.grid->addWidget(list, row, static_cast<int>(column));
            bindings_[1].push_back({list, fields::providedServices(age, o, static_cast<StayMode>(column))});
            return list;
        };
        for (std::size_t c = 0; c < 10; ++c)
            box.allPupils[c] = makeList(firstRowCombo(b, c), GroupOrientation::GeneralDevelopment, c, 2);
        for (std::size_t c = 0; c < 10; ++c)
            box.compensating[c] = makeList(secondRowCombo(b, c), GroupOrientation::Compensating, c, 4);

        bindings_[0].push_back({box.allPupils[kShortTermColumn], fields::assignedServices(StayRegime::ShortTerm, age)});
        bindings_[0].push_back({box.allPupils[kDayColumn], fields::assignedServices(StayRegime::Day, age)});
        bodyLayout()->addWidget(frame);
    }
    bodyLayout()->addStretch(1);
}

void ServicesForm::applyLayout(int step)
{
    const bool assignment = step == 9;
    for (std::size_t b = 0; b < boxes_.size(); ++b) {
        Box& box = boxes_[b];
        box.header->setText(headerText(b, !assignment));
        box.subHeader->setVisible(!assignment);
        // On step 9 the first and sixth heads widen over the columns of their regime, centred over
        // the list of the regime.
        QLabel* shortTerm = box.columns[0];
        QLabel* otherRegimes = box.columns[5];
        box.grid->removeWidget(shortTerm);
        box.grid->removeWidget(otherRegimes);
        if (assignment) {
            shortTerm->setText(assignmentHead(StayRegime::ShortTerm));
            otherRegimes->setText(assignmentHead(StayRegime::Day));
            box.grid->addWidget(shortTerm, 1, kShortTermHeadColumn, 1, kStep9HeadSpan);
            box.grid->addWidget(otherRegimes, 1, kDayHeadColumn, 1, kStep9HeadSpan);
        } else {
            shortTerm->setText(qs(info(StayMode::Hours3).columnHead));
            otherRegimes->setText(qs(info(StayMode::Hours10).columnHead));
            box.grid->addWidget(shortTerm, 1, 0);
            box.grid->addWidget(otherRegimes, 1, 5);
        }
        for (std::size_t c = 0; c < 10; ++c) {
            if (c != 0 && c != 5)
                box.columns[c]->setVisible(!assignment);
            const bool usedOnStep9 = c == kShortTermColumn || c == kDayColumn;
            box.allPupils[c]->setVisible(!assignment || usedOnStep9);
            box.compensating[c]->setVisible(!assignment);
            box.allPupils[c]->setAccessibleName(box.columns[c]->text());
            box.compensating[c]->setAccessibleName(
                box.subHeader->text() + QStringLiteral(", ") + qs(info(static_cast<StayMode>(c)).columnHead));
        }
        if (assignment) {
            box.allPupils[kShortTermColumn]->setAccessibleName(shortTerm->text());
            box.allPupils[kDayColumn]->setAccessibleName(otherRegimes->text());
        }
    }
}

std::span<const Binding> ServicesForm::bindings(int step) const { return bindings_[step == 9 ? 0 : 1]; }

} // namespace kvarton
