// The case tree of the main window: filling it, its popup menu, saving and
// viewing cases, the categories, the case search and the case information
// dialog, driven offscreen.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <fstream>

#include "app/BirthDataDialog.h"
#include "app/CaseInfoDialog.h"
#include "app/CaseSearchDialog.h"
#include "app/CaseTreeModel.h"
#include "app/CategoryDialog.h"
#include "app/CategoryFileEditor.h"
#include "app/ColourContrast.h"
#include "app/MainWindow.h"
#include "app_test_util.h"
#include "keyboard_walk.h"
#include "language_test_util.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "store/Categories.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using apptest::FileBytes;
using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;

CaseRecord Case(const std::string& name, const std::string& category, bool male = true, int year = 1990) {
    CaseRecord r;
    r.a.name = name;
    r.a.year = std::int16_t(year), r.a.month = 5, r.a.day = 12, r.a.hour = 8, r.a.minute = 30;
    r.a.isMale = male ? 1 : 0;
    r.a.provinceIndex = 1;
    r.a.longitude = 116.4667f;
    r.a.latitude = 39.9f;
    r.a.placeText = "北京市-北京";
    r.b.name = "乙" + name;
    r.b.year = 1992, r.b.month = 3, r.b.day = 4, r.b.hour = 10;
    r.b.isMale = male ? 0 : 1;
    r.b.provinceIndex = 34;
    r.b.longitude = 120, r.b.latitude = 30;
    r.b.placeText = "未知地";
    r.category = category;
    r.note = "备注";
    return r;
}

// Writes the records as the whole store of `home`, slot i for record i, in
// one go (as a store of many cases would be on disk).
void WriteStore(const fs::path& home, std::vector<CaseRecord> records) {
    StoreHeader h;
    h.count = std::int32_t(records.size());
    std::ofstream f(home / "dat/bazi0.dat", std::ios::binary);
    for (const CaseRecord& r : records) h.deletedCount += r.deleted;
    f << EncodeStoreHeader(h);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].slot = std::int32_t(i);
        std::string bytes;
        ASSERT_TRUE(EncodeCaseRecord(records[i], &bytes).ok());
        f << bytes;
    }
}

CaseRecord Stored(const fs::path& home, std::int32_t slot) {
    CaseStore db;
    EXPECT_TRUE(db.Open(home).ok());
    CaseRecord r;
    EXPECT_TRUE(db.ReadRecord(slot, &r).ok());
    return r;
}

// The tree as text: categories and their cases, one level indented.
std::string TreeText(const CaseTreeModel& m) {
    std::string out = m.data(m.RootIndex()).toString().toStdString() + '\n';
    for (int c = 0; c < m.CategoryCount(); ++c) {
        const QModelIndex cat = m.CategoryIndex(c);
        out += "  " + m.CategoryName(cat) + '\n';
        for (int row = 0; row < m.rowCount(cat); ++row) {
            out += "    " + m.data(m.index(row, 0, cat)).toString().toStdString() + '\n';
        }
    }
    return out;
}

QAction* MenuItem(const MainWindow& w, const char* name) {
    QAction* a = w.caseMenu->findChild<QAction*>(QString::fromUtf8(name));
    if (a == nullptr) {
        for (QAction* x : w.caseMenu->actions()) {
            if (x->objectName() == QString::fromUtf8(name)) a = x;
        }
    }
    EXPECT_NE(a, nullptr) << name;
    return a;
}

void Select(MainWindow& w, const QModelIndex& ix) {
    ASSERT_TRUE(ix.isValid());
    w.caseTree->setCurrentIndex(ix);
}

