// ChartPicture — the small picture beside the report: both persons' four
// pillars and the compatibility index on the background "bk".
//
// The picture is drawn on a 120 × 500 canvas and scaled into its control
// (keeping its proportions), so nothing is clipped at any control size.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

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

// The background alone, 120 × 500 (the resource "bk").
QImage PictureBackground();

// The whole picture, 120 × 500.
QImage DrawChartPicture(const ChartPictureData& data);

// The image control: shows a picture scaled into itself.
class ChartPictureView : public QWidget {
    Q_OBJECT
public:
    explicit ChartPictureView(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    QSize sizeHint() const override { return {kPictureWidth, kPictureHeight / 2}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace tessaly
