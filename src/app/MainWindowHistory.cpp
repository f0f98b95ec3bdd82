// The three history commands of "文件(&F)": clear, import and export the
// whole case store. Clearing and importing end the program afterwards, so
// that the next start begins with the new store.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>

#include "FileDialogs.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "store/CaseStore.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

std::filesystem::path PathOf(const QString& s) { return std::filesystem::path(s.toStdString()); }

QString Caution() { return MainWindow::tr("注意了"); }

// Says how a command that changed the whole store ended; true on success.
bool Reported(QWidget* parent, const Status& s, const QString& failed, const QString& done) {
    if (!s.ok()) {
        Inform(parent, failed + u'\n' + CoreText(s.message()), MainWindow::tr("错误"), MsgIcon::kError);
        return false;
    }
    Inform(parent, done);
    return true;
}

}  // namespace

void MainWindow::LeaveCaseEditing() {
    session_.StopViewing();
    SetSaveCaption();
}

void MainWindow::ClearHistory() {
    SavePrompt();
    if (!Ask(this, tr("这将清除所有历史记录，要继续吗？"), Caution(), MsgIcon::kWarning, true)) return;
    if (!Ask(this, tr("确定要清除吗？"), Caution(), MsgIcon::kWarning, true)) return;
    CaseStore* db = OpenStore();
    if (db == nullptr) return;
    LeaveCaseEditing();
    const Status s = db->ClearAll();
    FillTree();
    ShowStoreWarning(s);
    // The program ends, so that the next start opens the new, empty store.
    if (Reported(this, s, tr("清除历史记录时出错。"), tr("清除完成,请重启软件。"))) close();
}

void MainWindow::ImportHistory() {
    SavePrompt();
    if (!Ask(this, tr("执行此操作将覆盖现有的历史记录，要继续吗？"), Caution(), MsgIcon::kWarning, true)) {
        return;
    }
    CaseStore* db = OpenStore();
    if (db == nullptr) return;
    QFileDialog dlg(this, tr("导入历史记录"), lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
    dlg.setObjectName(QStringLiteral("OpenDialog"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(QStringLiteral("all.dat (*.dat)"));
    dlg.selectFile(QStringLiteral("bazi0.dat"));
    QString path;
    if (!ChooseFile(dlg, &path)) return;
    lastFolder_ = QFileInfo(path).absolutePath();

    // The store checks the chosen history whole before it replaces anything;
    // a refused import leaves the current store as it was.
    LeaveCaseEditing();
    const Status s = db->ImportFrom(PathOf(path));
    FillTree();
    ShowStoreWarning(s);
    if (Reported(this, s, tr("导入历史记录时出错。"), tr("成功导入，请重启软件！"))) close();
}

void MainWindow::ExportHistory() {
    // Edits of the case on screen go into the store first, if wanted.
    SavePrompt();
    CaseStore* db = OpenStore();
    if (db == nullptr) return;
    FolderChooser dlg(this, tr("导出历史记录"), lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
    if (dlg.exec() != QDialog::Accepted || dlg.Folder().isEmpty()) return;
    QString folder = dlg.Folder();
    lastFolder_ = folder;
    if (!folder.endsWith(u'/')) folder += u'/';
    const QString shown = QDir::toNativeSeparators(folder);
    // An earlier export there would be overwritten.
    if (QFileInfo::exists(folder + ToQString(std::string(StoreStem(0))) + QStringLiteral("0.dat")) &&
        !Ask(this, tr("“%1”里已有导出的历史记录，要覆盖它吗？").arg(shown), Caution(), MsgIcon::kWarning, true)) {
        return;
    }
    Reported(this, db->ExportTo(PathOf(folder)), tr("导出历史记录时出错。"),
             tr("成功导出，已保存到%1目录下").arg(shown));
}

}  // namespace tessaly
