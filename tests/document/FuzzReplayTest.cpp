// Replays the fuzzers' seed corpora and regressions through the fuzz targets of the readers and
// the expression engine.
#include "fuzz/FuzzReplay.h"

extern "C" int TervaneFuzzDocument(const std::uint8_t* data, std::size_t size);
extern "C" int TervaneFuzzClipboard(const std::uint8_t* data, std::size_t size);
extern "C" int TervaneFuzzExpression(const std::uint8_t* data, std::size_t size);

namespace tervane {
namespace {

using testing::ReplayFuzzInputs;

TEST(FuzzReplay, DocumentReader) {
    EXPECT_GT(ReplayFuzzInputs(TERVANE_FUZZ_DIR, "document", TervaneFuzzDocument), 0u);
}

TEST(FuzzReplay, ClipboardReader) {
    EXPECT_GT(ReplayFuzzInputs(TERVANE_FUZZ_DIR, "clipboard", TervaneFuzzClipboard), 0u);
}

TEST(FuzzReplay, ExpressionEvaluatorsAgree) {
    EXPECT_GT(ReplayFuzzInputs(TERVANE_FUZZ_DIR, "expression", TervaneFuzzExpression), 0u);
}

} // namespace
} // namespace tervane
