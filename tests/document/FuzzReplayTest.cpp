// Replays the fuzzers' seed corpora and every input a fuzzer ever failed on through the same
// fuzz targets, in the ordinary build: a fault found once stays found. A target aborts with its
// own message on a broken property, which fails this test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int TervaneFuzzDocument(const std::uint8_t* data, std::size_t size);
extern "C" int TervaneFuzzClipboard(const std::uint8_t* data, std::size_t size);
extern "C" int TervaneFuzzExpression(const std::uint8_t* data, std::size_t size);

namespace tervane {
namespace {

namespace fs = std::filesystem;

using Target = int (*)(const std::uint8_t*, std::size_t);

std::size_t Replay(const std::string& name, Target target) {
    std::size_t count = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(TERVANE_FUZZ_DIR) / folder / name;
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

TEST(FuzzReplay, DocumentReader) {
    EXPECT_GT(Replay("document", TervaneFuzzDocument), 0u);
}

TEST(FuzzReplay, ClipboardReader) {
    EXPECT_GT(Replay("clipboard", TervaneFuzzClipboard), 0u);
}

TEST(FuzzReplay, ExpressionEvaluatorsAgree) {
    EXPECT_GT(Replay("expression", TervaneFuzzExpression), 0u);
}

} // namespace
} // namespace tervane
