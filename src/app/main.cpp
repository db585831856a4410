#include "wizard/wizard.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvarton"));
    QApplication::setApplicationDisplayName(QStringLiteral("Квартон"));
    kvarton::Wizard wizard;
    QObject::connect(&wizard, &kvarton::Wizard::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    wizard.start();
    return QApplication::exec();
}
