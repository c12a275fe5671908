#include "graph/DocumentKinds.h"

#include "core/Limits.h"
#include "expr/CompiledProgram.h"
#include "expr/TextPasses.h"
#include "graph/CGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <sstream>

namespace tervane {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr PointSample kNoPoint{kNaN, kNaN, kNaN};

// Node k of steps equal steps from lo to hi, worked out in double and rounded once, so that
// both ends are exact nodes.
float Node(float lo, float hi, std::int64_t k, std::int64_t steps) {
    if (steps <= 0) return lo;
    const double l = lo;
    return static_cast<float>(l + (static_cast<double>(hi) - l) * static_cast<double>(k) /
                                      static_cast<double>(steps));
}

// How the variable names of a text are read.
enum class Variables {
    AsWritten, ///< z = x + yi as everywhere else
    One,       ///< one real parameter, whatever letter names it (x, y, a, r, b or z)
    Two,       ///< two real parameters: x or a for the first, y, r or b for the second
};

// Rewrites the variable tokens of a postfix text. With one parameter every variable reads the
// real number z; with two, z = u + vi and y, r and b read v (y pushes v·i, so it is turned
// back into v by a product with i and a negation).
std::string RewriteVariables(const std::string& postfix, Variables mode) {
    if (mode == Variables::AsWritten) return postfix;
    std::istringstream in(postfix);
    std::string token, out;
    while (in >> token) {
        const bool second = token == "YY" || token == "RR" || token == "BB";
        if (mode == Variables::One && (second || token == "AA"))
            out += "XX ";
        else if (mode == Variables::Two && token == "AA")
            out += "XX ";
        else if (mode == Variables::Two && second)
            out += "YY i * (-) ";
        else
            out += token + " ";
    }
    return out;
}

// One function text ready to evaluate at real parameters. An empty text is the constant 0.
class Function {
public:
    // Translates text; false, with the reason in error, when it does not translate.
    bool Prepare(const std::string& text, Variables mode, std::string& error,
                 std::optional<SyntaxError>& syntax) {
        if (text.empty()) {
            constant_ = true;
            return true;
        }
        CEvaluator evaluator;
        std::string postfix;
        if (evaluator.InfixToPostfix(InsertImplicitMultiply(text), postfix) != 0) {
            syntax = evaluator.LastError();
            error = syntax ? syntax->Text() : evaluator.ErrorText();
            return false;
        }
        program_ = CompiledProgram::Compile(RewriteVariables(postfix, mode));
        return true;
    }
    void PrepareCompiled(const std::string& postfix, Variables mode) {
        program_ = CompiledProgram::Compile(RewriteVariables(postfix, mode));
    }
    bool UsesT() const { return !constant_ && program_.UsesT(); }

    // The value at z = x + yi and t; NaN where the function has none.
    Complex At(float x, float y, float t) const {
        if (constant_) return {0.0f, 0.0f};
        Complex w;
        if (program_.Evaluate(x, y, t, w) != EvalStatus::Value) return {kNaN, kNaN};
        return w;
    }

    // The real value at the real parameter p: NaN where the function has no value or its value
    // is not real (sqrt(x) for x < 0 leaves a gap rather than plotting its real part 0).
    float Real(float p, float t, float q = 0.0f) const {
        const Complex w = At(p, q, t);
        if (!std::isfinite(w.re) || !std::isfinite(w.im)) return kNaN;
        if (std::fabs(w.im) > 1e-5f * std::max(1.0f, std::fabs(w.re))) return kNaN;
        return w.re;
    }

private:
    CompiledProgram program_ = CompiledProgram::Compile("0 ");
    bool constant_ = false;
};

// Space coordinates from the three parametric values by coordinate form: Cartesian (x, y, z),
// cylindrical (angle a, radius r, height z) or spherical (azimuth a, elevation b, radius r).
PointSample SpacePoint(std::int32_t coord, float p, float q, float r) {
    switch (coord) {
    case kCoordPolar:
        return {q * std::cos(p), q * std::sin(p), r};
    case kCoordAnglePair:
        return {r * std::cos(q) * std::cos(p), r * std::cos(q) * std::sin(p), r * std::sin(q)};
    default:
        return {p, q, r};
    }
}

float MagnitudeOf(Complex w) {
    return static_cast<float>(std::hypot(static_cast<double>(w.re), w.im));
}

float QuantityOf(std::int32_t code, float x, float y, Complex w) {
    return QuantityValue(code, x, y, w.re, w.im, MagnitudeOf(w));
}

PointSample Limited(PointSample p, const ViewLimits& view) {
    return view.Contains(p.x, p.y, p.z) ? p : kNoPoint;
}

} // namespace

