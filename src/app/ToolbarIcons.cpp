#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>

namespace tervane {

namespace {

// Pictures are drawn on a 24 x 24 grid and rendered at twice that for sharp high-DPI toolbars.
constexpr int kGrid = 24;
constexpr int kScale = 2;

const QColor kInk(40, 40, 40);
const QColor kBlue(40, 100, 200);
const QColor kRed(200, 40, 40);
const QColor kGreen(40, 150, 60);
const QColor kPaper(250, 250, 245);
const QColor kYellow(235, 190, 60);

using Painter = std::function<void(QPainter&)>;

QPen Pen(const QColor& c, double w = 1.5) {
    QPen p(c, w);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(Pen(c, 1.8));
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double s = 3.5;
    p.drawLine(to, to - QPointF(s * std::cos(a - 0.5), s * std::sin(a - 0.5)));
    p.drawLine(to, to - QPointF(s * std::cos(a + 0.5), s * std::sin(a + 0.5)));
}

void Page(QPainter& p, QRectF r) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(Pen(QColor(150, 150, 150), 1));
    for (double y = r.top() + 3; y < r.bottom() - 1; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// A play triangle pointing right (forward) or left, shifted by dx.
void PlayTriangle(QPainter& p, bool forward, double dx) {
    p.setPen(Pen(kInk, 1));
    p.setBrush(kGreen);
    const double w = dx == 0 ? 12 : 8;
    const double x0 = 12 + dx - w / 2, x1 = 12 + dx + w / 2;
    QPolygonF t;
    if (forward)
        t << QPointF(x0, 5) << QPointF(x1, 12) << QPointF(x0, 19);
    else
        t << QPointF(x1, 5) << QPointF(x0, 12) << QPointF(x1, 19);
    p.drawPolygon(t);
}

void Floppy(QPainter& p) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3, 3, 16, 17), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 3, 10, 6));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(6, 13, 10, 7));
}

void Cube(QPainter& p, int highlight) {
    // Faces: 0 front, 1 right, 2 top; -1 none (the ISO view shows all three).
    const QPolygonF front{{QPointF(4, 9), QPointF(15, 9), QPointF(15, 20), QPointF(4, 20)}};
    const QPolygonF right{{QPointF(15, 9), QPointF(20, 4), QPointF(20, 15), QPointF(15, 20)}};
    const QPolygonF top{{QPointF(4, 9), QPointF(9, 4), QPointF(20, 4), QPointF(15, 9)}};
    const QPolygonF faces[3] = {front, right, top};
    p.setPen(Pen(kInk, 1.2));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(highlight == i || highlight < 0 ? QColor(90, 150, 230) : kPaper);
        p.drawPolygon(faces[i]);
    }
}

void RotateAbout(QPainter& p, const QString& letter) {
    p.setPen(Pen(kBlue, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 4, 18, 16), 30 * 16, 280 * 16);
    Arrow(p, QPointF(18, 8), QPointF(19.5, 5), kBlue);
    p.setPen(kInk);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(3, 4, 18, 16), Qt::AlignCenter, letter);
}

void Shaded(QPainter& p, int levels) {
    // A sphere-like square shaded in `levels` bands: flat, smooth or smoothest.
    const QRectF r(4, 4, 16, 16);
    if (levels >= 8) {
        QRadialGradient g(QPointF(9, 9), 14);
        g.setColorAt(0, QColor(230, 240, 255));
        g.setColorAt(1, QColor(30, 70, 160));
        p.setPen(Pen(kInk, 1));
        p.setBrush(g);
        p.drawEllipse(r);
        return;
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < levels; ++i) {
        const int shade = 220 - i * 150 / std::max(levels - 1, 1);
        p.setBrush(QColor(shade / 2, shade * 3 / 4, 255 - i * 40));
        p.drawPie(r, (90 + i * 360 / levels) * 16, 360 / levels * 16);
    }
    p.setPen(Pen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r);
}

