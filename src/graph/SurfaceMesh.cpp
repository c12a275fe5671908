#include "graph/SurfaceMesh.h"

#include "graph/PhaseColour.h"
#include "graph/Sampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tervane {

namespace {

using Vec3 = SurfaceMesh::Vec3;

Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

void AddTo(Vec3& a, const Vec3& b) {
    a[0] += b[0];
    a[1] += b[1];
    a[2] += b[2];
}

bool Finite(const Vec3& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Channel scaling by quantity code: x and y by the box, u, v and |w| by the
// running extents of sampling, arg w by its whole turn, log |w| by its extents.
SurfaceMesh::Channel ChannelFor(std::int32_t code, const CGraph::Extents& e) {
    switch (code) {
    case kQuantityX:
        return {e.MinX, static_cast<double>(e.MaxX) - e.MinX};
    case kQuantityY:
        return {e.MinY, static_cast<double>(e.MaxY) - e.MinY};
    case kQuantityReal:
        return {e.MinU, static_cast<double>(e.MaxU) - e.MinU};
    case kQuantityImaginary:
        return {e.MinV, static_cast<double>(e.MaxV) - e.MinV};
    case kQuantityMagnitude:
        return {e.MinM, static_cast<double>(e.MaxM) - e.MinM};
    case kQuantityArgument:
        return {-std::numbers::pi, 2.0 * std::numbers::pi};
    case kQuantityLogMagnitude:
        return {e.MinL, static_cast<double>(e.MaxL) - e.MinL};
    default:
        return {};
    }
}

double Scaled(float value, const SurfaceMesh::Channel& c) {
    // A channel without range has no gradient to show; it stays dark rather than
    // dividing by zero. So does a value without one (log |w| at a zero).
    if (!(c.range != 0.0) || !std::isfinite(c.range) || std::isnan(value)) return 0.0;
    const double scaled = (value - c.minimum) / c.range;
    // Channels cut at the fences of their spikes saturate beyond them.
    return c.clamped ? std::clamp(scaled, 0.0, 1.0) : scaled;
}

// When the graph's plot was cut at spikes, a colour channel with outlying values of its own is
// scaled to the body of its values too: scaled to the spikes, the rest of the graph would be
// one colour.
SurfaceMesh::Channel ClippedChannel(const Grid2D& values, SurfaceMesh::Channel channel) {
    const auto limits = FindSpikeLimits(values);
    if (!limits || !limits->Clips() || !(limits->max > limits->min)) return channel;
    return {limits->min, static_cast<double>(limits->max) - limits->min, true};
}

} // namespace

SurfaceMesh::SurfaceMesh(const CGraph& graph, float minYLift) : graph_(graph) {
    const Grid2D& px = graph.PlotX();
    nu_ = px.SizeU();
    nv_ = px.SizeV();
    if (graph.PlotY().Count() != px.Count() || graph.PlotZ().Count() != px.Count()) nu_ = nv_ = 0;
    CGraph::Extents e = graph.GetExtents();
    e.MinY += minYLift;
    channels_ = {ChannelFor(graph.ColorR(), e), ChannelFor(graph.ColorG(), e),
                 ChannelFor(graph.ColorB(), e)};
    colours_ = channels_;
    if (graph.SpikesClipped()) {
        const Grid2D* grids[3] = {&graph.ColorGridR(), &graph.ColorGridG(), &graph.ColorGridB()};
        for (std::size_t k = 0; k < 3; ++k) {
            if (grids[k]->Count() == px.Count() && grids[k]->Count() > 1)
                colours_[k] = ClippedChannel(*grids[k], channels_[k]);
        }
    }
    if (IsPhaseColourCode(graph.ColorR())) {
        phase_ = true;
        phaseRings_ = PhaseRings(graph.ColorR());
        phaseRays_ = PhaseRays(graph.ColorR());
    }
    if (nu_ < 2 || nv_ < 2) {
        nu_ = nv_ = 0;
        return;
    }
    ComputeFaceNormals();
    ComputeVertexNormals();
}

Vec3 SurfaceMesh::Position(std::size_t i, std::size_t j) const {
    return {graph_.PlotX()(i, j), graph_.PlotY()(i, j), graph_.PlotZ()(i, j)};
}

Vec3 SurfaceMesh::Color(std::size_t i, std::size_t j) const {
    if (phase_) {
        if (graph_.RealPart().Count() != nu_ * nv_ || graph_.MagnitudeGrid().Count() != nu_ * nv_)
            return {0, 0, 0};
        const float u = graph_.RealPart()(i, j), v = graph_.ImaginaryPart()(i, j);
        const auto c =
            PhaseColour(ArgumentOf(u, v), graph_.MagnitudeGrid()(i, j), {phaseRings_, phaseRays_});
        return {c[0], c[1], c[2]};
    }
    return {Scaled(graph_.ColorGridR()(i, j), colours_[0]),
            Scaled(graph_.ColorGridG()(i, j), colours_[1]),
            Scaled(graph_.ColorGridB()(i, j), colours_[2])};
}

std::size_t SurfaceMesh::ValidCells() const noexcept {
    return static_cast<std::size_t>(std::count(cellValid_.begin(), cellValid_.end(), 1));
}

void SurfaceMesh::ComputeFaceNormals() {
    const std::size_t cu = nu_ - 1, cv = nv_ - 1;
    faceNormals_.assign(cu * cv, Vec3{0, 0, 0});
    cellValid_.assign(cu * cv, 0);
    for (std::size_t i = 0; i < cu; ++i) {
        for (std::size_t j = 0; j < cv; ++j) {
            const Vec3 p00 = Position(i, j), p10 = Position(i + 1, j);
            const Vec3 p11 = Position(i + 1, j + 1), p01 = Position(i, j + 1);
            // A point is invalid when its function value is undefined, whichever
            // quantities are plotted: its colour would be undefined too.
            const Grid2D& u = graph_.RealPart();
            const bool valuesValid = u.Count() != nu_ * nv_ ||
                                     (std::isfinite(u(i, j)) && std::isfinite(u(i + 1, j)) &&
                                      std::isfinite(u(i + 1, j + 1)) && std::isfinite(u(i, j + 1)));
            const bool valid =
                valuesValid && Finite(p00) && Finite(p10) && Finite(p11) && Finite(p01);
            cellValid_[i * cv + j] = valid ? 1 : 0;
            if (!valid) continue;
            const Vec3 d1 = Sub(p00, p11), d2 = Sub(p10, p01);
            const Vec3 n = {d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2],
                            d1[0] * d2[1] - d1[1] * d2[0]};
            double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length == 0.0) length = 0.0001;
            faceNormals_[i * cv + j] = {n[0] / length, n[1] / length, n[2] / length};
        }
    }
}

