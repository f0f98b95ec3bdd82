#include "UsefulGodDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ColourContrast.h"
#include "MessageService.h"
#include "chart/Tables.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

// The object names of the role groups on 甲命's tab (乙命's add "2").
constexpr const char* kRoleGroupNames[5] = {"RdoYong", "RdoXi", "RdoJi", "RdoChou", "RdoXian"};

QString Suffixed(const QString& name, int person) { return person == 0 ? name : name + QStringLiteral("2"); }

}  // namespace

UsefulGodDialog::UsefulGodDialog(const std::array<RoleOverride, 2>& overrides, QWidget* parent)
    : QDialog(parent), overrides_(overrides) {
    setObjectName(QStringLiteral("FrmSetYong"));
    setWindowTitle(tr("设定用神"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    for (int n = 0; n < 2; ++n) {
        tabs[n] = BuildTab(n);
        pages->addTab(tabs[n].page, n == 0 ? tr("甲命用神") : tr("乙命用神"));
    }
    note = new QLabel(tr("重设以上参数将改变软件的判断。"), this);
    note->setObjectName(QStringLiteral("Label1"));
    // Blue as the desktop draws links, where that blue is readable on the
    // desktop's window colour; through the palette, not a style sheet of its
    // own, so that a skin's colour for labels wins.
    QPalette notePalette = note->palette();
    if (ReadableOn(notePalette.color(QPalette::Link), notePalette.color(QPalette::Window))) {
        notePalette.setColor(QPalette::WindowText, notePalette.color(QPalette::Link));
        note->setPalette(notePalette);
    }
    okButton = new QPushButton(tr("重新分析"), this);
    okButton->setObjectName(QStringLiteral("BtnOk"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("取消"), this);
    cancelButton->setObjectName(QStringLiteral("BtnCancel"));
    connect(okButton, &QPushButton::clicked, this, &UsefulGodDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &UsefulGodDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(pages);
    outer->addLayout(buttons);

    pushToWidgets();
    tabs[0].scores[0]->setFocus();
    tabs[0].scores[0]->selectAll();
}

UsefulGodDialog::PersonTab UsefulGodDialog::BuildTab(int person) {
    PersonTab t;
    t.page = new QWidget;
    const int dayStem = overrides_[person].dayStem;

    // The scores, a column per pair: 比肩 over 劫财, 食神 over 伤官, …,
    // above the role groups.
    auto* scoreGrid = new QGridLayout;
    scoreGrid->setHorizontalSpacing(6);
    for (int g = 0; g < 10; ++g) {
        t.scoreLabels[g] = new QLabel(ToQString(ScoreLabel(dayStem, g)), t.page);
        t.scores[g] = new QLineEdit(t.page);
        t.scores[g]->setObjectName(Suffixed(QStringLiteral("Ledt%1").arg(g), person));
        t.scores[g]->setMaxLength(3);
        t.scores[g]->setFixedWidth(t.scores[g]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        t.scoreLabels[g]->setBuddy(t.scores[g]);
        scoreGrid->addWidget(t.scoreLabels[g], g % 2, (g / 2) * 2, Qt::AlignRight);
        scoreGrid->addWidget(t.scores[g], g % 2, (g / 2) * 2 + 1);
        if (g % 2 == 0 && g > 0) scoreGrid->setColumnMinimumWidth(g, t.scoreLabels[g]->sizeHint().width() + 12);
    }

    // The pair of each role.
    auto* roleRow = new QHBoxLayout;
    for (int k = 0; k < 5; ++k) {
        t.roleGroups[k] = new QGroupBox(ToQString(kRoleNames[k]), t.page);
        t.roleGroups[k]->setObjectName(Suffixed(QString::fromLatin1(kRoleGroupNames[k]), person));
        t.roleButtons[k] = new QButtonGroup(t.page);
        auto* box = new QVBoxLayout(t.roleGroups[k]);
        for (int p = 0; p < 5; ++p) {
            auto* b = new QRadioButton(ToQString(RolePairLabel(dayStem, p)), t.roleGroups[k]);
            t.roleButtons[k]->addButton(b, p);
            box->addWidget(b);
        }
        box->addStretch();
        roleRow->addWidget(t.roleGroups[k]);
    }

    // The judgement of the day master.
    t.dayMasterGroup = new QGroupBox(tr("日元"), t.page);
    t.dayMasterGroup->setObjectName(Suffixed(QStringLiteral("RdoRi"), person));
    t.judgementButtons = new QButtonGroup(t.page);
    auto* dayMasterBox = new QVBoxLayout(t.dayMasterGroup);
    for (int j = 0; j < 7; ++j) {
        auto* b = new QRadioButton(ToQString(kJudgementNames[j]), t.dayMasterGroup);
        t.judgementButtons->addButton(b, j);
        dayMasterBox->addWidget(b);
    }
    roleRow->addWidget(t.dayMasterGroup);

    auto* top = new QHBoxLayout;
    top->addLayout(scoreGrid);
    top->addStretch();
    auto* page = new QVBoxLayout(t.page);
    page->addLayout(top);
    page->addSpacing(4);
    page->addLayout(roleRow);
    return t;
}

void UsefulGodDialog::pushToWidgets() {
    for (int n = 0; n < 2; ++n) {
        const RoleOverride& o = overrides_[n];
        PersonTab& t = tabs[n];
        for (int g = 0; g < 10; ++g) {
            const QSignalBlocker block(t.scores[g]);
            t.scores[g]->setText(QString::number(o.scores[g]));
        }
        for (int k = 0; k < 5; ++k) {
            if (QAbstractButton* b = t.roleButtons[k]->button(o.rolePairs[k])) b->setChecked(true);
        }
        if (QAbstractButton* b = t.judgementButtons->button(o.judgement)) b->setChecked(true);
    }
}

bool UsefulGodDialog::TakeTab(int person) {
    const PersonTab& t = tabs[person];
    RoleOverride o = overrides_[person];
    for (int g = 0; g < 10; ++g) o.scores[g] = ParseScoreField(t.scores[g]->text().toStdString());
    for (int k = 0; k < 5; ++k) {
        if (t.roleButtons[k]->checkedId() >= 0) o.rolePairs[k] = t.roleButtons[k]->checkedId();
    }
    if (t.judgementButtons->checkedId() >= 0) o.judgement = t.judgementButtons->checkedId();
    const OverrideCheck check = CheckOverride(o);
    if (!check.status.ok()) {
        pages->setCurrentIndex(person);
        Inform(this, CoreText(check.status.message()), tr("分数无效"), MsgIcon::kError);
        QLineEdit* field = t.scores[check.scoreField >= 0 ? check.scoreField : 0];
        field->setFocus();
        field->selectAll();
        return false;
    }
    overrides_[person] = o;
    return true;
}

void UsefulGodDialog::accept() {
    const std::array<RoleOverride, 2> before = overrides_;
    for (int n = 0; n < 2; ++n) {
        if (!TakeTab(n)) {
            overrides_ = before;  // a refused dialog keeps nothing half-read
            return;
        }
    }
    QDialog::accept();
}

}  // namespace tessaly
