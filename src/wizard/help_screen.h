#pragma once

#include "modal_screen.h"

namespace kvarton {

// Form9, fixed notes about the course, opened from the menu of every step screen.
class HelpScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit HelpScreen(QWidget* parent);
};

} // namespace kvarton
