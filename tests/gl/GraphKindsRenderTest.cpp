// Documents of the curve, point, animated, contour and vector kinds, written here as document
// text and drawn as `tervane-cli render` draws them.

#include "document/Document.h"
#include "document/KplFormat.h"
#include "gl/DocumentScene.h"
#include "gl/headless/OffscreenFrame.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace tervane {
namespace {

// One graph record: kind, coordinate form, the three expressions, steps and domain, function
// form, and the colours (line, second, point). Animated records carry t from 0 to maxT over 10
// frames. Blue is the packed 16711680, red 255, green 65280.
std::string Record(int kind, int coord, const std::string& ex, const std::string& ey,
                   const std::string& ez, int su, int sv, const std::string& domain, int form,
                   bool animated = false, const std::string& maxT = "0") {
    std::string r = std::to_string(kind) + " 1 @g@ " + std::to_string(coord) + " " + ex + " " + ey +
                    " " + ez + " " + std::to_string(su) + " " + std::to_string(sv) + " " + domain +
                    " 0 0 16711680 255 2 0 3 3 255 3 0 ";
    r += animated ? "1 0 " + maxT + " 10 10 " : "0 ";
    return r + std::to_string(form) + " 1 3 2 3 2 1 ";
}

QImage Render(const std::string& header, const std::string& record, std::int32_t step = 1) {
    Document document;
    std::string error;
    const auto bytes = kpl::EncodeContainer(header + " 1 " + record + "0", error);
    EXPECT_TRUE(bytes) << error;
    const DocumentResult loaded = document.Load(*bytes);
    EXPECT_TRUE(loaded.Ok()) << loaded.Message;
    EXPECT_TRUE(loaded.Warnings.empty()) << loaded.Warnings.front();
    RenderRequest request;
    request.Width = 160;
    request.Height = 120;
    request.Step = step;
    return RenderToImage(document.ShownGraphs(), document.Axes(), SceneValuesOf(document), request);
}

// Pixels whose strongest channel is the given one (0 red, 2 blue) by a clear margin.
int Dominant(const QImage& image, int channel) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int v[3] = {c.red(), c.green(), c.blue()};
            const int other = std::max(v[(channel + 1) % 3], v[(channel + 2) % 3]);
            if (v[channel] > other + 80) ++n;
        }
    return n;
}

TEST(GraphKindsRender, EveryKindDrawsInItsOwnColour) {
    const struct {
        const char* name;
        const char* header;
        std::string record;
        int channel; // the colour the kind draws in
    } rows[] = {
        {"y = f(x)", "S11", Record(0, 3, "", "", "sin(x)*3", 200, 1, "-6 6 -4 4", 1), 0},
        {"x = f(y)", "S11", Record(0, 3, "", "", "y^2/2", 200, 1, "-4 4 -3 3", 4), 0},
        {"r = f(a)", "S11", Record(0, 2, "", "", "2+cos(3a)", 300, 1, "0 6.2832 -4 4", 1), 0},
        {"a = f(r)", "S11", Record(0, 2, "", "", "r", 300, 1, "0 3 -4 4", 4), 0},
        {"kind 3", "S11", Record(3, 3, "", "", "x^2/4", 200, 1, "-4 4 -1 4", 1), 0},
        {"kind 38", "S11", Record(38, 3, "", "", "x/2", 200, 1, "-4 4 -2 2", 1), 0},
        {"row points", "S11",
         Record(9, 3, "", "", "sin(x+t)*2", 1, 40, "-5 5 -3 3", 1, true, "6.28"), 0},
        {"point pairs", "S11",
         Record(10, 3, "", "", "exp(i*x*t)", 1, 16, "-4 4 -2 2", 1, true, "1"), 0},
        {"3D curve", "S12", Record(1, 3, "cos(x)*3", "sin(x)*3", "x/2", 200, 1, "0 12.57 0 0", 3),
         0},
        {"3D curve of w", "S12", Record(1, 3, "x", "y", "z^2", 100, 1, "-2 2 -1 1", 2), 0},
        {"3D curve animation", "S12",
         Record(11, 3, "cos(x)*t", "sin(x)*t", "x/3", 200, 1, "0 12.57 0 0", 3, true, "4"), 0},
        {"point set", "S12", Record(7, 3, "cos(x)*3", "sin(x)*3", "1", 12, 1, "0 6.2832 0 0", 3),
         0},
        {"point object", "S12",
         Record(8, 3, "cos(t)*3", "sin(t)*3", "2", 1, 1, "0 0 0 0", 3, true, "6.28"), 0},
        {"contour plot", "S17", Record(14, 3, "x", "y", "z^2", 60, 60, "-2 2 -2 2", 2), 2},
        {"vector plot", "S17", Record(15, 3, "x", "y", "z^2", 16, 16, "-2 2 -2 2", 2), 2},
    };
    for (const auto& r : rows) {
        const QImage image = Render(r.header, r.record);
        // The animated curve and point are framed by every step's box (the whole helix, the
        // whole orbit), so at one step they fill less of the picture than the others.
        const std::string name = r.name;
        const int least = name == "point object" ? 8 : name == "3D curve animation" ? 30 : 40;
        EXPECT_GT(Dominant(image, r.channel), least) << r.name;
    }
}

TEST(GraphKindsRender, AnimatedKindsDifferBetweenSteps) {
    const struct {
        const char* name;
        const char* header;
        std::string record;
    } rows[] = {
        {"row points", "S11",
         Record(9, 3, "", "", "sin(x+t)*2", 1, 40, "-5 5 -3 3", 1, true, "3.14")},
        {"point object", "S12",
         Record(8, 3, "cos(t)*3", "sin(t)*3", "2", 1, 1, "0 0 0 0", 3, true, "3.14")},
        {"3D curve animation", "S12",
         Record(11, 3, "cos(x)*t", "sin(x)*t", "x/3", 200, 1, "0 12.57 0 0", 3, true, "4")},
        {"surface animation", "S12",
         Record(12, 3, "x", "y", "sin(z+t)", 20, 20, "-3 3 -3 3", 2, true, "3.14")},
    };
    for (const auto& r : rows)
        EXPECT_NE(Render(r.header, r.record, 1), Render(r.header, r.record, 6)) << r.name;
}

TEST(GraphKindsRender, InvalidPointsLeaveGaps) {
    // 1/x has no value at 0 and sqr(x) no real value left of it: the left half stays empty.
    const QImage image = Render("S11", Record(0, 3, "", "", "sqr(x)+1/x", 400, 1, "-4 4 -4 4", 1));
    int left = 0, right = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > c.blue() + 80) (x < image.width() / 2 - 4 ? left : right)++;
        }
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 40);
}

} // namespace
} // namespace tervane
