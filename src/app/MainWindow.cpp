#include "MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "AnalysisOptionsDialog.h"
#include "AppFonts.h"
#include "BirthDataDialog.h"
#include "ChartPicture.h"
#include "MessageService.h"
#include "ReportEndingDialog.h"
#include "ReportFileBridge.h"
#include "ReportView.h"
#include "calendar/Places.h"
#include "matching/ReportStyle.h"
#include "matching/WeddingSearch.h"
#include "store/CaseStore.h"
#include "store/Categories.h"

namespace tessaly {

struct MainWindow::Store {
    CaseStore db;
    bool open = false;
};

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The tree icons: 0 female case, 1 male case, 2 category, 3 root.
QIcon TreeIcon(int kind) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
        case 0:
        case 1: {
            const QColor c = kind == 1 ? QColor(52, 101, 164) : QColor(204, 60, 110);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(QRectF(4.5, 1.5, 7, 7));
            p.drawRoundedRect(QRectF(2.5, 9.5, 11, 6), 3, 3);
            break;
        }
        case 2:
            p.setPen(QPen(QColor(150, 110, 30), 1));
            p.setBrush(QColor(240, 200, 90));
            p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
            p.drawRect(QRectF(1.5, 2.5, 6, 2));
            break;
        default:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(160, 24, 24));
            p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
            p.setPen(QPen(QColor(250, 230, 190), 1.4));
            p.drawEllipse(QRectF(4, 4, 8, 8));
            break;
    }
    return QIcon(pm);
}

// The default persons at start-up: both born now, 甲命 a man named 某人,
// 乙命 a woman, each at the place kept in the settings.
PersonRecord DefaultPerson(const QDateTime& now, int personNo, int province, int city, const IniFile& dili) {
    PersonRecord r;
    int year = now.date().year();
    if (year > 2100) year = 2050;
    r.personNo = std::uint8_t(personNo);
    r.year = std::int16_t(year);
    r.month = std::int16_t(now.date().month());
    r.day = std::int16_t(now.date().day());
    r.hour = std::int16_t(now.time().hour());
    r.minute = std::int16_t(now.time().minute());
    r.isLunar = 0;
    r.isLeapMonth = 0;
    r.isMale = personNo == 0 ? 1 : 0;
    r.name = "某人";
    const Place place = ResolvePlaceClamped(province, city, dili);
    r.provinceIndex = std::int16_t(place.provinceIndex);
    r.cityIndex = std::int16_t(place.cityIndex);
    r.longitude = place.longitude;
    r.latitude = place.latitude;
    r.placeText = place.placeText;
    return r;
}

}  // namespace