std::string ResultCaption(const CGraph& g) {
    if (!IsPlaneCurveKind(g.GraphType()) && g.GraphType() != kGraphPlanePoints) return {};
    const bool polar = g.CoordType() == kCoordPlanePolar;
    const bool inverse = g.FunForm() == kFormPlaneInverse;
    const char* variable = polar ? (inverse ? "a=" : "r=") : (inverse ? "x=" : "y=");
    return std::string("Function ") + variable + g.ExpressZ();
}

std::int32_t CGraph::SampledSteps() const noexcept {
    if (GraphType() == kGraphSurfaceAnimation) return static_cast<std::int32_t>(stepGrids_.size());
    return static_cast<std::int32_t>(stepPoints_.size());
}

std::span<const PointSample> CGraph::StepPoints(std::int32_t step) const {
    if (step < 0 || static_cast<std::size_t>(step) >= stepPoints_.size()) return {};
    return stepPoints_[static_cast<std::size_t>(step)];
}

PointSample CGraph::Anim1D(std::int32_t t) const {
    const auto points = StepPoints(t);
    return points.empty() ? kNoPoint : points.front();
}

PointSample CGraph::Anim2D(std::int32_t u, std::int32_t t) const {
    const auto points = StepPoints(t);
    if (u < 0 || static_cast<std::size_t>(u) >= points.size()) return kNoPoint;
    return points[static_cast<std::size_t>(u)];
}

PointSample CGraph::Anim3D(std::int32_t u, std::int32_t v, std::int32_t t) const {
    if (t < 0 || static_cast<std::size_t>(t) >= stepGrids_.size()) return kNoPoint;
    const SampleGrids& s = stepGrids_[static_cast<std::size_t>(t)];
    if (u < 0 || v < 0 || static_cast<std::size_t>(u) >= s.x.SizeU() ||
        static_cast<std::size_t>(v) >= s.x.SizeV())
        return kNoPoint;
    const std::size_t i = static_cast<std::size_t>(u), j = static_cast<std::size_t>(v);
    auto pick = [&](std::int32_t code) {
        return QuantityValue(code, s.x(i, j), s.y(i, j), s.u(i, j), s.v(i, j), s.m(i, j));
    };
    return {pick(plotCodes_[0]), pick(plotCodes_[1]), pick(plotCodes_[2])};
}

void CGraph::UseAnimationStep(std::int32_t step) {
    if (GraphType() != kGraphSurfaceAnimation || stepGrids_.empty()) return;
    step = std::clamp<std::int32_t>(step, 0, static_cast<std::int32_t>(stepGrids_.size()) - 1);
    if (step == selectedStep_) return;
    grids_ = stepGrids_[static_cast<std::size_t>(step)];
    selectedStep_ = step;
}

bool CGraph::SampleDocumentKind(const std::string& postfix, float t, const SamplingOptions& options,
                                std::int32_t frames) {
    grids_.Fill(0.0f); // the value grids of w = f(z) stay zero for these kinds
    stepPoints_.clear();
    stepGrids_.clear();
    selectedStep_ = -1;
    allSteps_.reset();
    frames = ClampCount(frames, kMaxAnimationFrames);
    bool ok = false;
    if (IsRotationKind(GraphType()))
        ok = SampleRotation(postfix, t, options);
    else if (GraphType() == kGraphSurfaceAnimation)
        ok = SampleStepGrids(postfix, t, options, frames);
    else
        ok = SampleCurvePoints(postfix, t, options, frames);
    if (!ok) return false;
    if (Animation() && IsAllStepsKind(GraphType())) {
        usesT_ = true; // every step differs: drawing keeps one list per step
        allSteps_ = AllStepsKey{settingsRevision_, frames, options.View};
    }
    return true;
}

