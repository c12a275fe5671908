// Default plot pictures of twenty functions, checked as a reader sees them: the graph fills a
// fair share of the picture, no two labels overlap and none touches the edge. The pictures
// are also put side by side into readable-pictures.png in the build folder to look at.
#include "cli/CliMain.h"
#include "document/Document.h"
#include "gl/DocumentScene.h"
#include "gl/headless/OffscreenFrame.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 640, kHeight = 480;

struct Box {
    int left = kWidth, right = -1, top = kHeight, bottom = -1;
    void Add(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    bool Meets(const Box& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }
};

// The document plot makes of TEXT with its default options.
Document PlotDocument(const std::string& text, const fs::path& dir) {
    const fs::path file = dir / "plot.kpl";
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"plot", text, "-o", file.string()}, in, out, err), 0) << err.str();
    Document document;
    EXPECT_TRUE(document.LoadFile(file).Ok());
    return document;
}

QImage Render(Document& document, bool axes, bool distinctLabels) {
    SceneValues values = SceneValuesOf(document);
    values.DistinctLabelColours = distinctLabels;
    document.Axes().Show = axes;
    RenderRequest request;
    request.Width = kWidth;
    request.Height = kHeight;
    request.View = StandardView::ISO;
    return RenderToImage(document.ShownGraphs(), document.Axes(), values, request)
        .convertToFormat(QImage::Format_RGB32);
}

TEST(ReadablePictures, GraphsFillThePictureAndLabelsNeitherOverlapNorTouchTheEdge) {
    const std::vector<std::string> functions = {
        "z",         "z^3",     "z^3-1",  "z^10",       "1/z",
        "1/(z^2+1)", "sin(z)",  "cos(z)", "tan(z)",     "exp(z)",
        "exp(z^2)",  "log(z)",  "z^4-1",  "z*exp(z)-1", "sinh(z)",
        "cosh(z)",   "tanh(z)", "z^5-z",  "cos(z)^2",   "exp(-z^2)*sin(3*z)"};
    const fs::path dir = fs::temp_directory_path() / "tervane-readable";
    fs::create_directories(dir);
    QImage sheet(5 * kWidth / 2, 4 * kHeight / 2, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (std::size_t f = 0; f < functions.size(); ++f) {
        SCOPED_TRACE(functions[f]);
        Document document = PlotDocument(functions[f], dir);
        const QImage picture = Render(document, true, false);
        const QImage labelled = Render(document, true, true);
        const QImage bare = Render(document, false, false);
        painter.drawImage(QRect(static_cast<int>(f % 5) * kWidth / 2,
                                static_cast<int>(f / 5) * kHeight / 2, kWidth / 2, kHeight / 2),
                          picture);

        int graph = 0;
        std::map<int, Box> labels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (bare.pixel(x, y) != qRgb(255, 255, 255)) ++graph;
                const QRgb id = labelled.pixel(x, y);
                if (id != picture.pixel(x, y) && qGreen(id) == 255 && qBlue(id) == 0 &&
                    qRed(id) > 0)
                    labels[qRed(id)].Add(x, y);
            }
        }
        EXPECT_GE(graph, kWidth * kHeight / 10) << "the graph covers too little";
        EXPECT_GE(labels.size(), 6u) << "labels missing";
        for (auto a = labels.begin(); a != labels.end(); ++a) {
            const Box& box = a->second;
            EXPECT_TRUE(box.left > 0 && box.top > 0 && box.right < kWidth - 1 &&
                        box.bottom < kHeight - 1)
                << "label " << a->first << " touches the edge";
            for (auto b = std::next(a); b != labels.end(); ++b)
                EXPECT_FALSE(box.Meets(b->second))
                    << "labels " << a->first << " and " << b->first << " overlap";
        }
    }
    painter.end();
    sheet.save(QString(TERVANE_BUILD_DIR) + "/readable-pictures.png");
    fs::remove_all(dir);
}

} // namespace
} // namespace tervane
