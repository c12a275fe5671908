#include "app/GlView.h"

#include "scene/ZoomToFit.h"

#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>

#include <cmath>

namespace tervane {

GlView::GlView(const SceneInputs& inputs, ValuesSource values, StepSource step, QWidget* parent)
    : QOpenGLWidget(parent), inputs_(inputs), values_(std::move(values)), step_(std::move(step)),
      navigator_(inputs.View, inputs.Orientation) {
    setObjectName("picDraw");
    setFormat(ViewFormat());
    setMouseTracking(false);
    ahead_ = new QTimer(this);
    ahead_->setSingleShot(true);
    ahead_->setInterval(0);
    connect(ahead_, &QTimer::timeout, this, &GlView::CompileAhead);
    emptyHint_ = new QLabel(kEmptyHint, this);
    emptyHint_->setObjectName("EmptyViewHint");
    emptyHint_->setAlignment(Qt::AlignCenter);
    emptyHint_->setWordWrap(true);
    emptyHint_->setMargin(12);
    // Grey on the white frame, slightly larger than the window's text.
    QFont font = emptyHint_->font();
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 1.25);
    emptyHint_->setFont(font);
    emptyHint_->setStyleSheet("color: #707070;");
    // Drags and the right click go through to the view.
    emptyHint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    ShowEmptyHint();
}

GlView::~GlView() {
    ReleaseGl();
}

QSurfaceFormat GlView::ViewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

QSize GlView::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)),
            static_cast<int>(std::lround(height() * ratio))};
}

void GlView::RequestBuild() {
    buildPending_ = true;
    ShowEmptyHint();
    update();
}

void GlView::ShowEmptyHint() {
    emptyHint_->setVisible(inputs_.ShownGraphs.Count() == 0);
}

void GlView::resizeEvent(QResizeEvent* event) {
    QOpenGLWidget::resizeEvent(event);
    emptyHint_->setGeometry(rect());
}

void GlView::RequestZoomToFit() {
    // The fit is made at the next frame, after the scene build that the caller may request
    // next: only then does the camera know the picture's aspect and the renderer the box of
    // the scene as it now is.
    fitPending_ = true;
    update();
}

void GlView::FitNow() {
    fitPending_ = false;
    if (inputs_.ShownGraphs.Count() == 0 || !renderer_) return;
    // The box the renderer drew: for an animation the union of every step's box (the graphs'
    // present grids hold one step only), so that no step runs off the view.
    // Framed as the headless pictures are: room for the box's labels as the scene is turned.
    const CScene& shown = inputs_.ShownGraphs;
    ZoomToFit(inputs_.View, renderer_->DrawnBox(), values_().SceneKind,
              inputs_.Orientation.OrientationMatrix(
                  SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()}),
              &inputs_.Axes);
}

void GlView::SetVertexBudget(std::uint64_t points) {
    vertexBudget_ = points;
    if (renderer_) renderer_->SetVertexBudget(points);
}

void GlView::initializeGL() {
    // A re-parented widget gets a new context: the old renderer went with the old one.
    renderer_ = std::make_unique<SceneRenderer>(inputs_);
    renderer_->Initialize();
    if (vertexBudget_ != 0) renderer_->SetVertexBudget(vertexBudget_);
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GlView::ReleaseGl,
            Qt::DirectConnection);
    buildPending_ = true;
    appliedSize_ = QSize();
    const std::vector<std::string> errors = renderer_->FontErrors();
    if (!errors.empty()) {
        QStringList messages;
        for (const std::string& e : errors)
            messages << QString::fromStdString(e);
        emit GlMessages(messages);
    }
}

void GlView::ApplySize() {
    const QSize size = DeviceSize();
    if (size == appliedSize_ || !renderer_) return;
    renderer_->Resize(size.width(), size.height());
    appliedSize_ = size;
}

void GlView::resizeGL(int, int) {
    ApplySize();
}

void GlView::paintGL() {
    if (!renderer_) return;
    ApplySize();
    if (buildPending_) {
        SceneValues values = values_();
        values.Interacting = dragging_;
        renderer_->BuildSceneList(values);
        buildPending_ = false;
    }
    if (fitPending_) FitNow();
    renderer_->Display(step_());
    if (renderer_->PendingStepCount() > 0) ahead_->start();
}

void GlView::CompileAhead() {
    if (!renderer_ || renderer_->PendingStepCount() == 0) return;
    // Slices of about 30 ms keep the window answering between them.
    makeCurrent();
    const bool more = renderer_->CompileAhead(std::chrono::milliseconds(30));
    doneCurrent();
    if (more) ahead_->start();
}

void GlView::ReleaseGl() {
    if (!renderer_) return;
    makeCurrent();
    renderer_.reset();
    doneCurrent();
}

void GlView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        navigator_.Press(static_cast<float>(event->position().x()),
                         static_cast<float>(event->position().y()));
    } else if (event->button() == Qt::RightButton) {
        emit ContextMenuRequested(event->globalPosition().toPoint());
    }
}

void GlView::mouseMoveEvent(QMouseEvent* event) {
    const ViewUpdate u = navigator_.Move(
        static_cast<float>(event->position().x()), static_cast<float>(event->position().y()),
        (event->buttons() & Qt::LeftButton) != 0, width(), height());
    if (u == ViewUpdate::None) return;
    // The first step of a drag switches large graphs to their lighter pictures.
    if (!dragging_ && DrawsLighterWhileDragged()) {
        dragging_ = true;
        RequestBuild();
        return;
    }
    if (u == ViewUpdate::Scene) RequestBuild();
    if (u == ViewUpdate::Frame) RequestDisplay();
}

bool GlView::DrawsLighterWhileDragged() const {
    const std::uint64_t least =
        vertexBudget_ != 0 ? vertexBudget_ : SceneRenderer::kLeastVertexBudget;
    return inputs_.ShownGraphs.SampledPoints() > least;
}

void GlView::mouseReleaseEvent(QMouseEvent* event) {
    QOpenGLWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !dragging_) return;
    // At rest the graphs are drawn whole again.
    dragging_ = false;
    RequestBuild();
}

} // namespace tervane
