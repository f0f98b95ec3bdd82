#include "ReportView.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QFont>
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/StyledText.h"

namespace tessaly {

EditorPositions::EditorPositions(const std::string& report) {
    for (std::size_t i = 0; i < report.size();) {
        const auto c = static_cast<unsigned char>(report[i]);
        if (c == '\r' && i + 1 < report.size() && report[i + 1] == '\n') {
            utf8Start_.push_back(i);
            text_.append(u'\n');  // CR LF: one break in the editor
            i += 2;
            continue;
        }
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (i + n > report.size()) n = report.size() - i;
        const QString ch = QString::fromUtf8(report.data() + i, qsizetype(n));
        for (qsizetype k = 0; k < ch.size(); ++k) utf8Start_.push_back(i);  // a surrogate pair takes two
        text_.append(ch);
        i += n;
    }
    utf8Start_.push_back(report.size());
}

int EditorPositions::ToEditor(std::size_t offset) const {
    const auto it = std::lower_bound(utf8Start_.begin(), utf8Start_.end(), offset);
    return it == utf8Start_.end() ? int(text_.size()) : int(it - utf8Start_.begin());
}

namespace {

const QColor kBlack(0, 0, 0);

QTextCharFormat DefaultFormat(const QTextEdit* pane) {
    QTextCharFormat f;
    f.setFontFamilies({pane->font().family()});
    f.setFontPointSize(pane->font().pointSizeF());
    f.setForeground(kBlack);
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    return f;
}

void SetParagraphs(QTextEdit* pane, int leftIndent) {
    QTextCursor c(pane->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(Qt::AlignLeft);
    bf.setTextIndent(leftIndent);
    c.mergeBlockFormat(bf);
    // The chart and luck tables keep their columns: their lines never
    // wrap (the pane scrolls sideways), while the readings wrap.
    QTextBlockFormat whole;
    whole.setNonBreakableLines(true);
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next()) {
        if (!IsColumnLine(b.text())) continue;
        QTextCursor line(b);
        line.mergeBlockFormat(whole);
    }
}

void Finish(QTextEdit* pane) {
    QTextCursor top(pane->document());
    top.setPosition(0);
    pane->setTextCursor(top);
    pane->ensureCursorVisible();
    pane->document()->clearUndoRedoStacks();
    pane->document()->setModified(false);
}

}  // namespace

void ChangePaneFont(QTextEdit* pane, const QFont& from, const QFont& to) {
    const qreal fromSize = from.pointSizeF(), toSize = to.pointSizeF();
    const bool sameFamily = from.family() == to.family();
    if (sameFamily && (fromSize <= 0 || toSize <= 0 || qFuzzyCompare(fromSize, toSize))) return;
    QTextDocument* doc = pane->document();
    const bool modified = doc->isModified();
    // Every run in the old report font takes the new one; every size
    // grows or shrinks in proportion (a heading stays larger than the text).
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const QTextCharFormat old = frag.charFormat();
            QTextCharFormat f;
            if (!sameFamily) {
                const QStringList families = old.fontFamilies().toStringList();
                if (families.isEmpty() || families.front() == from.family()) f.setFontFamilies({to.family()});
            }
            if (fromSize > 0 && toSize > 0) {
                const qreal size = old.fontPointSize() > 0 ? old.fontPointSize() : fromSize;
                f.setFontPointSize(std::max(1.0, std::round(size * toSize / fromSize * 2) / 2));
            }
            QTextCursor c(doc);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            c.mergeCharFormat(f);
        }
    }
    edit.endEditBlock();
    doc->setModified(modified);
}

bool IsColumnLine(const QString& line) { return line.trimmed().contains(QStringLiteral("  ")); }

void ResetPane(QTextEdit* pane, const QString& text) {
    pane->clear();
    pane->document()->setDefaultFont(pane->font());
    const QTextCharFormat f = DefaultFormat(pane);
    pane->setCurrentCharFormat(f);
    if (!text.isEmpty()) {
        QTextCursor c(pane->document());
        c.insertText(text, f);
    }
}

void ShowPlainText(QTextEdit* pane, const std::string& text, int leftIndent) {
    const EditorPositions pos(text);
    ResetPane(pane, pos.EditorText());
    SetParagraphs(pane, leftIndent);
    Finish(pane);
}

void ShowReport(QTextEdit* pane, const StyledReport& styled) {
    const EditorPositions pos(styled.text);
    ResetPane(pane, pos.EditorText());
    SetParagraphs(pane, styled.firstLineIndent / 15);  // twips → pixels

    for (const StyleRun& run : styled.runs) {
        const int a = pos.ToEditor(run.start);
        const int b = pos.ToEditor(run.start + run.length);
        if (b <= a) continue;
        QTextCharFormat f;
        if (run.pointSize) f.setFontPointSize(*run.pointSize);
        if (run.color)
            f.setForeground(
                QColor(int(*run.color & 0xFF), int((*run.color >> 8) & 0xFF), int((*run.color >> 16) & 0xFF)));
        if (run.bold) f.setFontWeight(*run.bold ? QFont::Bold : QFont::Normal);
        if (run.italic) f.setFontItalic(*run.italic);
        if (run.underline) f.setFontUnderline(*run.underline);
        if (run.strikeOut) f.setFontStrikeOut(*run.strikeOut);
        if (run.font)
            f.setFontFamilies({run.font->empty() ? pane->font().family() : QString::fromStdString(*run.font)});
        QTextCursor c(pane->document());
        c.setPosition(a);
        c.setPosition(b, QTextCursor::KeepAnchor);
        c.mergeCharFormat(f);
    }
    Finish(pane);
}

}  // namespace tessaly
