#pragma once

#include "gl/SceneRenderer.h"
#include "gl/headless/HeadlessGlContext.h"

#include <QImage>

#include <filesystem>
#include <optional>

namespace tervane {

/// What one headless frame shows.
struct RenderRequest {
    /// Frame size in pixels, at least 1 each.
    int Width = 640;
    int Height = 480;
    /// Standard view to turn the scene to; none keeps the scene's own angles.
    std::optional<StandardView> View;
    /// kProjectOrtho or kProjectPerspective.
    int ProjectType = kProjectOrtho;
    /// Animation step shown (the program starts at 1).
    std::int32_t Step = 1;
    /// Proportions of a box-style scene asked for on a command line; the frame itself draws
    /// with the SceneValues it is given, which the caller fills from this.
    BoxRatio Box = BoxRatio::Automatic;
};

/// One frame of a scene drawn without a window (EGL surfaceless): the scene is framed as
/// "Zoom to Fit" does and shown from the requested view and projection with a fresh camera
/// and the default light. The frame stays in the context for read-back.
///
/// Sets the scene's orientation angles when a view is requested. Throws GlContextError when
/// no headless context can be made and std::invalid_argument for a size below 1.
class OffscreenFrame {
public:
    OffscreenFrame(CScene& shownGraphs, CAxes& axes, const SceneValues& values,
                   const RenderRequest& request);

    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    /// The frame, top row first.
    [[nodiscard]] QImage Image();
    /// Writes the frame as a 24-bit bitmap file with the width rule of the capture commands
    /// (the bitmap is BitmapCaptureWidth(Width) + 1 pixels wide); false when nothing was written.
    bool SaveBitmap(const std::filesystem::path& path);

    [[nodiscard]] const SceneRenderer& Renderer() const { return renderer_; }
    [[nodiscard]] const CView& View() const { return view_; }

private:
    // The context is declared first so that it outlives the lists of the renderer.
    HeadlessGlContext context_;
    CView view_;
    CLight light_;
    SceneOrientation orientation_;
    SceneRenderer renderer_;
};

/// The frame of OffscreenFrame as an image.
[[nodiscard]] QImage RenderToImage(CScene& shownGraphs, CAxes& axes, const SceneValues& values,
                                   const RenderRequest& request);

} // namespace tervane
