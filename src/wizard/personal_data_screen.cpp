#include "personal_data_screen.h"

#include "length_note.h"
#include "steps/choice_list.h"
#include "steps/item_list.h"
#include "steps/screens.h"
#include "steps/widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kvarton {

namespace {

// Long enough for any district, name and number; short enough that the report cell takes it.
constexpr int kNameLength = 1000;
constexpr int kPersonLength = 255;

QLineEdit* makeField(QWidget* parent, const QString& name, int maxLength, const QString& accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QString limitText(const QString& what, int length)
{
    return QStringLiteral("%1 может содержать не более %2 знаков.").arg(what).arg(length);
}

} // namespace

PersonalDataScreen::PersonalDataScreen(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(qs(screenName(Screen::PersonalData)));
    setWindowTitle(QStringLiteral("Персональные данные"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);

    QLabel* regionLabel = makeLabel(this, QStringLiteral("Label9"), QStringLiteral("Выберите регион"));
    region_ = new ChoiceList(ItemList::regions(), QStringLiteral("Combo1"), this);
    region_->setAccessibleName(regionLabel->text());
    regionLabel->setBuddy(region_);
    layout->addWidget(regionLabel);
    layout->addWidget(region_);
    layout->addSpacing(8);

    nameLabel_ = makeLabel(this, QStringLiteral("Label1"),
        QStringLiteral("Введите наименование района, а также наименование и номер учреждения"), true);
    name_ = makeField(this, QStringLiteral("Text1"), kNameLength, nameLabel_->text());
    nameLabel_->setBuddy(name_);
    nameLabel_->hide();
    name_->hide();
    layout->addWidget(nameLabel_);
    nameNote_ = new LengthNote(makeLabel(this, QStringLiteral("NameLengthNote"), {}, true));
    nameNote_->watch(name_, limitText(QStringLiteral("Наименование"), kNameLength));
    layout->addWidget(name_);
    layout->addWidget(nameNote_->label());
    layout->addSpacing(8);

    layout->addWidget(makeLabel(
        this, QStringLiteral("Label2"), QStringLiteral("Введите, пожалуйста, ваши персолальные данные"), true));
    auto* person = new QGridLayout;
    QLabel* surnameLabel = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("Фамилия"));
    surname_ = makeField(this, QStringLiteral("Text2"), kPersonLength, surnameLabel->text());
    QLabel* firstLabel = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("И."));
    firstInitial_ = makeField(this, QStringLiteral("Text3"), kPersonLength, QStringLiteral("Инициал имени"));
    QLabel* patronymicLabel = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("О."));
    patronymicInitial_ = makeField(this, QStringLiteral("Text4"), kPersonLength, QStringLiteral("Инициал отчества"));
    const int initialWidth = firstInitial_->fontMetrics().horizontalAdvance(QStringLiteral("ЖЖ")) + 12;
    firstInitial_->setFixedWidth(initialWidth);
    patronymicInitial_->setFixedWidth(initialWidth);
    surnameLabel->setBuddy(surname_);
    firstLabel->setBuddy(firstInitial_);
    patronymicLabel->setBuddy(patronymicInitial_);
    person->addWidget(surnameLabel, 0, 0);
    person->addWidget(surname_, 1, 0);
    person->addWidget(firstLabel, 0, 1);
    person->addWidget(firstInitial_, 1, 1);
    person->addWidget(makeLabel(this, QStringLiteral("Label5"), QStringLiteral(".")), 1, 2);
    person->addWidget(patronymicLabel, 0, 3);
    person->addWidget(patronymicInitial_, 1, 3);
    person->addWidget(makeLabel(this, QStringLiteral("Label6"), QStringLiteral(".")), 1, 4);
    person->setColumnStretch(0, 1);
    auto* personNote = new LengthNote(makeLabel(this, QStringLiteral("PersonLengthNote"), {}, true));
    personNote->watch(surname_, limitText(QStringLiteral("Фамилия"), kPersonLength));
    personNote->watch(firstInitial_, limitText(QStringLiteral("Инициал имени"), kPersonLength));
    personNote->watch(patronymicInitial_, limitText(QStringLiteral("Инициал отчества"), kPersonLength));
    personNote->reservePlace(true);
    layout->addLayout(person);
    layout->addWidget(personNote->label());
    // The surname may stay empty, but the report then reaches the teacher without a name: say so
    // without stopping anyone, once the learner has come as far as the institution's name.
    surnameNote_ = makeLabel(this, QStringLiteral("SurnameNote"),
        QStringLiteral("Без фамилии преподаватель не узнает, чей это отчет."), true);
    QSizePolicy keepsPlace = surnameNote_->sizePolicy();
    keepsPlace.setRetainSizeWhenHidden(true);
    surnameNote_->setSizePolicy(keepsPlace);
    surnameNote_->hide();
    layout->addWidget(surnameNote_);
    connect(surname_, &QLineEdit::textChanged, this, &PersonalDataScreen::updateSurnameNote);
    layout->addSpacing(8);

    missingName_ = makeLabel(this, QStringLiteral("Label8"),
        QStringLiteral("Не введено наименование дошкольного учреждения, пожалуйста, укажите его!"), true);
    QPalette red = missingName_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    missingName_->setPalette(red);
    missingName_->hide();
    layout->addWidget(missingName_);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    QPushButton* next = makeButton(this, QStringLiteral("Command2"), QStringLiteral("далее"));
    buttons->addStretch(1);
    buttons->addWidget(next);
    layout->addLayout(buttons);

    connect(region_, &ChoiceList::activated, this, [this] {
        nameLabel_->show();
        name_->show();
        nameNote_->reservePlace(true);
        updateSurnameNote();
        emit regionChosen(region_->currentText());
    });
    connect(next, &QPushButton::clicked, this, &PersonalDataScreen::continueRequested);
}

PersonalData PersonalDataScreen::data() const
{
    return {region_->currentText().toStdString(), name_->text().toStdString(), surname_->text().toStdString(),
        firstInitial_->text().toStdString(), patronymicInitial_->text().toStdString()};
}

void PersonalDataScreen::updateSurnameNote()
{
    surnameNote_->setVisible(name_->isVisibleTo(this) && surname_->text().trimmed().isEmpty());
}

void PersonalDataScreen::showMissingName() { missingName_->show(); }

} // namespace kvarton
