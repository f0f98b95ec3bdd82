#include "ChartPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include "AppFonts.h"
#include "matching/MatchingRun.h"
#include "chart/Tables.h"

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

QString IndexCaption(float matchIndex) {
    return QStringLiteral("婚配指数=%1分").arg(static_cast<int>(matchIndex));
}

QImage PictureBackground() {
    static const QImage bk = [] {
        InitPictureResources();
        QImage img(QStringLiteral(":/bk"));
        if (img.isNull()) {  // never expected: the image is compiled in
            img = QImage(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
            img.fill(QColor(240, 228, 200));
        }
        return img.convertToFormat(QImage::Format_RGB32);
    }();
    return bk;
}

namespace {

QString PillarText(int pillar) { return QString::fromStdString(PillarName(pillar)); }

// One person's column from y = 8; returns the y below the last pillar.
int DrawColumn(QPainter& p, int x, int h, const QString& title, bool male,
               const std::array<std::int16_t, 4>& pillars) {
    int y = 8;
    p.drawText(QRect(x, y, kPictureWidth, h + 8), Qt::AlignLeft | Qt::AlignTop, title);
    y += h + 5;
    p.drawText(QRect(x, y, kPictureWidth, h + 8), Qt::AlignLeft | Qt::AlignTop,
               male ? QStringLiteral("乾造") : QStringLiteral("坤造"));
    y += h + 30;
    for (std::int16_t pillar : pillars) {
        p.drawText(QRect(x, y, kPictureWidth, h + 8), Qt::AlignLeft | Qt::AlignTop, PillarText(pillar));
        y += h + 20;
    }
    return y;
}

}  // namespace

QImage DrawChartPicture(const ChartPictureData& d) {
    QImage img(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(QRect(0, 0, kPictureWidth, kPictureHeight), PictureBackground());

    // 16 points of the Windows screen (96 dots per inch) are 21 pixels; the
    // rows are spaced by that cell height, as "宋体" has it, whatever font
    // stands in for it.
    QFont big(kSongTi);
    big.setPixelSize(21);
    big.setBold(true);
    p.setFont(big);
    p.setPen(Qt::black);
    const int w = QFontMetrics(big).horizontalAdvance(QStringLiteral("正"));
    const int h = big.pixelSize();
    DrawColumn(p, 2, h, QStringLiteral("甲命"), d.aMale, d.aPillars);
    const int y = DrawColumn(p, 2 + 3 * w, h, QStringLiteral("乙命"), d.bMale, d.bPillars);

    QFont small(kSongTi);
    small.setPixelSize(15);  // 11 points
    small.setBold(true);
    p.setFont(small);
    p.setPen(Qt::white);
    p.drawText(QRect(5, y, kPictureWidth, 24), Qt::AlignLeft | Qt::AlignTop, IndexCaption(d.matchIndex));
    return img;
}

ChartPictureView::ChartPictureView(QWidget* parent) : QWidget(parent), picture_(PictureBackground()) {
    setMinimumSize(40, 80);
}

void ChartPictureView::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ChartPictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (picture_.isNull()) return;
    const QSize s = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture_);
}

}  // namespace tessaly