void SurfaceMesh::ComputeVertexNormals() {
    const std::size_t cu = nu_ - 1, cv = nv_ - 1;
    vertexNormals_.assign(nu_ * nv_, Vec3{0, 0, 0});
    // Every point sums the normals of the cells around it: one at a corner, two
    // on an edge, four inside. Invalid cells add nothing.
    for (std::size_t i = 0; i < cu; ++i) {
        for (std::size_t j = 0; j < cv; ++j) {
            if (!CellValid(i, j)) continue;
            const Vec3& n = FaceNormal(i, j);
            AddTo(vertexNormals_[i * nv_ + j], n);
            AddTo(vertexNormals_[(i + 1) * nv_ + j], n);
            AddTo(vertexNormals_[i * nv_ + j + 1], n);
            AddTo(vertexNormals_[(i + 1) * nv_ + j + 1], n);
        }
    }

    // A grid whose first and last points coincide along a direction (a tube)
    // is closed there: the seam points take the cells of both sides, so the
    // smoothest shading shows no seam. Coincidence is judged against the
    // channel steps, with a tolerance of 0.8 of a step.
    const std::int32_t stepU = graph_.StepU(), stepV = graph_.StepV();
    const double steps[3] = {channels_[0].range / stepU, channels_[1].range / stepV,
                             channels_[2].range / std::max(stepU, stepV)};
    auto coincide = [&](std::size_t i1, std::size_t j1, std::size_t i2, std::size_t j2) {
        const Vec3 d = Sub(Position(i1, j1), Position(i2, j2));
        for (int k = 0; k < 3; ++k)
            if (!(std::fabs(d[k]) < 0.8 * steps[k])) return false;
        return true;
    };
    closedJ_ = coincide(0, 0, 0, cv) && coincide(cu, 0, cu, cv);
    closedI_ = coincide(0, 0, cu, 0) && coincide(0, cv, cu, cv);
    if (closedJ_) {
        for (std::size_t i = 0; i < nu_; ++i) {
            Vec3 sum = vertexNormals_[i * nv_];
            AddTo(sum, vertexNormals_[i * nv_ + cv]);
            vertexNormals_[i * nv_] = sum;
            vertexNormals_[i * nv_ + cv] = sum;
        }
    }
    if (closedI_) {
        for (std::size_t j = 0; j < nv_; ++j) {
            Vec3 sum = vertexNormals_[j];
            AddTo(sum, vertexNormals_[cu * nv_ + j]);
            vertexNormals_[j] = sum;
            vertexNormals_[cu * nv_ + j] = sum;
        }
    }

    for (Vec3& n : vertexNormals_) {
        double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length == 0.0) length = 1.0;
        n = {n[0] / length, n[1] / length, n[2] / length};
    }
}

} // namespace tervane
