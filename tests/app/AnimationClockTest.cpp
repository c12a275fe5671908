// The tick modes of the animation clock, stepped without a timer.
#include "app/AnimationClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace tervane {
namespace {

using Mode = AnimationClock::Mode;

// Starts the clock and ticks until it stops or ticks run out; returns the steps shown.
std::vector<std::int32_t> Play(Mode mode, std::int32_t step, std::int32_t frames, int ticks,
                               bool* stopped = nullptr) {
    AnimationClock clock;
    step = clock.Start(mode, step, frames);
    std::vector<std::int32_t> shown;
    for (int k = 0; k < ticks && clock.Running(); ++k)
        shown.push_back(clock.Tick(step, frames));
    if (stopped) *stopped = !clock.Running();
    return shown;
}

TEST(AnimationClock, TickModesStepAsPlayed) {
    struct Row {
        Mode mode;
        std::int32_t start, frames;
        int ticks;
        std::vector<std::int32_t> shown;
        bool stops;
    };
    const Row rows[] = {
        // Forward once shows lists 1..N, then list 0 again, and stops.
        {Mode::ForwardOnce, 7, 10, 20, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1}, true},
        // Backward once runs from the last list down to list 0.
        {Mode::BackwardOnce, 1, 4, 20, {5, 4, 3, 2, 1}, true},
        // The loop shows list 0 only on its first pass.
        {Mode::Loop, 1, 3, 9, {1, 2, 3, 4, 2, 3, 4, 2, 3}, false},
        // Back and forth turns after passing N and after passing below 2.
        {Mode::BackAndForth, 1, 3, 10, {1, 2, 3, 4, 3, 2, 1, 2, 3, 4}, false},
        {Mode::BackAndForth, 6, 3, 4, {6, 5, 4, 3}, false},
        // One frame: two lists.
        {Mode::ForwardOnce, 1, 1, 5, {2, 1}, true},
    };
    for (const Row& row : rows) {
        bool stopped = false;
        EXPECT_EQ(Play(row.mode, row.start, row.frames, row.ticks, &stopped), row.shown)
            << static_cast<int>(row.mode) << " from " << row.start;
        EXPECT_EQ(stopped, row.stops) << static_cast<int>(row.mode);
    }
}

TEST(AnimationClock, IntervalIsAThousandMillisecondsOverTheSpeedRounded) {
    struct Row {
        std::int32_t speed;
        int ms;
    };
    for (const Row row :
         {Row{1, 1000}, Row{3, 333}, Row{10, 100}, Row{7, 143}, Row{0, 1000}, Row{1000, 1}})
        EXPECT_EQ(AnimationClock::IntervalMs(row.speed), row.ms) << row.speed;
}

} // namespace
} // namespace tervane
