// MessageService — every message box of the desktop program goes through
// this one small interface, so that tests can answer and inspect them.
#pragma once

#include <QString>

class QWidget;

namespace tessaly {

enum class MsgIcon { kNone, kInformation, kWarning, kError };
enum class MsgButtons { kOk, kYesNo };
enum class MsgAnswer { kOk, kYes, kNo };

struct MessageRequest {
    QString text;
    QString caption;  // shown as it is; empty: the program's title "Tessaly 2.0"
    MsgIcon icon = MsgIcon::kNone;
    MsgButtons buttons = MsgButtons::kOk;
    bool defaultNo = false;  // Yes/No boxes: No is the default button
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer Show(QWidget* parent, const MessageRequest& request) = 0;
};

// The service in use: QMessageBox unless a test installed its own.
MessageService& Messages();
// Installs `service` (not owned); nullptr restores the QMessageBox service.
void SetMessageService(MessageService* service);

// An OK box.
void Inform(QWidget* parent, const QString& text, const QString& caption = {}, MsgIcon icon = MsgIcon::kNone);
// The least width of a message box whose title bar shows `caption` whole.
int WidthForCaption(const QString& caption);

// A Yes/No box; true for Yes.
bool Ask(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon, bool defaultNo = false);

}  // namespace tessaly