MainWindow::MainWindow(ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), files_(std::move(files)), store_(std::make_unique<Store>()) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Tessaly 2.0"));
    QFont wf(kSongTi);
    wf.setPixelSize(14);
    setFont(wf);
    clock_ = [] { return QDateTime::currentDateTime(); };
    BuildLayout();
    BuildMenus();
    reportPane->clear();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
    caseTree = new QTreeWidget(this);
    caseTree->setObjectName(QStringLiteral("Tree"));
    caseTree->setHeaderHidden(true);
    caseTree->setIndentation(19);
    caseTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    caseTree->setMinimumWidth(kMinTreeWidth);

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageMain"));
    pages->setMinimumWidth(160);  // the tree keeps its width in a small window

    // Tab 1: the report pane, and on its right the picture above the buttons.
    auto* tab1 = new QWidget;
    tab1->setObjectName(QStringLiteral("TabSheet1"));
    reportPane = new QTextEdit(tab1);
    reportPane->setObjectName(QStringLiteral("Redtbazi"));
    reportPane->setAcceptRichText(true);
    reportPane->setTabChangesFocus(false);
    reportPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* right = new QWidget(tab1);
    right->setFixedWidth(120);
    chartPicture = new ChartPictureView(right);
    chartPicture->setObjectName(QStringLiteral("ImgBaZi"));
    auto* bottom = new QWidget(right);
    bottom->setFixedHeight(120);
    newButton = new QPushButton(QStringLiteral("新建"), bottom);
    newButton->setObjectName(QStringLiteral("BtoNew"));
    newButton->setToolTip(QStringLiteral("新建命例"));
    saveButton = new QToolButton(bottom);
    saveButton->setObjectName(QStringLiteral("SbtoSave"));
    saveButton->setAutoRaise(true);
    saveButton->setToolTip(QStringLiteral("保存八字"));
    matchButton = new QPushButton(QStringLiteral("开始合婚"), bottom);
    matchButton->setObjectName(QStringLiteral("BtnPai"));
    matchButton->setFixedSize(108, 40);
    QFont pf = matchButton->font();
    pf.setBold(true);
    matchButton->setFont(pf);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(newButton);
    row->addWidget(saveButton);
    auto* bottomBox = new QVBoxLayout(bottom);
    bottomBox->setContentsMargins(6, 8, 6, 8);
    bottomBox->addLayout(row);
    bottomBox->addStretch();
    bottomBox->addWidget(matchButton, 0, Qt::AlignHCenter);
    auto* rightBox = new QVBoxLayout(right);
    rightBox->setContentsMargins(0, 0, 0, 0);
    rightBox->setSpacing(0);
    rightBox->addWidget(chartPicture, 1);
    rightBox->addWidget(bottom);
    auto* tab1Box = new QHBoxLayout(tab1);
    tab1Box->setContentsMargins(0, 0, 0, 0);
    tab1Box->setSpacing(0);
    tab1Box->addWidget(reportPane, 1);
    tab1Box->addWidget(right);
    pages->addTab(tab1, QStringLiteral("合婚配对"));

    // Tab 2: the wedding-date search.
    auto* tab2 = new QWidget;
    tab2->setObjectName(QStringLiteral("TabSheet2"));
    auto* top = new QWidget(tab2);
    top->setFixedHeight(49);
    marriageYearLabel = new QLabel(QStringLiteral("结婚年"), top);
    marriageYearBox = new QComboBox(top);
    marriageYearBox->setObjectName(QStringLiteral("CboHunYear"));
    marriageYearBox->setMinimumWidth(90);
    searchDaysButton = new QPushButton(QStringLiteral("查找"), top);
    searchDaysButton->setObjectName(QStringLiteral("BtnSearchDay"));
    auto* topBox = new QHBoxLayout(top);
    topBox->addWidget(marriageYearLabel);
    topBox->addWidget(marriageYearBox);
    topBox->addWidget(searchDaysButton);
    topBox->addStretch();
    weddingPane = new QTextEdit(tab2);
    weddingPane->setObjectName(QStringLiteral("RedtSearch"));
    weddingPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    searchProgress = new QProgressBar(tab2);
    searchProgress->setObjectName(QStringLiteral("ProgSearch"));
    searchProgress->setRange(0, 100);
    searchProgress->setValue(0);
    searchProgress->setFixedHeight(16);
    searchProgress->setTextVisible(false);
    auto* tab2Box = new QVBoxLayout(tab2);
    tab2Box->setContentsMargins(0, 0, 0, 0);
    tab2Box->setSpacing(0);
    tab2Box->addWidget(top);
    tab2Box->addWidget(weddingPane, 1);
    tab2Box->addWidget(searchProgress);
    pages->addTab(tab2, QStringLiteral("结婚择日"));
    // The wedding tab waits for the wedding search of the engine.

    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(caseTree);
    splitter->addWidget(pages);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    connect(matchButton, &QPushButton::clicked, this, &MainWindow::StartMatching);
    connect(newButton, &QPushButton::clicked, this, &MainWindow::NewCase);
    connect(saveButton, &QToolButton::clicked, this, &MainWindow::SaveCase);
    connect(searchDaysButton, &QPushButton::clicked, this, &MainWindow::SearchDays);
    SetSaveCaption();
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
    saveCaseAction = file->addAction(QStringLiteral("保存八字"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                                &MainWindow::SaveCase);
    saveCaseAction->setObjectName(QStringLiteral("mnuF_save"));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("fnumclose"));

    QMenu* options = bar->addMenu(QStringLiteral("选项(&O)"));
    QMenu* look = options->addMenu(QStringLiteral("命稿设置"));
    look->menuAction()->setObjectName(QStringLiteral("Omnuset"));
    look->addAction(QStringLiteral("默认"), this, &MainWindow::SetDefaultAppearance)
        ->setObjectName(QStringLiteral("Osetmo"));
    look->addAction(QStringLiteral("字体设置"), this, &MainWindow::ChooseReportFont)
        ->setObjectName(QStringLiteral("Omnusetfont"));
    look->addAction(QStringLiteral("背景色设置"), this, &MainWindow::ChooseReportColor)
        ->setObjectName(QStringLiteral("Omnusetcolor"));
    options->addAction(QStringLiteral("排盘设置"), this, &MainWindow::ShowOptions)
        ->setObjectName(QStringLiteral("OmnuSel"));
    options->addAction(QStringLiteral("命稿结尾信息"), this, &MainWindow::ShowEnding)
        ->setObjectName(QStringLiteral("OmnuEnd"));
    options->addSeparator();
    skinMenu = options->addMenu(QStringLiteral("界面风格"));
    skinMenu->menuAction()->setObjectName(QStringLiteral("Opt_Skin"));
}

