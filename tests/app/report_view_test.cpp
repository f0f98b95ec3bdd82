// Positions counted in GBK bytes against the editor's characters, and the
// chart picture.
#include <QTextBlock>
#include <QTextEdit>

#include "app/ChartPicture.h"
#include "app/ReportView.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

TEST(GbkPositions, MapsBytesToEditorPositions) {
    // bytes: a 0, b 1, 中 2-3, CR LF 4-5, c 6, 文 7-8; end 9
    const GbkPositions p("ab中\r\nc文");
    EXPECT_EQ(p.EditorText(), QStringLiteral("ab中\nc文"));
    EXPECT_EQ(p.ByteLength(), 9);
    const struct {
        long byte;
        int pos;
    } kCases[] = {
        {0, 0}, {2, 2}, {3, 3}, {4, 3}, {5, 4},  // inside a character: the next one
        {6, 4}, {7, 5}, {9, 6}, {50, 6},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(p.ToChar(c.byte), c.pos);
    }
    EXPECT_EQ(p.ToByte(4), 6);
    EXPECT_EQ(p.Find(QStringLiteral("c"), 0), 6);
    EXPECT_EQ(p.Find(QStringLiteral("文"), 7), 7);
    EXPECT_EQ(p.Find(QStringLiteral("中"), 3), -1);
    EXPECT_EQ(p.Find(QStringLiteral("a"), -1), -1);
}

TEST(ShowReport, HeadingsNotFoundAreLeftPlain) {
    QTextEdit pane;
    pane.setFont(QFont(QStringLiteral("宋体"), 12));
    // A short text lacking most headings: only the first 10 bytes are styled.
    ShowReport(&pane, "甲命八字：\r\n造  短\r\n", 20);
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("甲命八字：\n造  短\n"));
    QTextCursor c(pane.document());
    c.setPosition(5);
    EXPECT_TRUE(c.charFormat().fontWeight() >= QFont::Bold);
    c.setPosition(8);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(Qt::black));
    EXPECT_EQ(pane.document()->begin().blockFormat().textIndent(), 20);
    EXPECT_EQ(pane.textCursor().position(), 0);
}

TEST(ChartPicture, IndexIsTruncatedTowardZero) {
    EXPECT_EQ(IndexCaption(79.9f), QStringLiteral("婚配指数=79分"));
    EXPECT_EQ(IndexCaption(0.5f), QStringLiteral("婚配指数=0分"));
}

TEST(ChartPicture, DrawsOnTheFixedCanvas) {
    EXPECT_EQ(PictureBackground().size(), QSize(120, 500));
    ChartPictureData d;
    d.aPillars = {1, 2, 3, 4};
    d.bPillars = {5, 6, 7, 8};
    d.matchIndex = 79.9f;
    const QImage img = DrawChartPicture(d);
    EXPECT_EQ(img.size(), QSize(120, 500));
    EXPECT_NE(img, PictureBackground());
}

}  // namespace
}  // namespace tessaly
