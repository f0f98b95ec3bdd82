#include "ReportView.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <optional>

namespace tessaly {

GbkPositions::GbkPositions(const std::string& report) {
    const QString src = QString::fromUtf8(report.data(), qsizetype(report.size()));
    text_.reserve(src.size());
    byteStart_.reserve(std::size_t(src.size()) + 1);
    long byte = 0;
    for (qsizetype i = 0; i < src.size(); ++i) {
        const QChar c = src.at(i);
        byteStart_.push_back(byte);
        if (c == u'\r' && i + 1 < src.size() && src.at(i + 1) == u'\n') {
            text_.append(u'\n');  // CR LF: one break in the editor, two bytes
            byte += 2;
            ++i;
        } else if (c.isLowSurrogate()) {
            text_.append(c);  // the pair counts as one character of 2 bytes
        } else {
            text_.append(c);
            byte += c.unicode() < 0x80 ? 1 : 2;
        }
    }
    byteStart_.push_back(byte);
}

int GbkPositions::ToChar(long byte) const {
    const auto it = std::lower_bound(byteStart_.begin(), byteStart_.end(), byte);
    if (it == byteStart_.end()) return int(text_.size());
    return int(it - byteStart_.begin());
}

long GbkPositions::ToByte(int pos) const {
    if (pos < 0) return 0;
    if (pos >= int(byteStart_.size())) return byteStart_.back();
    return byteStart_[std::size_t(pos)];
}

long GbkPositions::Find(const QString& needle, long fromByte) const {
    if (fromByte < 0) return -1;
    const qsizetype at = text_.indexOf(needle, ToChar(fromByte), Qt::CaseSensitive);
    return at < 0 ? -1 : ToByte(int(at));
}

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
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

// Sets attributes over GBK bytes [from, to) of the text.
class Styler {
public:
    Styler(QTextEdit* pane, const GbkPositions& pos, qreal base) : pane_(pane), pos_(pos), base_(base) {}

    // `sizeDelta` relative to the base size; no colour / weight when unset.
    void Apply(long from, long to, std::optional<int> sizeDelta, std::optional<QColor> color,
               std::optional<bool> bold) {
        if (from < 0 || to < 0) return;
        const int a = pos_.ToChar(std::max(0L, from));
        const int b = pos_.ToChar(to);
        if (b <= a) return;
        QTextCharFormat f;
        if (sizeDelta) f.setFontPointSize(base_ + *sizeDelta);
        if (color) f.setForeground(*color);
        if (bold) f.setFontWeight(*bold ? QFont::Bold : QFont::Normal);
        QTextCursor c(pane_->document());
        c.setPosition(a);
        c.setPosition(b, QTextCursor::KeepAnchor);
        c.mergeCharFormat(f);
    }

private:
    QTextEdit* pane_;
    const GbkPositions& pos_;
    qreal base_;
};

void SetParagraphs(QTextEdit* pane, int leftIndent) {
    QTextCursor c(pane->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(Qt::AlignLeft);
    bf.setTextIndent(leftIndent);
    c.mergeBlockFormat(bf);
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
    const GbkPositions pos(text);
    ResetPane(pane, pos.EditorText());
    SetParagraphs(pane, leftIndent);
    Finish(pane);
}

void ShowReport(QTextEdit* pane, const std::string& report, int leftIndent) {
    const GbkPositions pos(report);
    ResetPane(pane, pos.EditorText());
    SetParagraphs(pane, leftIndent);

    const qreal base = pane->font().pointSizeF();
    Styler s(pane, pos, base);
    const auto find = [&pos](const char* needle, long from) { return pos.Find(QString::fromUtf8(needle), from); };
    const auto after = [](long p, long n) { return p < 0 ? -1 : p + n; };

    // The heading 甲命八字：
    s.Apply(0, 10, 0, kBlue, true);
    // Person A's pillar rows, from 乾造/坤造 to the hidden stems.
    long a = find("造  ", 80);
    long c = find("藏干", 80);
    s.Apply(a < 0 ? -1 : a - 2, c, {}, kRed, {});
    // A's stars and remaining lines, one size smaller.
    const long h = find("☆胎元", 90);
    const long m = find("乙命八字：", h);
    s.Apply(h, after(m, 1), -1, {}, {});
    // Person B's whole chart report in green, its heading like A's.
    long g = find("婚姻配对分析：", m);
    s.Apply(m, g, {}, kGreen, {});
    s.Apply(m, after(m, 10), 0, kBlue, true);
    a = find("造  ", m);
    c = find("藏干", a);
    s.Apply(a < 0 ? -1 : a - 2, c, {}, kRed, {});
    const long e = find("☆胎元", after(c, 2));
    g = find("婚姻配对分析：", e);
    s.Apply(e, g, -1, {}, {});
    // The compatibility section and its heading.
    const long sep = find("----------", g);
    s.Apply(g, sep, -1, kBlue, {});
    s.Apply(g, after(g, 14), 0, kBlue, true);
    // The index and its unit.
    const long i = find("婚配指数", g);
    const long f = find("分", i);
    s.Apply(i, after(f, 2), 4, kRed, true);
    // The readings: A's personality and marriage, B's personality and marriage.
    long p = find("甲命性格", f);
    long q = find("乙命性格", p);
    s.Apply(p, q, -1, {}, {});
    long r = find(")", p);
    s.Apply(p, after(r, 1), -1, kBlack, true);
    p = find("甲命婚姻", r);
    r = find(")", p);
    s.Apply(p, after(r, 1), -1, kBlack, true);
    p = find("乙命性格", r);
    q = find("※软件开发商", p);
    s.Apply(p, q, -1, kGreen, {});
    r = find(")", p);
    s.Apply(p, after(r, 1), -1, kGreen, true);
    p = find("乙命婚姻", r);
    r = find(")", p);
    s.Apply(p, after(r, 1), -1, kGreen, true);

    Finish(pane);
}

}  // namespace tessaly