bool CGraph::SampleCurvePoints(const std::string& postfix, float t, const SamplingOptions& options,
                               std::int32_t frames) {
    const std::int32_t kind = GraphType();
    const std::int32_t coord = CoordType();
    const std::int32_t form = FunForm();
    const bool plane =
        IsPlaneCurveKind(kind) || kind == kGraphPlanePoints || kind == kGraphPlanePairs;
    const bool parametric = kind == kGraphPointSet || kind == kGraphPointObject ||
                            (!plane && form == kFormComplexAlt) ||
                            (plane && form == kFormComplexAlt && coord != kCoordPlanePolar);

    // The expressions: the function text alone, or all three for the parametric forms.
    Function fz, fx, fy;
    const Variables oneParameter = Variables::One;
    if (parametric) {
        if (!fx.Prepare(ExpressX(), oneParameter, lastError_, syntaxError_) ||
            !fy.Prepare(ExpressY(), oneParameter, lastError_, syntaxError_))
            return false;
        fz.PrepareCompiled(postfix, oneParameter);
    } else {
        fz.PrepareCompiled(postfix, plane ? oneParameter : Variables::AsWritten);
    }
    usesT_ = fz.UsesT() || fx.UsesT() || fy.UsesT();

    const bool allSteps = Animation() && IsAllStepsKind(kind);
    const std::int32_t steps = allSteps ? frames + 1 : 1;
    const double dt = frames > 0 ? (static_cast<double>(MaxT()) - MinT()) / frames : 0.0;
    const ViewLimits& view = options.View;

    // The points along the parameter: the curve kinds step along u with StepU intervals, the
    // rows of kinds 9 and 10 with StepV intervals; x = f(y) runs over the y interval.
    const bool rows = kind == kGraphPlanePoints || kind == kGraphPlanePairs;
    const std::int64_t intervals = kind == kGraphPointObject ? 0 : (rows ? StepV() : StepU());
    const bool inverse = form == kFormPlaneInverse;
    const float lo = plane && inverse && coord != kCoordPlanePolar ? MinV() : MinU();
    const float hi = plane && inverse && coord != kCoordPlanePolar ? MaxV() : MaxU();

    auto planePoint = [&](float p, float tt) -> PointSample {
        if (parametric) return {fx.Real(p, tt), fy.Real(p, tt), 0.0f};
        const float f = fz.Real(p, tt);
        if (coord == kCoordPlanePolar) {
            const float a = inverse ? f : p, r = inverse ? p : f;
            return {r * std::cos(a), r * std::sin(a), 0.0f};
        }
        return inverse ? PointSample{f, p, 0.0f} : PointSample{p, f, 0.0f};
    };
    auto spacePoint = [&](std::int64_t k, float tt) -> PointSample {
        if (parametric) {
            const float p = Node(MinU(), MaxU(), k, intervals);
            return SpacePoint(coord, fx.Real(p, tt), fy.Real(p, tt), fz.Real(p, tt));
        }
        // w = f(z) along the diagonal of the domain, plotted by the quantity codes.
        const float s = Node(MinU(), MaxU(), k, intervals);
        const float r = Node(MinV(), MaxV(), k, intervals);
        float x = s, y = r;
        if (coord == kCoordPolar) {
            x = r * std::cos(s);
            y = r * std::sin(s);
        }
        const Complex w = fz.At(x, y, tt);
        return {QuantityOf(VarX(), x, y, w), QuantityOf(VarY(), x, y, w),
                QuantityOf(VarZ(), x, y, w)};
    };

    try {
        stepPoints_.resize(static_cast<std::size_t>(steps));
        for (std::int32_t f = 0; f < steps; ++f) {
            const float tt = allSteps ? static_cast<float>(dt * f + MinT()) : t;
            std::vector<PointSample>& points = stepPoints_[static_cast<std::size_t>(f)];
            points.reserve(static_cast<std::size_t>(intervals + 1) * (rows ? 2 : 1));
            for (std::int64_t k = 0; k <= intervals; ++k) {
                if (kind == kGraphPlanePairs) {
                    // Two objects per row: the real and the imaginary part of f at x.
                    const float p = Node(lo, hi, k, intervals);
                    const Complex w = fz.At(p, 0.0f, tt);
                    points.push_back(Limited({p, w.re, 0.0f}, view));
                    points.push_back(Limited({p, w.im, 0.0f}, view));
                } else if (plane) {
                    points.push_back(Limited(planePoint(Node(lo, hi, k, intervals), tt), view));
                } else {
                    points.push_back(Limited(spacePoint(k, tt), view));
                }
            }
        }
    } catch (const std::bad_alloc&) {
        stepPoints_.clear();
        return Fail("The points of every animation step do not fit in memory.");
    }
    return true;
}

