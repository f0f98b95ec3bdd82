#include "MessageService.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <cmath>

#include "AppSetup.h"

namespace tessaly {
namespace {

class BoxService : public MessageService {
public:
    MsgAnswer Show(QWidget* parent, const MessageRequest& r) override {
        QMessageBox box(parent);
        box.setWindowTitle(r.caption.isEmpty() ? kProgramTitle : r.caption);
        box.setText(r.text);
        switch (r.icon) {
            case MsgIcon::kNone: box.setIcon(QMessageBox::NoIcon); break;
            case MsgIcon::kInformation: box.setIcon(QMessageBox::Information); break;
            case MsgIcon::kWarning: box.setIcon(QMessageBox::Warning); break;
            case MsgIcon::kError: box.setIcon(QMessageBox::Critical); break;
        }
        // A box as wide as its whole caption needs: Qt sizes it by the text
        // alone, and a short text would leave "提示" or "Tessaly 2.0" cut to
        // "…" by the title bar.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            grid->addItem(new QSpacerItem(WidthForCaption(box.windowTitle()), 0, QSizePolicy::Fixed), grid->rowCount(),
                          0, 1, grid->columnCount());
        }
        if (r.buttons == MsgButtons::kOk) {
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return MsgAnswer::kOk;
        }
        QPushButton* yes =
            box.addButton(QCoreApplication::translate("tessaly::MessageService", "是(&Y)"), QMessageBox::YesRole);
        QPushButton* no =
            box.addButton(QCoreApplication::translate("tessaly::MessageService", "否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(r.defaultNo ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgAnswer::kYes : MsgAnswer::kNo;
    }
};

MessageService* g_service = nullptr;

}  // namespace

int WidthForCaption(const QString& caption) {
    // Window managers draw titles in a font of their own, often bold and a
    // little larger than the program's; the bar also holds the window's
    // icon and up to three buttons, each about as wide as the bar is high.
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics fm(font);
    const int bar = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight), fm.height() + 8);
    return int(std::ceil(fm.horizontalAdvance(caption) * 1.2)) + 4 * bar + 32;
}

MessageService& Messages() {
    static BoxService boxes;
    return g_service != nullptr ? *g_service : boxes;
}

void SetMessageService(MessageService* service) { g_service = service; }

void Inform(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon) {
    Messages().Show(parent, {text, caption, icon, MsgButtons::kOk, false});
}

bool Ask(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon, bool defaultNo) {
    return Messages().Show(parent, {text, caption, icon, MsgButtons::kYesNo, defaultNo}) == MsgAnswer::kYes;
}

}  // namespace tessaly
