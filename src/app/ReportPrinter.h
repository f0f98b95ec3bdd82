// ReportPrinter — prints a rich-text pane ("打印"): the pane's fonts, colours
// and paragraph indents on paper, a page number in the footer of every page,
// and for a report the chart picture on its first page.
//
// The report lays out its tables in columns of spaces, so those lines must
// not wrap: when the widest of them is wider than the page, the whole text
// is printed smaller (down to half size) instead. Prose wraps at the page's
// width, as it does in the pane. The chart picture stands at the right of
// the first lines when the column lines there leave it room, else above
// the text.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "ChartPicture.h"
#include "common/Status.h"

class QFont;
class QPrinter;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace tessaly {

// What the print dialog offers.
struct PrintDialogSetup {
    int pageCount = 1;          // pages of the whole pane on the printer's paper
    bool hasSelection = false;  // the "selection" choice is offered
};

// What a printout carries besides the pane's text.
struct PrintExtras {
    QString title;                            // the document's title (a PDF file's Title); empty: none
    std::optional<ChartPictureData> picture;  // the chart picture, for the first page
};

// The title of a couple's printout: both names, "张三、李娜".
QString PrintTitle(const QString& nameA, const QString& nameB);

// Shows the print dialog for `printer`; true when the user chose to print.
using PrintDialogFn = std::function<bool(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup)>;

// The platform print dialog (QPrintDialog): page range, selection, copies,
// paper, and printing to a PDF file (the only choice without a printer).
bool RunPrintDialog(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup);

// Pages `doc` takes on `printer`'s paper with `font` as its default font
// (and the picture of `extras`).
int PrintedPageCount(const QTextDocument& doc, const QFont& font, QPrinter& printer, const PrintExtras& extras = {});

// Prints `doc` on `printer`: the pages of the printer's page ranges (all when
// none), in its page order, its copies unless the printer makes them; the
// title and picture of `extras` with it.
Status PrintDocument(const QTextDocument& doc, const QFont& font, QPrinter& printer, const PrintExtras& extras = {});

// Prints `pane`: its selection when the printer's range asks for it (under
// the title of `extras`, without the picture), else the whole text with
// `extras`.
Status PrintPaneOn(const QTextEdit& pane, QPrinter& printer, const PrintExtras& extras = {});

// The footer of page `page` of `pages`.
QString PageFooter(int page, int pages);

}  // namespace tessaly