void MainWindow::SetSaveCaption() {
    saveButton->setText(editMode_ ? QStringLiteral("存旧") : QStringLiteral("存新"));
    saveButton->setStyleSheet(editMode_ ? QStringLiteral("color: #0000ff") : QStringLiteral("color: #000000"));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FirstShow();
    }
}

void MainWindow::BuildSkinMenu() {
    skinMenu->clear();
    const QStringList names = FindSkins(QString::fromStdString(files_.SkinsFolder().string()));
    auto* group = new QActionGroup(skinMenu);
    group->setExclusive(true);
    for (const QString& n : names) {
        QAction* a = skinMenu->addAction(n);
        a->setCheckable(true);
        a->setData(0);
        group->addAction(a);
    }
    if (!names.isEmpty()) {
        skinMenu->addSeparator();
        QAction* sys = skinMenu->addAction(QStringLiteral("系统默认"));
        sys->setCheckable(true);
        sys->setData(1);
        group->addAction(sys);
    }
    skinMenu->menuAction()->setVisible(!names.isEmpty());
    connect(group, &QActionGroup::triggered, this, &MainWindow::ChooseSkin);
}

void MainWindow::FirstShow() {
    settings_ = IniFile(files_.Dat("bzinit.ini"));
    const MainWindowSettings s = ReadMainWindowSettings(settings_);

    BuildSkinMenu();
    const QList<QAction*> items = skinMenu->actions();
    if (s.skined) {
        const QString name = Q(s.skinname);
        for (QAction* a : items) a->setChecked(a->isCheckable() && a->data().toInt() == 0 && a->text() == name);
        // A skin file gone since the last run leaves the system style, quietly.
        const QString path = QString::fromStdString((files_.SkinsFolder() / (s.skinname + ".skn")).string());
        if (skins_.Load(path)) {
            skins_.Activate();
        } else {
            skins_.Deactivate();
        }
    } else {
        skins_.Deactivate();
        if (items.size() >= 2) items.back()->setChecked(true);
    }

    const QDateTime now = clock_();
    const IniFile dili(files_.Dat("dili.ini"));
    personA_ = DefaultPerson(now, 0, s.sheng, s.shi, dili);
    personB_ = DefaultPerson(now, 1, s.sheng2, s.shi2, dili);

    marriageYearBox->clear();
    for (int i = 0; i < 5; ++i) marriageYearBox->addItem(QString::number(personA_.year + i));
    marriageYearBox->setCurrentIndex(0);

    move(s.left, s.top);
    resize(s.width, s.height);
    splitter->setSizes({s.treewid, std::max(1, s.width - s.treewid)});
    if (s.state == 1) setWindowState(windowState() | Qt::WindowMinimized);
    if (s.state == 2) setWindowState(windowState() | Qt::WindowMaximized);

    const QFont reportFont = PointFont(Q(s.fname), s.fsize);
    ApplyReportFont(reportFont);
    ApplyReportColor(ColorFromWin(s.bcolor));
    weddingPane->setStyleSheet(QStringLiteral("QTextEdit#RedtSearch { background-color: #ffffff; }"));
    ApplyReportFont(reportFont);

    if (Status st = store_->db.Open(files_.home); st.ok()) {
        store_->open = true;
    } else {
        Inform(this, Q(st.message()), QStringLiteral("错误"), MsgIcon::kError);
    }
    FillTree();
}