class CaseTree : public ::testing::Test {
protected:
    // A window over the store of `records`, shown.
    MainWindow& Open(std::vector<CaseRecord> records) {
        WriteStore(home_.dir, std::move(records));
        window_ = std::make_unique<MainWindow>(home_.Files());
        window_->show();
        return *window_;
    }
    TempHome home_;
    ScriptedMessages messages_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(CaseTree, FillsCategoriesInOrderOfTheirFirstCase) {
    CaseRecord leap = Case("李四", "ABC", false, 1984);
    leap.a.isLunar = 1, leap.a.isLeapMonth = 1, leap.a.month = 4, leap.a.day = 3;
    CaseRecord old = Case("古人", "临时保存", true, -119);
    CaseRecord gone = Case("删了", "删除", true);
    gone.deleted = 1;
    MainWindow& w = Open({Case("张三", "临时保存"), Case("王五", "abc"), leap, gone, old});
    QAbstractItemModelTester tester(w.caseModel, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(TreeText(*w.caseModel),
              "命例\n"
              "  临时保存\n"
              "    张三  公1990-5-12|0\n"
              "    古人  公-120-5-12|4\n"  // stored −119 is 120 BC
              "  abc\n"                    // abc and ABC: one node, the form seen first
              "    王五  公1990-5-12|1\n"
              "    李四  农闰1984-4-3|2\n");
    EXPECT_TRUE(w.caseTree->isExpanded(w.caseModel->RootIndex()));
    EXPECT_FALSE(w.caseTree->isExpanded(w.caseModel->CategoryIndex(0)));
    // Icons: man, woman.
    const QModelIndex abc = w.caseModel->CategoryIndex(1);
    EXPECT_EQ(w.caseModel->data(w.caseModel->index(0, 0, abc), Qt::DecorationRole).value<QIcon>().cacheKey(),
              w.caseModel->data(w.caseModel->FindCase(0), Qt::DecorationRole).value<QIcon>().cacheKey());
    EXPECT_NE(w.caseModel->data(w.caseModel->index(1, 0, abc), Qt::DecorationRole).value<QIcon>().cacheKey(),
              w.caseModel->data(w.caseModel->FindCase(0), Qt::DecorationRole).value<QIcon>().cacheKey());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CaseTree, AnEmptyStoreShowsOnlyTheRoot) {
    MainWindow& w = Open({});
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n");
    EXPECT_EQ(w.SelectedSlot(), -1);
}

TEST_F(CaseTree, StartUpListsTheFirstThousandSlots) {
    std::vector<CaseRecord> records(1500, Case("张三", "同事"));
    MainWindow& w = Open(records);
    EXPECT_EQ(w.caseModel->rowCount(w.caseModel->CategoryIndex(0)), 1000);
    EXPECT_FALSE(w.caseModel->FindCase(1000).isValid());
    EXPECT_TRUE(w.caseModel->FindCase(999).isValid());
}

TEST_F(CaseTree, PopupMenuEnablesItsItemsByLevel) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户"), Case("赵六", "朋友")});
    const char* kNames[] = {"pop_ming_pai",  "pop_ming_edit",  "pop_ming_move",    "pop_ming_delete",
                            "pop_class_add", "pop_class_edit", "pop_class_delete", "pop_class_editfile",
                            "pop_search",    "pop_s_full",     "pop_node_kai",     "pop_node_shou"};
    const struct {
        const char* level;
        QModelIndex node;
        const char* enabled;  // one letter per item of kNames
    } kCases[] = {
        {"root", w.caseModel->RootIndex(), "000010011111"},
        {"category", w.caseModel->CategoryIndex(0), "000011111111"},
        {"case", w.caseModel->FindCase(1), "111110011100"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.level);
        Select(w, c.node);
        w.PrepareCaseMenu();
        std::string got;
        for (const char* name : kNames) got += MenuItem(w, name)->isEnabled() ? '1' : '0';
        EXPECT_EQ(got, c.enabled);
    }
    // On a case, "移动到" offers every other category in tree order.
    QStringList targets;
    for (QAction* a : w.moveMenu->actions()) targets << a->text();
    EXPECT_EQ(targets, (QStringList{"同事", "朋友"}));

    // With nothing selected the items keep their last state.
    w.caseTree->setCurrentIndex({});
    w.PrepareCaseMenu();
    EXPECT_TRUE(MenuItem(w, "pop_ming_pai")->isEnabled());
    w.ViewCase();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("请先选择一个命例！"));
    EXPECT_TRUE(messages_.shown[0].caption.isEmpty());
}

TEST_F(CaseTree, MoveToAnotherCategory) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
    Select(w, w.caseModel->FindCase(0));
    w.PrepareCaseMenu();
    ASSERT_EQ(w.moveMenu->actions().size(), 1);
    w.moveMenu->actions()[0]->trigger();
    EXPECT_EQ(Stored(home_.dir, 0).category, "客户");
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  同事\n  客户\n    王五  公1990-5-12|1\n    张三  公1990-5-12|0\n");
    EXPECT_TRUE(messages_.shown.empty());
}

// "移动到" is disabled while there is no other category, and lists the new
// one once it is added, however often the menu was opened before.
TEST_F(CaseTree, MoveToIsDisabledWithoutAnotherCategory) {
    MainWindow& w = Open({Case("张三", "同事")});
    for (int opened = 0; opened < 2; ++opened) {
        Select(w, w.caseModel->FindCase(0));
        w.PrepareCaseMenu();
        EXPECT_FALSE(w.moveMenu->menuAction()->isEnabled());
        EXPECT_TRUE(w.moveMenu->isEmpty());
    }
    WhenModal<QInputDialog>([](QInputDialog* dlg) {
        dlg->setTextValue(QStringLiteral("朋友"));
        dlg->accept();
    });
    w.AddCategory();
    for (int opened = 0; opened < 2; ++opened) {
        Select(w, w.caseModel->FindCase(0));
        w.PrepareCaseMenu();
        EXPECT_TRUE(w.moveMenu->menuAction()->isEnabled());
        QStringList targets;
        for (QAction* a : w.moveMenu->actions()) targets << a->text();
        EXPECT_EQ(targets, QStringList{QStringLiteral("朋友")});
    }
}

TEST_F(CaseTree, ViewShowsTheStoredReportAndEntersEditMode) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
    StyledReport stored;
    stored.text = "存着的报告\r\n第二行";
    stored.runs.push_back({0, 6, RgbColor(255, 0, 0), 14.0, true});
    ASSERT_TRUE(SaveReportFile(home_.dir / "bazi_f/1.rtf", stored).ok());
    const std::string before = FileBytes(home_.dir / "bazi_f/1.rtf");

    Select(w, w.caseModel->FindCase(1));
    w.ViewCase();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(w.chartValid());
    EXPECT_TRUE(w.editMode());
    EXPECT_EQ(w.currentSlot(), 1);
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("存着的报告\n第二行"));
    EXPECT_FALSE(w.reportPane->document()->isModified());
    EXPECT_EQ(w.saveButton->text(), QStringLiteral("存旧"));
    EXPECT_EQ(w.personA().name, "王五");
    EXPECT_EQ(w.personB().personNo, 1);
    ASSERT_TRUE(w.lastMatching().has_value());
    EXPECT_EQ(w.lastMatching()->persons[0].Person().name, "王五");
    EXPECT_EQ(FileBytes(home_.dir / "bazi_f/1.rtf"), before);  // not rewritten
}

TEST_F(CaseTree, ViewingACaseWithoutItsReportWritesItAgain) {
    MainWindow& w = Open({Case("张三", "同事")});
    ASSERT_FALSE(fs::exists(home_.dir / "bazi_f/0.rtf"));
    Select(w, w.caseModel->FindCase(0));
    w.ViewCase();
    ASSERT_TRUE(w.chartValid());
    StyledReport written;
    ASSERT_TRUE(LoadReportFile(home_.dir / "bazi_f/0.rtf", &written).ok());
    EXPECT_EQ(written.text, WithCrLfLineEnds(w.lastMatching()->Text()));
    EXPECT_FALSE(w.reportPane->toPlainText().isEmpty());
    EXPECT_FALSE(w.reportPane->document()->isModified());
}

