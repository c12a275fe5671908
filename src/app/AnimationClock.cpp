#include "app/AnimationClock.h"

#include <cmath>

namespace tervane {

int AnimationClock::IntervalMs(std::int32_t speed) {
    return static_cast<int>(std::lround(1000.0 / (speed < 1 ? 1 : speed)));
}

std::int32_t AnimationClock::Start(Mode mode, std::int32_t step, std::int32_t frames) {
    mode_ = mode;
    running_ = true;
    backward_ = false;
    if (mode == Mode::ForwardOnce) return 1;
    // Backward once shows N + 1 (the last list) at its first tick.
    if (mode == Mode::BackwardOnce) return frames + 2;
    return step;
}

std::int32_t AnimationClock::Tick(std::int32_t& step, std::int32_t frames) {
    switch (mode_) {
    case Mode::ForwardOnce:
        // After the last step the picture returns to the first and stops.
        if (step > frames) {
            step = 0;
            running_ = false;
        }
        ++step;
        return step;
    case Mode::BackwardOnce:
        if (step < 3) running_ = false;
        --step;
        return step;
    case Mode::Loop: {
        if (step > frames + 1) step = 2;
        const std::int32_t shown = step;
        ++step;
        return shown;
    }
    case Mode::BackAndForth: {
        if (step > frames)
            backward_ = true;
        else if (step < 2)
            backward_ = false;
        const std::int32_t shown = step;
        step += backward_ ? -1 : 1;
        return shown;
    }
    }
    return step;
}

} // namespace tervane
