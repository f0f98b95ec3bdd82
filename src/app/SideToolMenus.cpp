#include "SideToolMenus.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>

#include "CoordinatesEditorDialog.h"
#include "HeTuLuoShuDialog.h"
#include "PerpetualCalendarWindow.h"
#include "PregnancyPredictorDialog.h"
#include "SurnameGameDialog.h"

namespace tessaly {
namespace {

// A modal dialog made when its command runs and destroyed afterwards.
template <class Dialog, class... Args>
void RunModal(QWidget* parent, Args&&... args) {
    Dialog dialog(std::forward<Args>(args)..., parent);
    dialog.exec();
}

QAction* AddItem(QMenu* menu, const QString& text, const char* name) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

void AddSideToolMenus(QMainWindow* window, QMenu* knowledge, QAction* before, const std::filesystem::path& diliPath) {
    QMenuBar* bar = window->menuBar();
    auto* diagrams = new QAction(QCoreApplication::translate("tessaly::SideToolMenus", "河洛图像"), knowledge);
    diagrams->setObjectName(QStringLiteral("mlpic"));
    knowledge->insertAction(knowledge->actions().value(0), diagrams);
    QObject::connect(diagrams, &QAction::triggered, window, [window] { RunModal<HeTuLuoShuDialog>(window); });

    auto* tools = new QMenu(QCoreApplication::translate("tessaly::SideToolMenus", "辅助工具(&T)"), bar);
    bar->insertMenu(before, tools);
    QObject::connect(AddItem(tools, QCoreApplication::translate("tessaly::SideToolMenus", "测怀孕"), "Tnumhy"),
                     &QAction::triggered, window, [window] { RunModal<PregnancyPredictorDialog>(window); });
    QObject::connect(AddItem(tools, QCoreApplication::translate("tessaly::SideToolMenus", "巧猜姓氏"), "TmnuTname"),
                     &QAction::triggered, window, [window] { RunModal<SurnameGameDialog>(window); });
    tools->addSeparator();
    QObject::connect(AddItem(tools, QCoreApplication::translate("tessaly::SideToolMenus", "经纬度设置"), "TmnuDili"),
                     &QAction::triggered, window,
                     [window, diliPath] { RunModal<CoordinatesEditorDialog>(window, diliPath); });
    auto calendar = std::make_shared<QPointer<PerpetualCalendarWindow>>();
    QObject::connect(AddItem(tools, QCoreApplication::translate("tessaly::SideToolMenus", "万年历"), "Tmnuwnl"),
                     &QAction::triggered, window, [window, calendar] {
                         if (calendar->isNull()) {
                             *calendar = new PerpetualCalendarWindow(window);
                             (*calendar)->setAttribute(Qt::WA_DeleteOnClose);
                         }
                         PerpetualCalendarWindow* w = *calendar;
                         if (w->isMinimized()) w->showNormal();
                         w->show();
                         w->raise();
                         w->activateWindow();
                     });
}

}  // namespace tessaly