TEST_F(CaseTree, SaveAsNewGoesToTheChosenCategory) {
    ASSERT_TRUE(home_.WriteSettings("[classes]\r\ncount=2\r\n1=同事\r\n2=客户\r\n").ok());
    MainWindow& w = Open({Case("张三", "同事")});
    const struct {
        const char* category;
        const char* note;
        const char* message;  // nullptr: saved
    } kCases[] = {
        {"", "备注", "类别名不能为空"},
        {"新类", "  ", "附加信息不能为空"},
        {" 新类 ", " 一条备注 ", nullptr},
    };
    apptest::AnswerBirthDialogs(Stored(home_.dir, 0).a, Stored(home_.dir, 0).b);
    w.StartMatching();
    ASSERT_TRUE(w.chartValid());
    messages_.shown.clear();

    WhenModal<CategoryDialog>([&](CategoryDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("分类保存"));
        EXPECT_EQ(dlg->categoryBox->count(), 2);
        EXPECT_EQ(dlg->categoryBox->currentText(), QStringLiteral("同事"));
        EXPECT_EQ(dlg->noteEdit->toPlainText(), QStringLiteral("备注:"));
        for (const auto& c : kCases) {
            SCOPED_TRACE(c.category);
            dlg->categoryBox->setEditText(QString::fromUtf8(c.category));
            dlg->noteEdit->setPlainText(QString::fromUtf8(c.note));
            messages_.shown.clear();
            dlg->accept();
            if (c.message != nullptr) {
                ASSERT_EQ(messages_.shown.size(), 1u);
                EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8(c.message));
                EXPECT_EQ(messages_.shown[0].caption, QStringLiteral("错误"));
                EXPECT_TRUE(dlg->isVisible());
            }
        }
    });
    w.SaveCase();
    const CaseRecord saved = Stored(home_.dir, 1);
    EXPECT_EQ(saved.category, "新类");
    EXPECT_EQ(saved.note, "一条备注");
    EXPECT_TRUE(fs::exists(home_.dir / "bazi_f/1.rtf"));
    const QModelIndex node = w.caseModel->FindCase(1);
    ASSERT_TRUE(node.isValid());
    EXPECT_EQ(w.caseModel->CategoryName(node.parent()), "新类");
    EXPECT_TRUE(w.caseTree->isExpanded(node.parent()));
    // The chosen category is not added to the list.
    EXPECT_EQ(ReadCategoryList(IniFile(home_.dir / "dat/bzinit.ini")), (std::vector<std::string>{"同事", "客户"}));
}

TEST_F(CaseTree, SaveOverTheViewedCase) {
    MainWindow& w = Open({Case("张三", "同事")});
    Select(w, w.caseModel->FindCase(0));
    w.ViewCase();
    ASSERT_TRUE(w.editMode());
    w.reportPane->append(QStringLiteral("我的批注"));
    ASSERT_TRUE(w.reportPane->document()->isModified());
    w.SaveCase();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("要修改“张三”这条记录吗？"));
    EXPECT_TRUE(messages_.shown[0].defaultNo);  // Return does not overwrite
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("已保存编辑后的命例。"));
    EXPECT_FALSE(w.reportPane->document()->isModified());
    StyledReport report;
    ASSERT_TRUE(LoadReportFile(home_.dir / "bazi_f/0.rtf", &report).ok());
    EXPECT_NE(report.text.find("我的批注"), std::string::npos);
    EXPECT_EQ(Stored(home_.dir, 0).category, "同事");
}

TEST_F(CaseTree, DeletingTheViewedCaseLeavesEditMode) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "同事")});
    Select(w, w.caseModel->FindCase(0));
    w.ViewCase();
    ASSERT_TRUE(w.editMode());
    ASSERT_TRUE(fs::exists(home_.dir / "bazi_f/0.rtf"));

    // No to the second question: nothing happens.
    messages_.answers = {MsgAnswer::kYes, MsgAnswer::kNo};
    w.DeleteSelectedCase();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("确定要删除“张三”这个命例吗？"));
    EXPECT_EQ(messages_.shown[0].caption, QStringLiteral("注意"));
    EXPECT_TRUE(messages_.shown[0].defaultNo);
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("确定要删除当前正在查看的命例吗？"));
    EXPECT_TRUE(Stored(home_.dir, 0).live());
    EXPECT_TRUE(w.editMode());

    messages_.shown.clear();
    w.DeleteSelectedCase();  // Yes, Yes
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_FALSE(Stored(home_.dir, 0).live());
    EXPECT_FALSE(fs::exists(home_.dir / "bazi_f/0.rtf"));
    EXPECT_FALSE(w.caseModel->FindCase(0).isValid());
    EXPECT_FALSE(w.editMode());
    EXPECT_EQ(w.currentSlot(), -1);
    EXPECT_FALSE(w.chartValid());
    EXPECT_TRUE(w.reportPane->toPlainText().isEmpty());
    EXPECT_FALSE(w.reportPane->document()->isModified());
    EXPECT_EQ(w.saveButton->text(), QStringLiteral("存新"));
    // A new case: the desktop's own button text.
    EXPECT_EQ(w.saveButton->palette().color(QPalette::ButtonText), QApplication::palette().color(QPalette::ButtonText));

    // Another case: one question only.
    messages_.shown.clear();
    Select(w, w.caseModel->FindCase(1));
    w.DeleteSelectedCase();
    EXPECT_EQ(messages_.shown.size(), 1u);
    EXPECT_FALSE(Stored(home_.dir, 1).live());
}

