#include "MainWindow.h"
#include "MainWindowAccessibility.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "AnalysisOptionsDialog.h"
#include "AppFonts.h"
#include "AppSetup.h"
#include "BirthDataDialog.h"
#include "CaseTreeModel.h"
#include "ChartPicture.h"
#include "ColourContrast.h"
#include "MainWindowStore.h"
#include "FocusKeys.h"
#include "GlossaryTip.h"
#include "LanguageMenu.h"
#include "MessageService.h"
#include "ReportEndingDialog.h"
#include "SideToolMenus.h"
#include "ReportFileBridge.h"
#include "ReportFontDialog.h"
#include "ReportView.h"
#include "calendar/Places.h"
#include "lang/ChineseScript.h"
#include "matching/ReportStyle.h"
#include "matching/WeddingSearch.h"
#include "session/Persons.h"
#include "session/RunInputs.h"
#include "store/CaseStore.h"
#include "store/Categories.h"
#include "store/SettingsMerge.h"
#include "store/StoreRepair.h"
#include "app/QtText.h"

namespace tessaly {

namespace {

// dat/pan.ini with every option present, a missing key holding what is read
// for it: only options changed in a dialog differ from it.
IniFile NormalizedOptions(const IniFile& pan) {
    IniFile normal = pan;
    WriteChartOptions(ReadChartOptions(pan), normal);
    return normal;
}

// The matching's refusal of a wedding search, in the window's language.
QString WeddingNeedsMatching() { return MainWindow::tr("请先输入男、女生日合婚后，才能选择结婚吉日！"); }
static_assert(std::string_view(kWeddingNeedsMatching) == "请先输入男、女生日合婚后，才能选择结婚吉日！");
QString WeddingNeedsCouple() { return MainWindow::tr("必须输入男、女八字合婚后，才能选择结婚吉日！"); }
static_assert(std::string_view(kWeddingNeedsCouple) == "必须输入男、女八字合婚后，才能选择结婚吉日！");

}  // namespace

MainWindow::MainWindow(ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), files_(std::move(files)), store_(std::make_unique<Store>()) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(kProgramTitle);
    clock_ = [] { return QDateTime::currentDateTime(); };
    BuildLayout();
    BuildMenus();
    BuildRunViews();
    BuildCaseMenu();
    InstallPaneCommands();
    NameMainWindowControls(*this);
    reportPane->clear();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
    caseTree = new QTreeView(this);
    caseTree->setObjectName(QStringLiteral("Tree"));
    caseModel = new CaseTreeModel(caseTree);
    caseTree->setModel(caseModel);
    caseTree->setUniformRowHeights(true);  // a hundred thousand rows scroll smoothly
    caseTree->setHeaderHidden(true);
    caseTree->setIndentation(19);
    caseTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    caseTree->setMinimumWidth(kMinTreeWidth);
    // Node texts are shown whole; a narrow tree scrolls sideways instead.
    caseTree->setTextElideMode(Qt::ElideNone);
    caseTree->header()->setStretchLastSection(false);
    caseTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    caseTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

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
    LeaveWithCtrlTab(reportPane);  // Tab is text here; Ctrl+Tab moves on
    // What an empty pane says (at the first start, and after "新建").
    reportPane->setPlaceholderText(tr("按『开始合婚(M)』输入甲乙双方生日"));
    reportPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // In English the report's terms of art explain themselves on hover.
    InstallGlossaryToolTips(reportPane);

