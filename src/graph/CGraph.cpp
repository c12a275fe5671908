#include "graph/CGraph.h"

#include "expr/CompiledProgram.h"
#include "expr/TextPasses.h"
#include "graph/detail/Extents.h"
#include "graph/detail/SystemMemory.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <thread>
#include <vector>

namespace tervane {

namespace {

std::atomic<std::int32_t> gAnimationFrames{10};
std::atomic<unsigned> gSamplingThreads{0};

constexpr float kBoxReset = 9999999.0f;

// Value grids a sampling keeps per point: x, y, u, v and magnitude.
constexpr std::uint64_t kGridsPerPoint = 5;

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

struct MinMax {
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();

    bool Any() const { return min <= max; }
    void Merge(const MinMax& other) {
        max = std::max(max, other.max);
        min = std::min(min, other.min);
    }
    // Widens running extents that are never reset between samplings.
    void WidenInto(float& runningMax, float& runningMin) const {
        if (!Any()) return;
        if (max > runningMax) runningMax = max;
        if (min < runningMin) runningMin = min;
    }
};

// Per-thread results of the evaluation pass.
struct RowStats {
    MinMax x, y, u, v, m;
    EvalStatus failure = EvalStatus::Value; // a failure that concerns the whole function
};

bool IsWholeFunctionFailure(EvalStatus s) {
    return s == EvalStatus::NoValue || s == EvalStatus::StackEmpty || s == EvalStatus::TypeMismatch;
}

std::string FailureMessage(EvalStatus s) {
    switch (s) {
    case EvalStatus::NoValue:
        return "The function gives no value.";
    case EvalStatus::TypeMismatch:
        return "The function contains a number that cannot be read.";
    case EvalStatus::StackEmpty:
        return "The function is missing an operand.";
    default:
        return std::string(EvalStatusMessage(s));
    }
}

} // namespace

std::shared_ptr<CGraph>
CGraph::Init(std::int32_t lngID, const std::string& strName, std::int32_t gtpGraphType,
             std::int32_t dtpCoordType, const std::string& strExpX, const std::string& strExpY,
             const std::string& strExpZ, std::int32_t lngStepU, std::int32_t lngStepV,
             float sngMinU, float sngMaxU, float sngMinV, float sngMaxV, std::int32_t fstFillStyle,
             std::int32_t lngFirstColor, std::int32_t lngSecondColor, std::int32_t lngLineColor,
             std::int32_t lngLineWidth, std::int32_t MatType, std::int32_t shwShow,
             std::int32_t smtSmooth, bool bolShowCon, bool bolShowVec, bool bolShowColormap,
             std::int32_t lngConLevel) const {
    auto g = std::make_shared<CGraph>();
    g->SetID(lngID);
    g->SetNameS(strName);
    g->SetGraphType(gtpGraphType);
    g->SetCoordType(dtpCoordType);
    g->SetExpressX(strExpX);
    g->SetExpressY(strExpY);
    g->SetExpressZ(strExpZ);
    g->SetStepU(lngStepU);
    g->SetStepV(lngStepV);
    g->SetMinU(sngMinU);
    g->SetMaxU(sngMaxU);
    g->SetMinV(sngMinV);
    g->SetMaxV(sngMaxV);
    g->SetFillStyle(fstFillStyle);
    g->SetFirstColor(lngFirstColor);
    g->SetSecondColor(lngSecondColor);
    g->SetLineColor(lngLineColor);
    g->SetLineWidth(lngLineWidth);
    g->SetMaterial(MatType);
    g->SetShow(shwShow);
    g->SetSmoothness(smtSmooth);
    g->SetShowContour(bolShowCon);
    g->SetShowVector(bolShowVec);
    g->SetShowColormap(bolShowColormap);
    g->SetContourLevel(lngConLevel);
    return g;
}

void CGraph::EqualTo(const CGraph& f) {
    SetNameS(f.NameS());
    SetGraphType(f.GraphType());
    SetCoordType(f.CoordType());
    SetExpressX(f.ExpressX());
    SetExpressY(f.ExpressY());
    SetExpressZ(f.ExpressZ());
    SetStepU(f.StepU());
    SetStepV(f.StepV());
    SetMinU(f.MinU());
    SetMaxU(f.MaxU());
    SetMinV(f.MinV());
    SetMaxV(f.MaxV());
    SetFillStyle(f.FillStyle());
    SetFirstColor(f.FirstColor());
    SetSecondColor(f.SecondColor());
    SetLineColor(f.LineColor());
    SetLineWidth(f.LineWidth());
    SetMaterial(f.Material());
    SetShow(f.Show());
    SetSmoothness(f.Smoothness());
    SetPointColor(f.PointColor());
    SetPointSize(f.PointSize());
    SetPointHollow(f.PointHollow());
    SetAnimation(f.Animation());
    if (Animation()) {
        SetMinT(f.MinT());
        SetMaxT(f.MaxT());
    }
    SetShowContour(f.ShowContour());
    SetShowVector(f.ShowVector());
    SetShowColormap(f.ShowColormap());
    SetContourLevel(f.ContourLevel());
    SetFunForm(f.FunForm());
    SetVarX(f.VarX());
    SetVarY(f.VarY());
    SetVarZ(f.VarZ());
    SetColorR(f.ColorR());
    SetColorG(f.ColorG());
    SetColorB(f.ColorB());
    SetCurType(f.CurType());
}

void CGraph::SplitColor(std::int32_t color, double& red, double& green, double& blue) {
    const std::int64_t c = color;
    const std::int64_t b = c / 65536; // truncates toward zero
    const std::int64_t g = (c - b * 65536) / 256;
    const std::int64_t r = c - b * 65536 - g * 256;
    red = static_cast<double>(r) / 255.0;
    green = static_cast<double>(g) / 255.0;
    blue = static_cast<double>(b) / 255.0;
}

std::int32_t CGraph::StepT() {
    return gAnimationFrames.load();
}
std::int32_t CGraph::AnimationFrames() {
    return gAnimationFrames.load();
}
void CGraph::SetAnimationFrames(std::int32_t frames) {
    gAnimationFrames.store(frames);
}
void CGraph::SetSamplingThreads(unsigned threads) {
    gSamplingThreads.store(threads);
}

const Grid2D& CGraph::Quantity(std::int32_t code) const {
    switch (code) {
    case kQuantityX:
        return x_;
    case kQuantityY:
        return y_;
    case kQuantityReal:
        return u_;
    case kQuantityImaginary:
        return v_;
    case kQuantityMagnitude:
        return m_;
    default:
        return zero_;
    }
}

std::size_t CGraph::BytesHeld() const noexcept {
    return x_.Bytes() + y_.Bytes() + u_.Bytes() + v_.Bytes() + m_.Bytes() + zero_.Bytes();
}

bool CGraph::Fail(std::string message) {
    lastError_ = std::move(message);
    return false;
}

bool CGraph::GetPoints() {
    return GetPoints(MinT());
}

bool CGraph::GetPointsAtStep(std::int32_t step) {
    const std::int32_t frames = std::max(AnimationFrames(), 1);
    const float dt = static_cast<float>(static_cast<double>(MaxT() - MinT()) / frames);
    const float t = static_cast<float>(static_cast<double>(dt) * step + MinT());
    return GetPoints(t);
}

bool CGraph::GetPoints(float t) {
    lastError_.clear();
    syntaxError_.reset();

    const std::string textZ = InsertImplicitMultiply(ExpressZ());

    // A step count below 1 would leave the grid without cells; it is raised
    // before any grid is made.
    if (StepU() < 1) SetStepU(1);
    if (StepV() < 1) SetStepV(1);
    if (AnimationFrames() < 1) SetAnimationFrames(1);

    const std::uint64_t nu = static_cast<std::uint64_t>(StepU()) + 1;
    const std::uint64_t nv = static_cast<std::uint64_t>(StepV()) + 1;
    const std::uint64_t points = nu * nv;
    const std::uint64_t needed = points * kGridsPerPoint * sizeof(float);
    const std::uint64_t available = detail::AvailableMemoryBytes();
    if (points > std::numeric_limits<std::size_t>::max() / (kGridsPerPoint * sizeof(float)) ||
        (available != 0 && needed > available)) {
        return Fail("A grid of " + std::to_string(nu) + " x " + std::to_string(nv) +
                    " points needs " + Megabytes(needed) + " of memory, but only " +
                    Megabytes(available) + " is available. Choose fewer steps.");
    }

    const float du = static_cast<float>(static_cast<double>(MaxU() - MinU()) / StepU());
    const float dv = static_cast<float>(static_cast<double>(MaxV() - MinV()) / StepV());
    if (!std::isfinite(du) || !std::isfinite(dv))
        return Fail("The range of x or y is too large to sample.");

    // Storage is reused when the grid keeps its size; the evaluation pass
    // writes every point, and the paths that evaluate nothing zero-fill.
    try {
        for (Grid2D* grid : {&x_, &y_, &u_, &v_, &m_})
            grid->Resize(nu, nv);
    } catch (const std::bad_alloc&) {
        for (Grid2D* grid : {&x_, &y_, &u_, &v_, &m_})
            grid->Release();
        return Fail("A grid of " + std::to_string(nu) + " x " + std::to_string(nv) +
                    " points does not fit in memory. Choose fewer steps.");
    }
    auto zeroFill = [&] {
        for (Grid2D* grid : {&x_, &y_, &u_, &v_, &m_})
            grid->Fill(0.0f);
    };
    zero_ = Grid2D();
    plotCodes_[0] = plotCodes_[1] = plotCodes_[2] = 0;
    colorCodes_[0] = colorCodes_[1] = colorCodes_[2] = 0;
    ++sampleRevision_;

    CEvaluator evaluator;
    std::string postfix;
    if (evaluator.InfixToPostfix(textZ, postfix) != 0) {
        zeroFill();
        syntaxError_ = evaluator.LastError();
        return Fail(syntaxError_ ? syntaxError_->Text() : evaluator.ErrorText());
    }

    const std::int32_t kind = GraphType();
    const bool gridKind = kind == kGraphSurface || kind == kGraphColorMap ||
                          kind == kGraphContour || kind == kGraphVector;
    if (!gridKind) { // kinds known only to documents are kept, not sampled
        zeroFill();
        return true;
    }

    const std::int32_t coord = CoordType();
    const bool evaluates =
        (FunForm() == 2 || FunForm() == 3) &&
        (coord == kCoordCartesian || coord == kCoordPolar || coord == kCoordAnglePair);
    if (!evaluates) zeroFill();
    if (evaluates) {
        const CompiledProgram program = CompiledProgram::Compile(postfix);
        usesT_ = program.UsesT();
        const bool polar = coord == kCoordPolar;
        const float minU = MinU(), minV = MinV();

        std::vector<float> params(nv);
        for (std::uint64_t j = 0; j < nv; ++j)
            params[j] = static_cast<float>(static_cast<double>(dv) * j + minV);

        unsigned threads = gSamplingThreads.load();
        if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
        threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, nu));

