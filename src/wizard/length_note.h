#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;

namespace kvarton {

// Says under a group of text fields that one of them holds as many characters as it accepts: a
// field that stops taking keys without a word looks broken. The note's label keeps its place in
// the layout while hidden, so that nothing on the screen moves when it shows.
class LengthNote final : public QObject {
    Q_OBJECT
public:
    explicit LengthNote(QLabel* label);

    QLabel* label() const { return label_; }

    // `text` is shown while `field` is full; the field also carries it as its accessible
    // description, so that a screen reader tells it with the field.
    void watch(QLineEdit* field, const QString& text);

    // Whether the hidden note keeps its place; off while its fields are hidden themselves.
    void reservePlace(bool reserve);

private:
    void update(QLineEdit* changed);

    QLabel* label_;
    struct Watched {
        QLineEdit* field;
        QString text;
    };
    std::vector<Watched> fields_;
};

} // namespace kvarton
