#include "help_screen.h"

#include "address_label.h"
#include "course_settings.h"
#include "kvarton_config.h"
#include "steps/screens.h"
#include "steps/widgets.h"

#include <QVBoxLayout>

namespace kvarton {

HelpScreen::HelpScreen(QWidget* parent)
    : ModalScreen(qs(screenName(Screen::Help)), QStringLiteral("Справка"), parent)
{
    struct Line {
        const char* name;
        QString text;
        bool endsWithAddress = false;
    };
    const Line lines[] = {
        {"Label1",
            QStringLiteral("Данная программа разработана для использования в программе повышения квалификации.")},
        {"Label3",
            QStringLiteral("Для успешного ее освоения в дистанционном режиме необходимо выполнить все "
                           "прилагаемые задания, после чего в рамках очной части обучения Вам будет "
                           "предложено произвести расчеты с использованием программы для Вашего ДОУ.")},
        {"Label4",
            QStringLiteral("Курс имитационного моделирования считается успешно освоенным при выполнении "
                           "контрольного задания.")},
        {"Label5",
            QStringLiteral("Обращаем Ваше внимания на то, что результаты расчетов, производимых в рамках "
                           "данного модуля не являются основанием для принятия управленческих решений.")},
        {"Label6",
            QStringLiteral("По вопросам получения поддержки дистанционного обучения просим обращаться к "
                           "Интернет-порталу, расположенному по адресу ")
                + courseSettings().materials,
            true},
        {"Label2", QStringLiteral("© Команда Квартон, ") + QString::fromUtf8(KVARTON_YEAR)},
    };
    for (const Line& line : lines) {
        const QString name = QString::fromLatin1(line.name);
        content()->addWidget(
            line.endsWithAddress ? new AddressLabel(name, line.text, this) : makeLabel(this, name, line.text, true));
    }
    content()->addStretch(1);
    resize(560, 400);
}

} // namespace kvarton
