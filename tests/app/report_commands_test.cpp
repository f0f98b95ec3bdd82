// The report pane and the wedding pane as editors: popup menus, formatting a
// selection, loading report files, saving as RTF and text, printing to PDF.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QFontDialog>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <memory>

#include "app/ChartPicture.h"
#include "app/ReportFileBridge.h"
#include "app/ReportPrinter.h"
#include "app/SelectionFontDialog.h"
#include "common/TextCodec.h"
#include "pane_test_util.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

using apptest::AnswerFileDialog;
using apptest::FileBytes;
using apptest::MatchCouple;
using apptest::Person;
using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;
namespace fs = std::filesystem;

const QString kTxtFilter = QStringLiteral("Txt格式 (*.txt)");
const QString kRtfFilter = QStringLiteral("Rtf格式 (*.rtf)");

// A window after a matching run of 张三 and 李四.
struct Matched {
    Matched() : w(home.Files()) {
        w.show();
        MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    }
    TempHome home;
    ScriptedMessages messages;
    MainWindow w;
};

// The foreground colour of the character at `pos` of `pane`.
QColor ColorAt(const QTextEdit* pane, int pos) {
    QTextCursor c(pane->document());
    c.setPosition(pos + 1);
    const QBrush b = c.charFormat().foreground();
    return b.style() == Qt::NoBrush ? QColor(Qt::black) : b.color();
}

// Colours of every character of the pane, as names.
QStringList Colors(const QTextEdit* pane) {
    QStringList colors;
    const int n = pane->document()->characterCount() - 1;
    for (int i = 0; i < n; ++i) colors << ColorAt(pane, i).name();
    return colors;
}

TEST(PaneMenu, BothPanesHaveEveryItemEnabledWhenItCanAct) {
    Matched m;
    ASSERT_TRUE(m.w.chartValid());
    const struct {
        QTextEdit* pane;
        const char* menuName;
        QStringList names;
    } kPanes[] = {
        {m.w.reportPane,
         "PopupRdtsend",
         {"psendundo", "", "psendcopy", "psendpaste", "psendcut", "psenddel", "pRdtselall", "", "psend_setF", "",
          "psend_import", "psend_save", "psend_prt"}},
        {m.w.weddingPane,
         "PopSearch",
         {"MenuItem3", "", "MenuItem5", "MenuItem6", "MenuItem7", "MenuItem8", "MenuItem9", "", "MenuItem11", "",
          "MenuItem13", "MenuItem14", "MenuItem15"}},
    };
    const QStringList texts = {"撤销",         "-", "复制",     "粘贴",   "剪切", "删除", "全选", "-",
                               "设置选中文本", "-", "导入命稿", "另存为", "打印"};
    QApplication::clipboard()->clear();
    for (const auto& p : kPanes) {
        SCOPED_TRACE(p.menuName);
        std::unique_ptr<QMenu> menu(m.w.PaneMenu(p.pane));
        EXPECT_EQ(menu->objectName(), p.menuName);
        QStringList gotTexts, gotNames, enabled;
        for (QAction* a : menu->actions()) {
            gotTexts << (a->isSeparator() ? "-" : a->text());
            gotNames << a->objectName();
            if (a->isEnabled() && !a->isSeparator()) enabled << a->text();
        }
        EXPECT_EQ(gotTexts, texts);
        EXPECT_EQ(gotNames, p.names);
        // Nothing selected, nothing to undo: only what can act is enabled.
        EXPECT_EQ(enabled, (QStringList{"全选", "导入命稿", "另存为", "打印"})) << enabled.join(u' ').toStdString();
    }
    // Text on the clipboard and a selection enable the rest.
    QApplication::clipboard()->setText(QStringLiteral("剪贴板"));
    m.w.reportPane->selectAll();
    m.w.reportPane->insertPlainText(QStringLiteral("改"));
    m.w.reportPane->selectAll();
    std::unique_ptr<QMenu> menu(m.w.PaneMenu(m.w.reportPane));
    for (QAction* a : menu->actions()) {
        SCOPED_TRACE(a->text().toStdString());
        EXPECT_TRUE(a->isEnabled() || a->isSeparator());
    }
    QApplication::clipboard()->clear();
}

