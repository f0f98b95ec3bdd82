#include "CaseSearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "BuddyLabel.h"
#include "GbkLimits.h"
#include "MessageService.h"
#include "WaitCursor.h"
#include "calendar/Places.h"
#include "common/IniFile.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

// The longest name and category a search takes, in GBK bytes.
constexpr std::size_t kSearchNameBytes = 10;
constexpr std::size_t kSearchCategoryBytes = 13;

// A year field as a year users write: a number within −850..2100 other than
// 0; false for anything else.
bool ShownYearOf(const QLineEdit* edit, long* year) {
    long y = -1000;
    if (!ParseInteger(edit->text().toStdString(), &y)) y = -1000;
    *year = y;
    return y >= ShownYear(kMinYear) && y <= kMaxYear && y != 0;
}

}  // namespace

CaseSearchDialog::CaseSearchDialog(SearchCriteria& criteria, const std::vector<std::string>& categories,
                                   CaseStore& store, QWidget* parent)
    : QDialog(parent), criteria_(criteria), store_(store) {
    setObjectName(QStringLiteral("FrmSearch"));
    setWindowTitle(tr("查找命例"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* sexGroup = new QGroupBox(tr("性别"), this);
    sexGroup->setObjectName(QStringLiteral("RdoSex"));
    anySexButton = new QRadioButton(tr("不分"), sexGroup);
    maleButton = new QRadioButton(tr("男"), sexGroup);
    femaleButton = new QRadioButton(tr("女"), sexGroup);
    auto* sexBox = new QHBoxLayout(sexGroup);
    for (QRadioButton* b : {anySexButton, maleButton, femaleButton}) sexBox->addWidget(b);

    provinceBox = new QComboBox(this);
    provinceBox->setObjectName(QStringLiteral("cbodiZ"));
    provinceBox->setMaxVisibleItems(25);
    provinceBox->addItem(QStringLiteral(" "));
    for (std::string_view p : kProvinces) provinceBox->addItem(ToQString(p));

    firstYearEdit = new QLineEdit(this);
    firstYearEdit->setObjectName(QStringLiteral("LedtY1"));
    lastYearEdit = new QLineEdit(this);
    lastYearEdit->setObjectName(QStringLiteral("LedtY2"));
    for (QLineEdit* e : {firstYearEdit, lastYearEdit}) {
        e->setMaxLength(4);
        e->setFixedWidth(64);
        e->setToolTip(tr("公元前用负数，比如公元前120年，就输入-120"));
    }

    categoryBox = new QComboBox(this);
    categoryBox->setObjectName(QStringLiteral("CboFenLei"));
    categoryBox->setEditable(true);
    categoryBox->setInsertPolicy(QComboBox::NoInsert);
    categoryBox->setMaxVisibleItems(16);
    categoryBox->lineEdit()->setValidator(new GbkLengthValidator(kSearchCategoryBytes, categoryBox));
    for (const std::string& c : categories) categoryBox->addItem(ToQString(c));
    categoryExact = new QCheckBox(tr("全字匹配"), this);
    categoryExact->setObjectName(QStringLiteral("ChkClass"));

    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("Edtname"));
    nameEdit->setValidator(new GbkLengthValidator(kSearchNameBytes, nameEdit));
    nameEdit->setToolTip(tr("甲命或乙命的姓名"));
    nameExact = new QCheckBox(tr("全字匹配"), this);
    nameExact->setObjectName(QStringLiteral("ChkName"));

    allButton = new QPushButton(tr("全部"), this);
    allButton->setObjectName(QStringLiteral("BtoAll"));
    searchButton = new QPushButton(tr("查找"), this);
    searchButton->setObjectName(QStringLiteral("BtnSearch"));
    searchButton->setDefault(true);
    closeButton = new QPushButton(tr("关闭"), this);
    closeButton->setObjectName(QStringLiteral("BtoCancel"));
    connect(searchButton, &QPushButton::clicked, this, [this] {
        if (Search()) accept();
    });
    connect(allButton, &QPushButton::clicked, this, &CaseSearchDialog::SearchAll);
    connect(closeButton, &QPushButton::clicked, this, &CaseSearchDialog::reject);

    auto* years = new QHBoxLayout;
    years->addWidget(firstYearEdit);
    years->addWidget(BuddyLabel(tr("到"), lastYearEdit));
    years->addWidget(lastYearEdit);
    years->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(sexGroup, 0, 0, 1, 3);
    grid->addWidget(BuddyLabel(tr("出生年从"), firstYearEdit), 1, 0);
    grid->addLayout(years, 1, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("出生地"), provinceBox), 2, 0);
    grid->addWidget(provinceBox, 2, 1);
    grid->addWidget(BuddyLabel(tr("类别"), categoryBox), 3, 0);
    grid->addWidget(categoryBox, 3, 1);
    grid->addWidget(categoryExact, 3, 2);
    grid->addWidget(BuddyLabel(tr("姓名"), nameEdit), 4, 0);
    grid->addWidget(nameEdit, 4, 1);
    grid->addWidget(nameExact, 4, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allButton);
    buttons->addStretch();
    buttons->addWidget(searchButton);
    buttons->addWidget(closeButton);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addSpacing(6);
    box->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
    // Tab goes down the rows as they are laid out.
    QWidget* previous = femaleButton;
    for (QWidget* next :
         std::initializer_list<QWidget*>{firstYearEdit, lastYearEdit, provinceBox, categoryBox, categoryExact, nameEdit,
                                         nameExact, allButton, searchButton, closeButton}) {
        setTabOrder(previous, next);
        previous = next;
    }

    pushToWidgets(criteria_);
}

