#include "cli/CliMain.h"

#include "document/Document.h"
#include "graph/GraphPresets.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = 0;
    std::string out;
    std::string err;
};

CliRun RunCliWith(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    CliRun run;
    run.code = cli::RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::int32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

int Ink(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++n;
    return n;
}

// A document with one surface of z², written as the window saves it.
class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("tervane-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        Document document;
        GraphRecipe recipe;
        recipe.Function = "z^2";
        recipe.Name = "g";
        recipe.StepU = recipe.StepV = 12;
        recipe.Colours = {kQuantityX, kQuantityY, 0};
        recipe.Material = 0;
        recipe.LineWidth = 1;
        const auto g = MakeSurfaceGraph(recipe);
        document.SetSceneKind(kScene3D);
        ASSERT_TRUE(document.AddGraph(g).Ok());
        document_ = dir_ / "surface.kpl";
        ASSERT_TRUE(document.SaveFile(document_).Ok());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path dir_;
    fs::path document_;
};

TEST_F(CliRenderTest, WritesAPngOfTheRequestedSize) {
    const fs::path out = dir_ / "front.png";
    const CliRun run =
        RunCliWith({"render", document_.string(), "-o", out.string(), "--size", "120x90"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QImage front(QString::fromStdString(out.string()));
    ASSERT_FALSE(front.isNull());
    EXPECT_EQ(front.size(), QSize(120, 90));
    EXPECT_GT(Ink(front), 200);

    const fs::path top = dir_ / "top.png";
    ASSERT_EQ(RunCliWith({"render", document_.string(), "-o", top.string(), "--size", "120x90",
                          "--view", "top", "--projection", "perspective", "--step", "0"})
                  .code,
              0);
    EXPECT_NE(QImage(QString::fromStdString(top.string())), front);
}

TEST_F(CliRenderTest, BitmapFollowsTheCaptureWidthRule) {
    struct Row {
        int viewWidth;
        int bitmapWidth;
    };
    // Bit 1 of the width clear: two columns less, plus one; set: one column more.
    for (const Row row : {Row{401, 400}, Row{402, 403}}) {
        SCOPED_TRACE(row.viewWidth);
        const fs::path out = dir_ / ("view" + std::to_string(row.viewWidth) + ".BMP");
        const CliRun run = RunCliWith({"render", document_.string(), "-o", out.string(), "--size",
                                       std::to_string(row.viewWidth) + "x50"});
        ASSERT_EQ(run.code, 0) << run.err;
        const std::vector<std::uint8_t> bytes = ReadBytes(out);
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(Le32(bytes, 18), row.bitmapWidth);
        EXPECT_EQ(Le32(bytes, 22), 50);
        const int stride = (3 * row.bitmapWidth + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54u + 50u * static_cast<std::size_t>(stride));
    }
}

TEST_F(CliRenderTest, RefusesBadArgumentsAndReportsFailures) {
    const std::string doc = document_.string();
    const std::string png = (dir_ / "x.png").string();
    struct Row {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Row rows[] = {
        {{"render", doc}, 2, "needs -o"},
        {{"render", doc, "-o", (dir_ / "x.jpg").string()}, 2, ".png or .bmp"},
        {{"render", doc, "-o", png, "--size", "0x10"}, 2, "--size"},
        {{"render", doc, "-o", png, "--view", "back"}, 2, "unknown view"},
        {{"render", doc, "-o", png, "--step", "-1"}, 2, "--step"},
        {{"render", doc, "-o"}, 2, "needs a value"},
        {{"render", (dir_ / "missing.kpl").string(), "-o", png}, 1, "Cannot open"},
        {{"render", doc, "-o", (dir_ / "no" / "such" / "x.png").string()}, 1, "Cannot write"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        const CliRun run = RunCliWith(row.args);
        EXPECT_EQ(run.code, row.code);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(png));
}

} // namespace
} // namespace tervane
