// Every dialog walked with Tab as a user without a mouse walks it: one turn
// reaches every control in the order of the layout, and no accelerator is
// taken twice within a dialog.
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <map>

#include "all_dialogs.h"
#include "app/FocusKeys.h"
#include "keyboard_walk.h"

namespace tessaly {
namespace {

using apptest::AllDialogs;
using apptest::DialogMaker;
using apptest::DialogSetting;
using apptest::ScriptedMessages;

// The turns, by object name or text, that are not simply the reading order.
const std::map<std::string, std::vector<std::string>> kTurns = {
    // The note before the buttons: a note typed after one Tab is kept.
    {"分类保存", {"CboFenLei", "Memo1", "Btnok", "Btnno"}},
    // The grid first: the arrow keys move the day there; then the moment
    // from the year to the minute, then the month buttons.
    {"万年历", {"Img1", "EdtYear", "cbom", "cbod", "cbos", "cbomin", "BitBtn2", "BitBtn1", "sbtnnow"}},
    // The ten scores pair by pair (比肩 above 劫财, …), then the role groups
    // left to right (Tab enters a group at its chosen button), the buttons,
    // the tabs.
    {"设定用神",
     {"Ledt0", "Ledt1", "Ledt2", "Ledt3", "Ledt4", "Ledt5", "Ledt6", "Ledt7", "Ledt8", "Ledt9", "比劫-水", "比劫-水",
      "比劫-水", "比劫-水", "比劫-水", "从旺", "BtnOk", "BtnCancel", "QTabBar"}},
};

TEST(KeyboardWalk, TabReachesEveryControlInTheOrderOfTheLayout) {
    ScriptedMessages messages;
    for (const DialogMaker& d : AllDialogs()) {
        SCOPED_TRACE(d.name);
        DialogSetting setting;
        const std::unique_ptr<QWidget> w = d.make(setting);
        const std::vector<QWidget*> chain = apptest::TabChain(w.get());
        ASSERT_FALSE(chain.empty());
        for (QWidget* stop : apptest::TabStops(w.get())) {
            EXPECT_NE(std::find(chain.begin(), chain.end(), stop), chain.end())
                << apptest::NameOf(stop) << " is never reached: " << apptest::Names(chain);
        }
        if (auto turn = kTurns.find(d.name); turn != kTurns.end()) {
            std::vector<std::string> got;
            for (QWidget* c : chain) got.push_back(apptest::NameOf(c));
            EXPECT_EQ(got, turn->second);
        } else {
            EXPECT_EQ(apptest::StepAgainstReading(chain), "") << apptest::Names(chain);
        }
        w->close();
    }
}

TEST(KeyboardWalk, EachAcceleratorOfADialogIsUnique) {
    ScriptedMessages messages;
    for (const DialogMaker& d : AllDialogs()) {
        SCOPED_TRACE(d.name);
        DialogSetting setting;
        const std::unique_ptr<QWidget> w = d.make(setting);
        w->show();
        EXPECT_EQ(apptest::SharedAccelerators(w.get()), "");
        w->close();
    }
}

// The walk itself: a turn in the wrong order is reported, and so are two
// texts with one letter.
TEST(KeyboardWalk, FindsStepsBackAndSharedAccelerators) {
    QWidget w;
    auto* top = new QPushButton(QStringLiteral("查找(&S)"), &w);
    auto* middle = new QLineEdit(&w);
    auto* bottom = new QPushButton(QStringLiteral("命理知识(&S)"), &w);
    top->setGeometry(10, 10, 80, 24);
    middle->setGeometry(10, 50, 80, 24);
    bottom->setGeometry(10, 90, 80, 24);
    QWidget::setTabOrder(top, bottom);
    QWidget::setTabOrder(bottom, middle);
    const std::vector<QWidget*> chain = apptest::TabChain(&w, top);
    EXPECT_EQ(chain, (std::vector<QWidget*>{top, bottom, middle}));
    EXPECT_NE(apptest::StepAgainstReading(chain), "");
    EXPECT_EQ(apptest::StepAgainstReading({top, middle, bottom}), "");
    EXPECT_EQ(apptest::SharedAccelerators(&w), "S: 查找(&S), 命理知识(&S)");
    EXPECT_EQ(apptest::AcceleratorOf(QStringLiteral("A&&B")), QChar());
}

// Ctrl+Tab leaves a pane that takes Tab as text for the next control of its
// page, and Ctrl+Shift+Tab for the previous one, as keys from the keyboard
// do (through the window's shortcuts first): neither turns the page, not
// even where the window binds Ctrl+Tab to turning it.
TEST(KeyboardWalk, CtrlTabLeavesATextPaneWithoutTurningThePage) {
    QWidget window;
    auto* pages = new QTabWidget(&window);
    auto* page = new QWidget;
    auto* before = new QLineEdit(page);
    auto* pane = new QTextEdit(page);
    auto* after = new QPushButton(QStringLiteral("新建"), page);
    auto* box = new QVBoxLayout(page);
    for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(pane), static_cast<QWidget*>(after)}) {
        box->addWidget(w);
    }
    pages->addTab(page, QStringLiteral("合婚配对"));
    pages->addTab(new QLineEdit, QStringLiteral("结婚择日"));
    (new QVBoxLayout(&window))->addWidget(pages);
    int turned = 0;
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), &window);
    QObject::connect(next, &QShortcut::activated, [&] { ++turned; });
    LeaveWithCtrlTab(pane);
    apptest::Open(&window, pane);
    ASSERT_EQ(QApplication::focusWidget(), pane);

    QTest::keyClick(pane, Qt::Key_Tab);  // text
    EXPECT_EQ(pane->toPlainText(), QStringLiteral("\t"));
    QTest::keyClick(pane, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), after);
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), before);
    pane->viewport()->setFocus();  // keys at the viewport count as the pane's
    QTest::keyClick(pane->viewport(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(turned, 0);
    EXPECT_EQ(pane->toPlainText(), QStringLiteral("\t"));
}

}  // namespace
}  // namespace tessaly
