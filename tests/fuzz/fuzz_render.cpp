// Fuzz target: drawing a document. The input is a document text; one that loads is drawn headless
// at a small size, and at its last animation step when it is animated. Drawing must neither crash
// nor hang nor allocate without bound whatever the document asks for (huge frame counts, grids,
// ranges).
#include "document/Document.h"
#include "document/KplFormat.h"
#include "gl/DocumentScene.h"
#include "gl/headless/OffscreenFrame.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace tervane;

// Grids beyond this prove nothing more than small ones and take seconds.
constexpr std::uint64_t kSamplingBudget = 16u << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto bytes = kpl::EncodeContainer(input, error);
    if (!bytes) return 0;
    Document doc;
    doc.SetSampling(SamplingOptions{1, kSamplingBudget});
    if (!doc.Load(*bytes).Ok()) return 0;
    const SceneValues values = SceneValuesOf(doc);
    RenderRequest request;
    request.Width = 32;
    request.Height = 24;
    (void)RenderToImage(doc.ShownGraphs(), doc.Axes(), values, request);
    if (doc.ShownGraphs().Animation()) {
        request.Step = doc.AnimationFrames();
        (void)RenderToImage(doc.ShownGraphs(), doc.Axes(), values, request);
    }
    return 0;
}
