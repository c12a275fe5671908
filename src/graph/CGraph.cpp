#include "graph/CGraph.h"

#include "core/Limits.h"
#include "core/MemoryBudget.h"
#include "core/PackedColor.h"
#include "expr/CompiledProgram.h"
#include "expr/TextPasses.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace tervane {

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
    const auto f = ColorFractions<double>(color);
    red = f[0];
    green = f[1];
    blue = f[2];
}

const Grid2D& CGraph::Quantity(std::int32_t code) const {
    switch (code) {
    case kQuantityX:
        return grids_.x;
    case kQuantityY:
        return grids_.y;
    case kQuantityReal:
        return grids_.u;
    case kQuantityImaginary:
        return grids_.v;
    case kQuantityMagnitude:
        return grids_.m;
    case kQuantityArgument:
        return argument_;
    case kQuantityLogMagnitude:
        return logMagnitude_;
    default:
        return zero_;
    }
}

std::size_t CGraph::BytesHeld() const noexcept {
    return grids_.Bytes() + zero_.Bytes() + argument_.Bytes() + logMagnitude_.Bytes();
}

bool CGraph::Fail(std::string message) {
    lastError_ = std::move(message);
    return false;
}

bool CGraph::GetPoints(const SamplingOptions& options) {
    return GetPoints(MinT(), options);
}

bool CGraph::GetPointsAtStep(std::int32_t step, std::int32_t frames,
                             const SamplingOptions& options) {
    frames = std::max(frames, 1);
    if (Animation() && IsAllStepsKind(GraphType())) {
        // These kinds hold every step from one sampling; a step of it needs no new one.
        if (allSteps_ && lastError_.empty() &&
            *allSteps_ == AllStepsKey{settingsRevision_, frames, options.View})
            return true;
        SamplingOptions all = options;
        all.AnimationFrames = frames;
        return GetPoints(MinT(), all);
    }
    // step may lie outside 0..frames (the window's step counter runs one past the last frame).
    const double lo = MinT(), hi = MaxT();
    const float t = static_cast<float>(lo + (hi - lo) * step / frames);
    return GetPoints(t, options);
}

bool CGraph::GetPoints(float t, const SamplingOptions& options) {
    lastError_.clear();
    syntaxError_.reset();

    const std::string textZ = InsertImplicitMultiply(ExpressZ());

    // A step count below 1 would leave the grid without cells, one above kMaxSteps would ask
    // for gigabytes per graph; both are clamped before any grid is made.
    SetStepU(ClampCount(StepU(), kMaxSteps));
    SetStepV(ClampCount(StepV(), kMaxSteps));

    const std::uint64_t nu = static_cast<std::uint64_t>(StepU()) + 1;
    const std::uint64_t nv = static_cast<std::uint64_t>(StepV()) + 1;
    const std::uint64_t available =
        options.AvailableBytes ? *options.AvailableBytes : AvailableMemory();
    const bool polar = CoordType() == kCoordPolar;
    if (auto refusal = CheckGridMemory(nu, nv, available, polar)) return Fail(std::move(*refusal));

    SampleDomain domain;
    domain.MinU = MinU();
    domain.MaxU = MaxU();
    domain.MinV = MinV();
    domain.MaxV = MaxV();
    domain.NU = nu;
    domain.NV = nv;
    domain.Polar = polar;
    // Ranges whose width a single cannot hold are refused.
    if (!std::isfinite(MaxU() - MinU()) || !std::isfinite(MaxV() - MinV()))
        return Fail("The range of x or y is too large to sample.");

    // Storage is reused when the grid keeps its size; the evaluation pass
    // writes every point, and the paths that evaluate nothing zero-fill.
    try {
        grids_.Resize(nu, nv, polar);
    } catch (const std::bad_alloc&) {
        grids_.Release();
        return Fail("A grid of " + std::to_string(nu) + " x " + std::to_string(nv) +
                    " points does not fit in memory. Choose fewer steps.");
    }
    zero_ = Grid2D();
    argument_.Release();
    logMagnitude_.Release();
    plotCodes_[0] = plotCodes_[1] = plotCodes_[2] = 0;
    colorCodes_[0] = colorCodes_[1] = colorCodes_[2] = 0;
    ++sampleRevision_;

    CEvaluator evaluator;
    std::string postfix;
    if (evaluator.InfixToPostfix(textZ, postfix) != 0) {
        grids_.Fill(0.0f);
        syntaxError_ = evaluator.LastError();
        return Fail(syntaxError_ ? syntaxError_->Text() : evaluator.ErrorText());
    }

    if (IsDocumentKind(GraphType()))
        return SampleDocumentKind(postfix, t, options, options.AnimationFrames);
    if (!IsGridKind(GraphType())) { // kinds known only to documents are kept, not sampled
        grids_.Fill(0.0f);
        return true;
    }

    const std::int32_t coord = CoordType();
    const bool evaluates =
        IsComplexForm(FunForm()) &&
        (coord == kCoordCartesian || coord == kCoordPolar || coord == kCoordAnglePair);
    if (!evaluates) {
        grids_.Fill(0.0f);
    } else {
        const CompiledProgram program = CompiledProgram::Compile(postfix);
        usesT_ = program.UsesT();
        const SampleOutcome total = SampleProgram(program, domain, t, options.Threads, grids_);
        total.x.WidenInto(extents_.MaxX, extents_.MinX);
        total.y.WidenInto(extents_.MaxY, extents_.MinY);
        total.u.WidenInto(extents_.MaxU, extents_.MinU);
        total.v.WidenInto(extents_.MaxV, extents_.MinV);
        total.m.WidenInto(extents_.MaxM, extents_.MinM);
        if (total.failure != EvalStatus::Value) return Fail(SampleFailureMessage(total.failure));
    }
    try {
        ChooseQuantities(nu, nv);
    } catch (const std::bad_alloc&) {
        argument_.Release();
        logMagnitude_.Release();
        return Fail("A grid of " + std::to_string(nu) + " x " + std::to_string(nv) +
                    " points does not fit in memory. Choose fewer steps.");
    }
    return true;
}

