#include "wizard_fixture.h"

#include "wizard/main_window.h"

#include "steps/choice_list.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kvarton::test {

std::unique_ptr<Wizard> startedWizard(const QString& region, QScreen* screen)
{
    auto wizard = std::make_unique<Wizard>();
    if (screen)
        wizard->window()->setScreen(screen);
    wizard->start();
    control<QPushButton>(*wizard, Screen::Start, QStringLiteral("Command2"))->click();
    control<ChoiceList>(*wizard, Screen::PersonalData, QStringLiteral("Combo1"))->choose(region);
    control<QLineEdit>(*wizard, Screen::PersonalData, QStringLiteral("Text1"))
        ->setText(QStringLiteral("Детский сад № 7"));
    control<QPushButton>(*wizard, Screen::PersonalData, QStringLiteral("Command2"))->click();
    return wizard;
}

QWidget* visibleStepScreen(Wizard& wizard)
{
    for (Screen screen : kStepScreens)
        if (QWidget* form = wizard.form(screen); form && form->isVisible())
            return form;
    return nullptr;
}

int visibleStepScreenCount(Wizard& wizard)
{
    int count = 0;
    for (Screen screen : kStepScreens)
        if (QWidget* form = wizard.form(screen); form && form->isVisible())
            ++count;
    return count;
}

} // namespace kvarton::test