// "存新" and "存旧" take their colours from the desktop, readable on its
// buttons whether it is light or dark.
TEST_F(CaseTree, SaveCaptionReadsOnLightAndDarkDesktops) {
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const auto& [role, colour] : {std::pair{QPalette::Button, "#323232"},
                                       {QPalette::Window, "#323232"},
                                       {QPalette::ButtonText, "#f0f0f0"},
                                       {QPalette::WindowText, "#f0f0f0"},
                                       {QPalette::Link, "#0000ff"}}) {
        dark.setColor(role, QColor(colour));
    }
    MainWindow& w = Open({Case("张三", "同事")});
    for (const bool isDark : {false, true}) {
        SCOPED_TRACE(isDark ? "dark" : "light");
        QApplication::setPalette(isDark ? dark : light);
        QApplication::processEvents();
        const QPalette desktop = QApplication::palette();
        WhenModal<BirthDataDialog>([](BirthDataDialog* d) { d->reject(); });
        w.NewCase();  // a new case, the birth dialog closed at once
        messages_.shown.clear();
        EXPECT_EQ(w.saveButton->text(), QStringLiteral("存新"));
        EXPECT_EQ(w.saveButton->palette().color(QPalette::ButtonText), desktop.color(QPalette::ButtonText));
        Select(w, w.caseModel->FindCase(0));
        w.ViewCase();
        ASSERT_EQ(w.saveButton->text(), QStringLiteral("存旧"));
        const QColor stored = w.saveButton->palette().color(QPalette::ButtonText);
        EXPECT_NE(stored, desktop.color(QPalette::ButtonText));  // told apart from "存新"
        EXPECT_GE(ContrastRatio(stored, desktop.color(QPalette::Button)), 4.5) << stored.name().toStdString();
        // The report pane keeps its own readable text on its background.
        EXPECT_EQ(w.reportPane->palette().color(QPalette::Text), QColor(Qt::black));
    }
    QApplication::setPalette(light);
}

TEST(ColourContrast, ReadableVariantKeepsAReadableColourAndMendsOthers) {
    const struct {
        const char *text, *ground;
        bool kept;
    } kCases[] = {
        {"#0000ff", "#efefef", true},                                  // blue on a light desktop
        {"#0000ff", "#323232", false},                                 // blue on a dark one: lighter
        {"#308cc6", "#323232", false}, {"#ffff00", "#ffffff", false},  // yellow on white: darker
        {"#f0f0f0", "#323232", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.text) + " on " + c.ground);
        const QColor got = ReadableVariant(QColor(c.text), QColor(c.ground));
        EXPECT_GE(ContrastRatio(got, QColor(c.ground)), 4.5);
        EXPECT_EQ(got == QColor(c.text), c.kept);
    }
    EXPECT_EQ(InkFor(QColor("#ffffff")), QColor(Qt::black));
    EXPECT_EQ(InkFor(QColor("#202020")), QColor(Qt::white));
}

TEST_F(CaseTree, AddCategory) {
    ASSERT_TRUE(home_.WriteSettings("[classes]\r\ncount=1\r\n1=同事\r\n").ok());
    MainWindow& w = Open({Case("张三", "同事")});
    const struct {
        std::vector<const char*> typed;  // answers to the input box, in turn
        const char* message;             // the last message, nullptr: none
        const char* list;                // the list afterwards
    } kCases[] = {
        {{"  朋友  "}, nullptr, "同事,朋友"},
        {{"七个汉字就太长", "", "亲戚"}, "类别名不能为空，并且最多可以有6个汉字！", "同事,朋友,亲戚"},
        {{"朋友"}, "已有这个类别了！", "同事,朋友,亲戚"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed[0]);
        messages_.shown.clear();
        auto typed = std::make_shared<std::vector<const char*>>(c.typed);
        std::function<void(QInputDialog*)> answer = [typed, &answer](QInputDialog* dlg) {
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("新建类别"));
            EXPECT_EQ(dlg->labelText(), QStringLiteral("请输入新建类别名："));
            dlg->setTextValue(QString::fromUtf8(typed->front()));
            typed->erase(typed->begin());
            if (!typed->empty()) WhenModal<QInputDialog>(answer);
            dlg->accept();
        };
        WhenModal<QInputDialog>(answer);
        Select(w, w.caseModel->RootIndex());
        w.AddCategory();
        if (c.message == nullptr) {
            EXPECT_TRUE(messages_.shown.empty());
        } else {
            ASSERT_FALSE(messages_.shown.empty());
            EXPECT_EQ(messages_.shown.back().text, QString::fromUtf8(c.message));
        }
        std::string list;
        for (const std::string& n : ReadCategoryList(IniFile(home_.dir / "dat/bzinit.ini"))) {
            list += (list.empty() ? "" : ",") + n;
        }
        EXPECT_EQ(list, c.list);
    }
    // The tree shows the new categories; an existing one is selected.
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  同事\n    张三  公1990-5-12|0\n  朋友\n  亲戚\n");
    EXPECT_EQ(w.caseTree->currentIndex(), w.caseModel->CategoryIndex(1));
}

