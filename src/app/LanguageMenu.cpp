#include "LanguageMenu.h"

#include <QActionGroup>

#include "MessageService.h"
#include "common/IniFile.h"
#include "store/SettingsMerge.h"
#include "app/AppSetup.h"

namespace tessaly {

LanguageMenu::LanguageMenu(IniFile& settings, QWidget* parent) : QMenu(parent), settings_(settings) {
    setObjectName(QStringLiteral("OmnuLanguage"));
    setTitle(QStringLiteral("语言 / Language"));  // the same in every language, to be found in any
    auto* group = new QActionGroup(this);
    const std::optional<UiLanguage> chosen = ReadLanguageSetting(settings_);
    const auto add = [&](const QString& text, std::optional<UiLanguage> language) {
        QAction* a = addAction(text);
        a->setCheckable(true);
        a->setChecked(chosen == language);
        a->setObjectName(
            QStringLiteral("OmnuLanguage_") +
            (language ? QString::fromUtf8(LanguageCode(*language).data(), qsizetype(LanguageCode(*language).size()))
                      : QStringLiteral("desktop")));
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, language] { Choose(language); });
    };
    add(tr("跟随系统"), std::nullopt);
    addSeparator();
    for (UiLanguage l : kAllLanguages) {
        const std::string_view name = LanguageOwnName(l);
        add(QString::fromUtf8(name.data(), qsizetype(name.size())), l);
    }
    // The main window reads bzinit.ini at its first show, after its menus
    // were made, and again when another program changes it: the mark follows
    // the file as the window holds it.
    connect(this, &QMenu::aboutToShow, this, &LanguageMenu::MarkChoice);
}

void LanguageMenu::MarkChoice() {
    const std::optional<UiLanguage> chosen = ReadLanguageSetting(settings_);
    const QString name =
        QStringLiteral("OmnuLanguage_") +
        (chosen ? QString::fromUtf8(LanguageCode(*chosen).data(), qsizetype(LanguageCode(*chosen).size()))
                : QStringLiteral("desktop"));
    for (QAction* a : actions()) {
        if (a->isCheckable()) a->setChecked(a->objectName() == name);
    }
}

QString LanguageMenu::RestartNotice() {
    return QStringLiteral("语言将在重新启动 Tessaly 后改变。\nThe language changes when Tessaly starts again.");
}

void LanguageMenu::Choose(std::optional<UiLanguage> language) {
    if (ReadLanguageSetting(settings_) == language) return;
    const IniFile before = settings_;
    WriteLanguageSetting(settings_, language);
    // Only this key, into the file as it is now (another program may have
    // changed others since the window read it).
    if (Status s = MergeIntoIniFile(settings_.path(), IniChanges(before, settings_)); !s.ok()) {
        Inform(parentWidget(), CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    Inform(parentWidget(), RestartNotice(), QStringLiteral("语言 / Language"), MsgIcon::kInformation);
}

}  // namespace tessaly
