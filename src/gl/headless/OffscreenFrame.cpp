#include "gl/headless/OffscreenFrame.h"

#include "core/BitmapFile.h"
#include "gl/ViewBitmap.h"
#include "scene/ZoomToFit.h"

namespace tervane {

OffscreenFrame::OffscreenFrame(CScene& shownGraphs, CAxes& axes, const SceneValues& values,
                               const RenderRequest& request)
    : context_(request.Width, request.Height),
      renderer_(SceneInputs{shownGraphs, axes, view_, light_, orientation_}) {
    if (request.View) {
        const SceneAngles angles = StandardViewAngles(*request.View);
        shownGraphs.SetRotRoll(angles.RotRoll);
        shownGraphs.SetRotPitch(angles.RotPitch);
        shownGraphs.SetRotYaw(angles.RotYaw);
    }
    view_.SetProjectType(request.ProjectType);
    renderer_.Initialize();
    renderer_.Resize(request.Width, request.Height);
    // Framed after the build, by the box the build drew: for an animation the union of every
    // step's box, so that no step runs off the picture.
    renderer_.BuildSceneList(values);
    if (shownGraphs.Count() > 0)
        ZoomToFit(view_, renderer_.DrawnBox(), values.SceneKind,
                  orientation_.OrientationMatrix(SceneAngles{
                      shownGraphs.RotRoll(), shownGraphs.RotPitch(), shownGraphs.RotYaw()}),
                  &axes);
    renderer_.Display(request.Step);
}

QImage OffscreenFrame::Image() {
    context_.MakeCurrent();
    return context_.ReadPixels();
}

bool OffscreenFrame::SaveBitmap(const std::filesystem::path& path) {
    context_.MakeCurrent();
    return SaveViewBitmap(path, BitmapCaptureWidth(context_.Width()), context_.Height());
}

QImage RenderToImage(CScene& shownGraphs, CAxes& axes, const SceneValues& values,
                     const RenderRequest& request) {
    OffscreenFrame frame(shownGraphs, axes, values, request);
    return frame.Image();
}

} // namespace tervane
