#include "dialogs/detail/PropertyParts.h"

#include "dialogs/UserPrompts.h"
#include "scene/AxesGeometry.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>

namespace tervane::detail {

namespace {

QColor FromPacked(std::int32_t packed) {
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

std::int32_t ToPacked(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

using Point = AxesGeometry::Point;
using Colour = AxesGeometry::Colour;

// Fills one triangle of plot coordinates with colours interpolated between its corners, as GL's
// smooth shading does.
void FillTriangle(QImage& image, const std::array<Point, 3>& p, const std::array<Colour, 3>& c,
                  double left, double bottom, double scaleX, double scaleY) {
    std::array<double, 3> x{}, y{};
    for (int k = 0; k < 3; ++k) {
        x[static_cast<std::size_t>(k)] = (p[static_cast<std::size_t>(k)].x - left) * scaleX;
        y[static_cast<std::size_t>(k)] =
            image.height() - (p[static_cast<std::size_t>(k)].y - bottom) * scaleY;
    }
    const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (std::fabs(area) < 1e-9) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(*std::min_element(x.begin(), x.end()))));
    const int x1 = std::min(image.width() - 1,
                            static_cast<int>(std::ceil(*std::max_element(x.begin(), x.end()))));
    const int y0 = std::max(0, static_cast<int>(std::floor(*std::min_element(y.begin(), y.end()))));
    const int y1 = std::min(image.height() - 1,
                            static_cast<int>(std::ceil(*std::max_element(y.begin(), y.end()))));
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            const double cx = px + 0.5, cy = py + 0.5;
            const double w0 = ((x[1] - cx) * (y[2] - cy) - (x[2] - cx) * (y[1] - cy)) / area;
            const double w1 = ((x[2] - cx) * (y[0] - cy) - (x[0] - cx) * (y[2] - cy)) / area;
            const double w2 = 1.0 - w0 - w1;
            if (w0 < -1e-9 || w1 < -1e-9 || w2 < -1e-9) continue;
            const auto mix = [&](float Colour::*channel) {
                const double v = w0 * (c[0].*channel) + w1 * (c[1].*channel) + w2 * (c[2].*channel);
                return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255);
            };
            image.setPixelColor(px, py, QColor(mix(&Colour::r), mix(&Colour::g), mix(&Colour::b)));
        }
}

} // namespace

ColorBox::ColorBox(const QString& name, std::int32_t packed, QWidget* parent)
    : QPushButton(parent) {
    setObjectName(name);
    setFlat(true);
    setAutoFillBackground(true);
    setMinimumSize(48, 22);
    SetPacked(packed);
    connect(this, &QPushButton::clicked, this, &ColorBox::Choose);
}

void ColorBox::SetPacked(std::int32_t packed) {
    packed_ = packed;
    setStyleSheet(
        QString("background-color: %1; border: 1px solid #606060;").arg(FromPacked(packed).name()));
}

void ColorBox::Choose() {
    const QColor chosen = AskColor(window(), FromPacked(packed_));
    if (!chosen.isValid()) return;
    SetPacked(ToPacked(chosen));
    if (chosen_) chosen_(packed_);
}

QCheckBox* Check(const QString& caption, const QString& name, bool on) {
    auto* c = new QCheckBox(caption);
    c->setObjectName(name);
    c->setChecked(on);
    return c;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> ok) {
    auto* command1 = new QPushButton("OK");
    command1->setObjectName("Command1");
    command1->setDefault(true);
    auto* command2 = new QPushButton("Cancel");
    command2->setObjectName("Command2");
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(command1, QDialogButtonBox::AcceptRole);
    buttons->addButton(command2, QDialogButtonBox::RejectRole);
    QObject::connect(command1, &QPushButton::clicked, dialog, std::move(ok));
    QObject::connect(command2, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

QImage BackgroundThumbnail(int style, std::int32_t color1, std::int32_t color2, const QSize& size) {
    CAxes axes;
    axes.ShowBackground = true;
    axes.BackStyle = style;
    axes.BackColor = color1;
    axes.BackColor2 = color2;
    // A box of -1..1 with label unit 1: the background spans -6.1..6.1 on both axes.
    const AxesGeometry geometry = AxesDrawBackground(axes, CBox{-1, 1, -1, 1, 0, 0}, 1.0f);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    constexpr double kHalf = 6.1;
    const double scaleX = size.width() / (2 * kHalf);
    const double scaleY = size.height() / (2 * kHalf);
    for (const AxesGeometry::Pass& pass : geometry.passes) {
        for (const AxesGeometry::Quad& q : pass.quads) {
            FillTriangle(image, {q.corners[0], q.corners[1], q.corners[2]},
                         {q.colours[0], q.colours[1], q.colours[2]}, -kHalf, -kHalf, scaleX,
                         scaleY);
            FillTriangle(image, {q.corners[0], q.corners[2], q.corners[3]},
                         {q.colours[0], q.colours[2], q.colours[3]}, -kHalf, -kHalf, scaleX,
                         scaleY);
        }
        for (const AxesGeometry::Triangle& t : pass.triangles)
            FillTriangle(image, t.corners, t.colours, -kHalf, -kHalf, scaleX, scaleY);
    }
    return image;
}

} // namespace tervane::detail
