#include "expr/ElementaryFunctions.h"

#include "expr/PreciseEvaluation.h"

#include <complex>

namespace tervane {

EvalStatus ApplyFunction(Func func, Complex a, Complex& out) {
    switch (func) {
    case Func::Sin:
        return cx::Sin(a, out);
    case Func::Cos:
        return cx::Cos(a, out);
    case Func::Tan:
        return cx::Tan(a, out);
    case Func::Ctan:
        return cx::Ctan(a, out);
    case Func::Log:
        return cx::Log(a, out);
    case Func::Exp:
        return cx::Exp(a, out);
    case Func::Sqr:
        return cx::Sqr(a, out);
    default: {
        // The others in double precision, narrowed.
        std::complex<double> w;
        if (EvalStatus f = precise::ApplyFunction(func, {a.re, a.im}, w); f != EvalStatus::Value)
            return f;
        return cx::Narrow(w.real(), w.imag(), out);
    }
    }
}

} // namespace tervane
