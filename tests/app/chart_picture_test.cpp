// The chart picture drawn at the device's resolution, its texts clear of
// the background's frame.
#include <QPainter>

#include "app/AppSetup.h"
#include "app/ChartPicture.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

ChartPictureData Sample() {
    ChartPictureData d;
    d.aPillars = {7, 18, 14, 41};
    d.bPillars = {9, 11, 20, 0};  // 0 is 癸亥
    d.matchIndex = 65.4f;
    return d;
}

// Sum of the squared brightness steps between horizontal neighbours in `r`
// (device pixels): an edge drawn sharp is one large step, an edge scaled up
// from a small bitmap several small ones.
double EdgeEnergy(const QImage& img, const QRect& r) {
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x < r.right(); ++x) {
            const int step = qGray(img.pixel(x, y)) - qGray(img.pixel(x + 1, y));
            sum += double(step) * step;
        }
    }
    return sum;
}

QRect DeviceRect(const QRectF& canvas, qreal scale) {
    return QRectF(canvas.topLeft() * scale, canvas.size() * scale).toAlignedRect();
}

TEST(ChartPicture, IsDrawnAtTheDevicePixelRatio) {
    const ChartPictureData d = Sample();
    const QImage one = DrawChartPicture(d, 1);
    const QImage two = DrawChartPicture(d, 2);
    EXPECT_EQ(one.size(), QSize(120, 500));
    EXPECT_EQ(two.size(), QSize(240, 1000));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(120, 500));
    EXPECT_EQ(PictureBackground(2).size(), QSize(240, 1000));  // the background has its own 2× copy

    const QImage upscaled = one.scaled(240, 1000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const PictureText& t : PictureTexts(d)) {
        SCOPED_TRACE(t.text.toStdString());
        const QRect r = DeviceRect(t.glyphBox, 2);
        EXPECT_GT(EdgeEnergy(two, r), 1.3 * EdgeEnergy(upscaled, r));
    }
}

TEST(ChartPicture, ViewDrawsVectorsOnAHighResolutionCanvas) {
    ChartPictureView view;
    view.resize(kPictureWidth, kPictureHeight);
    view.SetPicture(Sample());
    QImage canvas(240, 1000, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(2);
    canvas.fill(Qt::white);
    view.render(&canvas);
    const QImage upscaled = view.Picture(1).scaled(240, 1000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const std::vector<PictureText> texts = PictureTexts(Sample());
    ASSERT_FALSE(texts.empty());
    const QRect r = DeviceRect(texts.front().glyphBox, 2);
    EXPECT_GT(EdgeEnergy(canvas, r), 1.3 * EdgeEnergy(upscaled, r));
}

// The texts of the picture in English (the labels come from the translation).
std::vector<PictureText> EnglishTexts(const ChartPictureData& d) {
    ApplyLanguage(UiLanguage::kEnglish);
    std::vector<PictureText> texts = PictureTexts(d);
    ApplyLanguage(UiLanguage::kSimplified);
    return texts;
}

TEST(ChartPicture, TextsStayClearOfTheFrame) {
    // The frame is dark ink on the parchment and gold on the red field; the
    // paper's fibres are far lighter than the ink. The English labels are
    // longer, and each pillar has its pinyin beneath.
    auto isFrame = [](QRgb p, bool onField) { return onField ? qGreen(p) > 80 : qGreen(p) < 190; };
    const std::pair<const char*, std::vector<PictureText>> kTexts[] = {{"Chinese", PictureTexts(Sample())},
                                                                       {"English", EnglishTexts(Sample())}};
    for (const auto& [language, texts] : kTexts) {
        for (qreal scale : {1.0, 2.0}) {
            const QImage bk = PictureBackground(scale);
            for (const PictureText& t : texts) {
                SCOPED_TRACE(testing::Message() << language << " scale " << scale << " " << t.text.toStdString());
                const bool onField = t.color == QColor(Qt::white);
                const QRect r = DeviceRect(t.glyphBox.adjusted(-1, -1, 1, 1), scale);
                ASSERT_TRUE(bk.rect().contains(r));
                int hits = 0;
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    for (int x = r.left(); x <= r.right(); ++x) hits += isFrame(bk.pixel(x, y), onField);
                }
                EXPECT_EQ(hits, 0);
            }
        }
    }
}

TEST(ChartPicture, ViewWithoutACoupleShowsTheBackgroundAlone) {
    ChartPictureView view;
    EXPECT_EQ(view.Picture(), PictureBackground());
    view.SetPicture(Sample());
    EXPECT_NE(view.Picture(), PictureBackground());
    view.Clear();
    EXPECT_FALSE(view.Data().has_value());
    EXPECT_EQ(view.Picture(), PictureBackground());
}

}  // namespace
}  // namespace tessaly
