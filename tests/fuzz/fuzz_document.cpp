// Fuzz target: the document reader. The input is a document text; it is read as the text of a
// container and, unchanged, as container bytes. A document that reads is loaded (and sampled,
// when its grids are small), saved, and loaded again: the second save must give the same bytes
// as the first, and a failed load must leave the document as it was.
#include "document/Document.h"
#include "document/KplFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tervane;

// Sampling large grids proves nothing more than sampling small ones and takes seconds.
constexpr std::int64_t kMaxSampledPoints = 4096;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "document fuzzer: %s\n", what);
    std::abort();
}

bool SmallGrids(const kpl::DocumentRead& read) {
    for (const auto& g : read.Graphs) {
        const std::int64_t points = (static_cast<std::int64_t>(g->StepU()) + 1) *
                                    (static_cast<std::int64_t>(g->StepV()) + 1);
        if (g->StepU() > 4096 || g->StepV() > 4096 || points > kMaxSampledPoints) return false;
    }
    return true;
}

void CheckLoadedDocument(const Document& doc) {
    if (doc.AllGraphs().Count() != doc.ShownGraphs().Count()) Fail("a loaded graph is not shown");
    for (std::size_t i = 0; i < doc.Count(); ++i) {
        if (!doc.IsShown(i)) Fail("a loaded list entry is unchecked");
        (void)doc.Label(i);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // The raw bytes as a container.
    std::string error;
    (void)kpl::DecodeContainer(input, error);

    // The bytes as a document text.
    const kpl::DocumentValues start;
    const auto read = kpl::ReadDocumentText(input, start, error);
    std::string bytes;
    if (!kpl::EncodeContainer(input, error)) return 0;
    bytes = *kpl::EncodeContainer(input, error);
    if (!read || !SmallGrids(*read)) return 0;

    Document doc;
    doc.SetSampling(SamplingOptions{1, std::nullopt}); // runs stay reproducible
    const std::string before = doc.Save().Data;
    DocumentResult loaded = doc.Load(bytes);
    if (!loaded.Ok()) {
        if (doc.Save().Data != before || doc.Count() != 0)
            Fail("a failed load changed the document");
        return 0;
    }
    CheckLoadedDocument(doc);

    const DocumentResult first = doc.Save();
    if (!first.Ok()) return 0; // a document the writer refuses, with a reason
    Document again;
    again.SetSampling(doc.Sampling());
    if (!again.Load(first.Data).Ok()) Fail("a saved document does not load");
    // Graphs of kinds without a record are left out, each with a warning.
    if (again.Count() + first.Warnings.size() != doc.Count())
        Fail("a saved document loads with another graph count");
    const DocumentResult second = again.Save();
    if (!second.Ok() || second.Data != first.Data) Fail("save, load, save changed the bytes");
    return 0;
}
