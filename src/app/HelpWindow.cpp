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

#include "AppSetup.h"
#include "common/ProgramFiles.h"
#include "lang/ChineseScript.h"

// Resources of a static library are registered by hand.
static void InitHelpResources() { Q_INIT_RESOURCE(app); }

namespace tessaly {
namespace {

struct HelpPage {
    const char* title;
    const char* name;
};

constexpr HelpPage kPages[] = {
    {QT_TRANSLATE_NOOP("tessaly::HelpWindow", "使用说明"), "usage"},
    {QT_TRANSLATE_NOOP("tessaly::HelpWindow", "升级改进历史"), "history"},
    {QT_TRANSLATE_NOOP("tessaly::HelpWindow", "关于本项目"), "project"},
};

QString ResourceText(const QString& resource) {
    InitHelpResources();
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

}  // namespace

QString HelpPageHtml(const QString& page, UiLanguage language) {
    if (language == UiLanguage::kEnglish) {
        const QString english = ResourceText(QStringLiteral(":/help/en/%1.html").arg(page));
        if (!english.isEmpty()) return english;
    }
    const QString chinese = ResourceText(QStringLiteral(":/help/%1.html").arg(page));
    if (!IsTraditional(language)) return chinese;
    return QString::fromStdString(TraditionalConverter::For(language).Convert(chinese.toStdString()));
}

std::filesystem::path KnowledgeIndex(const ProgramFiles& files, UiLanguage language) {
    if (language == UiLanguage::kEnglish) {
        const std::filesystem::path english = files.UserOrShipped("dat/help/en/index.html");
        std::error_code ec;
        if (std::filesystem::exists(english, ec)) return english;
    }
    return files.UserOrShipped("dat/help/index.html");
}

QSize HelpWindow::FittedSize(const QScreen* screen) {
    const QSize designed(702, 662);
    return screen == nullptr ? designed : designed.boundedTo(screen->availableGeometry().size());
}

HelpWindow::HelpWindow(QWidget* parent) : HelpWindow(CurrentLanguage(), parent) {}

HelpWindow::HelpWindow(UiLanguage language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTxtHelp"));
    setWindowTitle(tr("软件帮助"));
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    for (const HelpPage& p : kPages) {
        auto* text = new QTextBrowser(pages);
        text->setOpenExternalLinks(true);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setHtml(HelpPageHtml(QString::fromLatin1(p.name), language));
        const QString title = tr(p.title);
        text->setAccessibleName(title);
        pages->addTab(text, title);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
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
