#pragma once

#include "model/institution_model.h"

#include <QString>

namespace kvarton {

// The line that names whose report a work read from one is: "Отчет слушателя: Иванова И. О.,
// МБДОУ «Солнышко» № 7, Камчатский край — файл «…xlsx»"; empty for a learner's own work.
QString reportOwnerLine(const InstitutionModel& work);

} // namespace kvarton
