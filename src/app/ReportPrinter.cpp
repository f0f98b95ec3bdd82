#include "ReportPrinter.h"
#include "ReportView.h"

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
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>
#include <algorithm>
#include <map>
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

// The document laid out on the printer's pages. Lengths of `body` and
// `footer` are printer pixels from the top left of the printable area;
// `page` is one page in the document's own units (body / scale), and so is
// `pictureBox`, where the picture goes (in the first page).
struct PrintLayout {
    std::unique_ptr<QTextDocument> doc;
    QRectF body, footer;
    qreal scale = 1;
    QSizeF page;
    int pages = 1;
    std::optional<ChartPictureData> picture;
    QRectF pictureBox;
};

// Makes room for the picture at the top of the laid-out document: a frame of
// the picture's size at the right of the first lines when the column lines
// beside it keep their width (the picture may shrink to 60 % for that),
// otherwise above the text, centred. `widths` holds the unwrapped width of
// each column line by block number.
void PlacePicture(PrintLayout& l, QPrinter& printer, const std::map<int, qreal>& widths) {
    // The layout measures a frame's lengths in screen pixels (96 per inch)
    // and everything else in printer pixels.
    const qreal unit = printer.logicalDpiX() / 96.0;
    const QSizeF full(kPictureWidth, kPictureHeight);
    const qreal gap = 12;
    // The widest column line in the height the picture takes.
    qreal besideWidth = 0;
    QAbstractTextDocumentLayout* layout = l.doc->documentLayout();
    for (QTextBlock b = l.doc->begin(); b.isValid(); b = b.next()) {
        if (layout->blockBoundingRect(b).top() > (full.height() + gap) * unit) break;
        if (auto it = widths.find(b.blockNumber()); it != widths.end()) besideWidth = std::max(besideWidth, it->second);
    }
    const qreal room = (l.page.width() - besideWidth) / unit - gap;
    const bool beside = room >= 0.6 * full.width();
    const QSizeF size = beside ? full * std::min<qreal>(1, room / full.width()) : full;

    QTextFrameFormat box;
    box.setBorder(0);
    box.setPadding(0);
    box.setMargin(0);
    box.setWidth(QTextLength(QTextLength::FixedLength, size.width()));
    box.setHeight(QTextLength(QTextLength::FixedLength, size.height()));
    box.setBottomMargin(gap);
    if (beside) {
        box.setPosition(QTextFrameFormat::FloatRight);
        box.setLeftMargin(gap);
    } else {
        box.setLeftMargin(std::max<qreal>(0, (l.page.width() / unit - size.width()) / 2));
    }
    QTextCursor at(l.doc.get());
    at.movePosition(QTextCursor::Start);
    QTextFrame* frame = at.insertFrame(box);
    l.doc->setPageSize(l.page);  // lays the text out around the frame
    const QRectF bounds = layout->frameBoundingRect(frame);
    l.pictureBox =
        QRectF(bounds.left() + box.leftMargin() * unit, bounds.top(), size.width() * unit, size.height() * unit);
}

PrintLayout LayOut(const QTextDocument& source, const QFont& font, QPrinter& printer,
                   const std::optional<ChartPictureData>& picture = std::nullopt) {
    PrintLayout l;
    l.picture = picture;
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
    std::map<int, qreal> widths;  // of the column lines, by block number
    for (QTextBlock b = l.doc->begin(); b.isValid(); b = b.next()) {
        if (!IsColumnLine(b.text()) || b.layout() == nullptr) continue;
        qreal width = 0;
        for (int i = 0; i < b.layout()->lineCount(); ++i) {
            width = std::max(width, b.layout()->lineAt(i).naturalTextRect().right());
        }
        widths[b.blockNumber()] = width;
        widest = std::max(widest, width);
    }
    if (widest > l.body.width()) l.scale = std::max(kSmallestScale, l.body.width() / widest);
    l.page = QSizeF(l.body.width() / l.scale, l.body.height() / l.scale);
    l.doc->setPageSize(l.page);
    if (l.picture) PlacePicture(l, printer, widths);
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
    if (l.picture && view.intersects(l.pictureBox)) {
        // Drawn as on screen, scaled into its box: sharp at any resolution.
        painter.translate(l.pictureBox.topLeft());
        painter.scale(l.pictureBox.width() / kPictureWidth, l.pictureBox.height() / kPictureHeight);
        PaintChartPicture(painter, &*l.picture, l.scale * l.pictureBox.width() / kPictureWidth);
    }
    painter.restore();

    painter.save();
    painter.setFont(footerFont);
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(l.footer, Qt::AlignHCenter | Qt::AlignBottom, PageFooter(index + 1, l.pages));
    painter.restore();
}

