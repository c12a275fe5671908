#include "contour/ContourRecorder.h"

#include <stdexcept>

namespace tervane {

void ContourRecorder::BeginLevel(int index, float level, double r, double g, double b) {
    levels_.push_back(ContourLevelLines{index, level, r, g, b, {}});
}

void ContourRecorder::Segment(const ContourVertex& from, const ContourVertex& to) {
    // A segment outside any level has no colour to be drawn in; that is a caller's bug.
    if (levels_.empty()) throw std::logic_error("ContourRecorder: Segment before BeginLevel");
    levels_.back().segments.push_back(ContourSegment{from, to});
}

std::size_t ContourRecorder::SegmentCount() const {
    std::size_t count = 0;
    for (const auto& lines : levels_)
        count += lines.segments.size();
    return count;
}

void ContourRecorder::ReplayInto(ContourSink& sink) const {
    for (const auto& lines : levels_) {
        sink.BeginLevel(lines.index, lines.level, lines.r, lines.g, lines.b);
        for (const auto& segment : lines.segments)
            sink.Segment(segment.from, segment.to);
    }
}

} // namespace tervane