        std::atomic<std::uint64_t> nextRow{0};
        std::vector<RowStats> stats(threads);
        auto worker = [&](unsigned index) {
            // Extents stay in locals while the rows are written, so the
            // compiler keeps them in registers.
            MinMax ex, ey, eu, ev, em;
            EvalStatus failure = EvalStatus::Value;
            const float nan = std::numeric_limits<float>::quiet_NaN();
            std::vector<float> xs(nv), ys(nv);
            std::vector<Complex> w(nv);
            std::vector<EvalStatus> status(nv);
            for (;;) {
                const std::uint64_t i = nextRow.fetch_add(1, std::memory_order_relaxed);
                if (i >= nu) break;
                const float a = static_cast<float>(static_cast<double>(du) * i + minU);
                if (polar) {
                    // (angle a, radius r) is the point r·(cos a + i sin a).
                    const double c = std::cos(static_cast<double>(a));
                    const double sn = std::sin(static_cast<double>(a));
                    for (std::uint64_t j = 0; j < nv; ++j) {
                        xs[j] = static_cast<float>(params[j] * c);
                        ys[j] = static_cast<float>(params[j] * sn);
                    }
                } else {
                    std::fill(xs.begin(), xs.end(), a);
                    std::copy(params.begin(), params.end(), ys.begin());
                }
                program.EvaluateBlock(xs.data(), ys.data(), nv, t, w.data(), status.data());

                std::copy(xs.begin(), xs.end(), x_.Row(i));
                std::copy(ys.begin(), ys.end(), y_.Row(i));
                float* ru = u_.Row(i);
                float* rv = v_.Row(i);
                float* rm = m_.Row(i);
                // Undefined points come back as NaN, which the magnitude keeps
                // and the extents pass over (NaN fails every comparison), so
                // both loops run without branches.
                for (std::uint64_t j = 0; j < nv; ++j) {
                    const float u = w[j].re, v = w[j].im;
                    const double re = u, im = v;
                    ru[j] = u;
                    rv[j] = v;
                    rm[j] = static_cast<float>(std::sqrt(re * re + im * im));
                }
                // x and y count only where the function has a value.
                for (std::uint64_t j = 0; j < nv; ++j) {
                    const bool valid = ru[j] == ru[j];
                    xs[j] = valid ? xs[j] : nan;
                    ys[j] = valid ? ys[j] : nan;
                }
                detail::WidenExtents(xs.data(), nv, ex.min, ex.max);
                detail::WidenExtents(ys.data(), nv, ey.min, ey.max);
                detail::WidenExtents(ru, nv, eu.min, eu.max);
                detail::WidenExtents(rv, nv, ev.min, ev.max);
                detail::WidenExtents(rm, nv, em.min, em.max);
                for (std::uint64_t j = 0; j < nv; ++j)
                    if (IsWholeFunctionFailure(status[j])) failure = status[j];
            }
            stats[index] = RowStats{ex, ey, eu, ev, em, failure};
        };
        if (threads <= 1) {
            worker(0);
        } else {
            std::vector<std::jthread> pool;
            pool.reserve(threads);
            for (unsigned k = 0; k < threads; ++k)
                pool.emplace_back(worker, k);
        }

