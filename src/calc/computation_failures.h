#pragma once

#include "step_view.h"

#include "model/institution_model.h"

#include <string>
#include <vector>

namespace kvarton::calc {

// Why a calculation step shows its error panel although the input check passed: one line per
// cause, each naming the inputs behind it as the learner finds them on their steps, in the tone of
// the input check's own lines ("Шаг 8: Количество ставок … (всего) — 0 ставок: …"). The causes are
// those the four points of the panel do not cover: an input the step reads that is no number, an
// input that a figure of the step is divided by and that is 0 (a stay mode, a group size, a share
// of 100 %, the pedagogical positions of 2011 behind the head's salary), and sums too large to show.
// Never empty: what cannot be named more closely is named by its step. Each line carries the input
// it names on a step, if it names one.
std::vector<Failure> computationFindings(const InstitutionModel& model, const StepOptions& options);

} // namespace kvarton::calc
