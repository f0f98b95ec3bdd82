#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tessaly {
namespace {

struct HelpPage {
    const char* title;
    const char* resource;
};

constexpr HelpPage kPages[] = {
    {"使用说明", ":/help/usage.html"},
    {"升级改进历史", ":/help/history.html"},
    {"关于本项目", ":/help/project.html"},
};

QString PageText(const char* resource) {
    QFile f(QString::fromLatin1(resource));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

}  // namespace

QSize HelpWindow::FittedSize(const QScreen* screen) {
    const QSize designed(702, 662);
    return screen == nullptr ? designed : designed.boundedTo(screen->availableGeometry().size());
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTxtHelp"));
    setWindowTitle(QStringLiteral("软件帮助"));
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    for (const HelpPage& p : kPages) {
        auto* text = new QTextBrowser(pages);
        text->setOpenExternalLinks(true);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setHtml(PageText(p.resource));
        pages->addTab(text, QString::fromUtf8(p.title));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* box = new QVBoxLayout(this);
    box->addWidget(pages, 1);
    box->addWidget(buttons);

    // 702 × 662, centred on the screen; a smaller screen (or a large scale
    // factor) gets a window that still fits on it.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    resize(FittedSize(screen));
    if (screen != nullptr) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
}

}  // namespace tessaly