void MainWindow::FillTree() {
    caseTree->clear();
    auto* root = new QTreeWidgetItem(caseTree, {QStringLiteral("命例")});
    root->setIcon(0, TreeIcon(3));
    if (store_->open) {
        caseTree->setUpdatesEnabled(false);
        constexpr std::int32_t kShownSlots = 1000;
        store_->db.ForEachRecord([&](const CaseRecord& r) {
            if (r.slot >= kShownSlots) return false;
            AddCaseNode(r);
            return true;
        });
        caseTree->setUpdatesEnabled(true);
    }
    root->setExpanded(true);
}

QTreeWidgetItem* MainWindow::AddCaseNode(const CaseRecord& r) {
    QTreeWidgetItem* root = caseTree->topLevelItem(0);
    QTreeWidgetItem* category = nullptr;
    const QString name = Q(r.category);
    for (int i = 0; i < root->childCount() && category == nullptr; ++i) {
        if (root->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0) category = root->child(i);
    }
    if (category == nullptr) {
        category = new QTreeWidgetItem(root, {name});
        category->setIcon(0, TreeIcon(2));
    }
    auto* node = new QTreeWidgetItem(category, {Q(CaseNodeText(r))});
    node->setIcon(0, TreeIcon(r.a.isMale ? 1 : 0));
    return node;
}

void MainWindow::ApplyReportFont(const QFont& font) {
    reportPane->setFont(font);
    reportPane->document()->setDefaultFont(font);
    weddingPane->setFont(font);
    weddingPane->document()->setDefaultFont(font);
}

void MainWindow::ApplyReportColor(const QColor& color) {
    // A style sheet of the widget itself: a skin's sheet never covers it.
    reportColor_ = color;
    const QFont font = reportPane->font();
    reportPane->setStyleSheet(QStringLiteral("QTextEdit#Redtbazi { background-color: %1; }").arg(color.name()));
    ApplyReportFont(font);  // a new style sheet would otherwise reset it
}

void MainWindow::SavePrompt() {
    if (!editMode_ || !reportPane->document()->isModified()) return;
    if (Ask(this, QStringLiteral("当前命例文本已改变，要保存吗？"), QStringLiteral("提示"), MsgIcon::kWarning)) {
        SaveCase();
    }
}