    auto* right = new QWidget(tab1);
    chartPicture = new ChartPictureView(right);
    chartPicture->setObjectName(QStringLiteral("ImgBaZi"));
    auto* bottom = new QWidget(right);
    bottom->setMinimumHeight(120);
    bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // No room for an accelerator beside "存新": Ctrl+N (BuildMenus).
    newButton = new QPushButton(tr("新建"), bottom);
    newButton->setObjectName(QStringLiteral("BtoNew"));
    newButton->setToolTip(tr("新建命例"));
    saveButton = new QToolButton(bottom);
    saveButton->setObjectName(QStringLiteral("SbtoSave"));
    // Looks like the button it is (a flat one reads as a label).
    saveButton->setAutoRaise(false);
    saveButton->setToolTip(tr("保存八字"));
    setRolesButton = NewSetRolesButton(bottom);
    matchButton = new QPushButton(tr("开始合婚(&M)"), bottom);
    matchButton->setObjectName(QStringLiteral("BtnPai"));
    QFont pf = matchButton->font();
    pf.setBold(true);
    matchButton->setFont(pf);
    // 108 × 40, or larger where the desktop's font is larger.
    const QSize matchHint = matchButton->sizeHint();
    matchButton->setFixedSize(std::max(108, matchHint.width()), std::max(40, matchHint.height()));
    right->setFixedWidth(std::max(120, matchButton->width() + 12));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(newButton);
    row->addWidget(saveButton);
    auto* bottomBox = new QVBoxLayout(bottom);
    bottomBox->setContentsMargins(6, 8, 6, 8);
    bottomBox->addLayout(row);
    bottomBox->addWidget(setRolesButton, 0, Qt::AlignHCenter);
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
    pages->addTab(tab1, tr("合婚配对"));

    // Tab 2: the wedding-date search.
    auto* tab2 = new QWidget;
    tab2->setObjectName(QStringLiteral("TabSheet2"));
    auto* top = new QWidget(tab2);
    top->setFixedHeight(49);
    marriageYearLabel = new QLabel(tr("结婚年"), top);
    marriageYearBox = new QComboBox(top);
    marriageYearBox->setObjectName(QStringLiteral("CboHunYear"));
    marriageYearBox->setMinimumWidth(90);
    // D for 日 (days): S is the menu "命理知识(&S)".
    searchDaysButton = new QPushButton(tr("查找(&D)"), top);
    searchDaysButton->setObjectName(QStringLiteral("BtnSearchDay"));
    auto* topBox = new QHBoxLayout(top);
    topBox->addWidget(marriageYearLabel);
    topBox->addWidget(marriageYearBox);
    topBox->addWidget(searchDaysButton);
    topBox->addStretch();
    weddingPane = new QTextEdit(tab2);
    weddingPane->setObjectName(QStringLiteral("RedtSearch"));
    weddingPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LeaveWithCtrlTab(weddingPane);
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
    pages->addTab(tab2, tr("结婚择日"));
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
    connect(setRolesButton, &QToolButton::clicked, this, &MainWindow::OverrideRoles);
    SetSaveCaption();
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr("文件(&F)"));
    saveCaseAction = file->addAction(tr("保存八字"), QKeySequence(Qt::CTRL | Qt::Key_S), this, &MainWindow::SaveCase);
    saveCaseAction->setObjectName(QStringLiteral("mnuF_save"));
    file->addSeparator();
    file->addAction(tr("导入历史记录"), this, &MainWindow::ImportHistory)->setObjectName(QStringLiteral("mnuF_impotr"));
    file->addAction(tr("导出历史记录"), this, &MainWindow::ExportHistory)->setObjectName(QStringLiteral("mnuF_export"));
    file->addAction(tr("清除历史记录"), this, &MainWindow::ClearHistory)->setObjectName(QStringLiteral("mnuF_delete"));
    file->addSeparator();
    QAction* quit = file->addAction(tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("fnumclose"));
    auto* newCase = new QAction(this);  // "新建" from the keyboard
    newCase->setObjectName(QStringLiteral("actNewCase"));
    newCase->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newCase, &QAction::triggered, this, &MainWindow::NewCase);
    addAction(newCase);

    knowledgeMenu = bar->addMenu(tr("命理知识(&S)"));
    knowledgeMenu->addAction(tr("相关知识"), this, &MainWindow::ShowKnowledge)
        ->setObjectName(QStringLiteral("mlzishi"));

    QMenu* options = bar->addMenu(tr("选项(&O)"));
    QMenu* look = options->addMenu(tr("命稿设置"));
    look->menuAction()->setObjectName(QStringLiteral("Omnuset"));
    look->addAction(tr("默认"), this, &MainWindow::SetDefaultAppearance)->setObjectName(QStringLiteral("Osetmo"));
    look->addAction(tr("字体设置"), this, &MainWindow::ChooseReportFont)->setObjectName(QStringLiteral("Omnusetfont"));
    look->addAction(tr("背景色设置"), this, &MainWindow::ChooseReportColor)
        ->setObjectName(QStringLiteral("Omnusetcolor"));
    options->addAction(tr("排盘设置"), this, &MainWindow::ShowOptions)->setObjectName(QStringLiteral("OmnuSel"));
    options->addAction(tr("命稿结尾信息"), this, &MainWindow::ShowEnding)->setObjectName(QStringLiteral("OmnuEnd"));
    options->addSeparator();
    skinMenu = options->addMenu(tr("界面风格"));
    skinMenu->menuAction()->setObjectName(QStringLiteral("Opt_Skin"));
    languageMenu = new LanguageMenu(settings_, options);
    options->addMenu(languageMenu);
    AddSideToolMenus(this, knowledgeMenu, options->menuAction(), files_.Dat("dili.ini"));

    helpMenu = bar->addMenu(tr("帮助(&H)"));
    helpMenu->addAction(tr("软件帮助"), this, &MainWindow::ShowHelp)->setObjectName(QStringLiteral("HmnuRhelp"));
    helpMenu->addSeparator();
    helpMenu->addAction(tr("关于 Tessaly"), this, &MainWindow::ShowAbout)->setObjectName(QStringLiteral("HmnuAbout"));
}