bool CGraph::SampleStepGrids(const std::string& postfix, float t, const SamplingOptions& options,
                             std::int32_t frames) {
    const std::int32_t coord = CoordType();
    const bool parametric = FunForm() == kFormComplexAlt;
    Function fz, fx, fy;
    if (parametric) {
        if (!fx.Prepare(ExpressX(), Variables::Two, lastError_, syntaxError_) ||
            !fy.Prepare(ExpressY(), Variables::Two, lastError_, syntaxError_))
            return false;
        fz.PrepareCompiled(postfix, Variables::Two);
    } else {
        fz.PrepareCompiled(postfix, Variables::AsWritten);
    }
    usesT_ = fz.UsesT() || fx.UsesT() || fy.UsesT();

    const bool allSteps = Animation();
    const std::int32_t steps = allSteps ? frames + 1 : 1;
    const double dt = frames > 0 ? (static_cast<double>(MaxT()) - MinT()) / frames : 0.0;
    const std::uint64_t nu = static_cast<std::uint64_t>(StepU()) + 1;
    const std::uint64_t nv = static_cast<std::uint64_t>(StepV()) + 1;
    const std::uint64_t perStep = GridBytes(nu, nv, true);
    const std::uint64_t available =
        options.AvailableBytes ? *options.AvailableBytes : std::uint64_t{0};
    if (available != 0 && perStep * static_cast<std::uint64_t>(steps) > available)
        return Fail("The grids of " + std::to_string(steps) +
                    " animation steps do not fit in memory. Choose fewer steps or frames.");

    // Parametric surfaces plot (x, y, z) and colour them by the quantity codes read as x, y,
    // z and the distance from the origin; the others plot the quantities of w = f(z).
    if (parametric) {
        plotCodes_[0] = kQuantityX;
        plotCodes_[1] = kQuantityY;
        plotCodes_[2] = kQuantityReal;
    } else {
        plotCodes_[0] = VarX();
        plotCodes_[1] = VarY();
        plotCodes_[2] = VarZ();
    }
    colorCodes_[0] = ColorR();
    colorCodes_[1] = ColorG();
    colorCodes_[2] = ColorB();
    zero_ = Grid2D::Constant(nu, nv, 0.0f);

    ValueRange ru, rv, rm;
    try {
        stepGrids_.resize(static_cast<std::size_t>(steps));
        for (std::int32_t f = 0; f < steps; ++f) {
            const float tt = allSteps ? static_cast<float>(dt * f + MinT()) : t;
            SampleGrids& s = stepGrids_[static_cast<std::size_t>(f)];
            s.Resize(nu, nv, true);
            for (std::uint64_t i = 0; i < nu; ++i) {
                const float p = Node(MinU(), MaxU(), static_cast<std::int64_t>(i), StepU());
                for (std::uint64_t j = 0; j < nv; ++j) {
                    const float q = Node(MinV(), MaxV(), static_cast<std::int64_t>(j), StepV());
                    float values[5];
                    if (parametric) {
                        const PointSample pt = SpacePoint(coord, fx.Real(p, tt, q),
                                                          fy.Real(p, tt, q), fz.Real(p, tt, q));
                        const float m = static_cast<float>(std::sqrt(
                            static_cast<double>(pt.x) * pt.x + static_cast<double>(pt.y) * pt.y +
                            static_cast<double>(pt.z) * pt.z));
                        const float v[5] = {pt.x, pt.y, pt.z, 0.0f, m};
                        std::copy(v, v + 5, values);
                    } else {
                        float x = p, y = q;
                        if (coord == kCoordPolar) {
                            x = q * std::cos(p);
                            y = q * std::sin(p);
                        }
                        const Complex w = fz.At(x, y, tt);
                        const float v[5] = {x, y, w.re, w.im, MagnitudeOf(w)};
                        std::copy(v, v + 5, values);
                    }
                    auto pick = [&](std::int32_t code) {
                        return QuantityValue(code, values[0], values[1], values[2], values[3],
                                             values[4]);
                    };
                    if (!ViewLimits(options.View)
                             .Contains(pick(plotCodes_[0]), pick(plotCodes_[1]),
                                       pick(plotCodes_[2])))
                        for (float& value : values)
                            value = kNaN;
                    Grid2D* grids[5] = {&s.x, &s.y, &s.u, &s.v, &s.m};
                    for (int k = 0; k < 5; ++k)
                        grids[k]->Row(i)[j] = values[k];
                    if (std::isfinite(values[2])) {
                        ru.max = std::max(ru.max, values[2]);
                        ru.min = std::min(ru.min, values[2]);
                        rv.max = std::max(rv.max, values[3]);
                        rv.min = std::min(rv.min, values[3]);
                        rm.max = std::max(rm.max, values[4]);
                        rm.min = std::min(rm.min, values[4]);
                    }
                }
            }
        }
    } catch (const std::bad_alloc&) {
        stepGrids_.clear();
        return Fail("The grids of every animation step do not fit in memory.");
    }
    ru.WidenInto(extents_.MaxU, extents_.MinU);
    rv.WidenInto(extents_.MaxV, extents_.MinV);
    rm.WidenInto(extents_.MaxM, extents_.MinM);
    UseAnimationStep(0);
    return true;
}

