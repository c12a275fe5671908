#pragma once

#include "expr/CompiledProgram.h"
#include "graph/Grid2D.h"
#include "graph/ViewLimits.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace tervane {

/// How a sampling may use the machine. The document owns these values and hands them down.
struct SamplingOptions {
    SamplingOptions() = default;
    SamplingOptions(unsigned threads, std::optional<std::uint64_t> availableBytes)
        : Threads(threads), AvailableBytes(availableBytes) {}

    /// Threads that sample rows in parallel (0: one per core, fewer on small grids). Results
    /// do not depend on it.
    unsigned Threads = 0;
    /// Bytes the value grids may take; unset: what the system leaves this process (the least of
    /// free memory, the control group's limit and the address-space limit).
    std::optional<std::uint64_t> AvailableBytes;
    /// The document's view intervals.
    ViewLimits View;
    /// Animation steps of the kinds that sample every step at once (the document's frames).
    std::int32_t AnimationFrames = 10;
};

/// The grid of parameters (u, v): nu × nv nodes from (MinU, MinV) to (MaxU, MaxV), placed by
/// GridNode. In the polar form u is the angle and v the radius of z; otherwise z = u + vi.
struct SampleDomain {
    float MinU = 0, MaxU = 0;
    float MinV = 0, MaxV = 0;
    std::uint64_t NU = 1, NV = 1;
    bool Polar = false;
};

/// Node i of steps equal steps from lo to hi: lo + (hi − lo)·i/steps worked out in double and
/// rounded once to single, so both ends and the centre of a symmetric range are exact nodes (a
/// pole at 0 is hit rather than missed by a rounding error and drawn as a spike).
float GridNode(float lo, float hi, std::uint64_t i, std::uint64_t steps);

/// arg w in (−π, π] from the sampled parts (atan2 in double, narrowed; NaN where w is
/// undefined). On the real axis it agrees with the logarithm whatever the sign of a zero
/// imaginary part: π where Re w < 0, 0 where Re w ≥ 0 (w = 0 included). Every argument of a
/// sampled w, plotted or coloured, comes from here.
float ArgumentOf(float u, float v);

/// log |w| from the sampled magnitude (natural logarithm in double, narrowed); NaN where w is
/// undefined or 0, whose logarithm has no value.
float LogMagnitudeOf(float m);

/// The value of a quantity code at one point with these sampled values (0 for a code that
/// selects no quantity).
float QuantityValue(std::int32_t code, float x, float y, float u, float v, float m);

/// Limits that cut off the outlying values of a sampled quantity (spikes near a pole that no
/// node hits). The body of the values is the range between their 5th and 95th percentiles;
/// values more than 1.5 times its width beyond it are outliers. Each side with an outlier is
/// cut at that fence; a side without one keeps its extreme value (so values without outliers
/// keep their full range and are never clipped). Only finite values count; a grid with more
/// than 65536 of them is measured on an even subsample of that many.
struct SpikeLimits {
    float min = 0, max = 0;
    bool clipsMin = false, clipsMax = false;

    bool Clips() const noexcept { return clipsMin || clipsMax; }
};

/// The limits of values (nullopt when none is finite).
std::optional<SpikeLimits> FindSpikeLimits(const Grid2D& values);

/// Running minimum and maximum of one quantity; empty (min above max) until a value is seen.
struct ValueRange {
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();

    bool Any() const { return min <= max; }
    void Merge(const ValueRange& other);
    /// Widens running extents that are never reset between samplings.
    void WidenInto(float& runningMax, float& runningMin) const;
};

/// The value grids of one sampling: domain x and y, real and imaginary part, magnitude. A
/// Cartesian domain's x varies with i alone and its y with j alone, so they keep one value per
/// i and per j; the polar form's x and y keep every point (they would otherwise be recomputed
/// with a cosine and a sine per read).
struct SampleGrids {
    Grid2D x, y, u, v, m;

    /// Gives every grid nu × nv points; throws std::bad_alloc when they do not fit.
    void Resize(std::uint64_t nu, std::uint64_t nv, bool polar = false);
    void Release();
    void Fill(float value);
    std::size_t Bytes() const noexcept;
};

/// What a sampling pass found: the ranges of the valid points and a failure that concerns the
/// whole function (a function without a value, an unreadable number, a missing operand).
struct SampleOutcome {
    ValueRange x, y, u, v, m;
    EvalStatus failure = EvalStatus::Value;
};

/// Bytes the value grids of nu × nv points take (saturating instead of overflowing).
[[nodiscard]] std::uint64_t GridBytes(std::uint64_t nu, std::uint64_t nv, bool polar = false);

/// The refusal to show when grids of nu × nv points do not fit in availableBytes (0: unknown,
/// nothing is refused), or nothing when they fit.
[[nodiscard]] std::optional<std::string> CheckGridMemory(std::uint64_t nu, std::uint64_t nv,
                                                         std::uint64_t availableBytes,
                                                         bool polar = false);

/// The processor cores this process can use, at least 1. Read once: asking the system takes
/// about as long as sampling a thousand points.
unsigned CoreCount();

/// Evaluates program at every node of domain at parameter t into grids (already sized), rows
/// spread over threads (0: one per core, fewer on small grids). Undefined points are NaN in u,
/// v and m and are left out of the ranges, x and y included.
SampleOutcome SampleProgram(const CompiledProgram& program, const SampleDomain& domain, float t,
                            unsigned threads, SampleGrids& grids);

/// True for the failures that make the whole function unusable rather than one point.
[[nodiscard]] bool IsWholeFunctionFailure(EvalStatus status);

/// The message of a whole-function failure.
[[nodiscard]] std::string SampleFailureMessage(EvalStatus status);

} // namespace tervane
