#include "GbkLimits.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "common/TextCodec.h"
#include "store/CaseOperations.h"

namespace tessaly {
namespace {

bool GbkHolds(const QString& text) { return Utf8ToGbk(text.toStdString()).ok(); }

// GBK bytes of an editor text, a line break (one character there) counted
// as CR LF.
std::size_t StoredBytes(const QString& text) { return GbkWidth(text.toStdString()) + std::size_t(text.count(u'\n')); }

}  // namespace

GbkLengthValidator::GbkLengthValidator(std::size_t maxBytes, QObject* parent) : QValidator(parent), max_(maxBytes) {}

QValidator::State GbkLengthValidator::validate(QString& input, int&) const {
    return GbkWidth(input.toStdString()) <= max_ && GbkHolds(input) ? Acceptable : Invalid;
}

std::string MemoText(const QPlainTextEdit* memo) { return WithCrLfLineEnds(memo->toPlainText().toStdString()); }

void SetMemoText(QPlainTextEdit* memo, const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo->setPlainText(t);
}

void LimitMemoBytes(QPlainTextEdit* memo, std::size_t maxBytes) {
    QObject::connect(memo->document(), &QTextDocument::contentsChange, memo,
                     [memo, maxBytes](int from, int, int added) {
                         if (added <= 0) return;
                         const QString all = memo->toPlainText();
                         const QString inserted = all.mid(from, added);
                         const std::size_t rest = StoredBytes(all) - StoredBytes(inserted);
                         std::size_t budget = maxBytes > rest ? maxBytes - rest : 0;
                         QString kept;
                         for (qsizetype i = 0; i < inserted.size(); ++i) {
                             const qsizetype n = inserted[i].isHighSurrogate() && i + 1 < inserted.size() ? 2 : 1;
                             const QString ch = inserted.mid(i, n);
                             i += n - 1;
                             if (ch != QStringLiteral("\n") && !GbkHolds(ch)) continue;
                             const std::size_t bytes = StoredBytes(ch);
                             if (bytes > budget) break;
                             budget -= bytes;
                             kept += ch;
                         }
                         if (kept == inserted) return;
                         // Replace the insertion by what fits; the change this
                         // makes inserts no more than fits, so it stops here.
                         QTextCursor c(memo->document());
                         c.setPosition(from);
                         c.setPosition(from + int(added), QTextCursor::KeepAnchor);
                         c.insertText(kept);
                     });
}

}  // namespace tessaly