        RowStats total;
        for (const RowStats& s : stats) {
            total.x.Merge(s.x);
            total.y.Merge(s.y);
            total.u.Merge(s.u);
            total.v.Merge(s.v);
            total.m.Merge(s.m);
            if (s.failure != EvalStatus::Value) total.failure = s.failure;
        }
        total.x.WidenInto(extents_.MaxX, extents_.MinX);
        total.y.WidenInto(extents_.MaxY, extents_.MinY);
        total.u.WidenInto(extents_.MaxU, extents_.MinU);
        total.v.WidenInto(extents_.MaxV, extents_.MinV);
        total.m.WidenInto(extents_.MaxM, extents_.MinM);
        if (total.failure != EvalStatus::Value) return Fail(FailureMessage(total.failure));
    }

    if (kind == kGraphSurface || kind == kGraphColorMap) {
        const std::int32_t plot[3] = {VarX(), VarY(), VarZ()};
        const std::int32_t colour[3] = {ColorR(), ColorG(), ColorB()};
        auto valid = [](std::int32_t c) { return c >= kQuantityX && c <= kQuantityMagnitude; };
        bool needZero = false;
        for (int k = 0; k < 3; ++k) {
            plotCodes_[k] = plot[k];
            colorCodes_[k] = colour[k];
            needZero = needZero || !valid(plot[k]) || !valid(colour[k]);
        }
        if (needZero) zero_ = Grid2D(nu, nv);
    } else {
        zero_ = Grid2D(nu, nv); // contour and vector plots keep zero plot grids
    }
    return true;
}

