#pragma once

#include "gl/headless/GuiApplication.h"
#include "gl/headless/HeadlessGlContext.h"

#include <GL/gl.h>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace tervane::testing {

/// A fixture with a fresh headless context per test: a white clear colour, depth test on,
/// identity matrices, and an orthographic view of [-1, 1] in x and y.
class GlTest : public ::testing::Test {
protected:
    static constexpr int kSize = 128;

    void SetUp() override {
        EnsureGuiApplication();
        context_ = std::make_unique<HeadlessGlContext>(kSize, kSize);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.0, 1.0, -1.0, 1.0, -10.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override { context_.reset(); }

    QImage Frame() { return context_->ReadPixels(); }

    /// Number of pixels that differ from the white background.
    static int InkPixels(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) ++count;
        return count;
    }

    /// Horizontal extent (rightmost - leftmost + 1) of the non-background pixels; 0 if none.
    static int InkWidth(const QImage& image) {
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right < 0 ? 0 : right - left + 1;
    }

    std::unique_ptr<HeadlessGlContext> context_;
};

} // namespace tervane::testing
