#include "AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "DesktopOpener.h"
#include "MessageService.h"
#include "common/ProgramFiles.h"
#include "common/Version.h"

namespace tessaly {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

AboutInfo AboutInfoOf(const ProgramFiles& files) {
    return {QString::fromUtf8(ProgramVersion().data(), qsizetype(ProgramVersion().size())),
            QString::fromStdString(files.home.string())};
}

AboutDialog::AboutDialog(const AboutInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(tr("关于 Tessaly"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    const QString folder = info.dataFolder.toHtmlEscaped();
    textLabel = new QLabel(this);
    textLabel->setObjectName(QStringLiteral("LblAbout"));
    textLabel->setWordWrap(true);
    textLabel->setTextFormat(Qt::RichText);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textLabel->setText(tr("<p><b style='font-size:large'>Tessaly 八字合婚</b>&nbsp;&nbsp;版本 %1</p>"
                          "<p>四柱八字合婚分析：排盘、性格与婚姻批语、婚配指数、结婚择日和命例管理。</p>"
                          "<p><b>许可证</b>：MIT 许可证，见随程序附带的 LICENSE 文件。"
                          "Copyright © Tessaly 开发者。</p>"
                          "<p><b>天文数据</b>：节气与朔的计算采用两种已发表的天文级数的截断："
                          "地球的 VSOP87D（P. Bretagnon, G. Francou 1988）与月球的 ELP/MPP02"
                          "（J. Chapront, G. Francou 2003），由 npm 包 astronomia 4.3.0 的数据文件生成"
                          "（MIT 许可证，Copyright © 2013 Sonia Keys，© 2016 commenthol）。"
                          "详见随程序附带的 NOTICE 文件。</p>"
                          "<p><b>地名与经纬度</b>：dat/dili.ini 的省市列表与经纬度由 Tessaly 开发者"
                          "依据公开的地理常识整理，未复制任何第三方数据文件。</p>"
                          "<p><b>数据文件夹</b>（设置、地名、命例库与命稿）：<br><tt>%2</tt></p>")
                           .arg(info.version, folder));
    textLabel->setMinimumWidth(460);

    openFolderButton = new QPushButton(tr("打开数据文件夹"), this);
    closeButton = new QPushButton(tr("关闭"), this);
    closeButton->setDefault(true);
    openFolderButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    const QString path = info.dataFolder;
    connect(openFolderButton, &QPushButton::clicked, this, [this, path] {
        if (!OpenWithDesktop(QUrl::fromLocalFile(path))) {
            Inform(this, tr("没有可以打开文件夹“%1”的程序。").arg(path));
        }
    });

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(textLabel, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openFolderButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    closeButton->setFocus();
}

}  // namespace tessaly
