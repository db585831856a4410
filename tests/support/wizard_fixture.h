#pragma once

#include "steps/widgets.h"
#include "wizard/wizard.h"

#include <QScreen>
#include <QString>
#include <QWidget>
#include <QtTest/QTest>

#include <memory>

namespace kvarton::test {

// A fresh program that has passed the personal-data screen with `region`, showing step 1; its
// window on `screen` when given, else on the primary screen.
std::unique_ptr<Wizard> startedWizard(
    const QString& region = QStringLiteral("г. Санкт-Петербург"), QScreen* screen = nullptr);

// The named control of a screen; fails the test when it does not exist.
template <typename T>
T* control(Wizard& wizard, const QString& form, const QString& name)
{
    QWidget* screen = wizard.form(form);
    T* found = screen ? screen->findChild<T*>(name) : nullptr;
    if (!found)
        QTest::qFail(qPrintable(form + u'.' + name + QStringLiteral(" does not exist")), __FILE__, __LINE__);
    return found;
}

template <typename T>
T* control(Wizard& wizard, Screen screen, const QString& name)
{
    return control<T>(wizard, qs(screenName(screen)), name);
}

// The step screen that shows, or nullptr.
QWidget* visibleStepScreen(Wizard& wizard);
int visibleStepScreenCount(Wizard& wizard);

} // namespace kvarton::test
