#include "cli/CliMain.h"

#include "document/Document.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;

struct PlotRun {
    int code = 0;
    std::string out, err;
};

PlotRun Cli(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    PlotRun run;
    run.code = cli::RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Pixels that are not the white background, and those that are neither white nor grey (the
// surface rather than the box, its grid and its labels).
struct Ink {
    int any = 0, coloured = 0;
};

Ink CountInk(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(255, 255, 255)) continue;
            ++ink.any;
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            const bool grey = std::abs(r - g) < 16 && std::abs(g - b) < 16;
            const bool label = b > 150 && r < 100 && g < 100; // the blue axis labels
            if (!grey && !label) ++ink.coloured;
        }
    }
    return ink;
}

class CliPlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("tervane-plot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(CliPlotTest, WritesEveryOutputKind) {
    struct Row {
        std::vector<std::string> extra;
        std::string file;
    } const rows[] = {
        {{}, "a.png"},
        {{"--kind", "colormap", "--size", "200x150"}, "b.bmp"},
        {{"--axes", "x,logabs,arg", "--colour", "phase,rays", "--steps", "12,8"}, "c.kpl"},
        {{"--range", "-1,1,-0.5,0.5"}, "d.ply"},
        {{"--kind", "colormap"}, "e.obj"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        std::vector<std::string> args = {"plot", "exp(z)", "-o", Path(row.file)};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        const PlotRun run = Cli(args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_GT(fs::file_size(Path(row.file)), 100u);
    }
    EXPECT_TRUE(fs::exists(Path("e.mtl")));
    EXPECT_EQ(QImage(QString::fromStdString(Path("a.png"))).size(), QSize(640, 480));
    EXPECT_EQ(QImage(QString::fromStdString(Path("b.bmp"))).height(), 150);

    // The document opens as the window would open it, with the options given.
    Document document;
    ASSERT_TRUE(document.LoadFile(Path("c.kpl")).Ok());
    ASSERT_EQ(document.ShownGraphs().Count(), 1u);
    const auto& g = *document.ShownGraphs().FunSurfs().front();
    EXPECT_EQ(g.ExpressZ(), "exp(z)");
    EXPECT_EQ(g.StepU(), 12);
    EXPECT_EQ(g.StepV(), 8);
    EXPECT_EQ(g.VarY(), kQuantityLogMagnitude);
    EXPECT_EQ(g.VarZ(), kQuantityArgument);
    EXPECT_EQ(g.ColorR(), kColourPhaseRays);
    EXPECT_EQ(g.ColorB(), kColourPhaseRays);
    EXPECT_TRUE(g.LastError().empty());
}

TEST_F(CliPlotTest, RefusesBadArgumentsWithUsage) {
    struct Row {
        std::vector<std::string> args;
        std::string message;
    } const rows[] = {
        {{"plot", "-o", "x.png"}, "needs a function text"},
        {{"plot", "z"}, "needs -o"},
        {{"plot", "z", "-o", "x.txt"}, "must end in"},
        {{"plot", "z", "-o", "x.png", "--kind", "bars"}, "--kind"},
        {{"plot", "z", "-o", "x.png", "--axes", "x,y"}, "--axes"},
        {{"plot", "z", "-o", "x.png", "--axes", "x,y,w"}, "--axes"},
        {{"plot", "z", "-o", "x.png", "--colour", "re,im,phase"}, "--colour"},
        {{"plot", "z", "-o", "x.png", "--colour", "phase,rings,rings"}, "--colour"},
        {{"plot", "z", "-o", "x.png", "--axes", "x,phase,y"}, "--axes"},
        {{"plot", "z", "-o", "x.png", "--range", "1,-1,0,1"}, "--range"},
        {{"plot", "z", "-o", "x.png", "--range", "0,1e39,0,1"}, "--range"},
        {{"plot", "z", "-o", "x.png", "--range", "0,1,0"}, "--range"},
        {{"plot", "z", "-o", "x.png", "--steps", "0"}, "--steps"},
        {{"plot", "z", "-o", "x.png", "--steps", "10,20,30"}, "--steps"},
        {{"plot", "z", "-o", "x.png", "--steps", "10001"}, "--steps"},
        {{"plot", "z", "-o", "x.png", "--size", "0x10"}, "--size"},
        {{"plot", "z", "-o", "x.png", "--view", "side"}, "unknown view"},
        {{"plot", "z", "-o", "x.png", "--projection", "fish"}, "unknown projection"},
        {{"plot", "z", "-o", "x.png", "--wobble", "1"}, "unknown option"},
        {{"plot", "z", "w", "-o", "x.png"}, "one function text"},
        {{"plot", "z", "-o", "x.png", "--steps"}, "needs a value"},
        {{"eval", "z", "1e39", "0"}, "not a number"},
        {{"eval", "z", "0", "-1e39"}, "not a number"},
        {{"sample", "--expr", "z", "--xmax", "1e39"}, "not a number"},
        {{"sample", "--expr", "z", "--ymin", "-3.5e38"}, "not a number"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[row.args.size() - 1]);
        const PlotRun run = Cli(row.args);
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists("x.png"));
    }
}

TEST_F(CliPlotTest, FunctionsWithoutAPictureExitWithTheirMessage) {
    struct Row {
        std::string function, message;
    } const rows[] = {{"zz(", "Undefined symbol"}, {"1/0", "no value anywhere"}};
    for (const Row& row : rows) {
        for (const char* file : {"f.png", "f.kpl", "f.ply"}) {
            SCOPED_TRACE(row.function + " " + file);
            const PlotRun run = Cli({"plot", row.function, "-o", Path(file)});
            EXPECT_EQ(run.code, 1);
            EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
            EXPECT_FALSE(fs::exists(Path(file)));
        }
    }
}

// A document whose only shown graph cannot be sampled, and one with a second graph that can.
void WriteDocument(const fs::path& path, const std::vector<std::string>& functions) {
    std::string text = "S12 " + std::to_string(functions.size());
    int id = 0;
    for (const std::string& f : functions) {
        ++id;
        text += " 2 " + std::to_string(id) + " @g" + std::to_string(id) + "@ 3   " + f +
                " 10 10 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 1 5 2 3 4 5";
    }
    text += " 0";
    std::ofstream file(path, std::ios::binary);
    const std::uint16_t header[2] = {8, static_cast<std::uint16_t>(text.size())};
    file.write(reinterpret_cast<const char*>(header), sizeof header);
    file << text;
}

TEST_F(CliPlotTest, RenderAndExportFailWhenNoShownGraphIsSampled) {
    WriteDocument(dir_ / "bad.kpl", {"zz("});
    WriteDocument(dir_ / "mixed.kpl", {"zz(", "z^2"});
    for (const char* out : {"o.png", "o.ply"}) {
        SCOPED_TRACE(out);
        const std::string command = std::string(out) == "o.png" ? "render" : "export";
        const PlotRun bad = Cli({command, Path("bad.kpl"), "-o", Path(out)});
        EXPECT_EQ(bad.code, 1);
        EXPECT_NE(bad.err.find("warning: The graph"), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find("Undefined symbol"), std::string::npos) << bad.err;
        EXPECT_FALSE(fs::exists(Path(out)));
        const PlotRun mixed = Cli({command, Path("mixed.kpl"), "-o", Path(out)});
        EXPECT_EQ(mixed.code, 0) << mixed.err;
        EXPECT_NE(mixed.err.find("warning: The graph"), std::string::npos) << mixed.err;
    }
}

TEST_F(CliPlotTest, ExportRefusesADocumentWithNothingToExport) {
    // A function without a value anywhere leaves no cell to write.
    WriteDocument(dir_ / "none.kpl", {"1/0"});
    const PlotRun run = Cli({"export", Path("none.kpl"), "-o", Path("n.obj")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no surface to export"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Path("n.obj")));
    EXPECT_FALSE(fs::exists(Path("n.mtl")));
}

// A spike that no node hits: clipped, the surface keeps its box and fills a fair share of the
// picture; unclipped, the frame still shows (the box, far taller than wide).
TEST_F(CliPlotTest, ASpikeKeepsTheFrameAndTheBodyVisible) {
    struct Row {
        const char* function;
        const char* clip;
        int leastColoured, leastInk;
    } const rows[] = {
        {"1/(z-0.0000001)", "--clip", 20000, 30000},
        {"tan(z)", "--clip", 15000, 20000},
        {"1/(z-0.0000001)", "--no-clip", 0, 300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.function) + " " + row.clip);
        const PlotRun run = Cli({"plot", row.function, "-o", Path("s.png"), row.clip});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err.find("spikes") != std::string::npos, std::string(row.clip) == "--clip");
        const Ink ink = CountInk(QImage(QString::fromStdString(Path("s.png"))));
        EXPECT_GE(ink.coloured, row.leastColoured);
        EXPECT_GE(ink.any, row.leastInk);
    }
}

// Graphs without outliers are drawn exactly as without clipping.
TEST_F(CliPlotTest, ClippingLeavesGraphsWithoutOutliersPixelIdentical) {
    const char* functions[] = {"z^2", "exp(z)", "sin(z)", "1/(z-3)"};
    for (const char* f : functions) {
        for (const char* kind : {"surface", "colormap"}) {
            SCOPED_TRACE(std::string(f) + " " + kind);
            ASSERT_EQ(Cli({"plot", f, "--kind", kind, "-o", Path("c.png"), "--clip"}).code, 0);
            ASSERT_EQ(Cli({"plot", f, "--kind", kind, "-o", Path("n.png"), "--no-clip"}).code, 0);
            const QImage clipped(QString::fromStdString(Path("c.png")));
            const QImage whole(QString::fromStdString(Path("n.png")));
            ASSERT_FALSE(clipped.isNull());
            EXPECT_EQ(clipped, whole);
            EXPECT_GT(CountInk(clipped).coloured, 5000);
        }
    }
}

} // namespace
} // namespace tervane
