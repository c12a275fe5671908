#pragma once

#include "expr/Complex.h"
#include "expr/Tokens.h"

namespace tervane {

/// Applies one of the 30 functions to a. SIN, COS, TAN, CTAN, LOG, EXP and
/// SQR use the single-precision library; the others compute the usual complex
/// function on its principal branch in double precision, narrowed to single.
EvalStatus ApplyFunction(Func func, Complex a, Complex& out);

} // namespace tervane