CBox CGraph::GetBox(std::int32_t lngAnimStep) {
    if (boxCache_ && boxCache_->samples == sampleRevision_ &&
        boxCache_->settings == settingsRevision_ && boxCache_->step == lngAnimStep) {
        const CBox& b = boxCache_->box;
        extents_.MaxX = b.MaxX;
        extents_.MinX = b.MinX;
        extents_.MaxY = b.MaxY;
        extents_.MinY = b.MinY;
        extents_.MaxZ = b.MaxZ;
        extents_.MinZ = b.MinZ;
        return b;
    }
    const CBox box = ComputeBox();
    boxCache_ = BoxCache{sampleRevision_, settingsRevision_, lngAnimStep, box};
    return box;
}

CBox CGraph::ComputeBox() {
    const std::int32_t kind = GraphType();
    const bool planeKind = kind == 0 || kind == 9;
    if (kind == 32 || (planeKind && CoordType() == 2 && (FunForm() == 1 || FunForm() == 4)))
        return CBox{};

    float maxX = -kBoxReset, minX = kBoxReset;
    float maxY = -kBoxReset, minY = kBoxReset;
    float maxZ = -kBoxReset, minZ = kBoxReset;

    auto widen = [&] {
        const Grid2D& px = PlotX();
        const Grid2D& py = PlotY();
        const Grid2D& pz = PlotZ();
        const std::size_t n = px.Values().size();
        if (py.Values().size() != n || pz.Values().size() != n) return;
        const float* xs = px.Values().data();
        const float* ys = py.Values().data();
        const float* zs = pz.Values().data();
        // NaN fails every comparison, so invalid points never widen the box.
        for (std::size_t k = 0; k < n; ++k) {
            if (xs[k] > maxX) maxX = xs[k];
            if (xs[k] < minX) minX = xs[k];
            if (ys[k] > maxY) maxY = ys[k];
            if (ys[k] < minY) minY = ys[k];
            if (zs[k] > maxZ) maxZ = zs[k];
            if (zs[k] < minZ) minZ = zs[k];
        }
    };
    auto stretchToOrigin = [&] {
        if (minX > 0) minX = 0;
        if (minY > 0) minY = 0;
        if (maxX < 0) maxX = 0;
        if (maxY < 0) maxY = 0;
    };

    const bool twoDimensional =
        kind == 0 || kind == 9 || kind == 20 || kind == 23 || kind == 37 || kind == 38;
    if (kind == kGraphSurface) {
        if (!ShowContour() && !ShowVector() && !ShowColormap()) widen();
    } else if (kind == kGraphColorMap || kind == kGraphContour || kind == kGraphVector) {
        widen();
    } else if (twoDimensional && (FunForm() == 1 || FunForm() == 4)) {
        minX = MinU();
        maxX = MaxU();
        minY = MinV();
        maxY = MaxV();
        minZ = maxZ = 0;
        stretchToOrigin();
    } else if (kind == 4) {
        stretchToOrigin();
    } else if (kind == 8) {
        minX = minY = minZ = -1;
        maxX = maxY = maxZ = 1;
    }

    extents_.MaxX = maxX;
    extents_.MinX = minX;
    extents_.MaxY = maxY;
    extents_.MinY = minY;
    extents_.MaxZ = maxZ;
    extents_.MinZ = minZ;

    CBox box;
    box.MaxX = maxX;
    box.MinX = minX;
    box.MaxY = maxY;
    box.MinY = minY;
    box.MaxZ = maxZ;
    box.MinZ = minZ;
    return box;
}

} // namespace tervane