void CGraph::ChooseQuantities(std::uint64_t nu, std::uint64_t nv) {
    const std::int32_t kind = GraphType();
    if (kind != kGraphSurface && kind != kGraphColorMap) {
        // Contour and vector plots lie over the domain as a colour map does: x across, y where
        // a colour map puts its plot Z, and a zero height.
        zero_ = Grid2D::Constant(nu, nv, 0.0f);
        plotCodes_[0] = kQuantityX;
        plotCodes_[2] = kQuantityY;
        return;
    }
    const std::int32_t plot[3] = {VarX(), VarY(), VarZ()};
    const std::int32_t colour[3] = {ColorR(), ColorG(), ColorB()};
    bool needZero = false, needArgument = false, needLog = false;
    for (int k = 0; k < 3; ++k) {
        plotCodes_[k] = plot[k];
        colorCodes_[k] = colour[k];
        needZero = needZero || !IsQuantityCode(plot[k]) || !IsQuantityCode(colour[k]);
        needArgument =
            needArgument || plot[k] == kQuantityArgument || colour[k] == kQuantityArgument;
        needLog = needLog || plot[k] == kQuantityLogMagnitude || colour[k] == kQuantityLogMagnitude;
    }
    if (needZero) zero_ = Grid2D::Constant(nu, nv, 0.0f);
    const Grid2D& u = grids_.u;
    const Grid2D& v = grids_.v;
    const Grid2D& m = grids_.m;
    if (needArgument) {
        argument_.Resize(nu, nv);
        for (std::size_t i = 0; i < nu; ++i) {
            float* row = argument_.Row(i);
            for (std::size_t j = 0; j < nv; ++j)
                row[j] = ArgumentOf(u(i, j), v(i, j));
        }
    }
    if (needLog) {
        logMagnitude_.Resize(nu, nv);
        ValueRange range;
        for (std::size_t i = 0; i < nu; ++i) {
            float* row = logMagnitude_.Row(i);
            for (std::size_t j = 0; j < nv; ++j) {
                row[j] = LogMagnitudeOf(m(i, j));
                if (!std::isfinite(row[j])) continue;
                if (row[j] > range.max) range.max = row[j];
                if (row[j] < range.min) range.min = row[j];
            }
        }
        extents_.MaxL = range.Any() ? range.max : 0.0f;
        extents_.MinL = range.Any() ? range.min : 0.0f;
    }
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
    const CBox box = ComputeBox(lngAnimStep);
    boxCache_ = BoxCache{sampleRevision_, settingsRevision_, lngAnimStep, box};
    return box;
}

