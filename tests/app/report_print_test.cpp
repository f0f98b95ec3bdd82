// A couple's report on paper: its PDF carries both names as its title and
// the chart picture on the first page, and the column lines stay whole.
#include <QPrinter>
#include <QProcess>
#include <QTextEdit>
#include <filesystem>

#include "app/AppFonts.h"
#include "app/ChartPicture.h"
#include "app/ReportPrinter.h"
#include "app/ReportView.h"
#include "app_test_util.h"
#include "matching/MatchingRun.h"
#include "matching/ReportStyle.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using apptest::TempHome;
using apptest::TestPerson;

// The output of a poppler tool run on `pdf` (empty when it fails).
QString Poppler(const char* tool, const fs::path& pdf, QStringList args = {}) {
    args << QString::fromStdString(pdf.string());
    if (QString::fromLatin1(tool) == QLatin1String("pdftotext")) args << QStringLiteral("-");
    QProcess p;
    p.start(QString::fromLatin1(tool), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pane of the window after a matching run of 张三 and 李娜, in the
// report font.
struct Report {
    Report() {
        result = RunMatching(TestPerson("张三", 1990, 5, 12, 8, true), TestPerson("李娜", 1992, 11, 3, 21, false),
                             ChartOptions{});
        pane.setFont(PointFont(kSongTi, 12));
        ShowReport(&pane, StyleReport(result.report, "宋体", 12, 0));
    }
    MatchingResult result;
    QTextEdit pane;
};

Status PrintToPdf(const QTextEdit& pane, const fs::path& pdf, const PrintExtras& extras, int* pages = nullptr) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    if (pages != nullptr) *pages = PrintedPageCount(*pane.document(), pane.font(), printer, extras);
    return PrintPaneOn(pane, printer, extras);
}

TEST(ReportPrint, TitleIsTheTwoNamesAndThePictureIsOnTheFirstPage) {
    TempHome home;
    Report r;
    ASSERT_TRUE(r.result.ok());
    const ChartPictureData picture = PictureDataOf(r.result);
    const fs::path pdf = qEnvironmentVariableIsSet("KEEP_PDF")
                             ? fs::path(qEnvironmentVariable("KEEP_PDF").toStdString())
                             : home.dir / "couple.pdf";
    int pages = 0;
    ASSERT_TRUE(
        PrintToPdf(r.pane, pdf, {PrintTitle(QStringLiteral("张三"), QStringLiteral("李娜")), picture}, &pages).ok());

    const QString info = Poppler("pdfinfo", pdf);
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) is needed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+张三、李娜\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();

    // The picture's texts are drawn as text: its index on page 1 only.
    const QString index = IndexCaption(picture.matchIndex);
    const QString first = Poppler("pdftotext", pdf, {"-f", "1", "-l", "1"}).simplified();
    const QString rest = Poppler("pdftotext", pdf, {"-f", "2"}).simplified();
    EXPECT_TRUE(first.contains(index)) << first.left(600).toStdString();
    EXPECT_FALSE(rest.contains(index));
    EXPECT_TRUE(first.contains(QStringLiteral("乾造")) && first.contains(QStringLiteral("坤造")));

    // Every column line of the report is printed whole, on one line (the
    // text as laid out on the paper: the picture stands beside some).
    const QString all = Poppler("pdftotext", pdf, {"-layout"}).simplified();
    EXPECT_TRUE(all.contains(PageFooter(pages, pages)));
    int rows = 0;
    for (const QString& line : r.pane.toPlainText().split(u'\n')) {
        if (!line.startsWith(QStringLiteral("大运 ")) && !line.startsWith(QStringLiteral("藏干  "))) continue;
        ++rows;
        EXPECT_TRUE(all.contains(line.simplified())) << line.toStdString();
    }
    EXPECT_EQ(rows, 4);
}

// A selection is printed alone: the title, no picture.
TEST(ReportPrint, ASelectionHasTheTitleButNoPicture) {
    TempHome home;
    Report r;
    QTextCursor c(r.pane.document());
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    r.pane.setTextCursor(c);
    const ChartPictureData picture = PictureDataOf(r.result);
    const fs::path pdf = home.dir / "part.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    printer.setPrintRange(QPrinter::Selection);
    ASSERT_TRUE(PrintPaneOn(r.pane, printer, {QStringLiteral("张三、李娜"), picture}).ok());
    EXPECT_TRUE(Poppler("pdfinfo", pdf).contains(QStringLiteral("张三、李娜")));
    EXPECT_EQ(Poppler("pdftotext", pdf).simplified(), c.selectedText() + u' ' + PageFooter(1, 1));
}

}  // namespace
}  // namespace tessaly
