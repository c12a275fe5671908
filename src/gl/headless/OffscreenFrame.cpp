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
    ZoomToFit(view_, shownGraphs, values.SceneKind, axes.ShowPI);
    renderer_.BuildSceneList(values);
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
