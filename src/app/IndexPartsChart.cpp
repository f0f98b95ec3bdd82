#include "IndexPartsChart.h"
#include "app/QtText.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace tessaly {
namespace {

constexpr int kMargin = 8;
constexpr int kGap = 10;  // between the name, the track and the value
constexpr int kMinTrackWidth = 120;
constexpr int kTrackInset = 4;  // above and below a track within its row

// A coordinate put on the nearest whole device pixel.
qreal Snap(qreal v, qreal deviceScale) { return std::round(v * deviceScale) / deviceScale; }

}  // namespace

IndexPartsChart::IndexPartsChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImgIndexParts"));
    setAccessibleName(tr("婚配指数构成"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void IndexPartsChart::SetParts(const IndexParts& parts) {
    parts_ = parts;
    UpdateAccessibleText();
    updateGeometry();
    update();
}

int IndexPartsChart::RowHeight() const { return fontMetrics().height() + 2 * kTrackInset + 6; }

int IndexPartsChart::NameWidth() const {
    int w = 0;
    for (const IndexPart& p : parts_.parts) w = std::max(w, fontMetrics().horizontalAdvance(ToQString(p.name)));
    return w;
}

int IndexPartsChart::ValueWidth() const { return fontMetrics().horizontalAdvance(QStringLiteral("-00.00 / 35")); }

QRectF IndexPartsChart::TrackRect(int row, qreal deviceScale) const {
    if (row < 0 || row >= int(parts_.parts.size())) return {};
    if (parts_.parts[std::size_t(row)].max <= 0) return {};  // the cap: no most to measure against
    const qreal left = kMargin + NameWidth() + kGap;
    const qreal right = std::max<qreal>(left + kMinTrackWidth, width() - kMargin - ValueWidth() - kGap);
    const qreal top = kMargin + row * RowHeight() + kTrackInset;
    const qreal bottom = kMargin + (row + 1) * RowHeight() - kTrackInset;
    return QRectF(QPointF(Snap(left, deviceScale), Snap(top, deviceScale)),
                  QPointF(Snap(right, deviceScale), Snap(bottom, deviceScale)));
}

QRectF IndexPartsChart::BarRect(int row, qreal deviceScale) const {
    const QRectF track = TrackRect(row, deviceScale);
    if (track.isEmpty()) return {};
    const IndexPart& p = parts_.parts[std::size_t(row)];
    const qreal share = std::clamp(p.points / p.max, 0.0, 1.0);
    QRectF bar = track;
    bar.setRight(Snap(track.left() + track.width() * share, deviceScale));
    return bar;
}

int IndexPartsChart::RowAt(QPoint pos) const {
    if (pos.y() < kMargin || pos.x() < 0 || pos.x() >= width()) return -1;
    const int row = (pos.y() - kMargin) / RowHeight();
    return row < int(parts_.parts.size()) ? row : -1;
}

QString IndexPartsChart::ValueText(int row) const {
    if (row < 0 || row >= int(parts_.parts.size())) return {};
    const IndexPart& p = parts_.parts[std::size_t(row)];
    if (!p.applies) return QStringLiteral("—");
    const QString points = ToQString(PointsText(p.points));
    if (p.id == IndexPartId::kCap) return points;
    return points + QStringLiteral(" / ") + QString::number(p.max);
}

QString IndexPartsChart::RowToolTip(int row) const {
    if (row < 0 || row >= int(parts_.parts.size())) return {};
    const IndexPart& p = parts_.parts[std::size_t(row)];
    QString tip = ToQString(p.Explanation());
    for (const IndexPartInput& in : p.inputs) {
        tip += u'\n';
        if (in.ofBoth) {
            tip += tr("甲命%1：%2　乙命%1：%3").arg(ToQString(in.name), ToQString(in.a), ToQString(in.b));
        } else {
            tip += tr("%1：%2").arg(ToQString(in.name), ToQString(in.a));
        }
    }
    return tip;
}

void IndexPartsChart::UpdateAccessibleText() {
    QStringList rows;
    for (int r = 0; r < int(parts_.parts.size()); ++r) {
        rows << tr("%1 %2").arg(ToQString(parts_.parts[std::size_t(r)].name), ValueText(r));
    }
    setAccessibleDescription(tr("婚配指数%1分：").arg(ToQString(PointsText(parts_.index))) + rows.join(tr("；")));
}

// The rows of the parts and the row of their sum.
QSize IndexPartsChart::sizeHint() const {
    return {2 * kMargin + NameWidth() + 2 * kGap + 280 + ValueWidth(),
            2 * kMargin + int(parts_.parts.size() + 1) * RowHeight()};
}

QSize IndexPartsChart::minimumSizeHint() const {
    return {2 * kMargin + NameWidth() + 2 * kGap + kMinTrackWidth + ValueWidth(),
            2 * kMargin + int(parts_.parts.size() + 1) * RowHeight()};
}

void IndexPartsChart::Paint(QPainter& p, qreal deviceScale) const {
    p.fillRect(QRectF(0, 0, width(), height()), palette().brush(QPalette::Base));
    p.setFont(font());
    const QColor text = palette().color(QPalette::Text);
    const qreal hairline = 1 / deviceScale;
    for (int r = 0; r < int(parts_.parts.size()); ++r) {
        const QRectF row(kMargin, kMargin + r * RowHeight(), width() - 2 * kMargin, RowHeight());
        p.setPen(text);
        p.drawText(QRectF(row.left(), row.top(), NameWidth(), row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   ToQString(parts_.parts[std::size_t(r)].name));
        p.drawText(QRectF(row.right() - ValueWidth(), row.top(), ValueWidth(), row.height()),
                   Qt::AlignRight | Qt::AlignVCenter, ValueText(r));
        const QRectF track = TrackRect(r, deviceScale);
        if (track.isEmpty()) continue;
        p.fillRect(track, palette().brush(QPalette::Button));
        const QRectF bar = BarRect(r, deviceScale);
        if (bar.width() > 0) p.fillRect(bar, palette().brush(QPalette::Highlight));
        // The track's outline, one device pixel inside its edges.
        const QColor mid = palette().color(QPalette::Mid);
        p.fillRect(QRectF(track.left(), track.top(), track.width(), hairline), mid);
        p.fillRect(QRectF(track.left(), track.bottom() - hairline, track.width(), hairline), mid);
        p.fillRect(QRectF(track.left(), track.top(), hairline, track.height()), mid);
        p.fillRect(QRectF(track.right() - hairline, track.top(), hairline, track.height()), mid);
    }
    // The sum under a rule.
    const QRectF sum(kMargin, kMargin + int(parts_.parts.size()) * RowHeight(), width() - 2 * kMargin, RowHeight());
    p.fillRect(QRectF(sum.left(), Snap(sum.top(), deviceScale), sum.width(), hairline), palette().color(QPalette::Mid));
    p.setPen(text);
    p.drawText(QRectF(sum.left(), sum.top(), NameWidth(), sum.height()), Qt::AlignLeft | Qt::AlignVCenter, tr("合计"));
    p.drawText(QRectF(sum.right() - ValueWidth(), sum.top(), ValueWidth(), sum.height()),
               Qt::AlignRight | Qt::AlignVCenter, ToQString(PointsText(parts_.index)));
}

QImage IndexPartsChart::Render(qreal scale) const {
    QImage img(QSize(qRound(width() * scale), qRound(height() * scale)), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    Paint(p, scale);
    return img;
}

void IndexPartsChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Paint(p, devicePixelRatioF());
}

bool IndexPartsChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = RowAt(help->pos());
        if (row >= 0) {
            QToolTip::showText(help->globalPos(), RowToolTip(row), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tessaly
