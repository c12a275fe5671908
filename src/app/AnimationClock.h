#pragma once

#include <cstdint>

namespace tervane {

/// The animation clock without a timer: what one tick of Timer1 does to the animation step F
/// (the document's AnimationStep) for the four tick modes, and when playing stops. Steps run
/// 1..N + 1 for the lists 0..N of N frames (step 0 also shows list 0). A window drives it from
/// a QTimer with IntervalMs and shows the step each tick returns.
class AnimationClock {
public:
    enum class Mode : std::int32_t {
        ForwardOnce = 1,  ///< play forward once, then back to the first picture
        BackwardOnce = 2, ///< play backward once
        Loop = 3,         ///< loop forward
        BackAndForth = 4, ///< forward to the end, backward to the start, and again
    };

    /// The timer interval for a speed in frames per second: 1000 / speed ms, rounded (a speed
    /// below 1 counts as 1).
    [[nodiscard]] static int IntervalMs(std::int32_t speed);

    [[nodiscard]] Mode TickMode() const noexcept { return mode_; }
    [[nodiscard]] bool Running() const noexcept { return running_; }
    /// The direction of BackAndForth: true while it runs backward.
    [[nodiscard]] bool Backward() const noexcept { return backward_; }

    /// Starts playing in a mode and returns the step to show at once: playing forward once
    /// starts from the first picture and backward once from the last; the loops go on from
    /// step.
    std::int32_t Start(Mode mode, std::int32_t step, std::int32_t frames);
    /// Stops playing; the step stays where it is.
    void Stop() noexcept { running_ = false; }
    /// Sets the mode without starting (the window starts in ForwardOnce, stopped).
    void SetTickMode(Mode mode) noexcept { mode_ = mode; }

    /// One tick with N = frames: advances step as the mode says and returns the step to show.
    /// ForwardOnce and BackwardOnce stop the clock at their end.
    std::int32_t Tick(std::int32_t& step, std::int32_t frames);

private:
    Mode mode_ = Mode::ForwardOnce;
    bool running_ = false;
    bool backward_ = false;
};

} // namespace tervane
