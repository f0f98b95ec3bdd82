// ChartPicture — the small picture beside the report: both persons' four
// pillars and the compatibility index on the background "bk".
//
// The picture is laid out on a 120 × 500 canvas of logical pixels and drawn
// as vectors at whatever size and device pixel ratio it is shown: a view
// twice as large, or a screen at 2×, gets sharp text, and the background
// comes from its high-resolution copy.
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

// "婚配指数=%d分" with the index truncated toward zero.
QString IndexCaption(float matchIndex);

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
// 乾造/坤造, four pillars), then the index.
std::vector<PictureText> PictureTexts(const ChartPictureData& data);

// Paints the picture onto `painter`, whose transform maps the 120 × 500
// canvas to its target; `deviceScale` (device pixels per canvas pixel)
// chooses the background's resolution. Without data: the background alone.
void PaintChartPicture(QPainter& painter, const ChartPictureData* data, qreal deviceScale);

// The whole picture as an image of 120 × 500 logical pixels at device pixel
// ratio `scale` (so 120·scale × 500·scale pixels).
QImage DrawChartPicture(const ChartPictureData& data, qreal scale = 1);

// The image control: the picture scaled into itself (keeping its
// proportions), drawn at the screen's resolution.
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
