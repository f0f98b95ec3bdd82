#include "FocusKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tessaly {
namespace {

class CtrlTabFilter : public QObject {
public:
    explicit CtrlTabFilter(QWidget* pane) : QObject(pane), pane_(pane) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != pane_ || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ControlModifier)) return false;
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        if (QWidget* to = Neighbour(back)) to->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    }

private:
    // The next (previous) control in the focus chain that Tab would reach.
    QWidget* Neighbour(bool back) const {
        QWidget* w = pane_;
        for (int guard = 0; guard < 1000; ++guard) {
            w = back ? w->previousInFocusChain() : w->nextInFocusChain();
            if (w == nullptr || w == pane_) return nullptr;
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
                w->window() == pane_->window() && w->focusProxy() == nullptr) {
                return w;
            }
        }
        return nullptr;
    }

    QWidget* pane_;
};

}  // namespace

void LeaveWithCtrlTab(QWidget* pane) { pane->installEventFilter(new CtrlTabFilter(pane)); }

}  // namespace tessaly
