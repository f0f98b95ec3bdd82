// HeTuLuoShuDialog (aka TFrmHeLuo, Untheluo) — "河图与洛书": one of the two number diagrams, switched by
// the labels "河图" and "洛书" above it; the He Tu is shown first.
#pragma once

#include <QDialog>

class QToolButton;

namespace tessaly {

enum class NumberDiagram { kHeTu, kLuoShu };

// The picture (aka img1): the diagram's shapes painted antialiased at the
// widget's size (450 × 450 at least) and the screen's scale.
class NumberDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit NumberDiagramView(QWidget* parent = nullptr);

    void SetDiagram(NumberDiagram diagram);
    NumberDiagram diagram() const { return diagram_; }

    QSize minimumSizeHint() const override { return {450, 450}; }
    QSize sizeHint() const override { return {450, 450}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NumberDiagram diagram_ = NumberDiagram::kHeTu;
};

class HeTuLuoShuDialog : public QDialog {
    Q_OBJECT
public:
    explicit HeTuLuoShuDialog(QWidget* parent = nullptr);

    // Controls, named as in the other program.
    NumberDiagramView* img1;
    QToolButton* Label1;  // "河图"
    QToolButton* Label2;  // "洛书"
};

}  // namespace tessaly
