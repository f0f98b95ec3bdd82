#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
        if (r.buttons == MsgButtons::kOk) {
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return MsgAnswer::kOk;
        }
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(r.defaultNo ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgAnswer::kYes : MsgAnswer::kNo;
    }
};

MessageService* g_service = nullptr;

}  // namespace

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
