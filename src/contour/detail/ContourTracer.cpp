#include "contour/detail/ContourTracer.h"

#include "core/Codes.h"

#include <cmath>

namespace tervane::detail {

namespace {

constexpr float kNoCrossing = -2.0f;

// The fraction from a towards b at which level lies, when a and b lie strictly on
// different sides of it. A NaN end fails both comparisons.
float Crossing(float a, float b, float level) {
    if ((a < level && b > level) || (a > level && b < level)) return (level - a) / (b - a);
    return kNoCrossing;
}

} // namespace

ContourTracer::ContourTracer(int nx, int ny, std::span<const float> z, const ContourPlane& plane)
    : nx_(nx), ny_(ny), z_(z), plane_(plane),
      cellValid_(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), false),
      h_(cellValid_.size(), kNoCrossing), v_(cellValid_.size(), kNoCrossing) {
    for (int i = 1; i < nx_; ++i) {
        for (int j = 1; j < ny_; ++j) {
            const bool valid = std::isfinite(Z(i, j)) && std::isfinite(Z(i + 1, j)) &&
                               std::isfinite(Z(i, j + 1)) && std::isfinite(Z(i + 1, j + 1));
            cellValid_[Index(i, j)] = valid;
            if (!valid) hasHoles_ = true;
        }
    }
}

std::size_t ContourTracer::Index(int i, int j) const {
    return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(ny_) +
           static_cast<std::size_t>(j - 1);
}

float& ContourTracer::Entry(const Edge& edge) {
    return edge.isV ? v_[Index(edge.i, edge.j)] : h_[Index(edge.i, edge.j)];
}

bool ContourTracer::CellUsable(int i, int j) const {
    return i >= 1 && i < nx_ && j >= 1 && j < ny_ && cellValid_[Index(i, j)];
}

bool ContourTracer::CellAheadUsable(const Edge& edge, Heading heading) const {
    switch (heading) {
    case Heading::PlusI:
    case Heading::PlusJ:
        return CellUsable(edge.i, edge.j);
    case Heading::MinusI:
        return CellUsable(edge.i - 1, edge.j);
    case Heading::MinusJ:
        return CellUsable(edge.i, edge.j - 1);
    }
    return false;
}

void ContourTracer::FillTables(float level) {
    // An edge that borders no usable cell can carry no segment, so it gets no crossing.
    for (int j = 1; j <= ny_; ++j) {
        for (int i = 1; i < nx_; ++i) {
            const bool used = CellUsable(i, j - 1) || CellUsable(i, j);
            h_[Index(i, j)] = used ? Crossing(Z(i, j), Z(i + 1, j), level) : kNoCrossing;
        }
    }
    for (int i = 1; i <= nx_; ++i) {
        for (int j = 1; j < ny_; ++j) {
            const bool used = CellUsable(i - 1, j) || CellUsable(i, j);
            v_[Index(i, j)] = used ? Crossing(Z(i, j), Z(i, j + 1), level) : kNoCrossing;
        }
    }
}

