#pragma once

#include <QWidget>

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
};

} // namespace kvarton
