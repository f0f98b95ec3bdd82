// ReportView — the report in the rich-text pane: the text as the engine
// wrote it, its headings and sections coloured and sized by the engine's
// report styling (engine/ReportStyle.h).
//
// The styled runs count UTF-8 bytes of the report; the editor counts UTF-16
// code units, and a CR LF is one paragraph break there. EditorPositions maps
// between the two.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QTextEdit;

namespace tessaly {

class EditorPositions {
public:
    // `report` is UTF-8; lines end in CR LF or LF alone.
    explicit EditorPositions(const std::string& report);

    // The text as the editor holds it (QString, "\n" for each line end).
    const QString& EditorText() const { return text_; }
    // Editor position of the character that starts at or after UTF-8 byte
    // `offset` (clamped to the text).
    int ToEditor(std::size_t offset) const;

private:
    QString text_;
    std::vector<std::size_t> utf8Start_;  // per editor position, plus the end
};

// Puts `report` into `pane` with the default attributes (the pane's font
// size, black, no style), every paragraph with first-line indent
// `leftIndent`, and the colours and sizes of the headings and sections.
// A heading that cannot be found is left plain. The caret goes to the top;
// the undo history is cleared and the pane marked unmodified.
void ShowReport(QTextEdit* pane, const std::string& report, int leftIndent);

// Puts plain text into `pane` with the default attributes and first-line
// indent `leftIndent`, shown from the top (the wedding-date pane).
void ShowPlainText(QTextEdit* pane, const std::string& text, int leftIndent);

// Clears `pane` and sets its default attributes; then `text` (may be empty).
void ResetPane(QTextEdit* pane, const QString& text = {});

}  // namespace tessaly
