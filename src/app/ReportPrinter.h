// ReportPrinter — prints a rich-text pane ("打印"): the pane's fonts, colours
// and paragraph indents on paper, a page number in the footer of every page.
//
// The report lays out its tables in columns of spaces, so those lines must
// not wrap: when the widest of them is wider than the page, the whole text
// is printed smaller (down to half size) instead. Prose wraps at the page's
// width, as it does in the pane.
#pragma once

#include <QString>
#include <functional>

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

// Shows the print dialog for `printer`; true when the user chose to print.
using PrintDialogFn = std::function<bool(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup)>;

// The platform print dialog (QPrintDialog): page range, selection, copies,
// paper, and printing to a PDF file (the only choice without a printer).
bool RunPrintDialog(QPrinter& printer, QWidget* parent, const PrintDialogSetup& setup);

// Pages `doc` takes on `printer`'s paper with `font` as its default font.
int PrintedPageCount(const QTextDocument& doc, const QFont& font, QPrinter& printer);

// Prints `doc` on `printer`: the pages of the printer's page ranges (all when
// none), in its page order, its copies unless the printer makes them.
Status PrintDocument(const QTextDocument& doc, const QFont& font, QPrinter& printer);

// Prints `pane`: its selection when the printer's range asks for it, else
// the whole text.
Status PrintPaneOn(const QTextEdit& pane, QPrinter& printer);

// The footer of page `page` of `pages`.
QString PageFooter(int page, int pages);

}  // namespace tessaly