void MainWindow::SetSaveCaption() {
    const bool editMode = this->editMode();
    saveButton->setText(editMode ? tr("存旧") : tr("存新"));
    // "存新" in the desktop's button text, "存旧" in its link colour made
    // readable on its buttons, through the palette: a style sheet of the
    // button's own would drop its font. A skin gives its own colours for
    // both (QToolButton#SbtoSave[editMode="true"]).
    QPalette pal;  // nothing set: every role comes from the desktop
    if (editMode) {
        const QPalette desktop = QApplication::palette(saveButton);
        pal.setColor(QPalette::ButtonText,
                     ReadableVariant(desktop.color(QPalette::Link), desktop.color(QPalette::Button)));
    }
    saveButton->setPalette(pal);
    saveButton->setProperty("editMode", editMode);
    saveButton->style()->unpolish(saveButton);
    saveButton->style()->polish(saveButton);
    ShowViewedCaseMark();
}

void MainWindow::changeEvent(QEvent* event) {
    // A desktop that turns dark gets "存旧" in its own link colour.
    if (event->type() == QEvent::ApplicationPaletteChange) SetSaveCaption();
    QMainWindow::changeEvent(event);
}

void MainWindow::BuildSkinMenu() {
    skinMenu->clear();
    // The user's own skins, then the shipped ones they do not replace.
    QStringList names;
    for (const auto& folder : files_.SkinFolders()) {
        for (const QString& n : FindSkins(QString::fromStdString(folder.string()))) {
            if (!names.contains(n)) names << n;
        }
    }
    names.sort();
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
        QAction* sys = skinMenu->addAction(tr("系统默认"));
        sys->setCheckable(true);
        sys->setData(1);
        group->addAction(sys);
    }
    skinMenu->menuAction()->setVisible(!names.isEmpty());
    connect(group, &QActionGroup::triggered, this, &MainWindow::ChooseSkin);
}