TEST_F(CaseTree, RenameCategory) {
    ASSERT_TRUE(home_.WriteSettings("[classes]\r\ncount=2\r\n1=客户\r\n2=同事\r\n").ok());
    std::vector<CaseRecord> records = {Case("张三", "同事"), Case("王五", "客户"), Case("赵六", "同事")};
    MainWindow& w = Open(records);
    w.FillTree({0, 1});  // slot 2 of 同事 is not listed
    const auto rename = [&](const char* to) {
        messages_.shown.clear();
        WhenModal<QInputDialog>([to](QInputDialog* dlg) {
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("修改类别名"));
            EXPECT_EQ(dlg->textValue(), QStringLiteral("同事"));
            dlg->setTextValue(QString::fromUtf8(to));
            dlg->accept();
        });
        Select(w, w.caseModel->FindCategory("同事"));
        w.RenameCategory();
    };
    for (const char* to : {"同事", "客户"}) {  // its own name, and another node's
        SCOPED_TRACE(to);
        rename(to);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, QStringLiteral("已有这个类别了，请另起一个名称！"));
        EXPECT_EQ(Stored(home_.dir, 0).category, "同事");
    }
    rename("朋友");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Stored(home_.dir, 0).category, "朋友");
    EXPECT_EQ(Stored(home_.dir, 2).category, "同事");  // not in the tree
    EXPECT_EQ(ReadCategoryList(IniFile(home_.dir / "dat/bzinit.ini")), (std::vector<std::string>{"客户", "朋友"}));
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  朋友\n    张三  公1990-5-12|0\n  客户\n    王五  公1990-5-12|1\n");
}

TEST_F(CaseTree, DeleteCategoryMarksExactlyItsListedCases) {
    std::vector<CaseRecord> records = {Case("甲", "同事"), Case("乙", "同事"), Case("丙", "客户"), Case("丁", "同事"),
                                       Case("戊", "同事")};
    MainWindow& w = Open(records);
    for (int slot : {0, 1, 3, 4}) {
        std::ofstream(home_.dir / "bazi_f" / (std::to_string(slot) + ".rtf")) << "{\\rtf1 x}";
    }
    w.FillTree({0, 1, 2, 3});  // slot 4 is not listed
    Select(w, w.caseModel->FindCategory("同事"));
    messages_.answers = {MsgAnswer::kNo};
    w.DeleteCategory();
    EXPECT_TRUE(Stored(home_.dir, 0).live());
    messages_.shown.clear();
    w.DeleteCategory();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("确定要删除“同事”这个类别吗？"));
    for (int slot : {0, 1, 3}) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(Stored(home_.dir, slot).live());
        EXPECT_TRUE(fs::exists(home_.dir / "bazi_f" / (std::to_string(slot) + ".rtf")));
    }
    EXPECT_TRUE(Stored(home_.dir, 2).live());
    EXPECT_TRUE(Stored(home_.dir, 4).live());
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  客户\n    丙  公1990-5-12|2\n");
}

TEST_F(CaseTree, DeletingTheCategoryOfTheViewedCaseAsksAboutIt) {
    MainWindow& w = Open({Case("甲", "同事"), Case("乙", "同事")});
    Select(w, w.caseModel->FindCase(1));
    w.ViewCase();
    ASSERT_TRUE(w.editMode());
    Select(w, w.caseModel->CategoryIndex(0));
    messages_.answers = {MsgAnswer::kYes, MsgAnswer::kNo};
    w.DeleteCategory();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("确定要删除当前正在查看的命例吗？"));
    EXPECT_TRUE(Stored(home_.dir, 0).live());
    EXPECT_TRUE(w.editMode());
    w.DeleteCategory();  // Yes, Yes
    EXPECT_FALSE(Stored(home_.dir, 0).live());
    EXPECT_FALSE(Stored(home_.dir, 1).live());
    EXPECT_FALSE(w.editMode());
    EXPECT_EQ(w.currentSlot(), -1);
}

TEST_F(CaseTree, CategoryFileEditor) {
    ASSERT_TRUE(home_.WriteSettings("[classes]\r\ncount=3\r\n1=同事\r\n3=客户\r\n").ok());
    MainWindow& w = Open({});
    const std::string before = FileBytes(home_.dir / "dat/bzinit.ini");
    WhenModal<CategoryFileEditor>([this](CategoryFileEditor* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("类别编辑"));
        EXPECT_EQ(dlg->textEdit->toPlainText(), QStringLiteral("同事\n\n客户\n"));  // a missing entry is empty
        dlg->accept();                                                              // the blank second line
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, QStringLiteral("第2行类别名不合规定，不能加入。"));
        EXPECT_TRUE(messages_.shown[0].caption.isEmpty());
        dlg->textEdit->setPlainText(QString());
        dlg->accept();
        EXPECT_EQ(messages_.shown.back().text, QStringLiteral("类别不能为空"));
        dlg->reject();
    });
    w.EditCategoryFile();
    EXPECT_EQ(FileBytes(home_.dir / "dat/bzinit.ini"), before);

    WhenModal<CategoryFileEditor>([](CategoryFileEditor* dlg) {
        dlg->textEdit->setPlainText(QStringLiteral(" 朋友 \n同事\n"));
        dlg->accept();
    });
    w.EditCategoryFile();
    IniFile ini(home_.dir / "dat/bzinit.ini");
    EXPECT_EQ(ReadCategoryList(ini), (std::vector<std::string>{"朋友", "同事"}));
    EXPECT_EQ(ini.ReadString("classes", "3"), "客户");  // left in the file, no longer read
}