TEST(PaneMenu, SelectAllDeleteAndUndo) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    const QString report = pane->toPlainText();
    ASSERT_FALSE(report.isEmpty());
    const auto trigger = [&](const char* name) {
        std::unique_ptr<QMenu> menu(m.w.PaneMenu(pane));
        QAction* a = menu->findChild<QAction*>(name);
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    };
    trigger("pRdtselall");
    EXPECT_EQ(pane->textCursor().selectedText().size(), report.size());
    trigger("psenddel");
    EXPECT_TRUE(pane->toPlainText().isEmpty());
    trigger("psendundo");
    EXPECT_EQ(pane->toPlainText(), report);
}

TEST(SelectionFont, NothingSelectedDoesNothing) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    const QString html = pane->toHtml();
    auto shown = std::make_shared<bool>(false);
    WhenModal<SelectionFontDialog>(
        [shown](SelectionFontDialog* dlg) {
            *shown = true;
            dlg->reject();
        },
        3);
    m.w.SetSelectionFont(pane);
    // Long enough for every try of the watcher above.
    QEventLoop wait;
    QTimer::singleShot(200, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_FALSE(*shown);
    EXPECT_EQ(pane->toHtml(), html);
    EXPECT_FALSE(pane->document()->isUndoAvailable());
}

TEST(SelectionFont, DialogStartsWithTheSelectionAndFormatsOnlyIt) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    // The report's first heading, "甲命八字：", is blue and bold.
    const int at = pane->toPlainText().indexOf(QStringLiteral("甲命八字"));
    ASSERT_GE(at, 0);
    const QColor heading = ColorAt(pane, at);
    ASSERT_NE(heading, QColor(Qt::black));
    QTextCursor c(pane->document());
    c.setPosition(at);
    c.setPosition(at + 2, QTextCursor::KeepAnchor);
    pane->setTextCursor(c);

    QFont shownFont;
    QColor shownColor;
    WhenModal<SelectionFontDialog>([&](SelectionFontDialog* dlg) {
        shownFont = dlg->SelectedFont();
        shownColor = dlg->SelectedColor();
        QFont f = dlg->fontPanel->currentFont();
        f.setStrikeOut(true);
        f.setUnderline(true);
        f.setPointSize(20);
        dlg->fontPanel->setCurrentFont(f);
        dlg->italicBox->setChecked(true);
        dlg->SetColor(QColor(0, 128, 0));
        dlg->accept();
    });
    m.w.SetSelectionFont(pane);
    EXPECT_EQ(shownColor, heading);
    EXPECT_EQ(shownFont.family(), pane->font().family());  // 宋体, not its stand-in
    EXPECT_TRUE(shownFont.bold());

    const struct {
        int pos;
        bool changed;
    } kCases[] = {{at, true}, {at + 1, true}, {at + 2, false}, {at + 3, false}};
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.pos);
        QTextCursor x(pane->document());
        x.setPosition(k.pos + 1);
        const QTextCharFormat f = x.charFormat();
        EXPECT_EQ(f.fontStrikeOut(), k.changed);
        EXPECT_EQ(f.fontUnderline(), k.changed);
        EXPECT_EQ(f.fontItalic(), k.changed);
        EXPECT_EQ(f.fontWeight() >= QFont::Bold, k.pos < at + 4);  // the heading stays bold
        EXPECT_EQ(f.fontPointSize() == 20, k.changed);
        EXPECT_EQ(ColorAt(pane, k.pos) == QColor(0, 128, 0), k.changed);
    }
    // Saved as RTF and loaded again, the new attributes stay.
    const fs::path file = m.home.dir / "styled.rtf";
    StyledReport styled;
    PaneToStyledReport(pane, &styled);
    ASSERT_TRUE(SaveReportFile(file, styled).ok());
    QTextEdit again;
    again.setFont(pane->font());
    AnswerFileDialog(file);
    m.w.ImportReport(&again);
    QTextCursor x(again.document());
    x.setPosition(at + 1);
    EXPECT_TRUE(x.charFormat().fontStrikeOut());
    EXPECT_TRUE(x.charFormat().fontUnderline());
    EXPECT_TRUE(x.charFormat().fontItalic());
    EXPECT_EQ(x.charFormat().fontPointSize(), 20);
    EXPECT_EQ(ColorAt(&again, at), QColor(0, 128, 0));
}

