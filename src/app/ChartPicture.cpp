#include "ChartPicture.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <cmath>

#include "AppFonts.h"
#include "AppSetup.h"
#include "chart/Tables.h"
#include "lang/Glossary.h"
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

QString IndexCaption(float matchIndex) {
    return QCoreApplication::translate("ChartPicture", "婚配指数=%1分").arg(static_cast<int>(matchIndex));
}

namespace {

QString PersonLabel(int person) {
    return person == 0 ? QCoreApplication::translate("ChartPicture", "甲命")
                       : QCoreApplication::translate("ChartPicture", "乙命");
}

QString SexLabel(bool male) {
    return male ? QCoreApplication::translate("ChartPicture", "乾造")
                : QCoreApplication::translate("ChartPicture", "坤造");
}

// "gēng wǔ": the pinyin of a pillar's stem and branch, from the glossary.
QString PillarPinyin(int pillar) {
    QStringList parts;
    for (const std::string_view name : {PillarStemName(pillar), PillarBranchName(pillar)}) {
        if (const GlossaryTerm* t = Glossary::Builtin().Find(name)) parts << QString::fromStdString(t->pinyin);
    }
    return parts.join(u' ');
}

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

// The font, made smaller (down to 8 pixels) until `text` is at most `width`
// wide.
QFont FittedFont(QFont font, const QString& text, qreal width) {
    while (font.pixelSize() > 8 && QFontMetricsF(font).horizontalAdvance(text) > width) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

// One person's column from y = 8, rows spaced by the cell height h, labels
// fitted into `width`; returns the y below the last pillar. With pinyin the
// pillars move up a little, so that the last one's pinyin stays above the
// parchment's lower edge; the returned y stays where it is without.
qreal AddColumn(std::vector<PictureText>& out, const QFont& font, qreal x, qreal h, qreal width, int person, bool male,
                const std::array<std::int16_t, 4>& pillars, bool pinyin) {
    const qreal lift = pinyin ? 12 : 0;
    qreal y = 8;
    const QString title = PersonLabel(person);
    out.push_back({title, FittedFont(font, title, width), Qt::black, {x, y}, {}});
    y += h + 5;
    const QString sex = SexLabel(male);
    out.push_back({sex, FittedFont(font, sex, width), Qt::black, {x, y}, {}});
    y += h + 30 - lift;
    QFont small(kSongTi);
    small.setPixelSize(10);
    for (std::int16_t pillar : pillars) {
        out.push_back({PillarText(pillar), font, Qt::black, {x, y}, {}});
        if (pinyin) {
            const QString p = PillarPinyin(pillar);
            out.push_back({p, FittedFont(small, p, width), Qt::black, {x, y + h + 2}, {}});
        }
        y += h + 20;
    }
    return y + lift;
}

}  // namespace

QImage PictureBackground(qreal deviceScale) {
    static const QImage bk1 = LoadBackground(QStringLiteral(":/bk"), 1);
    static const QImage bk2 = LoadBackground(QStringLiteral(":/bk@2x"), 2);
    return deviceScale > 1.01 ? bk2 : bk1;
}

std::vector<PictureText> PictureTexts(const ChartPictureData& d) { return PictureTexts(d, CurrentLanguage()); }

std::vector<PictureText> PictureTexts(const ChartPictureData& d, UiLanguage language) {
    // 16 points of the Windows screen (96 dots per inch) are 21 pixels; the
    // rows are spaced by that cell height, as "宋体" has it, whatever font
    // stands in for it.
    QFont big(kSongTi);
    big.setPixelSize(21);
    big.setBold(true);
    const qreal w = QFontMetricsF(big).horizontalAdvance(QStringLiteral("正"));
    const qreal h = big.pixelSize();
    // A label fits between its column's start and the line (or the frame)
    // on its right; the index has the width of the picture inside the frame.
    const qreal xB = 2 + 3 * std::round(w);
    const qreal column = 3 * std::round(w) - 14;
    const bool pinyin = language == UiLanguage::kEnglish;
    std::vector<PictureText> texts;
    AddColumn(texts, big, 2, h, column, 0, d.aMale, d.aPillars, pinyin);
    const qreal y = AddColumn(texts, big, xB, h, column, 1, d.bMale, d.bPillars, pinyin);

    QFont small(kSongTi);
    small.setPixelSize(15);  // 11 points
    small.setBold(true);
    const QString index = IndexCaption(d.matchIndex);
    texts.push_back({index, FittedFont(small, index, kPictureWidth - 10), Qt::white, {5, y}, {}});

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

QString PictureDescription(const ChartPictureData& d, UiLanguage language) {
    const bool english = language == UiLanguage::kEnglish;
    const auto person = [&](int n, bool male, const std::array<std::int16_t, 4>& pillars) {
        QStringList ps;
        for (std::int16_t p : pillars) ps << (english ? PillarText(p) + u' ' + PillarPinyin(p) : PillarText(p));
        return english ? PersonLabel(n) + QStringLiteral(", ") + SexLabel(male) + QStringLiteral(": ") +
                             ps.join(QStringLiteral(", "))
                       : PersonLabel(n) + u' ' + SexLabel(male) + u' ' + ps.join(u' ');
    };
    const QString sep = english ? QStringLiteral("; ") : QStringLiteral("；");
    return person(0, d.aMale, d.aPillars) + sep + person(1, d.bMale, d.bPillars) + sep + IndexCaption(d.matchIndex);
}

ChartPictureView::ChartPictureView(QWidget* parent) : QWidget(parent) { setMinimumSize(40, 80); }

void ChartPictureView::SetPicture(const ChartPictureData& data) {
    data_ = data;
    setAccessibleDescription(PictureDescription(data, CurrentLanguage()));
    update();
}

void ChartPictureView::Clear() {
    data_.reset();
    setAccessibleDescription(QString());
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
