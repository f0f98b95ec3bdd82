// IndexPartsChart — the compatibility index drawn as its parts: one row per
// part with its name, a bar (the points it gave of the most it could give)
// and the points as text; the 高分制 bonus and the cap at 99 are rows of
// their own, and their sum, the index, closes the chart. A row's tooltip is
// the part's line of the pairing section.
//
// The bars are drawn with QPainter in logical pixels, their edges put on
// whole device pixels, so that they are sharp at any device pixel ratio.
// Colours come from the palette (base, text, highlight, mid), never from
// literal values, so the chart is readable under every skin and desktop
// theme.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>

#include "readings/IndexParts.h"

namespace tessaly {

class IndexPartsChart : public QWidget {
    Q_OBJECT
public:
    explicit IndexPartsChart(QWidget* parent = nullptr);

    void SetParts(const IndexParts& parts);
    const IndexParts& Parts() const { return parts_; }

    // The geometry of row `row` (a part, in IndexPartId order) at the
    // widget's size, in logical pixels, with edges on whole device pixels of
    // `deviceScale`: the whole track of the bar (empty for the cap, which
    // has no most), and its filled part.
    QRectF TrackRect(int row, qreal deviceScale) const;
    QRectF BarRect(int row, qreal deviceScale) const;
    // The row under a point, or −1.
    int RowAt(QPoint pos) const;
    // The tooltip of a row: the part's line (or note), then what it compared.
    QString RowToolTip(int row) const;
    // The text at the right of a row: "22.75 / 35", "—" for a part that did
    // not apply, "-3.27" for the cap.
    QString ValueText(int row) const;

    // The chart as it is drawn, at device pixel ratio `scale`.
    QImage Render(qreal scale) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Paint(QPainter& p, qreal deviceScale) const;
    int RowHeight() const;
    int NameWidth() const;
    int ValueWidth() const;
    void UpdateAccessibleText();

    IndexParts parts_;
};

}  // namespace tessaly