TEST(SaveReportAs, ExtensionIsAppendedOnlyWhenMissing) {
    const struct {
        const char* typed;
        const char* extension;
        const char* want;
    } kCases[] = {
        {"report", ".txt", "report.txt"},
        {"report", ".rtf", "report.rtf"},
        {"report.rtf", ".rtf", "report.rtf"},
        {"REPORT.RTF", ".rtf", "REPORT.RTF"},
        {"a.TxT", ".txt", "a.TxT"},
        {"report.txt", ".rtf", "report.txt.rtf"},  // the chosen format decides
        {"命稿.rtf.bak", ".rtf", "命稿.rtf.bak.rtf"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(WithExtension(QString::fromUtf8(c.typed), QString::fromUtf8(c.extension)), QString::fromUtf8(c.want));
    }
}

TEST(SaveReportAs, TxtIsGbkWithCrLfAndThePaneKeepsItsColours) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    const QStringList colors = Colors(pane);
    const QString text = pane->toPlainText();
    AnswerFileDialog(m.home.dir / "report", kTxtFilter);
    m.w.SaveReportAs(pane);
    EXPECT_TRUE(m.messages.shown.empty());
    EXPECT_EQ(m.w.statusBar()->currentMessage(), QStringLiteral("已保存！"));
    EXPECT_FALSE(fs::exists(m.home.dir / "report"));
    const std::string bytes = FileBytes(m.home.dir / "report.txt");
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    const CodecResult gbk = Utf8ToGbk(crlf.toStdString());
    ASSERT_TRUE(gbk.ok());
    EXPECT_EQ(bytes, gbk.text);
    EXPECT_EQ(pane->toPlainText(), text);
    EXPECT_EQ(Colors(pane), colors);
    EXPECT_TRUE(pane->acceptRichText());
}

TEST(SaveReportAs, RtfKeepsItsNameAndAnExistingFileIsReplacedOnlyWhenWanted) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    const fs::path file = m.home.dir / "report.rtf";
    AnswerFileDialog(file, kRtfFilter);
    m.w.SaveReportAs(pane);
    EXPECT_FALSE(fs::exists(m.home.dir / "report.rtf.rtf"));
    const std::string first = FileBytes(file);
    EXPECT_EQ(first.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    StyledReport back;
    ASSERT_TRUE(LoadReportFile(file, &back).ok());
    QString text = pane->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    EXPECT_EQ(QString::fromStdString(back.text), text);

    // Saving again over it asks, naming the final file; No keeps it.
    pane->append(QStringLiteral("追加的一行"));
    m.messages.shown.clear();
    m.messages.answers = {MsgAnswer::kNo};
    AnswerFileDialog(m.home.dir / "report", kRtfFilter);
    m.w.SaveReportAs(pane);
    ASSERT_EQ(m.messages.shown.size(), 1u);
    EXPECT_TRUE(m.messages.shown[0].text.contains(QString::fromStdString(file.string())));
    EXPECT_TRUE(m.messages.shown[0].defaultNo);
    EXPECT_EQ(FileBytes(file), first);
    // Yes replaces it.
    m.messages.shown.clear();
    AnswerFileDialog(m.home.dir / "report", kRtfFilter);
    m.w.SaveReportAs(pane);
    EXPECT_EQ(m.messages.shown.size(), 1u);  // the question only
    EXPECT_EQ(m.w.statusBar()->currentMessage(), QStringLiteral("已保存！"));
    EXPECT_NE(FileBytes(file), first);
}

