// Walking a window with the keyboard, as a user without a mouse does: the
// controls Tab reaches in turn, whether that order reads like the layout,
// and the accelerators (the letters after "&") a window offers.
#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTextEdit>
#include <QtTest/QTest>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tessaly::apptest {

// The control a focus widget stands for: the edit inside a combo box or a
// spin box counts as the box.
inline QWidget* ControlOf(QWidget* w) {
    while (w != nullptr && w->parentWidget() != nullptr &&
           (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))) {
        w = w->parentWidget();
    }
    return w;
}

// A name for messages: the object name, else the text, else the class.
inline std::string NameOf(const QWidget* w) {
    if (w == nullptr) return "(none)";
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
        return w->objectName().toStdString();
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty()) {
        return b->text().toStdString();
    }
    if (!w->accessibleName().isEmpty()) return w->accessibleName().toStdString();
    return w->metaObject()->className();
}

inline std::string Names(const std::vector<QWidget*>& ws) {
    std::string out;
    for (const QWidget* w : ws) out += (out.empty() ? "" : " → ") + NameOf(w);
    return out;
}

// Shows `window`, makes it the active window and gives `start` (or the
// control the window puts the focus on) the focus, as after opening it.
inline QWidget* Open(QWidget* window, QWidget* start = nullptr) {
    window->show();
    QApplication::setActiveWindow(window);
    QApplication::processEvents();
    if (start != nullptr) start->setFocus(Qt::OtherFocusReason);
    if (window->focusWidget() == nullptr) QTest::keyClick(window, Qt::Key_Tab);
    return ControlOf(window->focusWidget());
}

// The controls Tab reaches from where the focus is, in order, until it
// comes back to the first (at most 200 presses): one full turn. A text pane
// that takes Tab as text is left with Ctrl+Tab, as its users do.
inline std::vector<QWidget*> TabChain(QWidget* window, QWidget* start = nullptr) {
    std::vector<QWidget*> chain{Open(window, start)};
    for (int i = 0; i < 200 && chain.front() != nullptr; ++i) {
        QWidget* at = QApplication::focusWidget();
        auto* pane = qobject_cast<QTextEdit*>(at);
        const bool takesTab = pane != nullptr && !pane->tabChangesFocus() && !pane->isReadOnly();
        QTest::keyClick(at, Qt::Key_Tab, takesTab ? Qt::ControlModifier : Qt::NoModifier);
        QWidget* next = ControlOf(QApplication::focusWidget());
        if (next == chain.front()) break;
        chain.push_back(next);
    }
    return chain;
}

// The controls of `window` the keyboard should reach: shown, enabled and
// taking Tab. Of a group of exclusive radio buttons Tab enters at the
// checked one only, so the others are left out.
inline std::vector<QWidget*> TabStops(QWidget* window) {
    std::vector<QWidget*> stops;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled()) continue;
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() != nullptr || ControlOf(w) != w) continue;
        if (auto* r = qobject_cast<QRadioButton*>(w); r && r->autoExclusive() && !r->isChecked()) {
            const auto siblings = r->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
            if (std::any_of(siblings.begin(), siblings.end(), [](QRadioButton* s) { return s->isChecked(); })) continue;
        }
        stops.push_back(w);
    }
    return stops;
}

// The first step of the turn `chain` that goes against reading order (up a
// row, or left within a row), apart from the one step that wraps round to
// the start; empty when the turn reads like the layout.
inline std::string StepAgainstReading(const std::vector<QWidget*>& chain) {
    const auto rect = [](const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); };
    const auto forward = [&](const QWidget* from, const QWidget* to) {
        const QRect a = rect(from), b = rect(to);
        const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
        if (overlap > std::min(a.height(), b.height()) / 2) return b.center().x() > a.center().x();  // one row
        return b.center().y() > a.center().y();
    };
    std::vector<std::string> back;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const QWidget* from = chain[i];
        const QWidget* to = chain[(i + 1) % chain.size()];
        if (!forward(from, to)) back.push_back(NameOf(from) + " → " + NameOf(to));
    }
    if (back.size() <= 1) return {};
    std::string out;
    for (const std::string& step : back) out += (out.empty() ? "" : "; ") + step;
    return out;
}

// The accelerator of a text ("查找(&S)" → 'S'), or a null character.
inline QChar AcceleratorOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

// The accelerators of `window` with the texts that carry them: its buttons,
// the labels that lead to a control, group boxes, tab titles and the titles
// of its menu bar. Controls on pages not shown count (they meet when the
// page is shown); a menu's own items are a scope of their own.
inline std::map<QChar, QStringList> Accelerators(QWidget* window) {
    std::map<QChar, QStringList> keys;
    const auto add = [&](const QString& text) {
        if (const QChar k = AcceleratorOf(text); !k.isNull()) keys[k] << text;
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->isHidden()) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(b->text());
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy() != nullptr) add(l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(g->title());
        if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) add(t->tabText(i));
        }
        if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : m->actions()) add(a->text());
        }
    }
    return keys;
}

// The accelerators that more than one text of `window` carries, as
// "S: 命理知识(&S), 查找(&S)"; empty when each is unique.
inline std::string SharedAccelerators(QWidget* window) {
    std::string out;
    for (const auto& [key, texts] : Accelerators(window)) {
        if (texts.size() > 1)
            out += (out.empty() ? "" : "; ") + QString(key).toStdString() + ": " + texts.join(", ").toStdString();
    }
    return out;
}

}  // namespace tessaly::apptest
