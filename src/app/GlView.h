#pragma once

#include "app/ViewNavigator.h"
#include "gl/SceneRenderer.h"

#include <QOpenGLWidget>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;

namespace tervane {

/// The window's GL view `picDraw`. It holds no drawing code: initializeGL, resizeGL and paintGL
/// go to SceneRenderer, and the renderer's GL objects are released on aboutToBeDestroyed with
/// the context current. Sizes handed to the renderer are device pixels. Mouse drags go to the
/// ViewNavigator; a right click asks for the view's context menu.
///
/// A scene build is deferred to the next frame, so that several changes (or the mouse-move
/// events of one rotation drag between two frames) cost one rebuild of the scene list.
///
/// While no graph is shown, a hint over the view says how to make one. It is a child widget,
/// not part of the GL frame, so pictures taken of the frame never hold it.
class GlView : public QOpenGLWidget {
    Q_OBJECT
public:
    /// The program-wide values a scene build reads, and the animation step of a frame.
    using ValuesSource = std::function<SceneValues()>;
    using StepSource = std::function<std::int32_t()>;

    GlView(const SceneInputs& inputs, ValuesSource values, StepSource step,
           QWidget* parent = nullptr);
    ~GlView() override;

    /// The format the view asks for: compatibility profile, RGBA 8-8-8, depth 16 or more,
    /// double buffer.
    static QSurfaceFormat ViewFormat();

    /// Rebuilds the scene list before the next frame, then shows it.
    void RequestBuild();
    /// Shows the frame again (camera changes).
    void RequestDisplay() { update(); }
    /// "Zoom to Fit" at the next frame, after any scene build pending.
    void RequestZoomToFit();

    ViewNavigator& Navigator() { return navigator_; }
    /// The grid points a frame may draw while the view is dragged (the renderer measures the
    /// machine otherwise); for tests.
    void SetVertexBudget(std::uint64_t points);
    /// The renderer, null before the GL context exists.
    [[nodiscard]] const SceneRenderer* Renderer() const { return renderer_.get(); }
    /// The picture size in device pixels.
    [[nodiscard]] QSize DeviceSize() const;
    /// The text shown over an empty view.
    static constexpr const char* kEmptyHint = "Draw > 3D Graph or Color Map, or open a document";

signals:
    /// Right click: the context menu of the view at a global position.
    void ContextMenuRequested(const QPoint& globalPos);
    /// Messages of the GL set-up (fonts that could not be made).
    void GlMessages(const QStringList& messages);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    /// Whether the shown graphs may be large enough for lighter pictures while dragged (a
    /// scene below the least budget is drawn whole, without rebuilding at the drag's ends).
    [[nodiscard]] bool DrawsLighterWhileDragged() const;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowEmptyHint();
    void ReleaseGl();
    void ApplySize();
    void FitNow();
    /// Compiles animation steps not shown yet while the window is idle, a slice at a time.
    void CompileAhead();

    SceneInputs inputs_;
    ValuesSource values_;
    StepSource step_;
    ViewNavigator navigator_;
    std::unique_ptr<SceneRenderer> renderer_;
    QSize appliedSize_;
    bool buildPending_ = true;
    bool fitPending_ = false;
    bool dragging_ = false;          ///< a left-button drag has changed the view since the press
    std::uint64_t vertexBudget_ = 0; ///< SetVertexBudget's, 0 when not set
    QTimer* ahead_ = nullptr;        ///< runs CompileAhead when the event loop is idle
    QLabel* emptyHint_ = nullptr;
};

} // namespace tervane
