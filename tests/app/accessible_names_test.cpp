// Every window as a screen reader meets it: each control that can take the
// focus has a name (its own, its button text, or the label that stands
// beside it as its buddy), and a list box is named by what it chooses, not
// by the entry it shows.
#include <QAccessible>
#include <QComboBox>
#include <QTreeView>

#include "all_dialogs.h"
#include "app/BirthDataDialog.h"
#include "app/BirthExplanationDialog.h"
#include "app/CaseInfoDialog.h"
#include "app/ChartPicture.h"
#include "keyboard_walk.h"

namespace tessaly {
namespace {

using apptest::DialogMaker;
using apptest::DialogSetting;
using apptest::ScriptedMessages;

QString AccessibleName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a != nullptr ? a->text(QAccessible::Name).trimmed() : QString();
}

// The controls of `window` that can take the focus and have no name, or
// (list boxes) are named by their current entry, as "nameEdit (QLineEdit)".
// Controls hidden on purpose are left out; those on a page not shown count.
std::vector<std::string> UnnamedControls(QWidget* window) {
    std::vector<std::string> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->isHidden() || w->focusPolicy() == Qt::NoFocus) continue;
        if (w->focusProxy() != nullptr || apptest::ControlOf(w) != w) continue;
        const QString name = AccessibleName(w);
        const auto* combo = qobject_cast<QComboBox*>(w);
        if (name.isEmpty() || (combo != nullptr && !combo->isEditable() && name == combo->currentText())) {
            out.push_back(apptest::NameOf(w) + " (" + w->metaObject()->className() + ") named \"" + name.toStdString() +
                          "\"");
        }
    }
    return out;
}

PersonRecord SampleBirth() {
    PersonRecord r;
    r.name = "张三";
    r.isMale = 1;
    r.SetTime({2000, 3, 5, 23, 30});
    r.provinceIndex = 34;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// The windows of the keyboard walk and the dialogs that need a person.
std::vector<DialogMaker> WindowsToName() {
    std::vector<DialogMaker> all = apptest::AllDialogs();
    all.push_back({"甲命生日", [](DialogSetting& s) {
                       return std::make_unique<BirthDataDialog>(s.home.dir / "dat" / "dili.ini");
                   }});
    all.push_back({"命例信息", [](DialogSetting& s) {
                       CaseRecord c;
                       c.a = SampleBirth();
                       c.b = SampleBirth();
                       c.b.personNo = 1;
                       return std::make_unique<CaseInfoDialog>(c, s.home.dir / "dat" / "dili.ini");
                   }});
    all.push_back({"出生时刻说明", [](DialogSetting&) {
                       return std::make_unique<BirthExplanationDialog>(SampleBirth(), 0, ChartOptions{});
                   }});
    return all;
}

TEST(AccessibleNames, EveryControlOfEveryWindowHasAName) {
    ScriptedMessages messages;
    for (const DialogMaker& d : WindowsToName()) {
        SCOPED_TRACE(d.name);
        DialogSetting setting;
        const std::unique_ptr<QWidget> w = d.make(setting);
        w->show();
        QApplication::processEvents();
        const std::vector<std::string> unnamed = UnnamedControls(w.get());
        std::string list;
        for (const std::string& u : unnamed) list += "\n  " + u;
        EXPECT_TRUE(unnamed.empty()) << unnamed.size() << " without a name:" << list;
        w->close();
    }
}

TEST(AccessibleNames, BirthDialogsSayWhoseBirthTheyTake) {
    DialogSetting setting;
    BirthDataDialog dialog(setting.home.dir / "dat" / "dili.ini");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("甲命生日"));
    dialog.SetRecord(SampleBirth(), 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("乙命生日"));
    EXPECT_EQ(AccessibleName(dialog.yearEdit), QStringLiteral("出生年份"));
    EXPECT_EQ(AccessibleName(dialog.monthBox), QStringLiteral("月"));
}

TEST(AccessibleNames, MainWindowNamesItsPanesAndDescribesTheChart) {
    DialogSetting setting;
    const std::unique_ptr<QWidget> made = apptest::MakeMainWindow(setting);
    auto* window = static_cast<MainWindow*>(made.get());
    EXPECT_EQ(AccessibleName(window->caseTree), QStringLiteral("命例列表"));
    EXPECT_EQ(AccessibleName(window->reportPane), QStringLiteral("命稿"));
    EXPECT_EQ(AccessibleName(window->chartPicture), QStringLiteral("八字图"));
}

}  // namespace
}  // namespace tessaly
