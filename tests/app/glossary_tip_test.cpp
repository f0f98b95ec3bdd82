// The glossary's English for the report term under a place of the pane.
#include <QCoreApplication>
#include <QTextDocument>
#include <QHelpEvent>
#include <QTextEdit>
#include <QToolTip>

#include "app/AppSetup.h"
#include "app/GlossaryTip.h"
#include "lang/Glossary.h"

namespace tessaly {
namespace {

TEST(GlossaryTip, TermUnderAPlaceOfTheDocument) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("甲命八字：\n乾造  庚午        辛巳\n※此命局入正官格。Søren 😀 日元太旺"));
    const QString text = doc.toPlainText();
    const struct {
        const char* at;  // the character pointed at: the first of this text
        int offset;      // … and so many characters after it
        const char* term;
        const char* english;
    } kCases[] = {
        {"乾造", 1, "乾造", "male chart"},
        {"庚午", 0, "庚", "Geng, Yang Metal"},
        {"官格", 0, "正官格", "Direct Officer Pattern"},
        {"太旺", 1, "太旺", "Very Strong"},  // after a non-BMP character: the offsets still agree
        {"日元太旺", 0, "日元", "Day Master"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.at);
        const int position = int(text.indexOf(QString::fromUtf8(c.at))) + c.offset;
        const std::optional<GlossaryHit> hit = GlossaryTermAt(doc, position);
        ASSERT_TRUE(hit.has_value());
        EXPECT_EQ(hit->term->chinese, c.term);
        EXPECT_EQ(hit->term->english, c.english);
        EXPECT_EQ(text.mid(hit->position, hit->length), QString::fromUtf8(c.term));
        EXPECT_TRUE(hit->ToolTip().contains(QString::fromUtf8(c.english)));
    }
    EXPECT_FALSE(GlossaryTermAt(doc, int(text.indexOf(QStringLiteral("：")))).has_value());
    EXPECT_FALSE(GlossaryTermAt(doc, int(text.indexOf(QStringLiteral("ø")))).has_value());
    EXPECT_FALSE(GlossaryTermAt(doc, -1).has_value());
    EXPECT_FALSE(GlossaryTermAt(doc, int(text.size()) + 5).has_value());
}

TEST(GlossaryTip, ToolTipUnderAPointOfThePane) {
    QTextEdit pane;
    pane.resize(600, 200);
    pane.setPlainText(QStringLiteral("※此命局入正官格。"));
    pane.show();
    QCoreApplication::processEvents();
    QTextCursor c(pane.document());
    c.setPosition(int(pane.toPlainText().indexOf(QStringLiteral("官格"))));
    const QRect caret = pane.cursorRect(c);
    // A little right of the caret: on the character 官.
    const QString tip = GlossaryToolTipAt(pane, caret.center() + QPoint(4, 0));
    EXPECT_TRUE(tip.startsWith(QStringLiteral("正官格 zhèngguān gé — Direct Officer Pattern"))) << tip.toStdString();
    EXPECT_TRUE(GlossaryToolTipAt(pane, QPoint(590, 190)).isEmpty());  // below the text
}

// The pane's tooltips: the glossary's in English, none in Chinese.
TEST(GlossaryTip, PaneShowsTheTermsEnglishInEnglishOnly) {
    QTextEdit pane;
    pane.resize(600, 200);
    pane.setPlainText(QStringLiteral("※此命局入正官格。"));
    InstallGlossaryToolTips(&pane);
    pane.show();
    QCoreApplication::processEvents();
    QTextCursor c(pane.document());
    c.setPosition(int(pane.toPlainText().indexOf(QStringLiteral("官格"))));
    const QPoint at = pane.cursorRect(c).center() + QPoint(4, 0);
    const auto hover = [&] {
        QToolTip::hideText();
        QHelpEvent event(QEvent::ToolTip, at, pane.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(pane.viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_TRUE(hover().isEmpty());
    ApplyLanguage(UiLanguage::kEnglish);
    EXPECT_TRUE(hover().contains(QStringLiteral("Direct Officer Pattern")));
    ApplyLanguage(UiLanguage::kSimplified);
    QToolTip::hideText();
}

}  // namespace
}  // namespace tessaly
