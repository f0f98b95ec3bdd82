// Text controls limited in GBK bytes: line edits through the validator, the
// notes through LimitMemoBytes (a line break counts as CR LF).
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/GbkLimits.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

TEST(GbkLimits, ValidatorCountsBytesAndRefusesWhatGbkCannotHold) {
    GbkLengthValidator v(10, nullptr);
    const struct {
        const char* text;
        bool ok;
    } kCases[] = {
        {"五个汉字好", true},     // 10 bytes
        {"六个汉字太长", false},  // 12
        {"abcdefghij", true},
        {"abcdefghijk", false},
        {"张😀", false},  // outside GBK
        {"", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        QString s = QString::fromUtf8(c.text);
        int pos = 0;
        EXPECT_EQ(v.validate(s, pos) == QValidator::Acceptable, c.ok);
    }
}

TEST(GbkLimits, MemoKeepsWhatFitsWhereItWasInserted) {
    const struct {
        const char* before;
        int at;
        const char* inserted;
        const char* after;
    } kCases[] = {
        {"", 0, "abcdefghij", "abcdefghij"},
        {"abcdefghij", 10, "k", "abcdefghij"},
        {"", 0, "abcd\nefgh", "abcd\nefgh"},  // 4 + CR LF + 4
        {"", 0, "abcd\nefghi", "abcd\nefgh"},
        {"", 0, "汉字汉字汉字", "汉字汉字汉"},  // never half a character
        {"a", 1, "汉字汉字汉字", "a汉字汉字"},
        {"abcd", 2, "XYZ汉字汉字", "abXYZ汉cd"},
        {"", 0, "a😀b", "ab"},                 // dropped: GBK cannot hold it
        {"abcdefghi", 9, "\n", "abcdefghi"},  // a line break is two bytes
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.before) + " + " + c.inserted);
        QPlainTextEdit memo;
        memo.setPlainText(QString::fromUtf8(c.before));
        LimitMemoBytes(&memo, 10);
        QTextCursor cursor(memo.document());
        cursor.setPosition(c.at);
        cursor.insertText(QString::fromUtf8(c.inserted));
        EXPECT_EQ(memo.toPlainText(), QString::fromUtf8(c.after));
    }
}

TEST(GbkLimits, MemoTextHasCrLfLineEnds) {
    QPlainTextEdit memo;
    SetMemoText(&memo, "第一行\r\n第二行\n");
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("第一行\n第二行\n"));
    EXPECT_EQ(MemoText(&memo), "第一行\r\n第二行\r\n");
}

}  // namespace
}  // namespace tessaly
