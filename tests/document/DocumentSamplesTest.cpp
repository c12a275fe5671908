#include "document/DocumentSamples.h"
#include "document/Document.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tervane {
namespace {

namespace fs = std::filesystem;
using testing::Read;

std::int32_t Code(char letter) {
    return static_cast<std::int32_t>(std::string_view("XYUVM").find(letter)) + 1;
}

TEST(DemoDocuments, MenuNamesTheSixteenFiles) {
    ASSERT_EQ(DemoEntries().size(), 16u);
    EXPECT_EQ(DemoEntries().front().FileName, "expz.kpl");
    EXPECT_EQ(DemoEntries().back().FileName, "pow22d.kpl");
    EXPECT_EQ(DemoEntries()[7].MenuName, "mnuDemo3DSin3");
}

// Every shipped sample loads without a warning, samples to finite values over its grid, plots
// the quantities its caption names, and is exactly what the generator writes today.
TEST(DemoDocuments, ShippedSamplesLoadSampleAndMatchTheirCaptions) {
    for (const DemoEntry& entry : DemoEntries()) {
        SCOPED_TRACE(std::string(entry.Caption));
        const fs::path path = fs::path(TERVANE_SAMPLES_DIR) / entry.FileName;
        Document doc;
        const DocumentResult loaded = doc.LoadFile(path);
        ASSERT_TRUE(loaded.Ok()) << loaded.Message;
        EXPECT_TRUE(loaded.Warnings.empty());
        ASSERT_EQ(doc.Count(), 1u);
        const CGraph& g = *doc.Graph(0);
        EXPECT_EQ(g.NameS(), entry.Caption);
        ASSERT_TRUE(g.LastError().empty()) << g.LastError();
        ASSERT_EQ(g.DomainX().SizeU(), static_cast<std::size_t>(g.StepU()) + 1);
        for (std::size_t i = 0; i < g.DomainX().SizeU(); ++i)
            for (std::size_t j = 0; j < g.DomainX().SizeV(); ++j)
                ASSERT_TRUE(std::isfinite(g.MagnitudeGrid()(i, j))) << i << "," << j;

        const std::string_view letters = entry.Caption.substr(entry.Caption.find("  ") + 2);
        if (letters.size() == 5) {
            EXPECT_EQ(doc.SceneKind(), 3);
            EXPECT_EQ(g.GraphType(), kGraphSurface);
            EXPECT_EQ(g.VarX(), Code(letters[0]));
            EXPECT_EQ(g.VarY(), Code(letters[2]));
            EXPECT_EQ(g.VarZ(), Code(letters[4]));
            EXPECT_EQ(g.ColorR(), g.VarX());
            EXPECT_EQ(g.ColorG(), g.VarY());
            EXPECT_EQ(g.ColorB(), g.VarZ());
            EXPECT_EQ(doc.AxisTitleY(), std::string(1, letters[0]));
            EXPECT_EQ(doc.AxisTitleZ(), std::string(1, letters[2]));
            EXPECT_EQ(doc.AxisTitleX(), std::string(1, letters[4]));
        } else {
            EXPECT_EQ(doc.SceneKind(), 7);
            EXPECT_EQ(g.GraphType(), kGraphColorMap);
            EXPECT_EQ(g.VarX(), Code(letters[0]));
            EXPECT_EQ(g.VarZ(), Code(letters[2]));
            EXPECT_EQ(g.VarY(), kQuantityMagnitude);
        }
        EXPECT_EQ(MakeDemoDocument(entry).Save().Data, Read(path))
            << "regenerate with: tervane-cli make-samples samples";
        EXPECT_EQ(doc.Save().Data, Read(path)) << "a sample converts byte for byte";
    }
}

} // namespace
} // namespace tervane

namespace tervane {
namespace {

TEST(DemoDocuments, AxisTitlesFollowTheQuantitiesOnEachAxis) {
    struct Case {
        const char* file;
        const char* x;
        const char* y;
        const char* z;
    };
    // 3D documents name the axes crossed (X along the plot's Z, Y along X, Z along Y);
    // colour maps name plot X across and plot Z up, as their dialog does.
    const Case cases[] = {
        {"expz.kpl", "U", "X", "V"},
        {"expz_2.kpl", "M", "U", "V"},
        {"expz2d.kpl", "X", "Y", nullptr},
        {"cosz2d.kpl", "X", "Y", nullptr},
    };
    for (const auto& c : cases) {
        Document doc;
        ASSERT_TRUE(doc.LoadFile(std::filesystem::path(TERVANE_SAMPLES_DIR) / c.file).Ok());
        EXPECT_EQ(doc.AxisTitleX(), c.x) << c.file;
        EXPECT_EQ(doc.AxisTitleY(), c.y) << c.file;
        if (c.z) {
            EXPECT_EQ(doc.AxisTitleZ(), c.z) << c.file;
        }
    }
}

} // namespace
} // namespace tervane