void MainWindow::FirstShow() {
    // A first start from an empty folder makes the folders of the settings,
    // the case store and the reports.
    const Status folders = startProblem_.ok() ? MakeProgramFolders(files_) : startProblem_;
    if (!folders.ok()) Inform(this, CoreText(folders.message()), tr("错误"), MsgIcon::kError);
    settings_ = IniFile(files_.Dat("bzinit.ini"));
    const MainWindowSettings s = ReadMainWindowSettings(settings_);

    BuildSkinMenu();
    const QList<QAction*> items = skinMenu->actions();
    if (s.skined) {
        const QString name = ToQString(s.skinname);
        for (QAction* a : items) a->setChecked(a->isCheckable() && a->data().toInt() == 0 && a->text() == name);
        // A skin file gone since the last run leaves the system style, quietly.
        const QString path = QString::fromStdString(files_.Skin(s.skinname).string());
        if (skins_.Load(path)) {
            skins_.Activate();
        } else {
            skins_.Deactivate();
        }
    } else {
        skins_.Deactivate();
        if (items.size() >= 2) items.back()->setChecked(true);
    }

    // Both persons born now, each at the place kept in the settings.
    const QDateTime clock = clock_();
    const CivilTime now{std::int16_t(clock.date().year()), std::int16_t(clock.date().month()),
                        std::int16_t(clock.date().day()), std::int16_t(clock.time().hour()),
                        std::int16_t(clock.time().minute())};
    const IniFile dili(files_.Dat("dili.ini"));
    session_.SetPerson(0, DefaultPerson(0, now, ResolvePlaceClamped(s.sheng, s.shi, dili)));
    session_.SetPerson(1, DefaultPerson(1, now, ResolvePlaceClamped(s.sheng2, s.shi2, dili)));

    marriageYearBox->clear();
    for (int i = 0; i < 5; ++i) marriageYearBox->addItem(QString::number(session_.Person(0).year + i));
    marriageYearBox->setCurrentIndex(0);

    RestoreGeometry(s);

    const QFont reportFont = PointFont(ToQString(s.fname), s.fsize);
    ApplyReportFont(reportFont);
    ApplyReportColor(ColorFromWin(s.bcolor));
    // Its own text colour beside its background: a dark desktop's light
    // text would vanish on the white.
    weddingPane->setStyleSheet(QStringLiteral("QTextEdit#RedtSearch { background-color: #ffffff; color: #000000; }"));
    ApplyReportFont(reportFont);

    Status st = store_->db.Open(files_.home);
    if (st.needsRepair() &&
        Ask(this, CoreText(st.message()) + QStringLiteral("\r\n\r\n") + tr("要修复吗？（修复前的文件会另存一份）"),
            tr("错误"), MsgIcon::kError)) {
        const RepairResult repaired = RepairStore(files_.home);
        if (repaired.status.ok()) {
            Inform(this,
                   repaired.keptDir.empty()
                       ? tr("命例库已修复。")
                       : tr("命例库已修复，原来的文件保存在%1。").arg(ToQString(repaired.keptDir.string())),
                   tr("提示"), MsgIcon::kInformation);
            st = store_->db.Open(files_.home);
        } else {
            st = repaired.status;
        }
    }
    if (st.ok()) {
        store_->open = true;
        session_.SetStore(&store_->db);
    } else {
        Inform(this, CoreText(st.message()), tr("错误"), MsgIcon::kError);
    }
    FillTree();
    StartFollowingStore();
    // Without a kept width the tree opens wide enough for a case's text.
    if (!settings_.HasKey("winpos", "treewid")) FitTreeWidth();
}

void MainWindow::FillTree() {
    // At start-up (and after the history changed) the tree lists the cases
    // of the first 1000 slots.
    std::vector<std::int32_t> first(1000);
    for (std::int32_t i = 0; i < 1000; ++i) first[std::size_t(i)] = i;
    FillTree(first);
}

CaseStore* MainWindow::OpenStore() {
    if (store_->open) return &store_->db;
    Inform(this, tr("命例库没有打开，无法进行这项操作。"), tr("错误"), MsgIcon::kError);
    return nullptr;
}

void MainWindow::ApplyReportFont(const QFont& font) {
    // What the panes show takes the new font at once (the font they were
    // set in is kept here: a style sheet resets the panes' own).
    ChangePaneFont(reportPane, reportFont_, font);
    ChangePaneFont(weddingPane, reportFont_, font);
    reportFont_ = font;
    reportPane->setFont(font);
    reportPane->document()->setDefaultFont(font);
    weddingPane->setFont(font);
    weddingPane->document()->setDefaultFont(font);
}

void MainWindow::ApplyReportColor(const QColor& color) {
    // A style sheet of the widget itself: a skin's sheet never covers it.
    reportColor_ = color;
    const QFont font = reportFont_;
    // The text colour goes with the background: a dark desktop's light text
    // would vanish on the report's white.
    reportPane->setStyleSheet(QStringLiteral("QTextEdit#Redtbazi { background-color: %1; color: %2; }")
                                  .arg(color.name(), InkFor(color).name()));
    // The hint of the empty pane in a grey that reads on the background.
    QPalette pal = reportPane->palette();
    pal.setColor(QPalette::PlaceholderText, ReadableVariant(QColor(0x70, 0x70, 0x70), color));
    reportPane->setPalette(pal);
    ApplyReportFont(font);  // a new style sheet would otherwise reset it
}

