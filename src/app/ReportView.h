// ReportView — the report in the rich-text pane: the text as the engine
// wrote it, its headings and sections coloured and sized.
//
// The colouring rules count positions in GBK bytes of the report (a Chinese
// character is two, an ASCII character one, CR LF two). The editor counts
// characters, and a CR LF is one paragraph break there. GbkPositions maps
// between the two.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QTextEdit;

namespace tessaly {

class GbkPositions {
public:
    // `report` is UTF-8 with CR LF line ends.
    explicit GbkPositions(const std::string& report);

    // The text as the editor holds it (QString, "\n" for each line end).
    const QString& EditorText() const { return text_; }
    long ByteLength() const { return byteStart_.back(); }

    // Editor position of the first character that starts at or after GBK
    // byte `byte` (clamped to the text).
    int ToChar(long byte) const;
    // GBK byte offset of editor position `pos`.
    long ToByte(int pos) const;
    // GBK byte position of `needle` searched from byte `fromByte` to the end
    // (case-sensitive), or −1; a negative start finds nothing.
    long Find(const QString& needle, long fromByte) const;

private:
    QString text_;
    std::vector<long> byteStart_;  // per editor position, plus the end
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