void ContourTracer::TraceLevel(float level, ContourSink& sink) {
    FillTables(level);

    // Open lines first, from the outer boundary: left, bottom, right, top.
    for (int j = 1; j < ny_; ++j)
        if (Entry({true, 1, j}) > 0.0f) Trace({true, 1, j}, Heading::PlusI, sink);
    for (int i = 1; i < nx_; ++i)
        if (Entry({false, i, 1}) > 0.0f) Trace({false, i, 1}, Heading::PlusJ, sink);
    for (int j = 1; j < ny_; ++j)
        if (Entry({true, nx_, j}) > 0.0f) Trace({true, nx_, j}, Heading::MinusI, sink);
    for (int i = 1; i < nx_; ++i)
        if (Entry({false, i, ny_}) > 0.0f) Trace({false, i, ny_}, Heading::MinusJ, sink);

    // Lines that end at the rim of a hole: started there, heading into the usable cell, so a
    // line running between two holes is not lost (the closed pass below starts only on V).
    if (hasHoles_) {
        for (int i = 2; i < nx_; ++i) {
            for (int j = 1; j < ny_; ++j) {
                const Edge edge{true, i, j};
                if (!(Entry(edge) > 0.0f)) continue;
                const bool left = CellUsable(i - 1, j);
                const bool right = CellUsable(i, j);
                if (left != right) Trace(edge, right ? Heading::PlusI : Heading::MinusI, sink);
            }
        }
        for (int i = 1; i < nx_; ++i) {
            for (int j = 2; j < ny_; ++j) {
                const Edge edge{false, i, j};
                if (!(Entry(edge) > 0.0f)) continue;
                const bool below = CellUsable(i, j - 1);
                const bool above = CellUsable(i, j);
                if (below != above) Trace(edge, above ? Heading::PlusJ : Heading::MinusJ, sink);
            }
        }
    }

    // What is left are closed lines; each crosses some inner V edge.
    for (int i = 2; i < nx_; ++i)
        for (int j = 1; j < ny_; ++j)
            if (Entry({true, i, j}) > 0.0f) Trace({true, i, j}, Heading::PlusI, sink);
}

ContourTracer::Edge ContourTracer::ChooseNext(const Edge& current, Heading heading) {
    const int i = current.i;
    const int j = current.j;
    auto first_crossed = [this](const Edge& a, const Edge& b, const Edge& otherwise) {
        if (Entry(a) > 0.0f) return a;
        if (Entry(b) > 0.0f) return b;
        return otherwise;
    };
    switch (heading) {
    case Heading::PlusI:
        return first_crossed({false, i, j}, {false, i, j + 1}, {true, i + 1, j});
    case Heading::PlusJ:
        return first_crossed({true, i, j}, {true, i + 1, j}, {false, i, j + 1});
    case Heading::MinusI:
        return first_crossed({false, i - 1, j + 1}, {false, i - 1, j}, {true, i - 1, j});
    case Heading::MinusJ:
        return first_crossed({true, i + 1, j - 1}, {true, i, j - 1}, {false, i, j - 1});
    }
    return current;
}

ContourTracer::Heading ContourTracer::MoveDirection(const Edge& from, const Edge& to) {
    if (to.i > from.i) return Heading::PlusI;
    if (to.j > from.j) return Heading::PlusJ;
    return to.isV ? Heading::MinusI : Heading::MinusJ;
}

void ContourTracer::Trace(const Edge& start, Heading heading, ContourSink& sink) {
    ContourVertex previous = Point(start);
    Edge current = start;
    // Every move consumes a crossing, so the walk ends after at most as many moves as the
    // level has crossings.
    while (CellAheadUsable(current, heading)) {
        const Edge next = ChooseNext(current, heading);
        // The cell ahead has no crossing to leave by (a node exactly on the level, or one
        // already drawn): end here rather than draw to a point outside the edge.
        if (!(Entry(next) > 0.0f)) break;
        const ContourVertex point = Point(next);
        Entry(next) = kNoCrossing;
        sink.Segment(previous, point);
        if (next == start) break;
        heading = MoveDirection(current, next);
        previous = point;
        current = next;
    }
    Entry(start) = kNoCrossing;
}

ContourVertex ContourTracer::Point(const Edge& edge) {
    const double f = Entry(edge);
    const double i = edge.i;
    const double j = edge.j;
    const double x = plane_.x0 + (edge.isV ? i : i + f) * static_cast<double>(plane_.dx);
    const double y = plane_.y0 + (edge.isV ? j + f : j) * static_cast<double>(plane_.dy);
    if (plane_.sceneKind == kScene3D)
        return ContourVertex{x, static_cast<double>(plane_.height) + 0.1, y};
    return ContourVertex{x, y, static_cast<double>(plane_.height)};
}

} // namespace tervane::detail
