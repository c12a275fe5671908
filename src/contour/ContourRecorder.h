#pragma once

#include "contour/ContourSink.h"

#include <cstddef>
#include <vector>

namespace tervane {

/// One straight piece of a contour line.
struct ContourSegment {
    ContourVertex from;
    ContourVertex to;

    friend bool operator==(const ContourSegment&, const ContourSegment&) = default;
};

/// Everything traced for one level: its value, its colour and its segments in drawing order.
struct ContourLevelLines {
    int index = 0;
    float level = 0.0f;
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    std::vector<ContourSegment> segments;
};

/// A sink that keeps what it receives, for callers that replay the lines later or inspect them.
class ContourRecorder : public ContourSink {
public:
    void BeginLevel(int index, float level, double r, double g, double b) override;
    void Segment(const ContourVertex& from, const ContourVertex& to) override;

    /// The levels in the order they were begun.
    const std::vector<ContourLevelLines>& Levels() const { return levels_; }

    /// Number of segments over all levels.
    std::size_t SegmentCount() const;

    /// Replays the recorded calls into another sink, in the original order.
    void ReplayInto(ContourSink& sink) const;

private:
    std::vector<ContourLevelLines> levels_;
};

} // namespace tervane
