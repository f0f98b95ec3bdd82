// The main window's "设定用神": the user's own scores, roles and judgement,
// and the report analysed again from them.
#include <QPainter>
#include <QToolButton>

#include "MainWindow.h"

#include "MessageService.h"
#include "UsefulGodDialog.h"
#include "matching/Reanalysis.h"
#include "session/RunInputs.h"
#include "app/AppSetup.h"

namespace tessaly {

static_assert(std::string_view(kNeedsMatchingText) == "请先排一个正确的盘");  // the text of the tr() below

QToolButton* MainWindow::NewSetRolesButton(QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("SbtoSet"));
    button->setAutoRaise(true);
    button->setText(tr("设定用神"));
    button->setToolTip(tr("设定用神"));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The picture: "用" on a red seal.
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(178, 34, 34));
        p.drawRoundedRect(QRectF(2, 2, 36, 36), 7, 7);
        QFont f(QStringLiteral("宋体"));
        f.setPixelSize(26);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(255, 244, 220));
        p.drawText(QRectF(2, 2, 36, 36), Qt::AlignCenter, QStringLiteral("用"));
    }
    button->setIcon(QIcon(pm));
    button->setIconSize(QSize(16, 16));
    return button;
}

void MainWindow::OverrideRoles() {
    if (searching_) return;  // the wedding search holds the event loop
    if (!chartValid() || !lastMatching() || !lastMatching()->ok()) {
        Inform(this, tr("请先排一个正确的盘"), tr("排盘"), MsgIcon::kInformation);
        return;
    }
    std::array<RoleOverride, 2> overrides;
    {
        UsefulGodDialog dlg(FillOverrides(*lastMatching()), this);
        if (dlg.exec() != QDialog::Accepted) return;
        overrides = dlg.Overrides();
    }
    SavePrompt();

    // The options stay those of the last run; the ending text is read
    // afresh, as for every report.
    std::vector<std::string> warnings;
    const EndingText ending = LoadEndingText(files_, lastMatching()->options, &warnings);
    for (const std::string& w : warnings) {
        Inform(this, QString::fromStdString(w), tr("提示"), MsgIcon::kWarning);
    }
    if (const MatchOutcome run = session_.Reanalyse(overrides, ending); !run.status.ok()) {
        Inform(this, CoreText(run.status.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    ShowMatching(*lastMatching());
}

}  // namespace tessaly