TEST_F(CaseTree, CaseInformationDialog) {
    CaseRecord r = Case("古人", "同事", true, -119);
    r.a.cityIndex = 99;  // beyond the city list: the first city is shown
    r.note = "第一行\r\n第二行";
    MainWindow& w = Open({r});
    Select(w, w.caseModel->FindCase(0));

    // Unchanged place, −120 typed again, a new name and note: the place stays
    // as stored byte for byte.
    WhenModal<CaseInfoDialog>([this](CaseInfoDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("命例信息"));
        EXPECT_EQ(dlg->yearEdit->text(), QStringLiteral("-120"));
        EXPECT_EQ(dlg->noteEdit->toPlainText(), QStringLiteral("第一行\n第二行"));
        EXPECT_EQ(dlg->provinceBox->currentIndex(), 1);
        EXPECT_EQ(dlg->cityBox->currentIndex(), 0);
        EXPECT_EQ(dlg->hourBox->itemText(0), QStringLiteral("0时子"));
        EXPECT_EQ(dlg->hourBox->itemText(23), QStringLiteral("23时子"));
        const struct {
            const char* year;
            const char* name;
            const char* note;
            const char* message;
        } kRefusals[] = {
            {"-120", "", "x", "姓名不能为空"},
            {"0", "古人", "x",
             "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
            {"-851", "古人", "x",
             "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
            {"abc", "古人", "x",
             "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
            {"-120", "古人", "", "附加信息不能为空"},
        };
        for (const auto& c : kRefusals) {
            SCOPED_TRACE(c.message);
            dlg->yearEdit->setText(QString::fromUtf8(c.year));
            dlg->nameEdit->setText(QString::fromUtf8(c.name));
            dlg->noteEdit->setPlainText(QString::fromUtf8(c.note));
            messages_.shown.clear();
            dlg->accept();
            ASSERT_EQ(messages_.shown.size(), 2u);
            EXPECT_EQ(messages_.shown[0].text, QStringLiteral("确定要保存修改吗？"));
            EXPECT_EQ(messages_.shown[1].text, QString::fromUtf8(c.message));
            EXPECT_TRUE(dlg->isVisible());
        }
        // A date that does not exist is refused with the reason.
        dlg->yearEdit->setText(QStringLiteral("1990"));
        dlg->nameEdit->setText(QStringLiteral("古人"));
        dlg->noteEdit->setPlainText(QStringLiteral("x"));
        dlg->monthBox->setCurrentIndex(1);
        dlg->dayBox->setCurrentIndex(29);
        messages_.shown.clear();
        dlg->accept();
        ASSERT_EQ(messages_.shown.size(), 2u);
        EXPECT_EQ(messages_.shown[1].text, QStringLiteral("不存在这个日期：1990年2月只有28天"));
        EXPECT_TRUE(dlg->isVisible());
        dlg->monthBox->setCurrentIndex(4);
        dlg->dayBox->setCurrentIndex(11);
        dlg->yearEdit->setText(QStringLiteral("-120"));
        dlg->nameEdit->setText(QStringLiteral("古贤"));
        dlg->noteEdit->setPlainText(QStringLiteral("新的\n备注"));
        dlg->lunarButton->setChecked(true);
        dlg->femaleButton->setChecked(true);
        messages_.shown.clear();
        dlg->accept();
    });
    w.EditSelectedCase();
    CaseRecord stored = Stored(home_.dir, 0);
    EXPECT_EQ(stored.a.name, "古贤");
    EXPECT_EQ(stored.a.year, -119);
    EXPECT_EQ(stored.a.isLunar, 1);
    EXPECT_EQ(stored.a.isMale, 0);
    EXPECT_EQ(stored.a.cityIndex, 99);
    EXPECT_EQ(stored.a.placeText, "北京市-北京");
    EXPECT_EQ(stored.a.longitude, 116.4667f);
    EXPECT_EQ(stored.note, "新的\r\n备注");
    EXPECT_EQ(stored.b.name, "乙古人");
    EXPECT_EQ(w.caseModel->data(w.caseModel->FindCase(0)).toString(), QStringLiteral("古贤  农-120-5-12|0"));
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("完成修改"));
    EXPECT_EQ(messages_.shown[1].caption, QStringLiteral("完成"));

    // Another province: the coordinates and the place text follow the city.
    WhenModal<CaseInfoDialog>([](CaseInfoDialog* dlg) {
        dlg->provinceBox->setCurrentIndex(kUnknownProvince);
        emit dlg->provinceBox->activated(kUnknownProvince);
        EXPECT_EQ(dlg->cityBox->count(), 1);
        EXPECT_EQ(dlg->cityBox->itemText(0), QStringLiteral("未知地"));
        dlg->accept();
    });
    w.EditSelectedCase();
    stored = Stored(home_.dir, 0);
    EXPECT_EQ(stored.a.provinceIndex, kUnknownProvince);
    EXPECT_EQ(stored.a.placeText, "未知地");
    EXPECT_EQ(stored.a.longitude, 120.0f);
    EXPECT_EQ(stored.a.latitude, 30.0f);
}

TEST_F(CaseTree, EditingAndMovingTheViewedCaseRefreshTheWindowsCopy) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
    Select(w, w.caseModel->FindCase(0));
    w.ViewCase();
    ASSERT_TRUE(w.editMode());
    w.PrepareCaseMenu();
    w.moveMenu->actions()[0]->trigger();
    EXPECT_EQ(w.currentCase().category, "客户");
    WhenModal<CaseInfoDialog>([](CaseInfoDialog* dlg) {
        dlg->nameEdit->setText(QStringLiteral("张四"));
        dlg->accept();
    });
    w.EditSelectedCase();
    EXPECT_EQ(w.currentCase().a.name, "张四");
    messages_.shown.clear();
    w.SaveCase();  // "存旧" keeps both
    const CaseRecord stored = Stored(home_.dir, 0);
    EXPECT_EQ(stored.category, "客户");
    EXPECT_EQ(stored.a.name, "张四");
}

// Opens the search dialog, lets `fill` set its controls and press its
// buttons, and closes it when `fill` left it open.
void Search(MainWindow& w, std::function<void(CaseSearchDialog*)> fill) {
    WhenModal<CaseSearchDialog>([fill](CaseSearchDialog* dlg) {
        fill(dlg);
        if (dlg->isVisible()) dlg->reject();
    });
    w.SearchCases();
}

