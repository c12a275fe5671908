#include "document/Document.h"

#include "DocumentTestSupport.h"
#include "core/Limits.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tervane {
namespace {

using testing::ColorMap;
using testing::Container;
using testing::Surface;

namespace fs = std::filesystem;
using testing::Read;

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path TempPath(const std::string& name) {
    return fs::path(::testing::TempDir()) / ("tervane-doc-" + name);
}

// A 3D document with two graphs, the way the dialogs leave it.
Document TwoSurfaces() {
    Document doc;
    doc.SetSceneKind(3);
    EXPECT_TRUE(doc.AddGraph(Surface("z^2", "square")).Ok());
    EXPECT_TRUE(doc.AddGraph(Surface("exp(z)", "exponential  function")).Ok());
    return doc;
}

std::vector<std::int32_t> Ids(const CScene& scene) {
    std::vector<std::int32_t> ids;
    for (const auto& g : scene.FunSurfs())
        ids.push_back(g->ID());
    return ids;
}

TEST(Document, StartsWithTheProgramDefaults) {
    Document doc;
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(doc.SceneKind(), 0);
    EXPECT_EQ(doc.LastGraphID(), 0);
    EXPECT_EQ(doc.AnimationFrames(), 10);
    EXPECT_EQ(doc.AnimationSpeed(), 10);
    EXPECT_EQ(doc.AnimationStep(), 1);
    EXPECT_EQ(doc.CopyCount(), 0);
    EXPECT_TRUE(doc.Axes().Show);
    EXPECT_EQ(doc.View().MinZ, -50.0f);
    EXPECT_EQ(doc.View().MaxX, 20.0f);
}

TEST(Document, AddDeleteAndCheckGraphs) {
    Document doc = TwoSurfaces();
    ASSERT_EQ(doc.Count(), 2u);
    EXPECT_EQ(Ids(doc.AllGraphs()), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(doc.Label(0), "3D Surface  w=z^2");
    EXPECT_TRUE(doc.IsShown(1));
    EXPECT_GT(doc.Graph(0)->DomainX().SizeU(), 0u) << "added graphs are sampled";

    // A graph whose function does not translate is not added, but its ID is used up.
    const DocumentResult bad = doc.AddGraph(Surface("sin(", "broken"));
    EXPECT_EQ(bad.State, DocumentResult::Status::Failed);
    EXPECT_NE(bad.Message.find("Operand expected"), std::string::npos) << bad.Message;
    EXPECT_EQ(doc.Count(), 2u);
    EXPECT_EQ(doc.LastGraphID(), 3);

    // Unchecking hides one graph; checking again puts it at the end of the shown graphs.
    EXPECT_TRUE(doc.SetShown(0, false).Ok());
    EXPECT_FALSE(doc.IsShown(0));
    EXPECT_EQ(Ids(doc.ShownGraphs()), (std::vector<std::int32_t>{2}));
    EXPECT_TRUE(doc.SetShown(0, true).Ok());
    EXPECT_EQ(Ids(doc.ShownGraphs()), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(Ids(doc.AllGraphs()), (std::vector<std::int32_t>{1, 2}));

    EXPECT_TRUE(doc.DeleteGraph(0));
    EXPECT_FALSE(doc.DeleteGraph(5));
    EXPECT_EQ(Ids(doc.AllGraphs()), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(Ids(doc.ShownGraphs()), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(doc.Label(0), "3D Surface  w=exp(z)");

    doc.DeleteAllGraphs();
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(doc.LastGraphID(), 0);
    EXPECT_TRUE(doc.AddGraph(Surface("z")).Ok());
    EXPECT_EQ(doc.Graph(0)->ID(), 1);
}

TEST(Document, SaveAndLoadRoundTripThroughAFile) {
    Document doc = TwoSurfaces();
    doc.SetAxisTitles("U", "V", "X");
    doc.ShownGraphs().SetRotYaw(90); // the orientation comes from the header, not the file
    const fs::path path = TempPath("roundtrip.kpl");
    ASSERT_TRUE(doc.SaveFile(path).Ok());
    const std::string bytes = Read(path);
    EXPECT_EQ(bytes, doc.Save().Data);

    Document loaded;
    loaded.SetAxisTitles("a", "b", "c");
    const DocumentResult result = loaded.LoadFile(path);
    ASSERT_TRUE(result.Ok()) << result.Message;
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(loaded.SceneKind(), 3);
    EXPECT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.ShownGraphs().Count(), 2u);
    EXPECT_EQ(loaded.Graph(1)->NameS(), "exponential  function");
    EXPECT_EQ(loaded.Label(1), "3D Surface  w=exp(z)");
    EXPECT_GT(loaded.Graph(1)->DomainX().SizeU(), 0u) << "loaded graphs are sampled";
    EXPECT_EQ(loaded.LastGraphID(), 2); // 1 gives 2, then 2 is not above 2
    EXPECT_EQ(loaded.ShownGraphs().RotPitch(), -15.0f);
    EXPECT_EQ(loaded.ShownGraphs().RotYaw(), 45.0f);
    // Titles come from the quantity codes of the records: VarX v, VarY u, VarZ x.
    EXPECT_EQ(loaded.AxisTitleX(), "X");
    EXPECT_EQ(loaded.AxisTitleY(), "V");
    EXPECT_EQ(loaded.AxisTitleZ(), "U");
    EXPECT_EQ(loaded.Save().Data, bytes);
}

TEST(Document, OnlyShownGraphsAreSavedAndTheOthersAreNamedFirst) {
    Document doc = TwoSurfaces();
    EXPECT_FALSE(doc.HiddenGraphsNote());
    doc.SetShown(0, false);
    EXPECT_EQ(doc.HiddenGraphsNote(),
              "1 graph is not checked in the list and will not be saved: a document keeps only "
              "the checked graphs. Save the 1 graph shown?");
    doc.SetShown(1, false);
    EXPECT_EQ(doc.HiddenGraphsNote(),
              "No graph is checked in the list, and a document keeps only the checked graphs: "
              "the file will hold no graph. Save it all the same?");
    Document loaded;
    ASSERT_TRUE(loaded.Load(doc.Save().Data).Ok());
    EXPECT_EQ(loaded.Count(), 0u);
    EXPECT_EQ(loaded.SceneKind(), 3);
}

TEST(Document, FailedLoadsLeaveTheDocumentAsItWas) {
    const std::string record =
        "2 1 @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
    const struct {
        std::string bytes, error;
    } rows[] = {
        {"", "only 0 bytes"},
        {"PK\x03\x04 a zip file", "does not start with a text"},
        {Container(""), "its text is empty"},
        {Container("hello"), "does not begin with a header"},
        {Container("S12 1 " + record.substr(0, 50)), "runs past the end"},
        {Container("S12 1 " + record), "the axes settings are missing"},
        {Container("S12 1 " + record + "0").substr(0, 40), "The file is incomplete"},
    };
    for (const auto& r : rows) {
        Document doc = TwoSurfaces();
        doc.SetAnimationFrames(17);
        const std::string before = doc.Save().Data;
        const DocumentResult result = doc.Load(r.bytes);
        EXPECT_EQ(result.State, DocumentResult::Status::Failed);
        EXPECT_NE(result.Message.find(r.error), std::string::npos) << result.Message;
        EXPECT_EQ(doc.Save().Data, before);
        EXPECT_EQ(doc.Count(), 2u);
        EXPECT_EQ(doc.LastGraphID(), 2);
        EXPECT_EQ(doc.AnimationFrames(), 17);
    }
}

TEST(Document, FilesThatCannotBeOpened) {
    Document doc = TwoSurfaces();
    const struct {
        fs::path path;
        DocumentResult::Status state;
        std::string error;
    } rows[] = {
        {"", DocumentResult::Status::Ignored, "No file"},
        {TempPath("does-not-exist.kpl"), DocumentResult::Status::Failed, "No such file"},
        {fs::path(::testing::TempDir()), DocumentResult::Status::Failed, "it is a folder"},
    };
    for (const auto& r : rows) {
        const DocumentResult result = doc.LoadFile(r.path);
        EXPECT_EQ(result.State, r.state) << r.path;
        EXPECT_NE(result.Message.find(r.error), std::string::npos) << result.Message;
        EXPECT_EQ(doc.Count(), 2u);
    }
}

TEST(Document, AGraphThatCannotBeSampledIsKeptAndReported) {
    const std::string text =
        "S12 2 2 1 @good@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 "
        "2 2 @bad@ 3   sin( 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 0";
    Document doc;
    const DocumentResult result = doc.Load(Container(text));
    ASSERT_TRUE(result.Ok()) << result.Message;
    EXPECT_EQ(doc.Count(), 2u);
    ASSERT_EQ(result.Warnings.size(), 1u);
    EXPECT_NE(result.Warnings[0].find("\"bad\" cannot be drawn: Character 4:  Operand expected"),
              std::string::npos)
        << result.Warnings[0];
    EXPECT_TRUE(doc.IsShown(1));
    // It is saved again as it was read, so nothing the user had is lost.
    Document again;
    ASSERT_TRUE(again.Load(doc.Save().Data).Ok());
    EXPECT_EQ(again.Graph(1)->ExpressZ(), "sin(");
}

TEST(Document, RepeatedIdsAreRenumberedOnLoad) {
    const std::string rec = " @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
    Document doc;
    const DocumentResult result = doc.Load(Container("S12 2 2 4" + rec + "2 4" + rec + "0"));
    ASSERT_TRUE(result.Ok()) << result.Message;
    EXPECT_EQ(Ids(doc.AllGraphs()), (std::vector<std::int32_t>{4, 6}));
    ASSERT_EQ(result.Warnings.size(), 1u);
    EXPECT_NE(result.Warnings[0].find("repeats the ID 4"), std::string::npos);
    EXPECT_TRUE(doc.AddGraph(Surface("z")).Ok());
    EXPECT_EQ(doc.Graph(2)->ID(), 8);
}

TEST(Document, LoadTakesTheAnimationValues) {
    const std::string text = "S12 1 2 1 @n@ 3   z*t 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 1 -1 1 "
                             "24 6 2 4 3 1 3 4 5 0";
    Document doc;
    doc.SetAnimationStep(5);
    ASSERT_TRUE(doc.Load(Container(text)).Ok());
    EXPECT_EQ(doc.AnimationFrames(), 24);
    EXPECT_EQ(doc.AnimationSpeed(), 6);
    EXPECT_EQ(doc.AnimationStep(), 1);
    EXPECT_FALSE(doc.Axes().Show);
}

TEST(Document, HugeAnimationValuesAreClampedWhenReadAndSet) {
    const std::string text = "S12 1 2 1 @n@ 3   z*t 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 1 -1 1 "
                             "1e38 -7 2 4 3 1 3 4 5 0";
    Document doc;
    ASSERT_TRUE(doc.Load(Container(text)).Ok());
    EXPECT_EQ(doc.AnimationFrames(), kMaxAnimationFrames);
    EXPECT_EQ(doc.AnimationSpeed(), 1);
    doc.SetAnimationFrames(20000000);
    doc.SetAnimationSpeed(0);
    EXPECT_EQ(doc.AnimationFrames(), kMaxAnimationFrames);
    EXPECT_EQ(doc.AnimationSpeed(), 1);
}

TEST(Document, TheGraphsOfOneFileShareOneMemoryBudget) {
    // Each graph alone fits the budget; together only the first two do.
    Document source;
    source.SetSceneKind(3);
    for (int k = 0; k < 5; ++k)
        ASSERT_TRUE(source.AddGraph(Surface("z", "g" + std::to_string(k), 20)).Ok());
    // The grids and pictures of one graph.
    const std::uint64_t oneGraph = GraphMemoryNeed(*source.Graph(0), source.AnimationFrames());
    Document doc;
    doc.SetSampling(SamplingOptions{1, 2 * oneGraph + oneGraph / 2});
    const DocumentResult loaded = doc.Load(source.Save().Data);
    ASSERT_TRUE(loaded.Ok()) << loaded.Message;
    EXPECT_EQ(doc.Count(), 5u);
    ASSERT_EQ(loaded.Warnings.size(), 3u);
    EXPECT_NE(loaded.Warnings[0].find("\"g2\" cannot be drawn: This needs about 1 MB of memory"),
              std::string::npos)
        << loaded.Warnings[0];
}

// Paste and a dialog's graph are refused whole, before anything is sampled, when their grids
// and pictures would not fit: the document stays as it was and the message names the need.
TEST(Document, GraphsThatWouldNotFitAreRefusedBeforeSampling) {
    Document doc = TwoSurfaces();
    ASSERT_TRUE(doc.CopyGraph(0).Ok());
    const std::string text = doc.CopyGraph(0).Data;
    doc.SetSampling(SamplingOptions{1, 1024 * 1024});
    // 100000 steps each way are held to 10000: 1e8 points, about 21 GB to draw.
    std::string huge = text;
    const std::string steps = "z^2 4 4 ";
    ASSERT_NE(huge.find(steps), std::string::npos) << huge;
    huge.replace(huge.find(steps), steps.size(), "z^2 100000 100000 ");
    const DocumentResult pasted = doc.Paste(huge);
    EXPECT_EQ(pasted.State, DocumentResult::Status::Failed);
    EXPECT_EQ(pasted.Message, "This needs about 20986 MB of memory for its grids and pictures, "
                              "but only 1 MB is free. Choose fewer steps or fewer animation "
                              "frames.");
    EXPECT_EQ(doc.Count(), 2u);
    const DocumentResult added = doc.AddGraph(Surface("z", "big", 2000));
    EXPECT_EQ(added.State, DocumentResult::Status::Failed);
    EXPECT_EQ(doc.Count(), 2u);
    EXPECT_TRUE(doc.Paste(text).Ok()); // a small one fits
    EXPECT_EQ(doc.AnimationMemoryChange(doc.AnimationFrames()), 0);
}

TEST(Document, SaveFileReportsEveryFailureAndWritesNothingItCannotStore) {
    Document doc = TwoSurfaces();
    const struct {
        fs::path path;
        std::string error;
    } rows[] = {
        {TempPath("missing-folder") / "x.kpl", "No such file or directory"},
        {fs::path(::testing::TempDir()), "Is a directory"},
    };
    for (const auto& r : rows) {
        const DocumentResult result = doc.SaveFile(r.path);
        EXPECT_EQ(result.State, DocumentResult::Status::Failed) << r.path;
        EXPECT_NE(result.Message.find(r.error), std::string::npos) << result.Message;
    }
    if (fs::exists("/dev/full")) {
        const DocumentResult full = doc.SaveFile("/dev/full");
        EXPECT_EQ(full.State, DocumentResult::Status::Failed);
        EXPECT_NE(full.Message.find("No space left"), std::string::npos) << full.Message;
    }

    // A document text too long for the container: refused, the old file untouched.
    const fs::path path = TempPath("too-long.kpl");
    WriteAll(path, "precious");
    Document big;
    big.SetSceneKind(3);
    ASSERT_TRUE(big.AddGraph(Surface("z", std::string(70000, 'n'))).Ok());
    const DocumentResult refused = big.SaveFile(path);
    EXPECT_EQ(refused.State, DocumentResult::Status::Failed);
    EXPECT_NE(refused.Message.find("at most 65535"), std::string::npos) << refused.Message;
    EXPECT_EQ(Read(path), "precious");
    EXPECT_EQ(big.Count(), 1u) << "nothing lost";
}

TEST(Document, SavingTruncatesALongerOlderFile) {
    const fs::path path = TempPath("truncate.kpl");
    WriteAll(path, std::string(5000, 'x'));
    Document doc = TwoSurfaces();
    ASSERT_TRUE(doc.SaveFile(path).Ok());
    EXPECT_EQ(Read(path), doc.Save().Data);
}

TEST(Document, CopyAndPasteInTheSameDocument) {
    Document doc = TwoSurfaces();
    EXPECT_EQ(doc.Paste("3 ", 0).State, DocumentResult::Status::Ignored) << "nothing copied yet";

    const DocumentResult copied = doc.CopyGraph(1);
    ASSERT_TRUE(copied.Ok()) << copied.Message;
    EXPECT_EQ(doc.CopyCount(), 1);
    EXPECT_TRUE(copied.Data.starts_with("3 2 2 @exponential  function@ 3 "));

    const DocumentResult pasted = doc.Paste(copied.Data, 1);
    ASSERT_TRUE(pasted.Ok()) << pasted.Message;
    ASSERT_EQ(doc.Count(), 3u);
    const auto copy = doc.Graph(2);
    EXPECT_EQ(copy->ID(), 3);
    EXPECT_EQ(doc.LastGraphID(), 3);
    EXPECT_EQ(copy->NameS(), "exponential  function");
    EXPECT_EQ(copy->ExpressZ(), "exp(z)");
    EXPECT_EQ(doc.Label(2), "3D Surface  w=exp(z)");
    EXPECT_TRUE(doc.IsShown(2)) << "the selected entry is checked";
    EXPECT_GT(copy->DomainX().SizeU(), 0u);

    // Pasted while an unchecked entry is selected: the new entry is unchecked too.
    doc.SetShown(0, false);
    ASSERT_TRUE(doc.Paste(copied.Data, 0).Ok());
    EXPECT_FALSE(doc.IsShown(3));
    EXPECT_EQ(doc.Graph(3)->ID(), 4);
    // With nothing selected the pasted graph is shown.
    ASSERT_TRUE(doc.Paste(copied.Data).Ok());
    EXPECT_TRUE(doc.IsShown(4));
}

TEST(Document, CopiedRecordsCarryTheDocumentsAnimationValues) {
    Document doc;
    doc.SetSceneKind(3);
    auto g = Surface("exp(t*z)", "moving");
    g->SetAnimation(true);
    g->SetMaxT(1.0f);
    ASSERT_TRUE(doc.AddGraph(g).Ok());
    doc.SetAnimationFrames(25);
    doc.SetAnimationSpeed(7);
    const DocumentResult copied = doc.CopyGraph(0);
    ASSERT_TRUE(copied.Ok()) << copied.Message;
    // The clipboard record is the document's record of the same graph.
    const std::string record = copied.Data.substr(2);
    EXPECT_NE(doc.Save().Data.find(record), std::string::npos) << copied.Data;
    EXPECT_NE(record.find(" 25 7 "), std::string::npos) << record;
}

TEST(Document, GraphsSampledElsewhereAreRefusedPastTheLimit) {
    Document doc;
    doc.SetSceneKind(3);
    for (std::size_t k = 0; k < kMaxGraphs; ++k)
        ASSERT_TRUE(doc.AddSampledGraph(Surface("z", "s", 1)).Ok());
    const DocumentResult refused = doc.AddSampledGraph(Surface("z", "s", 1));
    EXPECT_EQ(refused.State, DocumentResult::Status::Failed);
    EXPECT_EQ(refused.Message, doc.AddGraph(Surface("z")).Message);
    EXPECT_EQ(doc.Count(), kMaxGraphs);
    EXPECT_EQ(doc.LastGraphID(), static_cast<std::int32_t>(kMaxGraphs));
}

TEST(Document, CopyNeedsAShownGraphAndPasteTheRightKind) {
    Document doc = TwoSurfaces();
    EXPECT_EQ(doc.CopyGraph(7).State, DocumentResult::Status::Ignored);
    doc.SetShown(0, false);
    doc.SetShown(1, false);
    EXPECT_EQ(doc.CopyGraph(0).State, DocumentResult::Status::Ignored);
    EXPECT_EQ(doc.CopyCount(), 0);

    Document maps;
    maps.SetSceneKind(7);
    ASSERT_TRUE(maps.AddGraph(ColorMap("exp(z)")).Ok());
    const std::string mapText = maps.CopyGraph(0).Data;
    ASSERT_TRUE(mapText.starts_with("7 13 1 @@ 3 "));

    Document surfaces = TwoSurfaces();
    ASSERT_TRUE(surfaces.CopyGraph(0).Ok());
    const std::string before = surfaces.Save().Data;
    const DocumentResult wrong = surfaces.Paste(mapText, 0);
    EXPECT_EQ(wrong.State, DocumentResult::Status::Ignored);
    EXPECT_EQ(surfaces.Count(), 2u);
    const DocumentResult junk = surfaces.Paste("3 2 1 @n@ 3", 0);
    EXPECT_EQ(junk.State, DocumentResult::Status::Failed);
    EXPECT_NE(junk.Message.find("complete graph"), std::string::npos);
    EXPECT_EQ(surfaces.Paste("", 0).Message, "The clipboard holds no text.");
    EXPECT_EQ(surfaces.Save().Data, before);
    EXPECT_EQ(surfaces.LastGraphID(), 2);
}

TEST(Document, CutThenPasteRestoresAtTheEndWithANewId) {
    Document doc = TwoSurfaces();
    const std::string text = doc.CopyGraph(0).Data;
    ASSERT_TRUE(doc.DeleteGraph(0));
    ASSERT_TRUE(doc.Paste(text).Ok());
    EXPECT_EQ(Ids(doc.AllGraphs()), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(doc.Graph(1)->NameS(), "square");
}

TEST(Document, GraphsPastedIntoANewDocumentSaveUnderTheirOwnKind) {
    Document doc;
    doc.SetSceneKind(7);
    ASSERT_TRUE(doc.AddGraph(ColorMap("z^2", "map")).Ok());
    const std::string text = doc.CopyGraph(0).Data;
    // A new document in the same run: the clipboard counter survives Reset.
    doc.Reset();
    EXPECT_EQ(doc.CopyCount(), 1);
    EXPECT_EQ(doc.SceneKind(), 0);
    ASSERT_TRUE(doc.Paste(text).Ok());
    EXPECT_EQ(doc.Label(0), "Color Map  w=z^2");
    const std::string saved = doc.Save().Data;
    EXPECT_EQ(saved.substr(4, 4), "S17 ");
    Document loaded;
    ASSERT_TRUE(loaded.Load(saved).Ok());
    EXPECT_EQ(loaded.SceneKind(), 7);
    EXPECT_EQ(loaded.Label(0), "Color Map  w=z^2");
}

} // namespace
} // namespace tervane
