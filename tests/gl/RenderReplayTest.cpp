// Replays the document fuzzer's corpus and regressions through drawing: every document that loads
// is drawn headless without a crash, a hang or an unbounded allocation.
#include "fuzz/FuzzReplay.h"

extern "C" int TervaneFuzzRender(const std::uint8_t* data, std::size_t size);

namespace tervane {
namespace {

TEST(FuzzReplay, DrawingOfDocuments) {
    EXPECT_GT(testing::ReplayFuzzInputs(TERVANE_FUZZ_DIR, "document", TervaneFuzzRender), 0u);
}

} // namespace
} // namespace tervane
