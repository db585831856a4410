#pragma once

namespace kvarton {

// The results of the calculation steps 13–16, kept in the model next to the inputs. A result that
// was never computed is 0, which is what an empty field counts as in arithmetic.
struct CalcResults {
};

} // namespace kvarton
