#pragma once

#include <QImage>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tervane {

/// Raised when no headless GL context can be created (no EGL, no surfaceless platform, no
/// suitable configuration); the message names the step that failed.
class GlContextError : public std::runtime_error {
public:
    explicit GlContextError(const std::string& message) : std::runtime_error(message) {}
};

/// An OpenGL compatibility-profile context with an offscreen frame buffer, made without any
/// window system: EGL on Mesa's surfaceless platform, drawing into a pbuffer surface.
///
/// The frame buffer is RGBA 8-8-8-8 with a depth buffer of at least 16 bits. A pbuffer is used
/// rather than a framebuffer object because it keeps the default frame buffer (0) the drawing
/// target, exactly as in a window, so the drawing and read-back code needs no binding of its own.
/// The constructor makes the context current on the calling thread.
class HeadlessGlContext {
public:
    /// Creates the context and a width x height frame buffer; throws GlContextError on failure
    /// or std::invalid_argument for a size below 1.
    HeadlessGlContext(int width, int height);
    ~HeadlessGlContext();

    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;
    HeadlessGlContext(HeadlessGlContext&&) = delete;
    HeadlessGlContext& operator=(HeadlessGlContext&&) = delete;

    /// Makes this context current on the calling thread; throws GlContextError on failure.
    void MakeCurrent();

    /// Frame buffer width in pixels.
    [[nodiscard]] int Width() const { return width_; }
    /// Frame buffer height in pixels.
    [[nodiscard]] int Height() const { return height_; }

    /// The frame buffer as an image (top row first), after finishing all GL work.
    [[nodiscard]] QImage ReadPixels();

    /// The frame buffer as tightly packed RGB bytes, bottom row first, as glReadPixels gives it.
    [[nodiscard]] std::vector<std::uint8_t> ReadRgbBytes();

private:
    void* display_ = nullptr; // EGLDisplay
    void* config_ = nullptr;  // EGLConfig
    void* surface_ = nullptr; // EGLSurface
    void* context_ = nullptr; // EGLContext
    int width_ = 0;
    int height_ = 0;
};

} // namespace tervane