CBox CGraph::ComputeBox(std::int32_t lngAnimStep) {
    const std::int32_t kind = GraphType();
    const bool planeKind = kind == kGraphPlaneFunction || kind == kGraphPlanePoints;
    if (kind == kGraphVectorOperation ||
        (planeKind && CoordType() == kCoordPlanePolar && IsPlaneForm(FunForm())))
        return CBox{};

    const CBox reset = CBox::Empty();
    float maxX = reset.MaxX, minX = reset.MinX;
    float maxY = reset.MaxY, minY = reset.MinY;
    float maxZ = reset.MaxZ, minZ = reset.MinZ;

    auto widen = [&] {
        const Grid2D& px = PlotX();
        const Grid2D& py = PlotY();
        const Grid2D& pz = PlotZ();
        const std::size_t nu = px.SizeU(), nv = px.SizeV();
        if (py.SizeU() != nu || py.SizeV() != nv || pz.SizeU() != nu || pz.SizeV() != nv) return;
        // NaN fails every comparison, so invalid points never widen the box.
        for (std::size_t i = 0; i < nu; ++i) {
            for (std::size_t j = 0; j < nv; ++j) {
                const float x = px(i, j), y = py(i, j), z = pz(i, j);
                if (x > maxX) maxX = x;
                if (x < minX) minX = x;
                if (y > maxY) maxY = y;
                if (y < minY) minY = y;
                if (z > maxZ) maxZ = z;
                if (z < minZ) minZ = z;
            }
        }
    };
    auto stretchToOrigin = [&] {
        if (minX > 0) minX = 0;
        if (minY > 0) minY = 0;
        if (maxX < 0) maxX = 0;
        if (maxY < 0) maxY = 0;
    };

    // Surfaces and colour maps may cut their axes at the fences of outlying values.
    spikeClip_ = {};
    auto clipSpikes = [&] {
        if (!clipSpikes_ || !(minX <= maxX)) return;
        float* lows[3] = {&minX, &minY, &minZ};
        float* highs[3] = {&maxX, &maxY, &maxZ};
        const Grid2D* grids[3] = {&PlotX(), &PlotY(), &PlotZ()};
        for (int a = 0; a < 3; ++a) {
            const auto limits = FindSpikeLimits(*grids[a]);
            if (!limits || !limits->Clips()) continue;
            spikeClip_[static_cast<std::size_t>(a)] = *limits;
            if (limits->clipsMin) *lows[a] = limits->min;
            if (limits->clipsMax) *highs[a] = limits->max;
        }
    };

    if (kind == kGraphSurface) {
        if (!ShowContour() && !ShowVector() && !ShowColormap()) {
            widen();
            clipSpikes();
        }
    } else if (kind == kGraphColorMap) {
        widen();
        clipSpikes();
    } else if (kind == kGraphContour || kind == kGraphVector) {
        widen();
    } else if (kind == kGraphSurfaceAnimation || IsRotationKind(kind)) {
        // Framed by their points, so that Zoom to Fit shows them.
        UseAnimationStep(Animation() ? lngAnimStep : 0);
        widen();
    } else if (kind == kGraph3DCurve || kind == kGraph3DCurveAnimation || kind == kGraphPointSet ||
               kind == kGraphPlanePairs) {
        const bool stepped = Animation() && IsAllStepsKind(kind);
        for (const PointSample& p : StepPoints(stepped ? lngAnimStep : 0)) {
            if (!p.Valid()) continue;
            maxX = std::max(maxX, p.x);
            minX = std::min(minX, p.x);
            maxY = std::max(maxY, p.y);
            minY = std::min(minY, p.y);
            maxZ = std::max(maxZ, p.z);
            minZ = std::min(minZ, p.z);
        }
    } else if (IsPlaneFunctionKind(kind) && IsPlaneForm(FunForm())) {
        minX = MinU();
        maxX = MaxU();
        minY = MinV();
        maxY = MaxV();
        minZ = maxZ = 0;
        stretchToOrigin();
    } else if (kind == kGraphOriginStretched) {
        stretchToOrigin();
    } else if (kind == kGraphPointObject) {
        // From the origin to the point object of the step; a point at the origin (or none)
        // gets the box -1..1.
        const PointSample p = Anim1D(Animation() ? lngAnimStep : 0);
        if (!p.Valid() || (p.x == 0 && p.y == 0 && p.z == 0)) {
            minX = minY = minZ = -1;
            maxX = maxY = maxZ = 1;
        } else {
            minX = std::min(p.x, 0.0f);
            maxX = std::max(p.x, 0.0f);
            minY = std::min(p.y, 0.0f);
            maxY = std::max(p.y, 0.0f);
            minZ = std::min(p.z, 0.0f);
            maxZ = std::max(p.z, 0.0f);
        }
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

std::shared_ptr<CGraph> CGraph::Decimated(std::size_t k) const {
    const bool gridKind = GraphType() == kGraphSurface || GraphType() == kGraphColorMap;
    if (k < 2 || !gridKind || !stepGrids_.empty() || grids_.u.Empty()) return nullptr;
    const std::vector<std::size_t> iKept = Grid2D::EveryKth(grids_.u.SizeU(), k);
    const std::vector<std::size_t> jKept = Grid2D::EveryKth(grids_.u.SizeV(), k);
    return std::make_shared<CGraph>(KeptPoints{}, *this, iKept, jKept);
}

CGraph::CGraph(KeptPoints, const CGraph& full, const std::vector<std::size_t>& iKept,
               const std::vector<std::size_t>& jKept)
    : CGraph(full) {
    // The settings, codes, extents and cached box are the full graph's; the grids keep the
    // points asked for.
    for (auto [grid, source] : {std::pair{&grids_.x, &full.grids_.x},
                                {&grids_.y, &full.grids_.y},
                                {&grids_.u, &full.grids_.u},
                                {&grids_.v, &full.grids_.v},
                                {&grids_.m, &full.grids_.m},
                                {&argument_, &full.argument_},
                                {&logMagnitude_, &full.logMagnitude_},
                                {&zero_, &full.zero_}})
        *grid = source->Subsampled(iKept, jKept);
}

} // namespace tervane
