// The floor of the start-up benchmark: the least a Qt Widgets program does to show one window
// with one label, and to end after its first paint.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

class QuitAfterPaint final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Начало работы"));
    QuitAfterPaint quit;
    label.installEventFilter(&quit);
    label.resize(720, 560);
    label.show();
    return QApplication::exec();
}
