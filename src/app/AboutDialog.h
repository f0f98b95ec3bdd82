// AboutDialog — "帮助 ▸ 关于 Tessaly": the version, the licence, where the
// astronomical series and the place list come from, and the data folder.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

class QLabel;
class QPushButton;

namespace tessaly {

struct ProgramFiles;

// The program's icon (the PNG sizes of data/linux/icons, built in).
QIcon ProgramIcon();

struct AboutInfo {
    QString version;     // "2.0"
    QString dataFolder;  // where this user's settings and cases are
};

// The facts shown from the program's files.
AboutInfo AboutInfoOf(const ProgramFiles& files);

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(const AboutInfo& info, QWidget* parent = nullptr);

    QLabel* textLabel;
    QPushButton* openFolderButton;  // "打开数据文件夹"
    QPushButton* closeButton;       // "关闭"
};

}  // namespace tessaly
