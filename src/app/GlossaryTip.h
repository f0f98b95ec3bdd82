// GlossaryTip — the glossary's term under a place of a text document, for
// the English tooltip of the report pane: in English mode a pointer resting
// on a term of the (Chinese) report shows "用神 yòngshén — Useful God".
#pragma once

#include <QString>
#include <optional>

class QPoint;
class QTextDocument;
class QTextEdit;

namespace tessaly {

struct GlossaryTerm;

struct GlossaryHit {
    int position = 0;  // of the term's first character in the document
    int length = 0;    // in the document's characters (UTF-16 code units)
    const GlossaryTerm* term = nullptr;
    QString ToolTip() const;  // "用神 yòngshén — Useful God" and its note
};

// The term that covers the character at `position` of the document, read
// over its line as Glossary::TermAt reads it; nothing between terms.
std::optional<GlossaryHit> GlossaryTermAt(const QTextDocument& document, int position);

// The tooltip of the term under `viewportPoint` (in the viewport's
// coordinates, as a QHelpEvent gives them) of a text edit; empty when the
// point is on no term.
QString GlossaryToolTipAt(const QTextEdit& edit, const QPoint& viewportPoint);

// Gives the text edit's viewport these tooltips while CurrentLanguage() is
// English (in Chinese the pane keeps its own tooltips, none by default). The
// filter belongs to the edit and goes with it.
void InstallGlossaryToolTips(QTextEdit* edit);

}  // namespace tessaly
