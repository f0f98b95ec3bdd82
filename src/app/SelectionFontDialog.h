// SelectionFontDialog — "设置选中文本": the font dialog of the report pane's
// popup menu, pre-set with the selected text's font and colour; it gives a
// font (family, style, size, bold, italic, underline, strike-out) and a
// colour.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QFontDialog;
class QPushButton;

namespace tessaly {

class SelectionFontDialog : public QDialog {
    Q_OBJECT
public:
    SelectionFontDialog(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    // The chosen font. A family shown through its installed stand-in (宋体
    // where only a substitute is installed) keeps its own name.
    QFont SelectedFont() const;
    QColor SelectedColor() const { return color_; }
    void SetColor(const QColor& color);

    QFontDialog* fontPanel;
    // Bold and italic of their own: Chinese fonts often have one style only,
    // which the panel cannot show as bold or italic.
    QCheckBox* boldBox;
    QCheckBox* italicBox;
    QPushButton* colorButton;

private:
    void ChooseColor();

    QString family_;   // the family asked for
    QString shownAs_;  // the installed family the panel shows for it
    QFont lastPanelFont_;
    QColor color_;
};

}  // namespace tessaly
