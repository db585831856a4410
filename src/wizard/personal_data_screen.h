#pragma once

#include "model/personal_data.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace kvarton {

class ChoiceList;
class LengthNote;

// Form3: the region, the institution's name and the learner's name and initials.
class PersonalDataScreen final : public QWidget {
    Q_OBJECT
public:
    explicit PersonalDataScreen(QWidget* parent);

    PersonalData data() const;
    // The red message of a missing institution name; it stays once shown.
    void showMissingName();

signals:
    void regionChosen(const QString& region);
    void continueRequested();

private:
    void updateSurnameNote();

    ChoiceList* region_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    LengthNote* nameNote_ = nullptr;
    QLineEdit* surname_ = nullptr;
    QLineEdit* firstInitial_ = nullptr;
    QLineEdit* patronymicInitial_ = nullptr;
    QLabel* missingName_ = nullptr;
    QLabel* surnameNote_ = nullptr; // while the surname is empty
};

} // namespace kvarton
