#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <initializer_list>

class QHBoxLayout;
class QVBoxLayout;

namespace kvarton {

// A screen opened over another one (information, help, report): a dialog window whose caller is
// disabled while it is open. Its "закрыть" button, its close box and Esc all close it the same way.
// It opens over the window that opened it, on that window's screen and within its free area.
class ModalScreen : public QWidget {
    Q_OBJECT
public:
    ModalScreen(const QString& name, const QString& title, QWidget* parent);

    // The one way a screen opens over others: `inert` are disabled while it is open, it takes the
    // focus, and on closing they are enabled again and the focus goes back where it was.
    void openOver(std::initializer_list<QWidget*> inert);
    void openOver(const QList<QWidget*>& inert);

signals:
    void closed();

protected:
    QVBoxLayout* content() const { return content_; }
    // A button of the screen's own, in the row of "закрыть", before it.
    void addButton(QWidget* button);
    void closeEvent(class QCloseEvent* event) override;
    void keyPressEvent(class QKeyEvent* event) override;
    void showEvent(class QShowEvent* event) override;

private:
    void placeOverCaller();

    QVBoxLayout* content_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QWidget* close_ = nullptr;
    bool ordered_ = false;
    QList<QPointer<QWidget>> inert_;
    QPointer<QWidget> focusBefore_;
};

} // namespace kvarton
