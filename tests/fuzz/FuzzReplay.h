#pragma once

// Replays the seed corpus and every input a fuzzer ever failed on through a fuzz target, in the
// ordinary build: a fault found once stays found. A target aborts with its own message on a
// broken property, which fails the calling test.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tervane::testing {

using FuzzTarget = int (*)(const std::uint8_t*, std::size_t);

/// Runs target on every file of corpus/<name> and regressions/<name> under fuzzDir; returns
/// how many it ran.
inline std::size_t ReplayFuzzInputs(const std::filesystem::path& fuzzDir, const std::string& name,
                                    FuzzTarget target) {
    namespace fs = std::filesystem;
    std::size_t count = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fuzzDir / folder / name;
        if (!fs::exists(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
            ++count;
        }
    }
    return count;
}

} // namespace tervane::testing
