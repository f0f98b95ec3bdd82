// Draws the background of the chart picture: a 120 × 500 image, parchment
// behind the two pillar columns, a deep red field below with the yin-yang
// and the eight trigrams, where the index is written in white.
//
//   make_bk OUT.png [SCALE]   (runs offscreen; src/app/resources/bk.png, and
//                             with SCALE 2 bk@2x.png, the same picture drawn
//                             at twice the resolution for high-density screens)
#include <QtMath>
#include <cstdlib>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 500;
constexpr int kFieldTop = 240;  // the red field starts just above the index line

const QColor kInk(110, 18, 18);
const QColor kGold(214, 176, 96);

void DrawParchment(QPainter& p) {
    QLinearGradient g(0, 0, 0, kFieldTop);
    g.setColorAt(0, QColor(250, 242, 220));
    g.setColorAt(1, QColor(238, 222, 184));
    p.fillRect(0, 0, kWidth, kFieldTop, g);
    // Fibres of the paper: a fixed seed keeps the image reproducible.
    QRandomGenerator rng(8);
    for (int i = 0; i < 1600; ++i) {
        const int x = rng.bounded(kWidth), y = rng.bounded(kFieldTop);
        const int a = 10 + rng.bounded(18);
        p.setPen(QColor(150, 110, 60, a));
        p.drawPoint(x, y);
    }
    // The frame keeps to the edge: the texts of the picture begin 2 pixels
    // from the left and 8 from the top, so the left line is one pixel wide
    // and a second line runs only above and below them and down the free
    // right margin.
    p.setPen(QPen(kInk, 1));
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kFieldTop - 1));
    p.setPen(QPen(QColor(kInk.red(), kInk.green(), kInk.blue(), 120), 1));
    p.drawLine(QPointF(3, 3.5), QPointF(kWidth - 3.5, 3.5));
    p.drawLine(QPointF(kWidth - 3.5, 3.5), QPointF(kWidth - 3.5, kFieldTop - 3.5));
    p.drawLine(QPointF(3, kFieldTop - 3.5), QPointF(kWidth - 3.5, kFieldTop - 3.5));
    p.setPen(QPen(QColor(kInk.red(), kInk.green(), kInk.blue(), 70), 1, Qt::DashLine));
    p.drawLine(QPointF(55.5, 12), QPointF(55.5, kFieldTop - 12));
    // A rule under the 乾造/坤造 line.
    p.setPen(QPen(QColor(kInk.red(), kInk.green(), kInk.blue(), 90), 1));
    p.drawLine(QPointF(10, 68.5), QPointF(kWidth - 10, 68.5));
}

void DrawField(QPainter& p) {
    QLinearGradient g(0, kFieldTop, 0, kHeight);
    g.setColorAt(0, QColor(150, 28, 28));
    g.setColorAt(0.35, QColor(112, 16, 20));
    g.setColorAt(1, QColor(60, 8, 12));
    p.fillRect(0, kFieldTop, kWidth, kHeight - kFieldTop, g);
    p.setPen(QPen(kGold, 1));
    p.drawLine(QPointF(0, kFieldTop + 0.5), QPointF(kWidth, kFieldTop + 0.5));
    p.drawLine(QPointF(6, kFieldTop + 30.5), QPointF(kWidth - 6, kFieldTop + 30.5));
    p.drawRect(QRectF(3.5, kFieldTop + 3.5, kWidth - 7, kHeight - kFieldTop - 7));
}

// The yin-yang at `c` with radius r.
void DrawTaiji(QPainter& p, QPointF c, qreal r) {
    QRadialGradient glow(c, r * 1.8);
    glow.setColorAt(0, QColor(255, 220, 140, 90));
    glow.setColorAt(1, QColor(255, 220, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.8, r * 1.8);

    p.setBrush(QColor(250, 240, 215));
    p.drawEllipse(c, r, r);
    QPainterPath dark;
    dark.moveTo(c.x(), c.y() - r);
    dark.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, 180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y(), r, r), 270, -180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y() - r, r, r), 270, 180);
    p.setBrush(QColor(40, 6, 8));
    p.drawPath(dark);
    p.setBrush(QColor(250, 240, 215));
    p.drawEllipse(QPointF(c.x(), c.y() + r / 2), r / 7, r / 7);
    p.setBrush(QColor(40, 6, 8));
    p.drawEllipse(QPointF(c.x(), c.y() - r / 2), r / 7, r / 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 1.5));
    p.drawEllipse(c, r, r);
}

// The eight trigrams of the Earlier Heaven order around `c`, lines from the
// bottom up (true = solid).
void DrawTrigrams(QPainter& p, QPointF c, qreal radius) {
    static const bool kLines[8][3] = {
        {true, true, true},     // 乾, south (top)
        {true, true, false},    // 兑
        {true, false, true},    // 离
        {true, false, false},   // 震
        {false, false, false},  // 坤, north (bottom)
        {false, false, true},   // 艮
        {false, true, false},   // 坎
        {false, true, true},    // 巽
    };
    static const int kOrder[8] = {0, 7, 6, 5, 4, 3, 2, 1};  // clockwise from the top
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    for (int k = 0; k < 8; ++k) {
        const int t = kOrder[k];
        p.save();
        p.translate(c);
        p.rotate(45.0 * k);
        for (int line = 0; line < 3; ++line) {
            // Outermost line first: the top line of the trigram faces outward.
            const qreal y = -radius - 2 * 4.0 + line * 4.0;
            const bool solid = kLines[t][2 - line];
            if (solid) {
                p.drawRect(QRectF(-9, y, 18, 2.4));
            } else {
                p.drawRect(QRectF(-9, y, 7.5, 2.4));
                p.drawRect(QRectF(1.5, y, 7.5, 2.4));
            }
        }
        p.restore();
    }
}

void DrawClouds(QPainter& p, qreal y) {
    p.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 150), 1.2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const qreal x = 14 + i * 30;
        QPainterPath s;
        s.moveTo(x - 10, y);
        s.cubicTo(x - 10, y - 9, x + 4, y - 9, x + 4, y - 2);
        s.cubicTo(x + 4, y + 3, x - 3, y + 3, x - 3, y - 1);
        p.drawPath(s);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        qWarning("usage: make_bk OUT.png [SCALE]");
        return 2;
    }
    const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
    if (scale < 1 || scale > 4) {
        qWarning("make_bk: SCALE is 1 to 4");
        return 2;
    }
    QImage image(kWidth * scale, kHeight * scale, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    DrawParchment(p);
    DrawField(p);
    DrawTaiji(p, QPointF(60, 375), 26);
    DrawTrigrams(p, QPointF(60, 375), 34);
    DrawClouds(p, 462);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
