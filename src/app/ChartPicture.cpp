#include "ChartPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "AppFonts.h"
#include "chart/Tables.h"
#include "matching/MatchingRun.h"

// Resources of a static library are registered by hand.
static void InitPictureResources() { Q_INIT_RESOURCE(app); }

namespace tessaly {

ChartPictureData PictureDataOf(const MatchingResult& result) {
    ChartPictureData d;
    d.aMale = result.persons[0].Person().isMale != 0;
    d.bMale = result.persons[1].Person().isMale != 0;
    d.aPillars = result.persons[0].Chart().pillars;
    d.bPillars = result.persons[1].Chart().pillars;
    d.matchIndex = result.index;
    return d;
}

QString IndexCaption(float matchIndex) { return QStringLiteral("婚配指数=%1分").arg(static_cast<int>(matchIndex)); }

namespace {

QImage LoadBackground(const QString& resource, int scale) {
    InitPictureResources();
    QImage img(resource);
    if (img.isNull()) {  // never expected: the images are compiled in
        img = QImage(kPictureWidth * scale, kPictureHeight * scale, QImage::Format_RGB32);
        img.fill(QColor(240, 228, 200));
    }
    img = img.convertToFormat(QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    return img;
}

QString PillarText(int pillar) { return QString::fromStdString(PillarName(pillar)); }

// One person's column from y = 8, rows spaced by the cell height h; returns
// the y below the last pillar.
qreal AddColumn(std::vector<PictureText>& out, const QFont& font, qreal x, qreal h, const QString& title, bool male,
                const std::array<std::int16_t, 4>& pillars) {
    qreal y = 8;
    out.push_back({title, font, Qt::black, {x, y}, {}});
    y += h + 5;
    out.push_back({male ? QStringLiteral("乾造") : QStringLiteral("坤造"), font, Qt::black, {x, y}, {}});
    y += h + 30;
    for (std::int16_t pillar : pillars) {
        out.push_back({PillarText(pillar), font, Qt::black, {x, y}, {}});
        y += h + 20;
    }
    return y;
}

}  // namespace

QImage PictureBackground(qreal deviceScale) {
    static const QImage bk1 = LoadBackground(QStringLiteral(":/bk"), 1);
    static const QImage bk2 = LoadBackground(QStringLiteral(":/bk@2x"), 2);
    return deviceScale > 1.01 ? bk2 : bk1;
}

std::vector<PictureText> PictureTexts(const ChartPictureData& d) {
    // 16 points of the Windows screen (96 dots per inch) are 21 pixels; the
    // rows are spaced by that cell height, as "宋体" has it, whatever font
    // stands in for it.
    QFont big(kSongTi);
    big.setPixelSize(21);
    big.setBold(true);
    const qreal w = QFontMetricsF(big).horizontalAdvance(QStringLiteral("正"));
    const qreal h = big.pixelSize();
    std::vector<PictureText> texts;
    AddColumn(texts, big, 2, h, QStringLiteral("甲命"), d.aMale, d.aPillars);
    const qreal y = AddColumn(texts, big, 2 + 3 * std::round(w), h, QStringLiteral("乙命"), d.bMale, d.bPillars);

    QFont small(kSongTi);
    small.setPixelSize(15);  // 11 points
    small.setBold(true);
    texts.push_back({IndexCaption(d.matchIndex), small, Qt::white, {5, y}, {}});

    for (PictureText& t : texts) {
        const QFontMetricsF fm(t.font);
        t.glyphBox = fm.tightBoundingRect(t.text).translated(t.cellTopLeft + QPointF(0, fm.ascent()));
    }
    return texts;
}

void PaintChartPicture(QPainter& p, const ChartPictureData* d, qreal deviceScale) {
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRectF(0, 0, kPictureWidth, kPictureHeight), PictureBackground(deviceScale));
    if (d != nullptr) {
        for (const PictureText& t : PictureTexts(*d)) {
            p.setFont(t.font);
            p.setPen(t.color);
            // At the baseline of its cell: the same place at any scale.
            p.drawText(t.cellTopLeft + QPointF(0, QFontMetricsF(t.font).ascent()), t.text);
        }
    }
    p.restore();
}

namespace {

QImage RenderPicture(const ChartPictureData* d, qreal scale) {
    QImage img(QSize(int(std::ceil(kPictureWidth * scale)), int(std::ceil(kPictureHeight * scale))),
               QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintChartPicture(p, d, scale);
    return img;
}

}  // namespace

QImage DrawChartPicture(const ChartPictureData& d, qreal scale) { return RenderPicture(&d, scale); }

ChartPictureView::ChartPictureView(QWidget* parent) : QWidget(parent) { setMinimumSize(40, 80); }

void ChartPictureView::SetPicture(const ChartPictureData& data) {
    data_ = data;
    update();
}

void ChartPictureView::Clear() {
    data_.reset();
    update();
}

QImage ChartPictureView::Picture(qreal scale) const { return RenderPicture(data_ ? &*data_ : nullptr, scale); }

void ChartPictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);  // around the picture the panel shows through
    const QSizeF s = QSizeF(kPictureWidth, kPictureHeight).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const qreal zoom = s.width() / kPictureWidth;
    p.translate((width() - s.width()) / 2, (height() - s.height()) / 2);
    p.scale(zoom, zoom);
    PaintChartPicture(p, data_ ? &*data_ : nullptr, zoom * devicePixelRatioF());
}

}  // namespace tessaly
