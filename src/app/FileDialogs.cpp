#include "FileDialogs.h"

#include <QDir>
#include <QFileInfo>

#include "MessageService.h"

namespace tessaly {

bool ChooseFile(QFileDialog& dlg, QString* file, QString* filter) {
    QString chosen, chosenFilter;
    const QMetaObject::Connection c = QObject::connect(&dlg, &QFileDialog::fileSelected, &dlg, [&](const QString& f) {
        chosen = f;
        chosenFilter = dlg.selectedNameFilter();
    });
    const bool accepted = dlg.exec() == QDialog::Accepted;
    QObject::disconnect(c);
    if (!accepted || chosen.isEmpty()) return false;
    *file = chosen;
    if (filter != nullptr) *filter = chosenFilter;
    return true;
}

FolderChooser::FolderChooser(QWidget* parent, const QString& caption, const QString& startFolder)
    : QFileDialog(parent, caption, startFolder) {
    setObjectName(QStringLiteral("FolderChooser"));
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, QCoreApplication::translate("tessaly::FolderChooser", "选择"));
    setLabelText(QFileDialog::Reject, QCoreApplication::translate("tessaly::FolderChooser", "取消"));
    setLabelText(QFileDialog::FileName, QCoreApplication::translate("tessaly::FolderChooser", "文件夹:"));
}

void FolderChooser::accept() {
    const QStringList files = selectedFiles();
    const QString folder = files.isEmpty() ? QString() : QDir::cleanPath(files.front());
    if (folder.isEmpty()) return;
    if (!QFileInfo::exists(folder)) {
        if (!Ask(this,
                 QCoreApplication::translate("tessaly::FolderChooser", "文件夹“%1”不存在，要创建它吗？")
                     .arg(QDir::toNativeSeparators(folder)),
                 QCoreApplication::translate("tessaly::FolderChooser", "提示"), MsgIcon::kInformation)) {
            return;
        }
        if (!QDir().mkpath(folder)) {
            Inform(this,
                   QCoreApplication::translate("tessaly::FolderChooser", "无法创建文件夹“%1”。")
                       .arg(QDir::toNativeSeparators(folder)),
                   QCoreApplication::translate("tessaly::FolderChooser", "错误"), MsgIcon::kError);
            return;
        }
    }
    if (!QFileInfo(folder).isDir()) {
        Inform(this,
               QCoreApplication::translate("tessaly::FolderChooser", "“%1”不是文件夹。")
                   .arg(QDir::toNativeSeparators(folder)),
               QCoreApplication::translate("tessaly::FolderChooser", "错误"), MsgIcon::kError);
        return;
    }
    chosen_ = folder;
    QFileDialog::accept();
}

}  // namespace tessaly
