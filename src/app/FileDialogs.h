// FileDialogs — the file and folder dialogs of the report and history
// commands.
#pragma once

#include <QFileDialog>

namespace tessaly {

// Runs `dlg` and gives the file and the name filter chosen at the moment the
// user accepted (the dialog's own selection may still change afterwards,
// when its folder listing arrives late). False when cancelled.
bool ChooseFile(QFileDialog& dlg, QString* file, QString* filter = nullptr);

// FolderChooser — the folder dialog of "导出历史记录": the user picks a folder
// or types the name of a new one, which is created after asking.
class FolderChooser : public QFileDialog {
    Q_OBJECT
public:
    FolderChooser(QWidget* parent, const QString& caption, const QString& startFolder);

    // The folder chosen when the dialog was accepted.
    const QString& Folder() const { return chosen_; }

    void accept() override;

private:
    QString chosen_;
};

}  // namespace tessaly