const std::map<QString, Painter>& Pictures() {
    static const std::map<QString, Painter> pictures = {
        {"barOpen",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(kYellow);
             p.drawPolygon(QPolygonF{{QPointF(2, 7), QPointF(9, 7), QPointF(11, 9), QPointF(20, 9),
                                      QPointF(20, 19), QPointF(2, 19)}});
             p.setBrush(QColor(250, 215, 110));
             p.drawPolygon(
                 QPolygonF{{QPointF(5, 12), QPointF(23, 12), QPointF(20, 19), QPointF(2, 19)}});
         }},
        {"barSave", [](QPainter& p) { Floppy(p); }},
        {"barSaveAs",
         [](QPainter& p) {
             Floppy(p);
             p.setPen(Pen(kRed, 2.2));
             p.drawLine(QPointF(14, 21), QPointF(22, 13));
         }},
        {"barPrint",
         [](QPainter& p) {
             Page(p, QRectF(7, 2, 10, 8));
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(180, 180, 190));
             p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
             Page(p, QRectF(6, 14, 12, 8));
         }},
        {"barCut",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.6));
             p.drawLine(QPointF(8, 3), QPointF(15, 15));
             p.drawLine(QPointF(16, 3), QPointF(9, 15));
             p.setBrush(Qt::NoBrush);
             p.setPen(Pen(kRed, 1.8));
             p.drawEllipse(QRectF(4, 14, 6, 6));
             p.drawEllipse(QRectF(14, 14, 6, 6));
         }},
        {"barCopy",
         [](QPainter& p) {
             Page(p, QRectF(3, 3, 11, 14));
             Page(p, QRectF(9, 7, 11, 14));
         }},
        {"barCopyAs",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(170, 210, 250));
             p.drawRect(QRectF(3, 5, 18, 14));
             p.setBrush(kGreen);
             p.drawPolygon(QPolygonF{{QPointF(3, 19), QPointF(9, 11), QPointF(14, 16),
                                      QPointF(17, 13), QPointF(21, 19)}});
             p.setBrush(kYellow);
             p.drawEllipse(QRectF(15, 7, 4, 4));
         }},
        {"barPaste",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(190, 140, 80));
             p.drawRoundedRect(QRectF(4, 4, 14, 17), 1.5, 1.5);
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(8, 2, 6, 4));
             Page(p, QRectF(10, 9, 11, 13));
         }},
        {"varDel",
         [](QPainter& p) {
             p.setPen(Pen(kRed, 3));
             p.drawLine(QPointF(6, 6), QPointF(18, 18));
             p.drawLine(QPointF(18, 6), QPointF(6, 18));
         }},
        {"barHelp",
         [](QPainter& p) {
             p.setPen(Pen(kBlue, 1.5));
             p.setBrush(QColor(220, 235, 255));
             p.drawEllipse(QRectF(2, 2, 20, 20));
             QFont f = p.font();
             f.setPixelSize(15);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, "?");
         }},
        {"barFun3DCart",
         [](QPainter& p) {
             p.setPen(Pen(kBlue, 1.1));
             for (int i = 0; i <= 4; ++i) {
                 QPainterPath a;
                 QPainterPath b;
                 for (int j = 0; j <= 8; ++j) {
                     const double u = j / 8.0, v = i / 4.0;
                     const double z = 4 * std::sin(3.1 * u) * std::cos(2.0 * v);
                     const QPointF pu(3 + 14 * u + 5 * v, 17 - 8 * v - z);
                     const double z2 = 4 * std::sin(3.1 * v) * std::cos(2.0 * u);
                     const QPointF pv(3 + 14 * v + 5 * u, 17 - 8 * u - z2);
                     j == 0 ? a.moveTo(pu) : a.lineTo(pu);
                     j == 0 ? b.moveTo(pv) : b.lineTo(pv);
                 }
                 p.drawPath(a);
                 p.setPen(Pen(kRed, 1.1));
                 p.drawPath(b);
                 p.setPen(Pen(kBlue, 1.1));
             }
         }},
        {"barColormap",
         [](QPainter& p) {
             for (int i = 0; i < 4; ++i)
                 for (int j = 0; j < 4; ++j) {
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor::fromHsv((i * 60 + j * 30) % 360, 200, 230));
                     p.drawRect(QRectF(3 + 4.5 * i, 3 + 4.5 * j, 4.5, 4.5));
                 }
             p.setPen(Pen(kInk, 1));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(3, 3, 18, 18));
         }},
        {"barCoord",
         [](QPainter& p) {
             Arrow(p, QPointF(8, 16), QPointF(8, 2), kGreen);
             Arrow(p, QPointF(8, 16), QPointF(22, 16), kRed);
             Arrow(p, QPointF(8, 16), QPointF(2, 22), kBlue);
         }},
        {"barLight",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(255, 230, 100));
             p.drawEllipse(QRectF(6, 2, 12, 12));
             p.setBrush(QColor(160, 160, 160));
             p.drawRect(QRectF(9, 14, 6, 5));
             p.drawLine(QPointF(9, 21), QPointF(15, 21));
         }},
        {"barViewFront", [](QPainter& p) { Cube(p, 0); }},
        {"barViewRight", [](QPainter& p) { Cube(p, 1); }},
        {"barViewTop", [](QPainter& p) { Cube(p, 2); }},
        {"barViewISO", [](QPainter& p) { Cube(p, -1); }},
        {"barViewOrtho",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(200, 220, 250));
             p.drawRect(QRectF(3, 6, 10, 10));
             p.drawRect(QRectF(11, 6, 10, 10));
             p.setPen(Pen(kBlue, 1));
             p.drawLine(QPointF(3, 6), QPointF(11, 6));
             p.drawLine(QPointF(3, 16), QPointF(11, 16));
         }},
        {"barViewPer",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(QColor(200, 220, 250));
             p.drawPolygon(
                 QPolygonF{{QPointF(2, 3), QPointF(12, 8), QPointF(12, 16), QPointF(2, 21)}});
             p.drawRect(QRectF(12, 8, 9, 8));
         }},
        {"barMove",
         [](QPainter& p) {
             const QPointF c(12, 12);
             Arrow(p, c, QPointF(12, 2), kInk);
             Arrow(p, c, QPointF(12, 22), kInk);
             Arrow(p, c, QPointF(2, 12), kInk);
             Arrow(p, c, QPointF(22, 12), kInk);
         }},
        {"barZoom",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.8));
             p.setBrush(QColor(220, 235, 255));
             p.drawEllipse(QRectF(3, 3, 12, 12));
             p.setPen(Pen(kInk, 3));
             p.drawLine(QPointF(14, 14), QPointF(21, 21));
             p.setPen(Pen(kBlue, 1.6));
             p.drawLine(QPointF(6, 9), QPointF(12, 9));
             p.drawLine(QPointF(9, 6), QPointF(9, 12));
         }},
        {"barZoomAll",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(2, 2, 20, 20));
             p.setPen(Pen(kInk, 1.8));
             p.setBrush(QColor(220, 235, 255));
             p.drawEllipse(QRectF(5, 5, 10, 10));
             p.setPen(Pen(kInk, 3));
             p.drawLine(QPointF(14, 14), QPointF(19, 19));
         }},
        {"barRotX", [](QPainter& p) { RotateAbout(p, "X"); }},
        {"barRotY", [](QPainter& p) { RotateAbout(p, "Y"); }},
        {"barRotZ", [](QPainter& p) { RotateAbout(p, "Z"); }},
        {"barTrackBall",
         [](QPainter& p) {
             QRadialGradient g(QPointF(9, 9), 13);
             g.setColorAt(0, QColor(240, 240, 255));
             g.setColorAt(1, QColor(60, 100, 190));
             p.setPen(Pen(kInk, 1));
             p.setBrush(g);
             p.drawEllipse(QRectF(3, 3, 18, 18));
             p.setPen(Pen(kPaper, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(5, 9, 14, 6), 200 * 16, 140 * 16);
         }},
        {"barModelPoint",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             for (int i = 0; i < 4; ++i)
                 for (int j = 0; j < 4; ++j)
                     p.drawEllipse(QPointF(4.5 + 5 * i, 4.5 + 5 * j), 1.5, 1.5);
         }},
        {"barModelGrid",
         [](QPainter& p) {
             p.setPen(Pen(kBlue, 1.2));
             for (int i = 0; i < 5; ++i) {
                 p.drawLine(QPointF(3 + 4.5 * i, 3), QPointF(3 + 4.5 * i, 21));
                 p.drawLine(QPointF(3, 3 + 4.5 * i), QPointF(21, 3 + 4.5 * i));
             }
         }},
        {"barModelSur",
         [](QPainter& p) {
             QLinearGradient g(QPointF(3, 3), QPointF(21, 21));
             g.setColorAt(0, QColor(150, 190, 250));
             g.setColorAt(1, QColor(30, 70, 160));
             p.setPen(Pen(kInk, 1));
             p.setBrush(g);
             p.drawRect(QRectF(3, 3, 18, 18));
         }},
        {"bar3DFlat", [](QPainter& p) { Shaded(p, 3); }},
        {"bar3DSmooth", [](QPainter& p) { Shaded(p, 6); }},
        {"bar3DSmoothest", [](QPainter& p) { Shaded(p, 8); }},
        // Animation: play triangles, loop and stop.
        {"barAnimForward", [](QPainter& p) { PlayTriangle(p, true, 0); }},
        {"barAnimBackward", [](QPainter& p) { PlayTriangle(p, false, 0); }},
        {"barAnimLoop",
         [](QPainter& p) {
             p.setPen(Pen(kGreen, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(4, 4, 16, 16), 120 * 16, 300 * 16);
             Arrow(p, QPointF(7, 6.5), QPointF(5.5, 8.5), kGreen);
         }},
        {"barAnimBackForth",
         [](QPainter& p) {
             PlayTriangle(p, false, -5);
             PlayTriangle(p, true, 5);
         }},
        {"barAnimStop",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kRed);
             p.drawRect(QRectF(6, 6, 12, 12));
         }},
        {"barAnimOptions",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(3, 5, 18, 14));
             p.setBrush(kYellow);
             for (int k = 0; k < 3; ++k)
                 p.drawRect(QRectF(5 + 5.5 * k, 8, 4, 8));
         }},
    };
    return pictures;
}

} // namespace

QIcon ToolbarIcon(const QString& key) {
    QPixmap pixmap(kGrid * kScale, kGrid * kScale);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(kScale);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const auto& pictures = Pictures();
    if (const auto it = pictures.find(key); it != pictures.end()) {
        it->second(p);
    } else {
        p.setPen(Pen(kInk, 1));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(2, 2, 20, 20));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, key.mid(3, 1));
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace tervane
