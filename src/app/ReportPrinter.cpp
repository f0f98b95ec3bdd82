#include "ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextEdit>
#include <algorithm>
#include <memory>
#include <vector>

namespace tessaly {
namespace {

constexpr qreal kSmallestScale = 0.5;
constexpr qreal kFooterPoints = 9;

QFont FooterFont(const QFont& font) {
    QFont f(font);
    f.setPointSizeF(kFooterPoints);
    f.setBold(false);
    f.setItalic(false);
    return f;
}

// A line whose words are aligned in columns: spaces in a row after its
// first word (the chart rows, the luck pillars, the strength figures).
bool IsColumnLine(const QString& line) {
    const QString text = line.trimmed();
    return text.contains(QStringLiteral("  "));
}

// The document laid out on the printer's pages. Lengths of `body` and
// `footer` are printer pixels from the top left of the printable area;
// `page` is one page in the document's own units (body / scale).
struct PrintLayout {
    std::unique_ptr<QTextDocument> doc;
    QRectF body, footer;
    qreal scale = 1;
    QSizeF page;
    int pages = 1;
};

PrintLayout LayOut(const QTextDocument& source, const QFont& font, QPrinter& printer) {
    PrintLayout l;
    l.doc.reset(source.clone());
    l.doc->setDefaultFont(font);
    l.doc->setDocumentMargin(0);
    // Fonts, indents and sizes are measured on the printer itself.
    l.doc->documentLayout()->setPaintDevice(&printer);

    const QSizeF area = printer.pageRect(QPrinter::DevicePixel).size();
    const qreal footerHeight = 2 * QFontMetricsF(FooterFont(font), &printer).height();
    l.body = QRectF(0, 0, area.width(), std::max<qreal>(1, area.height() - footerHeight));
    l.footer = QRectF(0, l.body.bottom(), area.width(), area.height() - l.body.height());

    // The widest line laid out in columns, unwrapped, decides the scale;
    // prose wraps at the page's width as it does in the pane.
    l.doc->setTextWidth(-1);
    qreal widest = 0;
    for (QTextBlock b = l.doc->begin(); b.isValid(); b = b.next()) {
        if (!IsColumnLine(b.text()) || b.layout() == nullptr) continue;
        for (int i = 0; i < b.layout()->lineCount(); ++i) {
            widest = std::max(widest, b.layout()->lineAt(i).naturalTextRect().right());
        }
    }
    if (widest > l.body.width()) l.scale = std::max(kSmallestScale, l.body.width() / widest);
    l.page = QSizeF(l.body.width() / l.scale, l.body.height() / l.scale);
    l.doc->setPageSize(l.page);
    l.pages = std::max(1, l.doc->pageCount());
    return l;
}

void DrawPage(QPainter& painter, const PrintLayout& l, int index, const QFont& footerFont) {
    painter.save();
    painter.translate(l.body.topLeft());
    painter.scale(l.scale, l.scale);
    painter.setClipRect(QRectF(QPointF(0, 0), l.page));
    const QRectF view(QPointF(0, index * l.page.height()), l.page);
    painter.translate(0, -view.top());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    l.doc->documentLayout()->draw(&painter, context);
    painter.restore();

    painter.save();
    painter.setFont(footerFont);
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(l.footer, Qt::AlignHCenter | Qt::AlignBottom, PageFooter(index + 1, l.pages));
    painter.restore();
}

QString PrinterName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QStringLiteral("PDF 文件 %1").arg(printer.outputFileName());
    }
    return QStringLiteral("打印机 %1").arg(printer.printerName());
}

Status Failed(const QString& what) { return Status::Error(what.toStdString()); }

}  // namespace

QString PageFooter(int page, int pages) { return QStringLiteral("第 %1 页，共 %2 页").arg(page).arg(pages); }

bool RunPrintDialog(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup) {
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle(QStringLiteral("打印"));
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (setup.hasSelection) options |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(options);
    dlg.setMinMax(1, std::max(100, setup.pageCount));
    return dlg.exec() == QDialog::Accepted;
}

int PrintedPageCount(const QTextDocument& doc, const QFont& font, QPrinter& printer) {
    return LayOut(doc, font, printer).pages;
}

Status PrintDocument(const QTextDocument& doc, const QFont& font, QPrinter& printer) {
    const PrintLayout l = LayOut(doc, font, printer);
    const QPageRanges ranges = printer.pageRanges();
    std::vector<int> pages;
    for (int i = 1; i <= l.pages; ++i) {
        if (ranges.isEmpty() || ranges.contains(i)) pages.push_back(i);
    }
    if (pages.empty()) {
        return Failed(QStringLiteral("所选页码范围内没有可打印的页（共 %1 页）。").arg(l.pages));
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());
    // Copies the printer does not make itself are printed here.
    int wholeCopies = 1, pageCopies = 1;
    if (!printer.supportsMultipleCopies()) {
        (printer.collateCopies() ? wholeCopies : pageCopies) = std::max(1, printer.copyCount());
    }

    QPainter painter;
    if (!painter.begin(&printer)) return Failed(QStringLiteral("无法开始打印到%1。").arg(PrinterName(printer)));
    const QFont footerFont = FooterFont(font);
    bool first = true;
    for (int copy = 0; copy < wholeCopies; ++copy) {
        for (const int page : pages) {
            for (int k = 0; k < pageCopies; ++k) {
                if (!first && !printer.newPage()) {
                    painter.end();
                    return Failed(QStringLiteral("打印到%1时出错。").arg(PrinterName(printer)));
                }
                first = false;
                DrawPage(painter, l, page - 1, footerFont);
            }
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return Failed(QStringLiteral("打印到%1时出错。").arg(PrinterName(printer)));
    }
    return Status::Ok();
}

Status PrintPaneOn(const QTextEdit& pane, QPrinter& printer) {
    const QTextCursor cursor = pane.textCursor();
    if (printer.printRange() == QPrinter::Selection && cursor.hasSelection()) {
        QTextDocument part;
        part.setDefaultFont(pane.font());
        QTextCursor(&part).insertFragment(cursor.selection());
        return PrintDocument(part, pane.font(), printer);
    }
    return PrintDocument(*pane.document(), pane.font(), printer);
}

}  // namespace tessaly
