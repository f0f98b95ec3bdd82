// ReportView — the report in the rich-text pane: the text of a matching run
// with the colours and sizes the report styling gives its blocks
// (matching/ReportStyle.h).
//
// The styled runs count UTF-8 bytes of the report; the editor counts UTF-16
// code units, and a CR LF is one paragraph break there. EditorPositions maps
// between the two.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QFont;
class QTextEdit;

namespace tessaly {

struct StyledReport;

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

// Puts a styled report into `pane`: the text with the default attributes
// (the pane's font size, black, no style), every paragraph with the
// report's first-line indent, and the report's runs laid over it. The caret
// goes to the top; the undo history is cleared and the pane marked
// unmodified.
void ShowReport(QTextEdit* pane, const StyledReport& report);

// Puts plain text into `pane` with the default attributes and first-line
// indent `leftIndent`, shown from the top (the wedding-date pane).
void ShowPlainText(QTextEdit* pane, const std::string& text, int leftIndent);

// The report font changed from `from` to `to`: the text `pane` shows takes
// it at once, its runs in `from` set in `to` and every size scaled alike.
// The modified mark stays as it was.
void ChangePaneFont(QTextEdit* pane, const QFont& from, const QFont& to);

// A line whose words are aligned in columns: spaces in a row after its
// first word (the chart rows, the luck pillars, the strength figures).
// Such a line is never wrapped, on screen or on paper.
bool IsColumnLine(const QString& line);

// Clears `pane` and sets its default attributes; then `text` (may be empty).
void ResetPane(QTextEdit* pane, const QString& text = {});

}  // namespace tessaly
