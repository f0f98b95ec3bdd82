#include "HeTuLuoShuDialog.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppFonts.h"
#include "sidetools/HeTuLuoShu.h"

namespace tessaly {
namespace {

constexpr double kCanvasSide = 450;
const QColor kCanvasColor(226, 235, 179);

QColor ColorOf(DiagramInk ink) {
    switch (ink) {
        case DiagramInk::kRed: return QColor(255, 0, 0);
        case DiagramInk::kBlue: return QColor(0, 0, 255);
        case DiagramInk::kBlack: break;
    }
    return Qt::black;
}

// The diagrams' font at `points` (96 dots per inch, in canvas units).
QFont DiagramFont(int points) {
    QFont f(kSongTi);
    f.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    return f;
}

}  // namespace

NumberDiagramView::NumberDiagramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("img1"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void NumberDiagramView::SetDiagram(NumberDiagram diagram) {
    diagram_ = diagram;
    update();
}

void NumberDiagramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // The canvas is a square in the middle of the widget, scaled to fit.
    const double side = std::min(width(), height());
    p.fillRect(rect(), palette().window());
    p.translate((width() - side) / 2, (height() - side) / 2);
    p.scale(side / kCanvasSide, side / kCanvasSide);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kCanvasColor);
    p.drawRect(QRectF(0.5, 0.5, kCanvasSide - 1, kCanvasSide - 1));

    const QFont text = DiagramFont(10);
    const QFontMetricsF fm(text);
    DiagramCanvas canvas;
    canvas.charWidth = fm.horizontalAdvance(QStringLiteral("字"));
    canvas.charHeight = fm.height();
    const auto shapes = diagram_ == NumberDiagram::kHeTu ? HeTuShapes(canvas) : LuoShuShapes(canvas);

    for (const DiagramShape& s : shapes) {
        const QColor color = ColorOf(s.ink);
        p.setPen(QPen(color, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF box(s.x - s.r, s.y - s.r, 2 * s.r, 2 * s.r);
        switch (s.kind) {
            case DiagramShape::kCircle: p.drawEllipse(box); break;
            case DiagramShape::kDot:
                p.setPen(Qt::NoPen);
                p.setBrush(color);
                p.drawEllipse(box);
                break;
            case DiagramShape::kArc:
                p.drawArc(box, int(std::lround(s.startDegrees * 16)), int(std::lround(s.spanDegrees * 16)));
                break;
            case DiagramShape::kLine: p.drawLine(QPointF(s.x, s.y), QPointF(s.x2, s.y2)); break;
            case DiagramShape::kText: {
                const QFont f = s.points == 10 ? text : DiagramFont(s.points);
                p.setFont(f);
                const QString t = QString::fromStdString(s.text);
                if (s.centred) {
                    p.drawText(QRectF(s.x - 50, s.y - 50, 100, 100), Qt::AlignCenter, t);
                } else {
                    p.drawText(QPointF(s.x, s.y + QFontMetricsF(f).ascent()), t);
                }
                break;
            }
        }
    }
}

HeTuLuoShuDialog::HeTuLuoShuDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmHeLuo"));
    setWindowTitle(tr("河图与洛书"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    img1 = new NumberDiagramView(this);
    const auto label = [this](const char* name, const QString& text, NumberDiagram diagram) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setChecked(diagram == NumberDiagram::kHeTu);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::StrongFocus);
        QFont f = b->font();
        f.setPixelSize(16);
        b->setFont(f);
        connect(b, &QToolButton::clicked, this, [this, diagram] { img1->SetDiagram(diagram); });
        return b;
    };
    Label1 = label("Label1", tr("河图"), NumberDiagram::kHeTu);
    Label2 = label("Label2", tr("洛书"), NumberDiagram::kLuoShu);

    auto* labels = new QHBoxLayout;
    labels->addWidget(Label1);
    labels->addWidget(Label2);
    labels->addStretch(1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(labels);
    root->addWidget(img1, 1);
}

}  // namespace tessaly
