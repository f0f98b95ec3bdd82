// ChartPicture (aka TChartImage) — the small picture beside the report: both persons' four
// pillars and the compatibility index on the background "bk".
//
// The picture is laid out on a 120 × 500 canvas of logical pixels and drawn
// as vectors at whatever size and device pixel ratio it is shown: a view
// twice as large, or a screen at 2×, gets sharp text, and the background
// comes from its high-resolution copy.
//
// The labels (甲命, 乾造, 婚配指数) speak the window's language through the
// translations ("Person A", "Male", "Index 65/99" in English); a label wider
// than its column is drawn smaller until it fits, which a Chinese label never
// is. In English each pillar also gets its pinyin beneath it, from the
// glossary. The pillars themselves stay Chinese: they are the chart.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "lang/Language.h"

class QPainter;

namespace tessaly {

struct MatchingResult;

inline constexpr int kPictureWidth = 120;
inline constexpr int kPictureHeight = 500;

// What the picture shows.
struct ChartPictureData {
    bool aMale = true, bMale = false;
    std::array<std::int16_t, 4> aPillars{}, bPillars{};  // PillarIndex
    float matchIndex = 0;
};

ChartPictureData PictureDataOf(const MatchingResult& result);

// "婚配指数=%d分" with the index truncated toward zero, in the window's
// language.
QString IndexCaption(float matchIndex);

// What the picture shows, as one text for a screen reader: "甲命 乾造
// 庚午 辛巳 丁丑 甲辰；乙命 坤造 …；婚配指数=65分"; in English with each
// pillar's pinyin ("Person A, Male: 庚午 gēng wǔ, …; … Index 65/99").
QString PictureDescription(const ChartPictureData& data, UiLanguage language);

// The background alone, 120 × 500 logical pixels: the resource "bk", or
// for a device scale above 1 its copy at twice the resolution (device pixel
// ratio 2).
QImage PictureBackground(qreal deviceScale = 1);

// One text of the picture: where it is drawn (its cell at the top-left
// corner) and the box its glyphs cover, in canvas coordinates.
struct PictureText {
    QString text;
    QFont font;
    QColor color;
    QPointF cellTopLeft;
    QRectF glyphBox;
};

// The texts of the picture in drawing order: both columns (甲命/乙命,
// 乾造/坤造, four pillars, in English each followed by its pinyin), then the
// index. `language` chooses the pinyin; the labels come from the installed
// translation (AppSetup's ApplyLanguage).
std::vector<PictureText> PictureTexts(const ChartPictureData& data, UiLanguage language);
std::vector<PictureText> PictureTexts(const ChartPictureData& data);  // in CurrentLanguage()

// Paints the picture onto `painter`, whose transform maps the 120 × 500
// canvas to its target; `deviceScale` (device pixels per canvas pixel)
// chooses the background's resolution. Without data: the background alone.
// The texts are those of CurrentLanguage().
void PaintChartPicture(QPainter& painter, const ChartPictureData* data, qreal deviceScale);

// The whole picture as an image of 120 × 500 logical pixels at device pixel
// ratio `scale` (so 120·scale × 500·scale pixels).
QImage DrawChartPicture(const ChartPictureData& data, qreal scale = 1);

// The image control: the picture scaled into itself (keeping its
// proportions), drawn at the screen's resolution. Its accessible
// description is PictureDescription of what it shows (empty without a
// couple).
class ChartPictureView : public QWidget {
    Q_OBJECT
public:
    explicit ChartPictureView(QWidget* parent = nullptr);
    void SetPicture(const ChartPictureData& data);
    // Back to the background alone (no couple on screen).
    void Clear();
    const std::optional<ChartPictureData>& Data() const { return data_; }
    // What the control shows, as a 120 × 500 image at device pixel ratio
    // `scale`.
    QImage Picture(qreal scale = 1) const;
    QSize sizeHint() const override { return {kPictureWidth, kPictureHeight / 2}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ChartPictureData> data_;
};

}  // namespace tessaly
