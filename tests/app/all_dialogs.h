// Every dialog and side window of the program, made as its command makes
// it, for the tests that walk them all (keyboard, contrast). A window
// added to the program is added here.
#pragma once

#include <QColor>
#include <QFont>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AboutDialog.h"
#include "app/AnalysisOptionsDialog.h"
#include "app/CaseSearchDialog.h"
#include "app/CategoryDialog.h"
#include "app/CategoryFileEditor.h"
#include "app/CoordinatesEditorDialog.h"
#include "app/HeTuLuoShuDialog.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/PerpetualCalendarWindow.h"
#include "app/PregnancyPredictorDialog.h"
#include "app/ReportEndingDialog.h"
#include "app/ReportFontDialog.h"
#include "app/SelectionFontDialog.h"
#include "app/SurnameGameDialog.h"
#include "app/SkinEngine.h"
#include "app/UsefulGodDialog.h"
#include "app_test_util.h"
#include "store/CaseStore.h"

namespace tessaly::apptest {

// What the windows need to be made: a program folder with its store.
struct DialogSetting {
    TempHome home;
    CaseStore store;
    SearchCriteria criteria;
    DialogSetting() { EXPECT_TRUE(store.Open(home.dir).ok()); }
};

struct DialogMaker {
    std::string name;  // its caption, for messages
    std::function<std::unique_ptr<QWidget>(DialogSetting&)> make;
};

// The skin whose sheet the application wears now, as the settings name it
// (empty for the system style).
inline std::string ActiveSkinName() {
    const QString sheet = qApp->styleSheet();
    if (sheet.isEmpty()) return {};
    const QString dir = QStringLiteral(TESSALY_SOURCE_DIR "/data/skins");
    for (const QString& name : FindSkins(dir)) {
        SkinEngine engine;
        if (!engine.Load(dir + u'/' + name + QStringLiteral(".skn"))) continue;
        engine.Activate();
        const bool same = qApp->styleSheet() == sheet;
        qApp->setStyleSheet(sheet);
        if (same) return name.toStdString();
    }
    return {};
}

// The main window, wearing the skin that is on (its first show puts on the
// skin of its settings).
inline std::unique_ptr<QWidget> MakeMainWindow(DialogSetting& s) {
    const std::string skin = ActiveSkinName();
    EXPECT_TRUE(s.home
                    .WriteSettings(skin.empty() ? std::string("[window]\r\nskined=0\r\n")
                                                : "[window]\r\nskined=1\r\nskinname=" + skin + "\r\n")
                    .ok());
    return std::make_unique<MainWindow>(s.home.Files());
}

inline const std::vector<DialogMaker>& AllDialogs() {
    static const std::vector<DialogMaker> kDialogs = {
        {"分类保存",
         [](DialogSetting&) {
             return std::make_unique<CategoryDialog>(std::vector<std::string>{"临时保存", "同事"});
         }},
        {"查找命例",
         [](DialogSetting& s) {
             return std::make_unique<CaseSearchDialog>(s.criteria, std::vector<std::string>{"同事"}, s.store);
         }},
        {"类别编辑",
         [](DialogSetting&) { return std::make_unique<CategoryFileEditor>(std::vector<std::string>{"临时保存"}); }},
        {"测怀孕", [](DialogSetting&) { return std::make_unique<PregnancyPredictorDialog>(); }},
        {"巧猜姓氏", [](DialogSetting&) { return std::make_unique<SurnameGameDialog>(); }},
        {"河洛图像", [](DialogSetting&) { return std::make_unique<HeTuLuoShuDialog>(); }},
        {"经纬度设置",
         [](DialogSetting& s) { return std::make_unique<CoordinatesEditorDialog>(s.home.dir / "dat" / "dili.ini"); }},
        {"万年历", [](DialogSetting&) { return std::make_unique<PerpetualCalendarWindow>(); }},
        {"排盘设置", [](DialogSetting&) { return std::make_unique<AnalysisOptionsDialog>(ChartOptions{}); }},
        {"命稿结尾信息",
         [](DialogSetting&) { return std::make_unique<ReportEndingDialog>(EndingText{{"结尾"}}, true); }},
        {"字体设置",
         [](DialogSetting&) { return std::make_unique<ReportFontDialog>(QFont(QStringLiteral("宋体"), 12)); }},
        {"设置选中文本",
         [](DialogSetting&) {
             return std::make_unique<SelectionFontDialog>(QFont(QStringLiteral("宋体"), 12), QColor(Qt::black));
         }},
        {"设定用神", [](DialogSetting&) { return std::make_unique<UsefulGodDialog>(std::array<RoleOverride, 2>{}); }},
        {"软件帮助", [](DialogSetting&) { return std::make_unique<HelpWindow>(); }},
        {"关于",
         [](DialogSetting&) {
             return std::make_unique<AboutDialog>(AboutInfo{QStringLiteral("2.0"), QStringLiteral("/tmp/tessaly")});
         }},
        {"Tessaly", MakeMainWindow},
    };
    return kDialogs;
}

}  // namespace tessaly::apptest