QString PrinterName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QCoreApplication::translate("tessaly::ReportPrinter", "PDF 文件 %1").arg(printer.outputFileName());
    }
    return QCoreApplication::translate("tessaly::ReportPrinter", "打印机 %1").arg(printer.printerName());
}

Status Failed(const QString& what) { return Status::Error(what.toStdString()); }

}  // namespace

QString PageFooter(int page, int pages) {
    return QCoreApplication::translate("tessaly::ReportPrinter", "第 %1 页，共 %2 页").arg(page).arg(pages);
}

QString PrintTitle(const QString& nameA, const QString& nameB) {
    return nameA + QCoreApplication::translate("tessaly::ReportPrinter", "、") + nameB;
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup) {
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle(QCoreApplication::translate("tessaly::ReportPrinter", "打印"));
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (setup.hasSelection) options |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(options);
    dlg.setMinMax(1, std::max(100, setup.pageCount));
    return dlg.exec() == QDialog::Accepted;
}

int PrintedPageCount(const QTextDocument& doc, const QFont& font, QPrinter& printer, const PrintExtras& extras) {
    return LayOut(doc, font, printer, extras.picture).pages;
}

Status PrintDocument(const QTextDocument& doc, const QFont& font, QPrinter& printer, const PrintExtras& extras) {
    const PrintLayout l = LayOut(doc, font, printer, extras.picture);
    const QPageRanges ranges = printer.pageRanges();
    std::vector<int> pages;
    for (int i = 1; i <= l.pages; ++i) {
        if (ranges.isEmpty() || ranges.contains(i)) pages.push_back(i);
    }
    if (pages.empty()) {
        return Failed(
            QCoreApplication::translate("tessaly::ReportPrinter", "所选页码范围内没有可打印的页（共 %1 页）。")
                .arg(l.pages));
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());
    // Copies the printer does not make itself are printed here.
    int wholeCopies = 1, pageCopies = 1;
    if (!printer.supportsMultipleCopies()) {
        (printer.collateCopies() ? wholeCopies : pageCopies) = std::max(1, printer.copyCount());
    }

    if (!extras.title.isEmpty()) printer.setDocName(extras.title);
    QPainter painter;
    if (!painter.begin(&printer))
        return Failed(
            QCoreApplication::translate("tessaly::ReportPrinter", "无法开始打印到%1。").arg(PrinterName(printer)));
    const QFont footerFont = FooterFont(font);
    bool first = true;
    for (int copy = 0; copy < wholeCopies; ++copy) {
        for (const int page : pages) {
            for (int k = 0; k < pageCopies; ++k) {
                if (!first && !printer.newPage()) {
                    painter.end();
                    return Failed(QCoreApplication::translate("tessaly::ReportPrinter", "打印到%1时出错。")
                                      .arg(PrinterName(printer)));
                }
                first = false;
                DrawPage(painter, l, page - 1, footerFont);
            }
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return Failed(
            QCoreApplication::translate("tessaly::ReportPrinter", "打印到%1时出错。").arg(PrinterName(printer)));
    }
    return Status::Ok();
}

Status PrintPaneOn(const QTextEdit& pane, QPrinter& printer, const PrintExtras& extras) {
    const QTextCursor cursor = pane.textCursor();
    if (printer.printRange() == QPrinter::Selection && cursor.hasSelection()) {
        QTextDocument part;
        part.setDefaultFont(pane.font());
        QTextCursor(&part).insertFragment(cursor.selection());
        return PrintDocument(part, pane.font(), printer, {extras.title, std::nullopt});
    }
    return PrintDocument(*pane.document(), pane.font(), printer, extras);
}

}  // namespace tessaly
