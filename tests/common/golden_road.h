#pragma once

#include "model/institution_model.h"

#include <string>

namespace kvarton::test {

// What steps 13–16 show along one road that takes every option of their panels, results carrying
// over from panel to panel as on the screen: one "== action" line per action, then its panel's
// labels (or "error panel").
std::string goldenRoad(InstitutionModel model);

} // namespace kvarton::test