void MainWindow::StartMatching() {
    chartValid_ = false;
    PersonRecord a = personA_, b = personB_;
    {
        BirthDataDialog dlg(files_.Dat("dili.ini"), this);
        dlg.SetRecord(a, 0);
        if (dlg.exec() != QDialog::Accepted) return;
        a = dlg.Record();
        personA_ = a;
    }
    {
        BirthDataDialog dlg(files_.Dat("dili.ini"), this);
        dlg.SetRecord(b, 1);
        if (dlg.exec() != QDialog::Accepted) return;
        b = dlg.Record();
        personB_ = b;
    }
    if (a.isMale == b.isMale &&
        !Ask(this, QStringLiteral("甲命和乙命的性别相同，一般情况下是一男一女不同的，确定无误要继续运算吗？"),
             QStringLiteral("性别相同！"), MsgIcon::kInformation)) {
        return;
    }
    SavePrompt();
    ResetPane(reportPane, QStringLiteral("婚配运算中.............."));

    // The options and the ending text are read afresh for every run.
    std::vector<std::string> warnings;
    const IniFile optionsFile(files_.Dat("pan.ini"));
    if (!optionsFile.loadStatus().ok()) {
        warnings.push_back("analysis options not read, defaults used: " + optionsFile.loadStatus().message());
    }
    const ChartOptions options = ReadChartOptions(optionsFile, &warnings);
    EndingText ending;
    if (options.appendEnding) {
        if (Status s = ReadEndingText(files_.Dat("EndInfo.txt"), &ending); !s.ok()) {
            warnings.push_back("ending text not added: " + s.message());
        }
    }

    matchButton->setEnabled(false);
    MatchingResult result = RunMatching(personA_, personB_, options, ending);
    matchButton->setEnabled(true);
    if (!result.Ok()) {
        Inform(this, Q(result.ErrorText()), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    ShowMatching(result);
    lastMatching_ = std::move(result);
    // Only a run that succeeded replaces the couple of the current case,
    // which keeps standard time (a time read from a clock elsewhere as the
    // standard time it converted to).
    currentCase_.a = StandardTimeRecord(personA_, lastMatching_->persons[0].built.moments);
    currentCase_.b = StandardTimeRecord(personB_, lastMatching_->persons[1].built.moments);
    chartValid_ = true;
    if (!warnings.empty()) {
        QStringList w;
        for (const std::string& s : warnings) w << Q(s);
        Inform(this, w.join(u'\n'), QStringLiteral("提示"), MsgIcon::kWarning);
    }
    if (options.askToSave) SaveCase();
}

void MainWindow::NewCase() {
    SavePrompt();
    reportPane->clear();
    editMode_ = false;
    reportPane->document()->setModified(false);
    chartValid_ = false;
    SetSaveCaption();
    StartMatching();
}

void MainWindow::ShowMatching(const MatchingResult& result) {
    const QFont font = reportPane->font();
    ShowReport(reportPane, StyleReport(result.report, font.family().toStdString(), font.pointSizeF(),
                                       result.options.firstLineIndent));
    chartPicture->SetPicture(DrawChartPicture(PictureDataOf(result)));
}

void MainWindow::SaveCase() {
    if (!store_->open) {
        Inform(this, QStringLiteral("命例库没有打开，无法保存。"), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    CaseRecord record;
    record.slot = currentCase_.slot;
    record.a = currentCase_.a;
    record.b = currentCase_.b;
    record.category = currentCase_.category;
    record.note = currentCase_.note;
    if (editMode_) {
        if (!Ask(this, QStringLiteral("要修改“%1”这条记录吗？").arg(Q(record.a.name)), QStringLiteral("提示"),
                 MsgIcon::kInformation)) {
            return;
        }
        // Never overwrite the stored case with the data of a run that failed.
        if (!chartValid_) {
            Inform(this, QStringLiteral("当前八字运算没有成功，不能覆盖保存的命例。"), QStringLiteral("提示"),
                   MsgIcon::kInformation);
            return;
        }
        if (Status s = SavePaneAsReport(reportPane, store_->db.ReportPath(currentSlot_)); !s.ok()) {
            Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
            return;
        }
        reportPane->document()->setModified(false);
        if (Status s = store_->db.WriteRecord(currentSlot_, record); !s.ok()) {
            Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
            return;
        }
        Inform(this, QStringLiteral("已保存编辑后的命例。"));
        return;
    }
    if (!chartValid_) {
        Inform(this, QStringLiteral("请先排一个正确的盘后再保存"), QStringLiteral("提示"), MsgIcon::kInformation);
        return;
    }
    // Until the category dialog exists, new cases go to "临时保存".
    record.category = std::string(kDefaultCategory);
    record.note.clear();
    StyledReport report;
    PaneToStyledReport(reportPane, &report);
    if (Status s = AddCaseWithReport(store_->db, &record, report); !s.ok()) {
        Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    currentCase_.category = record.category;
    currentCase_.note = record.note;
    currentCase_.slot = record.slot;
    AddCaseNode(record)->parent()->setExpanded(true);
}

void MainWindow::SearchDays() {
    if (searching_) return;
    if (!chartValid_) {
        Inform(this, Q(kWeddingNeedsMatching), QStringLiteral("提示"), MsgIcon::kInformation);
        return;
    }
    if (personA_.isMale == personB_.isMale) {
        Inform(this, Q(kWeddingNeedsCouple));
        return;
    }
    long year = 2000;
    if (!ParseInteger(marriageYearBox->currentText().toStdString(), &year)) year = 2000;
    WeddingSearchInput input;
    if (!lastMatching_) {
        Inform(this, Q(kWeddingNeedsMatching), QStringLiteral("提示"), MsgIcon::kInformation);
        return;
    }
    if (Status s = WeddingSearchInputOf(*lastMatching_, int(year), &input); !s.ok()) {
        Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    searching_ = true;
    cancelSearch_ = false;
    for (QWidget* w : {static_cast<QWidget*>(searchDaysButton), static_cast<QWidget*>(matchButton),
                       static_cast<QWidget*>(newButton)}) {
        w->setEnabled(false);
    }
    searchProgress->setRange(1, 365);
    searchProgress->setValue(0);
    WeddingProgress progress;
    progress.onDay = [this](int done, int) {
        searchProgress->setValue(std::min(done, 365));
        QApplication::processEvents();
    };
    progress.cancel = &cancelSearch_;
    const WeddingResult r = tessaly::SearchWeddingDays(input, progress);
    searchProgress->setValue(searchProgress->maximum());
    if (r.status.ok()) {
        ShowPlainText(weddingPane, r.text, input.options.firstLineIndent);
    } else {
        Inform(this, Q(r.status.message()), QStringLiteral("错误"), MsgIcon::kError);
    }
    searching_ = false;
    for (QWidget* w : {static_cast<QWidget*>(searchDaysButton), static_cast<QWidget*>(matchButton),
                       static_cast<QWidget*>(newButton)}) {
        w->setEnabled(true);
    }
    if (closeWanted_) close();
}

void MainWindow::SetDefaultAppearance() {
    ApplyReportFont(PointFont(kSongTi, 12));
    ApplyReportColor(Qt::white);
    Inform(this, QStringLiteral("设置完成"));
}

void MainWindow::ChooseReportFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, reportPane->font(), this);
    if (!ok) return;
    ApplyReportFont(PointFont(chosen.family(), chosen.pointSizeF()));
    Inform(this, QStringLiteral("设置完成"));
}

void MainWindow::ChooseReportColor() {
    const QColor c = QColorDialog::getColor(reportColor_, this);
    if (!c.isValid()) return;
    ApplyReportColor(c);
    Inform(this, QStringLiteral("设置完成"));
}

void MainWindow::ShowOptions() {
    AnalysisOptionsDialog dlg(ReadChartOptions(IniFile(files_.Dat("pan.ini"))), this);
    if (dlg.exec() != QDialog::Accepted) return;
    // Read the file again so that a key the dialog does not edit keeps what
    // is on disk now.
    IniFile ini(files_.Dat("pan.ini"));
    ChartOptions o = dlg.Options();
    o.appendEnding = ReadChartOptions(ini).appendEnding;
    WriteChartOptions(o, ini);
    if (Status s = ini.Save(); !s.ok()) Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
}

void MainWindow::ShowEnding() {
    EndingText ending;
    if (Status s = ReadEndingText(files_.Dat("EndInfo.txt"), &ending); !s.ok()) {
        Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
    }
    ReportEndingDialog dlg(ending, ReadChartOptions(IniFile(files_.Dat("pan.ini"))).appendEnding, this);
    if (dlg.exec() != QDialog::Accepted) return;
    if (Status s = WriteEndingText(files_.Dat("EndInfo.txt"), dlg.Ending()); !s.ok()) {
        Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    IniFile ini(files_.Dat("pan.ini"));
    ChartOptions o = ReadChartOptions(ini);
    o.appendEnding = dlg.Append();
    WriteChartOptions(o, ini);
    if (Status s = ini.Save(); !s.ok()) Inform(this, Q(s.message()), QStringLiteral("错误"), MsgIcon::kError);
}

void MainWindow::ChooseSkin(QAction* item) {
    if (item->data().toInt() == 1) {
        skins_.Deactivate();
        update();
        settings_.WriteBool("window", "skined", false);
        return;
    }
    const QString path = QString::fromStdString(files_.SkinsFolder().string()) + "/" + item->text() + ".skn";
    if (!QFileInfo::exists(path) || !skins_.Load(path)) {
        Inform(this, QStringLiteral("对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！"));
        return;
    }
    skins_.Activate();
    settings_.WriteString("window", "skinname", item->text().toStdString());
    settings_.WriteBool("window", "skined", true);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (searching_) {
        // The search lets window messages through; the close waits for it.
        closeWanted_ = true;
        event->ignore();
        return;
    }
    SavePrompt();
    if (shown_) {
        MainWindowSettings s;
        const Qt::WindowStates st = windowState();
        s.state = (st & Qt::WindowMinimized) ? 1 : (st & Qt::WindowMaximized) ? 2 : 0;
        s.left = pos().x();
        s.top = pos().y();
        s.width = width();
        s.height = height();
        s.treewid = caseTree->width();
        s.fname = reportPane->font().family().toStdString();
        s.fsize = int(reportPane->font().pointSizeF() + 0.5);
        s.bcolor = WinFromColor(reportColor_);
        s.sheng = personA_.provinceIndex;
        s.shi = personA_.cityIndex;
        s.sheng2 = personB_.provinceIndex;
        s.shi2 = personB_.cityIndex;
        WriteClosingSettings(s, s.state == 0, settings_);
        if (Status save = settings_.Save(); !save.ok()) {
            Inform(this, Q(save.message()), QStringLiteral("错误"), MsgIcon::kError);
        }
    }
    event->accept();
}

}  // namespace tessaly