void CaseSearchDialog::pushToWidgets(const SearchCriteria& c) {
    provinceBox->setCurrentIndex(c.province >= 0 && c.province < kProvinceCount ? c.province + 1 : 0);
    (c.sexFilter == 0 ? anySexButton : c.wantedSex == 1 ? maleButton : femaleButton)->setChecked(true);
    firstYearEdit->setText(c.yearFilter ? QString::number(ShownYear(c.firstYear)) : QString());
    lastYearEdit->setText(c.yearFilter ? QString::number(ShownYear(c.lastYear)) : QString());
    nameExact->setChecked(c.nameMode == 2);
    nameEdit->setText(c.nameMode != 0 ? ToQString(c.name) : QString());
    categoryExact->setChecked(c.categoryMode == 2);
    categoryBox->setEditText(c.categoryMode != 0 ? ToQString(c.category) : QString());
}

bool CaseSearchDialog::ReadCriteria(SearchCriteria* out) {
    SearchCriteria c = criteria_;
    const int province = provinceBox->currentIndex();
    c.province = std::int16_t(province <= 0 ? -1 : province - 1);
    c.sexFilter = anySexButton->isChecked() ? 0 : 1;
    if (c.sexFilter) c.wantedSex = maleButton->isChecked() ? 1 : 0;

    const bool noFirst = firstYearEdit->text().isEmpty(), noLast = lastYearEdit->text().isEmpty();
    if (noFirst && noLast) {
        c.yearFilter = 0;
    } else if (noFirst || noLast) {
        // One year alone is a range with its other end missing: say which.
        Inform(this,
               noLast ? tr("请填写“到”的年份；只查一年时，两栏填同一年。")
                      : tr("请填写“出生年从”的年份；只查一年时，两栏填同一年。"),
               tr("年份错误"), MsgIcon::kWarning);
        (noLast ? lastYearEdit : firstYearEdit)->setFocus();
        return false;
    } else {
        long first = 0, last = 0;
        const bool firstOk = ShownYearOf(firstYearEdit, &first);
        const bool lastOk = ShownYearOf(lastYearEdit, &last);
        if (!firstOk || !lastOk) {
            Inform(this, QString::fromUtf8(kYearRangeMessage), tr("年份错误"), MsgIcon::kWarning);
            (firstOk ? lastYearEdit : firstYearEdit)->setFocus();
            return false;
        }
        if (last < first) {
            Inform(this, tr("结束年必须大于或等于起始年"), tr("年份错误"), MsgIcon::kWarning);
            lastYearEdit->setFocus();
            return false;
        }
        c.yearFilter = 1;
        c.firstYear = std::int16_t(StoredYear(int(first)));
        c.lastYear = std::int16_t(StoredYear(int(last)));
    }

    const std::string name = nameEdit->text().toStdString();  // as typed
    c.nameMode = name.empty() ? 0 : nameExact->isChecked() ? 2 : 1;
    if (!name.empty()) c.name = name;
    const std::string category(Trim(categoryBox->currentText().toStdString()));
    c.categoryMode = category.empty() ? 0 : categoryExact->isChecked() ? 2 : 1;
    if (!category.empty()) c.category = category;
    *out = c;
    return true;
}

bool CaseSearchDialog::Search() {
    SearchCriteria c;
    if (!ReadCriteria(&c)) return false;
    criteria_ = c;
    std::int32_t count = 0;
    if (Status s = store_.RecordCount(&count); !s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return false;
    }
    if (count == 0) {
        Inform(this, tr("没有记录，无从查找。"));
        return false;
    }
    // The wait cursor stands in for the find-file animation.
    std::vector<ListedCase> found;
    Status s;
    for (QPushButton* b : {allButton, searchButton, closeButton}) b->setEnabled(false);
    {
        const WaitCursor wait;
        s = FindCases(store_, &criteria_, &found);
    }
    for (QPushButton* b : {allButton, searchButton, closeButton}) b->setEnabled(true);
    if (!s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return false;
    }
    if (found.empty()) {
        Inform(this, tr("没有找到符合条件的命例。"), tr("信息"), MsgIcon::kInformation);
        return false;
    }
    if (!Ask(this, tr("共找到%1条记录，要显示到命例列表中吗？").arg(found.size()), tr("提示"), MsgIcon::kInformation)) {
        return false;
    }
    found_ = std::move(found);
    return true;
}

void CaseSearchDialog::SearchAll() {
    if (!Ask(this, tr("这将清除所有输入的条件参数，以便搜索所有命例，确定吗？"), tr("提示"), MsgIcon::kInformation)) {
        return;
    }
    anySexButton->setChecked(true);
    firstYearEdit->clear();
    lastYearEdit->clear();
    nameEdit->clear();
    nameExact->setChecked(false);
    categoryBox->setEditText(QString());
    categoryExact->setChecked(false);
    provinceBox->setCurrentIndex(0);
    if (Search()) accept();
}

}  // namespace tessaly