TEST_F(CaseTree, SearchYearChecks) {
    MainWindow& w =
        Open({Case("张三", "同事", true, 1990), Case("古人", "同事", true, 0), Case("今人", "同事", true, 1)});
    const struct {
        const char* first;
        const char* last;
        const char* message;  // nullptr: searched
        bool focusOnLast;
    } kCases[] = {
        {"1990", "", "请填写“到”的年份；只查一年时，两栏填同一年。", true},  // names the missing field
        {"0", "1990", kYearRangeMessage, false},
        {"-851", "1990", kYearRangeMessage, false},
        {"1990", "1980", "结束年必须大于或等于起始年", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.first) + ".." + c.last);
        messages_.shown.clear();
        Search(w, [&](CaseSearchDialog* dlg) {
            dlg->firstYearEdit->setText(QString::fromUtf8(c.first));
            dlg->lastYearEdit->setText(QString::fromUtf8(c.last));
            EXPECT_FALSE(dlg->Search());
            EXPECT_EQ(dlg->focusWidget(), c.focusOnLast ? dlg->lastYearEdit : dlg->firstYearEdit);
        });
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages_.shown[0].caption, QStringLiteral("年份错误"));
        EXPECT_EQ(messages_.shown[0].icon, MsgIcon::kWarning);
    }

    // −1 to 1 are accepted and searched as 0 to 1 (1 BC to AD 1).
    messages_.shown.clear();
    Search(w, [](CaseSearchDialog* dlg) {
        dlg->firstYearEdit->setText(QStringLiteral("-1"));
        dlg->lastYearEdit->setText(QStringLiteral("1"));
        dlg->searchButton->click();
    });
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("共找到2条记录，要显示到命例列表中吗？"));
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  同事\n    古人  公-1-5-12|1\n    今人  公1-5-12|2\n");
}

TEST_F(CaseTree, DecliningTheResultKeepsTheDialogAndTheCriteria) {
    MainWindow& w = Open({Case("张三", "同事"), Case("小张", "客户", false), Case("李四", "客户")});
    messages_.answers = {MsgAnswer::kNo};
    Search(w, [this](CaseSearchDialog* dlg) {
        dlg->nameEdit->setText(QStringLiteral("张"));
        dlg->categoryBox->setEditText(QStringLiteral(" 客户 "));
        dlg->categoryExact->setChecked(true);
        dlg->femaleButton->setChecked(true);
        dlg->provinceBox->setCurrentIndex(2);  // 北京市
        dlg->firstYearEdit->setText(QStringLiteral("-120"));
        dlg->lastYearEdit->setText(QStringLiteral("2000"));
        dlg->searchButton->click();
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, QStringLiteral("共找到1条记录，要显示到命例列表中吗？"));
        EXPECT_TRUE(dlg->isVisible());
    });
    EXPECT_EQ(w.caseModel->CategoryCount(), 2);  // unchanged

    // The next dialog starts from those criteria.
    Search(w, [](CaseSearchDialog* dlg) {
        EXPECT_EQ(dlg->nameEdit->text(), QStringLiteral("张"));
        EXPECT_FALSE(dlg->nameExact->isChecked());
        EXPECT_EQ(dlg->categoryBox->currentText(), QStringLiteral("客户"));
        EXPECT_TRUE(dlg->categoryExact->isChecked());
        EXPECT_TRUE(dlg->femaleButton->isChecked());
        EXPECT_EQ(dlg->provinceBox->currentIndex(), 2);
        EXPECT_EQ(dlg->firstYearEdit->text(), QStringLiteral("-120"));
        EXPECT_EQ(dlg->lastYearEdit->text(), QStringLiteral("2000"));
        dlg->searchButton->click();  // Yes this time
    });
    EXPECT_EQ(TreeText(*w.caseModel), "命例\n  客户\n    小张  公1990-5-12|1\n");

    // "全部" clears the criteria and lists everything.
    messages_.shown.clear();
    Search(w, [](CaseSearchDialog* dlg) { dlg->allButton->click(); });
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("这将清除所有输入的条件参数，以便搜索所有命例，确定吗？"));
    EXPECT_EQ(messages_.shown[1].text, QStringLiteral("共找到3条记录，要显示到命例列表中吗？"));
    EXPECT_EQ(w.caseModel->CategoryCount(), 2);
    Search(w, [](CaseSearchDialog* dlg) {
        EXPECT_TRUE(dlg->nameEdit->text().isEmpty());
        EXPECT_TRUE(dlg->anySexButton->isChecked());
        EXPECT_EQ(dlg->provinceBox->currentIndex(), 0);
    });
}

TEST_F(CaseTree, SearchForWomenCoversEverySlot) {
    std::vector<CaseRecord> records;
    for (int i = 0; i < 1500; ++i) records.push_back(Case(i % 2 ? "女" : "男", "同事", i % 2 == 0));
    MainWindow& w = Open(records);
    Search(w, [](CaseSearchDialog* dlg) {
        dlg->femaleButton->setChecked(true);
        dlg->searchButton->click();
    });
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("共找到750条记录，要显示到命例列表中吗？"));
    EXPECT_EQ(w.caseModel->rowCount(w.caseModel->CategoryIndex(0)), 750);
    EXPECT_TRUE(w.caseModel->FindCase(1499).isValid());
    EXPECT_FALSE(w.caseModel->FindCase(0).isValid());

    w.ShowAllCases();
    EXPECT_EQ(w.caseModel->rowCount(w.caseModel->CategoryIndex(0)), 1500);
}

