#include "ReportFileBridge.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "store/ReportFile.h"

namespace tessaly {

void PaneToStyledReport(const QTextEdit* pane, StyledReport* report) {
    const QFont font = pane->font();
    report->text.clear();
    report->runs.clear();
    report->fontName = font.family().toStdString();
    report->base = TextStyle{0, font.pointSizeF(), false};
    report->firstLineIndent = 0;
    const QTextDocument* doc = pane->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) report->text += "\r\n";
        if (block == doc->begin()) report->firstLineIndent = int(block.blockFormat().textIndent() * 15);  // px → twips
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString t = frag.text();
            t.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
            t.replace(QChar::Nbsp, u' ');  // pasted text: no character of its own in GBK
            const std::string bytes = t.toStdString();
            const QTextCharFormat f = frag.charFormat();
            StyleRun run;
            run.start = report->text.size();
            run.length = bytes.size();
            const QColor c = f.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : f.foreground().color();
            run.color = RgbColor(c.red(), c.green(), c.blue());
            run.pointSize = f.fontPointSize() > 0 ? f.fontPointSize() : font.pointSizeF();
            run.bold = f.fontWeight() >= QFont::Bold;
            run.italic = f.fontItalic();
            run.underline = f.fontUnderline();
            run.strikeOut = f.fontStrikeOut();
            // Text in another font than the pane's names it.
            if (const QStringList families = f.fontFamilies().toStringList();
                !families.isEmpty() && families.front() != font.family()) {
                run.font = families.front().toStdString();
            }
            report->text += bytes;
            report->runs.push_back(run);
        }
    }
}

QString WithExtension(const QString& name, const QString& extension) {
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}

}  // namespace tessaly
