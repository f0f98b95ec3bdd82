#include "GlossaryTip.h"

#include <QHelpEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

#include "AppSetup.h"
#include "lang/Glossary.h"

namespace tessaly {
namespace {

class GlossaryToolTipFilter : public QObject {
public:
    explicit GlossaryToolTipFilter(QTextEdit* edit) : QObject(edit), edit_(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || watched != edit_->viewport() ||
            CurrentLanguage() != UiLanguage::kEnglish) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = GlossaryToolTipAt(*edit_, help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, edit_->viewport());
        }
        return true;
    }

private:
    QTextEdit* edit_;
};

}  // namespace

QString GlossaryHit::ToolTip() const {
    return term == nullptr ? QString() : QString::fromStdString(TermTooltip(*term));
}

std::optional<GlossaryHit> GlossaryTermAt(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    if (!block.isValid()) return std::nullopt;
    const QString line = block.text();
    const int at = position - block.position();
    if (at < 0 || at >= line.size()) return std::nullopt;
    // Glossary::TermAt counts UTF-8 bytes; the document counts UTF-16 units.
    const std::string utf8 = line.toStdString();
    const std::string before = line.left(at).toStdString();
    const std::optional<TermMatch> m = Glossary::Builtin().TermAt(utf8, before.size());
    if (!m) return std::nullopt;
    const int start = QString::fromUtf8(utf8.data(), qsizetype(m->start)).size();
    const int length = QString::fromUtf8(utf8.data() + m->start, qsizetype(m->length)).size();
    return GlossaryHit{block.position() + start, length, m->term};
}

QString GlossaryToolTipAt(const QTextEdit& edit, const QPoint& viewportPoint) {
    const QTextCursor cursor = edit.cursorForPosition(viewportPoint);
    // The cursor stands between characters: the character under the point
    // is the one after it, or before it when the point is on its right half.
    const QRect caret = edit.cursorRect(cursor);
    const int position = viewportPoint.x() < caret.x() ? cursor.position() - 1 : cursor.position();
    if (position < 0) return {};
    const std::optional<GlossaryHit> hit = GlossaryTermAt(*edit.document(), position);
    return hit ? hit->ToolTip() : QString();
}

void InstallGlossaryToolTips(QTextEdit* edit) { edit->viewport()->installEventFilter(new GlossaryToolTipFilter(edit)); }

}  // namespace tessaly
