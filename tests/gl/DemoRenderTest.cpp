#include "document/Document.h"
#include "gl/DocumentScene.h"
#include "gl/headless/OffscreenFrame.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace tervane {
namespace {

namespace fs = std::filesystem;

struct Picture {
    QImage image;
    int scene = 0;
};

Picture Render(const fs::path& path, int width, int height,
               std::optional<StandardView> view = StandardView::ISO) {
    Document document;
    const DocumentResult loaded = document.LoadFile(path);
    EXPECT_TRUE(loaded.Ok()) << path << ": " << loaded.Message;
    const SceneValues values = SceneValuesOf(document);
    RenderRequest request;
    request.Width = width;
    request.Height = height;
    request.View = view;
    return {RenderToImage(document.ShownGraphs(), document.Axes(), values, request),
            document.SceneKind()};
}

// Share of the pixels, in percent, that are neither white background nor grey or black lines.
double ColouredShare(const QImage& image) {
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 40) ++coloured;
        }
    }
    return 100.0 * coloured / (image.width() * image.height());
}

TEST(DemoDocuments, EveryDemoDocumentDrawsColouredGraphs) {
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(TERVANE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".kpl") continue;
        ++documents;
        const Picture picture = Render(entry.path(), 200, 150);
        ASSERT_EQ(picture.image.size(), QSize(200, 150));
        EXPECT_GT(ColouredShare(picture.image), 3.0) << entry.path();
    }
    EXPECT_GE(documents, 16);
}

TEST(DemoDocuments, ColourMapOfExpZFillsTheMiddleOfThePicture) {
    // Colour maps are seen from the front; the view buttons that turn them are off.
    const Picture picture =
        Render(fs::path(TERVANE_SAMPLES_DIR) / "expz2d.kpl", 200, 200, std::nullopt);
    ASSERT_EQ(picture.scene, 7);
    // Zoom to Fit centres the map: the middle of the picture is part of it.
    const QColor middle = picture.image.pixelColor(100, 100);
    EXPECT_NE(middle, QColor(Qt::white));
    EXPECT_GT(ColouredShare(picture.image), 5.0);
}

} // namespace
} // namespace tervane
