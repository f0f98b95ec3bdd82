#include "AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace tessaly {
namespace {

class ComboBoxInterface : public QAccessibleWidget {
public:
    explicit ComboBoxInterface(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
        if (t == QAccessible::Name) {
            // Its own name, else its label's (QAccessibleWidget finds both);
            // the entry only when the box has neither.
            const QString name = QAccessibleWidget::text(t);
            return name.isEmpty() ? text(QAccessible::Value) : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view() != nullptr && box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }

    // The edit of an editable box, then the list of entries.
    int childCount() const override { return (box()->isEditable() ? 1 : 0) + (box()->view() != nullptr ? 1 : 0); }
    QAccessibleInterface* child(int index) const override {
        if (box()->isEditable()) {
            if (index == 0) return QAccessible::queryAccessibleInterface(box()->lineEdit());
            --index;
        }
        return index == 0 && box()->view() != nullptr ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (const QAccessibleInterface* c = this->child(i); c != nullptr && c->object() == child->object())
                return i;
        }
        return -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            box()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* ComboBoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox")) {
        if (auto* box = qobject_cast<QComboBox*>(object)) return new ComboBoxInterface(box);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleComboBoxes() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(ComboBoxFactory);
}

}  // namespace tessaly
