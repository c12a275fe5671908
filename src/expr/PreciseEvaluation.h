#pragma once

#include "expr/EvalStatus.h"
#include "expr/Tokens.h"

#include <complex>

namespace tervane::precise {

// The checked complex library in double precision: the same functions, branches and faults as
// the single-precision one (the logarithm's argument in [0, 2π) with the library's π, ln 0 = 0,
// 0^b = 0 for Re b > 0, integer powers |k| <= 64 by binary powering), without narrowing. Used
// where a position must be found more finely than a single resolves, such as refining a zero.
// A fault (division by zero, a result that is not finite) returns its status.
using Cd = std::complex<double>;

/// Imaginary part of the logarithm of z, in [0, 2π).
double LogArgument(Cd z);

EvalStatus Div(Cd a, Cd b, Cd& out);
EvalStatus Log(Cd a, Cd& out);
EvalStatus Exp(Cd a, Cd& out);
EvalStatus Pow(Cd a, Cd b, Cd& out);
EvalStatus PowInt(Cd a, int k, Cd& out);
/// a^b through the logarithm; sqrt: the square root's rule at 0 (0 whatever b).
EvalStatus PowLog(Cd a, Cd b, bool sqrt, Cd& out);

/// One of the 30 functions.
EvalStatus ApplyFunction(Func func, Cd a, Cd& out);

} // namespace tervane::precise