TEST_F(CaseTree, NoRecordsOnlyForAStoreThatNeverHeldACase) {
    const struct {
        bool heldCases;
        const char* message;
        const char* caption;
    } kCases[] = {
        {false, "没有记录，无从查找。", ""},
        {true, "没有找到符合条件的命例。", "信息"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        CaseRecord gone = Case("张三", "同事");
        gone.deleted = 1;
        MainWindow& w = Open(c.heldCases ? std::vector<CaseRecord>{gone} : std::vector<CaseRecord>{});
        messages_.shown.clear();
        w.ShowAllCases();
        Search(w, [](CaseSearchDialog* dlg) { dlg->searchButton->click(); });
        ASSERT_EQ(messages_.shown.size(), 2u);
        for (const MessageRequest& m : messages_.shown) {
            EXPECT_EQ(m.text, QString::fromUtf8(c.message));
            EXPECT_EQ(m.caption, QString::fromUtf8(c.caption));
        }
        EXPECT_EQ(TreeText(*w.caseModel), "命例\n");
    }
}

TEST_F(CaseTree, SearchResultsComeBackOpenWithTheFirstHitSelected) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户"), Case("张六", "客户")});
    Search(w, [](CaseSearchDialog* dlg) {
        dlg->nameEdit->setText(QStringLiteral("张"));
        dlg->searchButton->click();
    });
    ASSERT_EQ(w.caseModel->CategoryCount(), 2);
    for (int c = 0; c < 2; ++c) EXPECT_TRUE(w.caseTree->isExpanded(w.caseModel->CategoryIndex(c)));
    EXPECT_EQ(w.caseTree->currentIndex(), w.caseModel->FindCase(0));
    EXPECT_EQ(w.SelectedSlot(), 0);
}

// Delete in the tree is "删除命例" on a case, with its question; on a
// category it does nothing.
TEST_F(CaseTree, DeleteKeyDeletesTheSelectedCase) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
    apptest::Open(&w, w.caseTree);
    ASSERT_EQ(QApplication::focusWidget(), w.caseTree);
    Select(w, w.caseModel->CategoryIndex(0));
    QTest::keyClick(w.caseTree, Qt::Key_Delete);
    EXPECT_TRUE(messages_.shown.empty());

    Select(w, w.caseModel->FindCase(1));
    messages_.answers = {MsgAnswer::kNo};
    QTest::keyClick(w.caseTree, Qt::Key_Delete);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("确定要删除“王五”这个命例吗？"));
    EXPECT_TRUE(messages_.shown[0].defaultNo);
    EXPECT_TRUE(Stored(home_.dir, 1).live());

    QTest::keyClick(w.caseTree, Qt::Key_Delete);  // Yes
    EXPECT_FALSE(Stored(home_.dir, 1).live());
    EXPECT_FALSE(w.caseModel->FindCase(1).isValid());
}

// The tree shows a case's calendar mark in the window's language; moving
// and deleting still know the case it shows for the one stored.
TEST_F(CaseTree, MoveAndDeleteInEveryLanguage) {
    for (const UiLanguage language : {UiLanguage::kEnglish, UiLanguage::kTraditionalTaiwan, UiLanguage::kSimplified}) {
        SCOPED_TRACE(LanguageCode(language));
        const apptest::LanguageForTest speak(language);
        window_.reset();
        MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
        apptest::Open(&w, w.caseTree);
        Select(w, w.caseModel->FindCase(0));
        w.PrepareCaseMenu();
        ASSERT_EQ(w.moveMenu->actions().size(), 1);
        w.moveMenu->actions()[0]->trigger();
        EXPECT_EQ(Stored(home_.dir, 0).category, "客户");

        Select(w, w.caseModel->FindCase(1));
        messages_.answers = {MsgAnswer::kYes};
        QTest::keyClick(w.caseTree, Qt::Key_Delete);
        EXPECT_EQ(messages_.shown.size(), 1u);  // the question only, no refusal
        EXPECT_FALSE(Stored(home_.dir, 1).live());
        messages_.shown.clear();
    }
}

TEST_F(CaseTree, ExpandAndCollapseANodeWithAllBelowIt) {
    MainWindow& w = Open({Case("张三", "同事"), Case("王五", "客户")});
    Select(w, w.caseModel->RootIndex());
    w.ExpandSelected();
    EXPECT_TRUE(w.caseTree->isExpanded(w.caseModel->CategoryIndex(0)));
    EXPECT_TRUE(w.caseTree->isExpanded(w.caseModel->CategoryIndex(1)));
    w.CollapseSelected();
    EXPECT_FALSE(w.caseTree->isExpanded(w.caseModel->RootIndex()));
    EXPECT_FALSE(w.caseTree->isExpanded(w.caseModel->CategoryIndex(1)));
}

TEST(CaseTreeModel, KeepsItsIndexesRightThroughChanges) {
    CaseTreeModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    m.Reset({{0, "甲", "a|0", true}, {1, "乙", "b|1", false}, {2, "丙", "c|2", true}, {3, "乙", "d|3", true}});
    const QPersistentModelIndex d = m.FindCase(3);
    m.RemoveCategory(m.FindCategory("甲"));
    EXPECT_EQ(m.SlotOf(d), 3);  // a case under a later category keeps its parent
    EXPECT_EQ(d.parent(), m.FindCategory("乙"));
    m.MoveCase(1, m.FindCategory("丙"));
    EXPECT_EQ(m.SlotsIn(m.FindCategory("丙")), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(m.SlotOf(d), 3);
    EXPECT_TRUE(m.UpdateCase(3, false, QStringLiteral("e|3")));
    EXPECT_EQ(m.data(d).toString(), QStringLiteral("e|3"));
    EXPECT_FALSE(m.RemoveCase(42));
    EXPECT_EQ(m.LevelOf(m.RootIndex()), CaseTreeModel::Level::kRoot);
    EXPECT_EQ(m.SlotOf(m.RootIndex()), -1);
}

}  // namespace
}  // namespace tessaly