TEST(SaveReportAs, TextGbkCannotHoldIsRefusedAsTxt) {
    Matched m;
    m.w.weddingPane->setPlainText(QStringLiteral("日期 ") + QString::fromUtf8("\xF0\x9F\x98\x80"));
    AnswerFileDialog(m.home.dir / "dates", kTxtFilter);
    m.w.SaveReportAs(m.w.weddingPane);
    ASSERT_EQ(m.messages.shown.size(), 1u);
    EXPECT_EQ(m.messages.shown[0].caption, QStringLiteral("错误"));
    EXPECT_FALSE(fs::exists(m.home.dir / "dates.txt"));
    // As RTF it is kept.
    AnswerFileDialog(m.home.dir / "dates", kRtfFilter);
    m.w.SaveReportAs(m.w.weddingPane);
    StyledReport back;
    ASSERT_TRUE(LoadReportFile(m.home.dir / "dates.rtf", &back).ok());
    EXPECT_EQ(back.text, "日期 \xF0\x9F\x98\x80");
}

// The same short report written by our writer and by Windows WordPad.
TEST(ImportReport, OurRtfAndWordPadRtfShowTheSameTextAndColours) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    const fs::path wordpad = fs::path(TESSALY_SOURCE_DIR) / "tests/data/wordpad_report.rtf";

    StyledReport ours;
    ours.text =
        "甲命八字：\r\n命主姓名:张三  出生地:未知地。\r\n婚姻配对分析：\r\n        婚配指数：80分\r\n"
        "☆甲命白羊座，乙命金牛座，较为和谐的一对。\r\n• 以上内容仅供参考\r\n";
    const auto at = [&](const char* s) { return ours.text.find(s); };
    ours.runs = {{at("甲命八字"), 15, RgbColor(0, 0, 255), std::nullopt, true},
                 {at("婚姻配对"), 21, RgbColor(255, 0, 0), std::nullopt, true},
                 {at("•"), std::string("• 以上内容仅供参考").size(), RgbColor(128, 128, 128)}};
    const fs::path ourFile = home.dir / "ours.rtf";
    ASSERT_TRUE(SaveReportFile(ourFile, ours).ok());

    QStringList texts, colors;
    for (const fs::path& file : {ourFile, wordpad}) {
        SCOPED_TRACE(file.string());
        AnswerFileDialog(file);
        w.ImportReport(w.reportPane);
        EXPECT_TRUE(messages.shown.empty());
        texts << w.reportPane->toPlainText();
        colors << Colors(w.reportPane).join(u',');
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_EQ(colors[0], colors[1]);
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("甲命八字：\n命主姓名:张三")));
    EXPECT_EQ(ColorAt(w.reportPane, 0), QColor(0, 0, 255));
    EXPECT_EQ(ColorAt(w.reportPane, texts[1].indexOf(QStringLiteral("婚姻"))), QColor(255, 0, 0));
    EXPECT_EQ(ColorAt(w.reportPane, texts[1].indexOf(QStringLiteral("婚配指数"))), QColor(Qt::black));
}

// `tessaly FILE.rtf`: the file opens in the report pane as "导入命稿"
// opens it; a missing file says so and the pane keeps its text.
TEST(ImportReport, FileFromTheCommandLineOpensInTheReportPane) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    w.pages->setCurrentIndex(1);
    StyledReport stored;
    stored.text = "存着的报告\r\n第二行";
    stored.runs.push_back({0, 6, RgbColor(255, 0, 0), 14.0, true});
    const fs::path file = home.dir / "命稿.rtf";
    ASSERT_TRUE(SaveReportFile(file, stored).ok());
    w.OpenReportFile(QString::fromStdString(file.string()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.pages->currentIndex(), 0);
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("存着的报告\n第二行"));
    EXPECT_EQ(ColorAt(w.reportPane, 0), QColor(255, 0, 0));
    EXPECT_TRUE(w.reportPane->document()->isModified());

    w.OpenReportFile(QString::fromStdString((home.dir / "没有.rtf").string()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("导入文件出错,请重试一次")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("文件不存在。")));
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("存着的报告\n第二行"));
}