bool CGraph::SampleRotation(const std::string& postfix, float t, const SamplingOptions& options) {
    // The curve y = f(x), x over MinU..MaxU, turned a full circle (StepV intervals) about the
    // x axis (kind 21) or about the y axis (kind 22). The grids hold the surface's X, Y and Z
    // in x, y and u; v holds f(x) and the magnitude the distance from the axis.
    Function f;
    f.PrepareCompiled(postfix, Variables::One);
    usesT_ = f.UsesT();
    const std::uint64_t nu = static_cast<std::uint64_t>(StepU()) + 1;
    const std::uint64_t nv = static_cast<std::uint64_t>(StepV()) + 1;
    try {
        grids_.Resize(nu, nv, true);
    } catch (const std::bad_alloc&) {
        grids_.Release();
        return Fail("The surface does not fit in memory.");
    }
    const bool aboutX = GraphType() == kGraphRotationY;
    ValueRange ru, rv, rm;
    for (std::uint64_t i = 0; i < nu; ++i) {
        const float x = Node(MinU(), MaxU(), static_cast<std::int64_t>(i), StepU());
        const float y = f.Real(x, t);
        for (std::uint64_t j = 0; j < nv; ++j) {
            const double angle =
                2.0 * 3.14159265358979323846 * static_cast<double>(j) / static_cast<double>(nv - 1);
            const float c = static_cast<float>(std::cos(angle)),
                        s = static_cast<float>(std::sin(angle));
            PointSample p = aboutX ? PointSample{x, y * c, y * s} : PointSample{x * c, y, x * s};
            float dist = aboutX ? std::fabs(y) : std::fabs(x);
            if (!options.View.Contains(p.x, p.y, p.z)) p = kNoPoint, dist = kNaN;
            grids_.x.Row(i)[j] = p.x;
            grids_.y.Row(i)[j] = p.y;
            grids_.u.Row(i)[j] = p.z;
            grids_.v.Row(i)[j] = p.Valid() ? y : kNaN;
            grids_.m.Row(i)[j] = dist;
            if (p.Valid()) {
                ru.max = std::max(ru.max, p.z);
                ru.min = std::min(ru.min, p.z);
                rv.max = std::max(rv.max, y);
                rv.min = std::min(rv.min, y);
                rm.max = std::max(rm.max, dist);
                rm.min = std::min(rm.min, dist);
            }
        }
    }
    ru.WidenInto(extents_.MaxU, extents_.MinU);
    rv.WidenInto(extents_.MaxV, extents_.MinV);
    rm.WidenInto(extents_.MaxM, extents_.MinM);
    plotCodes_[0] = kQuantityX;
    plotCodes_[1] = kQuantityY;
    plotCodes_[2] = kQuantityReal;
    colorCodes_[0] = ColorR();
    colorCodes_[1] = ColorG();
    colorCodes_[2] = ColorB();
    zero_ = Grid2D::Constant(nu, nv, 0.0f);
    return true;
}

} // namespace tervane
