// Fuzz target: the clipboard reader. The first byte chooses the kind of the receiving
// document; the rest is the clipboard text. A paste that succeeds adds exactly one graph whose
// copy reads back to the same record; a paste that fails changes nothing.
#include "document/ClipboardText.h"
#include "document/Document.h"
#include "graph/GraphPresets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace tervane;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "clipboard fuzzer: %s\n", what);
    std::abort();
}

// A document of the given kind holding one small graph that has been copied once, so that
// paste is armed.
std::unique_ptr<Document> ArmedDocument(std::int32_t kind) {
    auto doc = std::make_unique<Document>();
    doc->SetSampling(SamplingOptions{1, std::nullopt}); // runs stay reproducible
    doc->SetSceneKind(kind);
    GraphRecipe recipe;
    recipe.Function = "z";
    recipe.Name = "seed";
    recipe.MinU = recipe.MinV = -1;
    recipe.MaxU = recipe.MaxV = 1;
    recipe.StepU = recipe.StepV = 2;
    recipe.Colours = {0, 0, 0};
    const auto g = MakeSurfaceGraph(recipe);
    if (!doc->AddGraph(g).Ok() || !doc->CopyGraph(0).Ok()) Fail("cannot arm the document");
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::int32_t kind = data[0] % 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // Reading alone, with any record count the program may ask for.
    const ClipboardRead read = ReadClipboardText(text, kind, 1, 7);
    if (read.Result != ClipboardRead::Outcome::Graphs) return 0;
    const CGraph& g = *read.Graphs.at(0);
    // Sampling large grids proves nothing more than sampling small ones and takes seconds.
    if (g.StepU() > 64 || g.StepV() > 64) return 0;

    auto doc = ArmedDocument(kind);
    const std::size_t before = doc->Count();
    const DocumentResult pasted = doc->Paste(text, 0);
    if (!pasted.Ok()) {
        if (doc->Count() != before) Fail("a failed paste changed the document");
        return 0;
    }
    if (doc->Count() != before + 1) Fail("a paste added other than one graph");
    const auto added = doc->Graph(before);
    if (added->ID() != doc->LastGraphID()) Fail("the pasted graph did not get the next ID");

    // The pasted graph, copied and read again, is the same record.
    std::string error;
    const auto first = WriteClipboardText(kind, *added, error);
    if (!first) return 0; // a graph the writer refuses, with a reason
    // A graph of a kind without a record is copied as the kind token alone; it cannot come back.
    if (*first == std::to_string(kind) + " ") return 0;
    const ClipboardRead again = ReadClipboardText(*first, kind, 1, added->ID() - 1);
    if (again.Result != ClipboardRead::Outcome::Graphs) Fail("a copied graph does not read back");
    const auto second = WriteClipboardText(kind, *again.Graphs.at(0), error);
    if (!second || *second != *first) Fail("copy, paste, copy changed the text");
    return 0;
}
