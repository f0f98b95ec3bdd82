#include "FocusKeys.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tessaly {
namespace {

bool IsCtrlTab(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->modifiers() & Qt::ControlModifier) && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
}

class CtrlTabFilter : public QObject {
public:
    explicit CtrlTabFilter(QWidget* pane) : QObject(pane), pane_(pane) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (!IsCtrlTab(event)) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            // The pane takes the key itself: no shortcut of the window or of
            // the desktop bound to Ctrl+Tab ("next child") gets it first.
            key->accept();
            return true;
        }
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        if (QWidget* to = Neighbour(back)) to->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;  // handled: the page control around never sees it
    }

private:
    // The next (previous) control in the focus chain that Tab would reach.
    QWidget* Neighbour(bool back) const {
        QWidget* w = pane_;
        for (int guard = 0; guard < 1000; ++guard) {
            w = back ? w->previousInFocusChain() : w->nextInFocusChain();
            if (w == nullptr || w == pane_) return nullptr;
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
                w->window() == pane_->window() && w->focusProxy() == nullptr && !pane_->isAncestorOf(w)) {
                return w;
            }
        }
        return nullptr;
    }

    QWidget* pane_;
};

}  // namespace

void LeaveWithCtrlTab(QWidget* pane) {
    auto* filter = new CtrlTabFilter(pane);
    pane->installEventFilter(filter);
    // Keys reach the viewport of a scrolling pane when it holds the focus.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(pane)) area->viewport()->installEventFilter(filter);
}

}  // namespace tessaly