CurrentCase MainWindow::currentCase() const {
    const CaseRecord r = session_.CaseToStore();
    return {r.a, r.b, r.slot, r.category, r.note};
}

void MainWindow::TakePaneLook() {
    const QFont font = reportPane->font();
    session_.SetReportLook({font.family().toStdString(), font.pointSizeF()});
}

void MainWindow::SavePrompt() {
    if (!editMode() || !reportPane->document()->isModified()) return;
    if (Ask(this, tr("当前命例文本已改变，要保存吗？"), tr("提示"), MsgIcon::kWarning)) {
        SaveCase();
    }
}

void MainWindow::StartMatching() {
    session_.ForgetChart();
    // Each dialog opens on the person as typed and keeps what it was given.
    for (int n = 0; n < 2; ++n) {
        BirthDataDialog dlg(files_.Dat("dili.ini"), this);
        dlg.SetRecord(session_.Person(n), n);
        if (dlg.exec() != QDialog::Accepted) return;
        session_.SetPerson(n, dlg.Record());
    }
    if (session_.Person(0).isMale == session_.Person(1).isMale &&
        !Ask(this, tr("甲命和乙命的性别相同，一般情况下是一男一女不同的，确定无误要继续运算吗？"), tr("性别相同！"),
             MsgIcon::kInformation)) {
        return;
    }
    SavePrompt();
    ResetPane(reportPane, tr("婚配运算中.............."));
    // A new couple: nothing of the previous one stays beside the new run.
    ClearCoupleViews();

    // The options and the ending text are read afresh for every run.
    const RunInputs inputs = LoadRunInputs(files_);
    matchButton->setEnabled(false);
    const MatchOutcome run = session_.Match(inputs);
    matchButton->setEnabled(true);
    if (!run.status.ok()) {
        // The error stays on screen where the report would be.
        ResetPane(reportPane, CoreText(run.status.message()));
        Inform(this, CoreText(run.status.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    ShowMatching(*session_.LastRun());
    ShowRunWarnings(inputs.warnings);
    if (inputs.options.askToSave) SaveCase();
}

void MainWindow::ShowRunWarnings(const std::vector<std::string>& warnings) {
    if (warnings.empty()) return;
    QStringList w;
    for (const std::string& s : warnings) w << ToQString(s);
    Inform(this, w.join(u'\n'), tr("提示"), MsgIcon::kWarning);
}

void MainWindow::NewCase() {
    SavePrompt();
    reportPane->clear();
    ClearCoupleViews();
    session_.LeaveStoredCase();
    reportPane->document()->setModified(false);
    SetSaveCaption();
    StartMatching();
}

StyledReport MainWindow::ShowMatching(const MatchingResult& result) {
    const QFont font = reportPane->font();
    StyledReport styled =
        StyleReport(result.report, font.family().toStdString(), font.pointSizeF(), result.options.firstLineIndent);
    ShowProgramReport(styled);
    chartPicture->SetPicture(PictureDataOf(result));
    ShowRunViews(result);
    return styled;
}

void MainWindow::ShowProgramReport(const StyledReport& simplified) {
    ShowReport(reportPane, simplified);
    shownReport_ = {};
    shownPaneText_.clear();
    const UiLanguage language = CurrentLanguage();
    if (!IsTraditional(language)) return;
    // The pane's report in Simplified Chinese, as the store gets it in
    // Simplified Chinese, then shown converted.
    PaneToStyledReport(reportPane, &shownReport_);
    ShowReport(reportPane, TraditionalConverter::For(language).ConvertReport(shownReport_));
    StyledReport shown;
    PaneToStyledReport(reportPane, &shown);
    shownPaneText_ = std::move(shown.text);
}

StyledReport MainWindow::PaneReportForStore() const {
    StyledReport pane;
    PaneToStyledReport(reportPane, &pane);
    if (!shownPaneText_.empty() && pane.text == shownPaneText_) return shownReport_;
    return pane;
}

void MainWindow::SearchDays() {
    if (searching_) return;
    if (!chartValid()) {
        Inform(this, WeddingNeedsMatching(), tr("提示"), MsgIcon::kInformation);
        return;
    }
    if (personA().isMale == personB().isMale) {
        Inform(this, WeddingNeedsCouple());
        return;
    }
    long year = 2000;
    if (!ParseInteger(marriageYearBox->currentText().toStdString(), &year)) year = 2000;
    WeddingSearchInput input;
    if (!lastMatching()) {
        Inform(this, WeddingNeedsMatching(), tr("提示"), MsgIcon::kInformation);
        return;
    }
    if (Status s = WeddingSearchInputOf(*lastMatching(), int(year), &input); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
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
        ShowPlainText(weddingPane, ToScript(CurrentLanguage(), r.text), input.options.firstLineIndent);
    } else {
        Inform(this, CoreText(r.status.message()), tr("错误"), MsgIcon::kError);
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
    Inform(this, tr("设置完成"));
}

void MainWindow::ChooseReportFont() {
    ReportFontDialog dlg(reportFont_, this);
    if (dlg.exec() != QDialog::Accepted) return;
    QString family = dlg.Family();
    // The font standing in for "宋体" keeps that name in the settings.
    if (family == QFontInfo(PointFont(kSongTi, 12)).family()) family = kSongTi;
    ApplyReportFont(PointFont(family, dlg.PointSize()));
    Inform(this, tr("设置完成"));
}

void MainWindow::ChooseReportColor() {
    const QColor c = QColorDialog::getColor(reportColor_, this);
    if (!c.isValid()) return;
    ApplyReportColor(c);
    Inform(this, tr("设置完成"));
}

void MainWindow::ShowOptions() {
    const IniFile shown(files_.Dat("pan.ini"));
    AnalysisOptionsDialog dlg(ReadChartOptions(shown), this);
    if (dlg.exec() != QDialog::Accepted) return;
    // Only the options changed in the dialog are written, into the file as
    // it is now: another program's change of the others stays.
    IniFile edited = shown;
    ChartOptions o = dlg.Options();
    o.appendEnding = ReadChartOptions(shown).appendEnding;
    WriteChartOptions(o, edited);
    if (Status s = MergeIntoIniFile(shown.path(), IniChanges(NormalizedOptions(shown), edited)); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
    }
}

void MainWindow::ShowEnding() {
    EndingText ending;
    if (Status s = ReadEndingText(files_.Dat("EndInfo.txt"), &ending); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
    }
    const IniFile shown(files_.Dat("pan.ini"));
    ReportEndingDialog dlg(ending, ReadChartOptions(shown).appendEnding, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const std::filesystem::path endPath = files_.Dat("EndInfo.txt");
    if (Status s = WriteUnderFolderLock(endPath, [&] { return WriteEndingText(endPath, dlg.Ending()); }); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    IniFile edited = shown;
    ChartOptions o = ReadChartOptions(shown);
    o.appendEnding = dlg.Append();
    WriteChartOptions(o, edited);
    if (Status s = MergeIntoIniFile(shown.path(), IniChanges(NormalizedOptions(shown), edited)); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
    }
}

void MainWindow::ChooseSkin(QAction* item) {
    if (item->data().toInt() == 1) {
        skins_.Deactivate();
        update();
        settings_.WriteBool("window", "skined", false);
        return;
    }
    const QString path = QString::fromStdString(files_.Skin(item->text().toStdString()).string());
    if (!QFileInfo::exists(path) || !skins_.Load(path)) {
        Inform(this, tr("对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！"));
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
        s.fname = reportFont_.family().toStdString();
        s.fsize = int(reportFont_.pointSizeF() + 0.5);
        s.bcolor = WinFromColor(reportColor_);
        s.sheng = personA().provinceIndex;
        s.shi = personA().cityIndex;
        s.sheng2 = personB().provinceIndex;
        s.shi2 = personB().cityIndex;
        WriteClosingSettings(s, s.state == 0, settings_);
        if (Status save = SaveSettingsMerged(); !save.ok()) {
            Inform(this, CoreText(save.message()), tr("错误"), MsgIcon::kError);
        }
    }
    event->accept();
}

}  // namespace tessaly
