#include "modal_screen.h"

#include "steps/widgets.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace kvarton {

ModalScreen::ModalScreen(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    content_ = new QVBoxLayout;
    layout->addLayout(content_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* close = makeButton(this, QStringLiteral("Command1"), QStringLiteral("закрыть"));
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void ModalScreen::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

void ModalScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kvarton