TEST(ImportReport, PlainTextInGbkOrUtf8AndRefusals) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    const struct {
        const char* what;
        std::string bytes;
        const char* shown;  // nullptr: refused
    } kCases[] = {
        {"GBK", "\xBC\xD7\xC3\xFC\r\nb", "甲命\nb"},
        {"UTF-8", "\xE7\x94\xB2\xE5\x91\xBD\nb", "甲命\nb"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF\xE7\x94\xB2", "甲"},
        {"not text", "\xFF\xFE\x00\x01", nullptr},
        {"damaged RTF", "{\\rtf1 {\\b unclosed", nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        w.reportPane->setPlainText(QStringLiteral("before"));
        messages.shown.clear();
        const fs::path file = home.dir / "in.txt";
        std::ofstream(file, std::ios::binary) << c.bytes;
        AnswerFileDialog(file);
        w.ImportReport(w.reportPane);
        if (c.shown != nullptr) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(w.reportPane->toPlainText(), QString::fromUtf8(c.shown));
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("导入文件出错,请重试一次")));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("重试一次"));
            EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("before"));  // nothing lost
        }
    }
    // A cancelled dialog changes nothing.
    AnswerFileDialog({});
    w.ImportReport(w.reportPane);
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("before"));
}

// pdftotext's output of `pdf`, whitespace runs made one space.
QString PdfText(const fs::path& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// Prints to `pdf` in place of the print dialog.
PrintDialogFn ToPdf(const fs::path& pdf, int* calls, PrintDialogSetup* seen = nullptr) {
    return [pdf, calls, seen](QPrinter& printer, QWidget*, const PrintDialogSetup& setup) {
        ++*calls;
        if (seen != nullptr) *seen = setup;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    };
}

// What pdfinfo says of `pdf` (empty when it fails).
QString PdfInfo(const fs::path& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The print dialog comes at once; the PDF is titled with both names and
// has the chart picture on its first page.
TEST(PrintPane, PrintsThePaneToPdfWithTitlePictureAndUnwrappedColumns) {
    Matched m;
    ASSERT_TRUE(m.w.chartValid());
    const fs::path pdf = m.home.dir / "report.pdf";
    int calls = 0;
    PrintDialogSetup setup;
    QString docName;
    m.w.SetPrintDialog([&](QPrinter& printer, QWidget* parent, const PrintDialogSetup& s) {
        docName = printer.docName();
        return ToPdf(pdf, &calls, &setup)(printer, parent, s);
    });
    m.w.PrintPane(m.w.reportPane);
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(docName, QStringLiteral("张三、李四"));
    EXPECT_GE(setup.pageCount, 2);
    EXPECT_FALSE(setup.hasSelection);
    // No question before the dialog; afterwards where the PDF went.
    ASSERT_EQ(m.messages.shown.size(), 1u);
    EXPECT_TRUE(m.messages.shown[0].text.startsWith(QStringLiteral("已打印到 PDF 文件：")))
        << m.messages.shown[0].text.toStdString();
    EXPECT_EQ(m.messages.shown[0].caption, QStringLiteral("打印"));

    const QString info = PdfInfo(pdf);
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) is needed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+张三、李四\\n")))) << info.toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("命主姓名:张三"))) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("婚配指数")));
    EXPECT_TRUE(text.contains(PageFooter(1, setup.pageCount)));
    EXPECT_TRUE(text.contains(PageFooter(setup.pageCount, setup.pageCount)));
    // The picture's captions are text in the PDF: 乾造 and 坤造 appear only
    // with the picture.
    ASSERT_TRUE(m.w.chartPicture->Data().has_value());
    EXPECT_TRUE(text.contains(QStringLiteral("乾造"))) << text.left(600).toStdString();
    EXPECT_TRUE(text.contains(IndexCaption(m.w.chartPicture->Data()->matchIndex)));
    // The luck-pillar rows are the widest: each is printed on one line.
    const QStringList lines = m.w.reportPane->toPlainText().split(u'\n');
    int rows = 0;
    for (const QString& line : lines) {
        if (!line.startsWith(QStringLiteral("大运 "))) continue;
        ++rows;
        EXPECT_TRUE(text.contains(line.simplified())) << line.toStdString();
    }
    EXPECT_EQ(rows, 2);
}

TEST(PrintPane, CancelPrintsNothingAndAFailureSaysSo) {
    Matched m;
    int calls = 0;
    m.w.SetPrintDialog([&](QPrinter&, QWidget*, const PrintDialogSetup&) {
        ++calls;
        return false;  // 取消
    });
    m.w.PrintPane(m.w.weddingPane);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(m.messages.shown.empty());

    m.w.SetPrintDialog(ToPdf(m.home.dir / "missing" / "folder" / "x.pdf", &calls));
    m.w.PrintPane(m.w.reportPane);
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(m.messages.shown.size(), 1u);
    EXPECT_TRUE(m.messages.shown[0].text.startsWith(QStringLiteral("打印错误，请检查打印设备！")));
    EXPECT_EQ(m.messages.shown[0].caption, QStringLiteral("打印错误"));
    EXPECT_EQ(m.messages.shown[0].icon, MsgIcon::kError);
}

// The wedding dates carry the couple's title but not the chart picture.
TEST(PrintPane, WeddingPaneHasTheTitleButNoPicture) {
    Matched m;
    m.w.weddingPane->setPlainText(QStringLiteral("择日的结果"));
    const fs::path pdf = m.home.dir / "dates.pdf";
    int calls = 0;
    m.w.SetPrintDialog(ToPdf(pdf, &calls));
    m.w.PrintPane(m.w.weddingPane);
    EXPECT_TRUE(PdfInfo(pdf).contains(QStringLiteral("张三、李四")));
    EXPECT_EQ(PdfText(pdf), QStringLiteral("择日的结果 ") + PageFooter(1, 1));
}

// Ctrl+P prints the pane of the page on top.
TEST(PrintPane, CtrlPPrintsThePaneOnTop) {
    Matched m;
    m.w.weddingPane->setPlainText(QStringLiteral("择日的结果"));
    QAction* print = m.w.findChild<QAction*>(QStringLiteral("PrintPane"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->shortcut(), QKeySequence(QKeySequence::Print));
    int calls = 0;
    for (int page : {1, 0}) {
        SCOPED_TRACE(page);
        const fs::path pdf = m.home.dir / ("page" + std::to_string(page) + ".pdf");
        m.w.SetPrintDialog(ToPdf(pdf, &calls));
        m.w.pages->setCurrentIndex(page);
        print->trigger();
        EXPECT_EQ(PdfText(pdf).contains(QStringLiteral("择日的结果")), page == 1);
        EXPECT_EQ(PdfText(pdf).contains(QStringLiteral("婚配指数")), page == 0);
    }
    EXPECT_EQ(calls, 2);
}

TEST(PrintPane, SelectionAndPageRange) {
    Matched m;
    QTextEdit* pane = m.w.reportPane;
    const int at = pane->toPlainText().indexOf(QStringLiteral("婚姻配对分析"));
    ASSERT_GT(at, 0);
    QTextCursor c(pane->document());
    c.setPosition(at);
    c.setPosition(at + 6, QTextCursor::KeepAnchor);
    pane->setTextCursor(c);
    const fs::path pdf = m.home.dir / "part.pdf";
    PrintDialogSetup seen;
    m.w.SetPrintDialog([&](QPrinter& printer, QWidget*, const PrintDialogSetup& setup) {
        seen = setup;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPrintRange(QPrinter::Selection);
        return true;
    });
    m.w.PrintPane(pane);
    EXPECT_TRUE(seen.hasSelection);
    EXPECT_EQ(PdfText(pdf), QStringLiteral("婚姻配对分析 ") + PageFooter(1, 1));

    // Only page 2 of the whole report.
    const fs::path page2 = m.home.dir / "page2.pdf";
    pane->moveCursor(QTextCursor::Start);
    m.w.SetPrintDialog([&](QPrinter& printer, QWidget*, const PrintDialogSetup& setup) {
        seen = setup;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(page2.string()));
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2")));
        return true;
    });
    m.w.PrintPane(pane);
    const QString text = PdfText(page2);
    EXPECT_TRUE(text.contains(PageFooter(2, seen.pageCount)));
    EXPECT_FALSE(text.contains(PageFooter(1, seen.pageCount)));
}

}  // namespace
}  // namespace tessaly
