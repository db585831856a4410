#include "wizard_fixture.h"

#include "steps/choice_list.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kvarton::test {

std::unique_ptr<Wizard> startedWizard(const QString& region)
{
    auto wizard = std::make_unique<Wizard>();
    wizard->start();
    control<QPushButton>(*wizard, QStringLiteral("Form1"), QStringLiteral("Command2"))->click();
    control<ChoiceList>(*wizard, QStringLiteral("Form3"), QStringLiteral("Combo1"))->choose(region);
    control<QLineEdit>(*wizard, QStringLiteral("Form3"), QStringLiteral("Text1"))
        ->setText(QStringLiteral("Детский сад № 7"));
    control<QPushButton>(*wizard, QStringLiteral("Form3"), QStringLiteral("Command2"))->click();
    return wizard;
}

QWidget* visibleStepScreen(Wizard& wizard)
{
    for (int n = 4; n <= 8; ++n)
        if (QWidget* form = wizard.form(QStringLiteral("Form%1").arg(n)); form && form->isVisible())
            return form;
    return nullptr;
}

int visibleStepScreenCount(Wizard& wizard)
{
    int count = 0;
    for (int n = 4; n <= 8; ++n)
        if (QWidget* form = wizard.form(QStringLiteral("Form%1").arg(n)); form && form->isVisible())
            ++count;
    return count;
}

} // namespace kvarton::test
