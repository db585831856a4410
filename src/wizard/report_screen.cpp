#include "report_screen.h"

#include "kvarton_config.h"
#include "steps/widgets.h"

#include <QVBoxLayout>

namespace kvarton {

ReportScreen::ReportScreen(const InstitutionModel& model, QWidget* parent)
    : ModalScreen(QStringLiteral("Form10"), QStringLiteral("Создание отчета"), parent)
    , model_(model)
{
    content()->addWidget(makeLabel(
        this, QStringLiteral("Label1"),
        QStringLiteral("Для успешного завершения работы с имитационным модулем убедитесь, что введенные на шагах с "
                       "1-го по 12-й данные соответствуют специфике оказания услуг в Вашем дошкольном "
                       "образовательном учреждении и нажмите кнопку \"вывести отчет\"."),
        true));
    content()->addWidget(makeLabel(this, QStringLiteral("Label2"),
                                   QStringLiteral("Полученный файл формата Excel сохраните под уникальным именем и "
                                                  "отправьте по электронной почте на адрес   ") +
                                       QString::fromUtf8(KVARTON_COURSE_EMAIL),
                                   true));
    content()->addWidget(makeLabel(
        this, QStringLiteral("Label3"),
        QStringLiteral("Внимание: Убедитесь, что на Вашем компьютере установлен пакет программ MS Office (MS Excel)"),
        true));
    content()->addWidget(makeButton(this, QStringLiteral("Command2"), QStringLiteral("вывести отчет")), 0,
                         Qt::AlignLeft);
    content()->addStretch(1);
    resize(560, 360);
}

} // namespace kvarton
