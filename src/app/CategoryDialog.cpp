#include "CategoryDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "BuddyLabel.h"
#include "GbkLimits.h"
#include "MessageService.h"
#include "common/IniFile.h"

namespace tessaly {

CategoryDialog::CategoryDialog(const std::vector<std::string>& categories, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmFenLei"));
    setWindowTitle(tr("分类保存"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    noteEdit = new QPlainTextEdit(this);
    noteEdit->setObjectName(QStringLiteral("Memo1"));
    noteEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    noteEdit->setTabChangesFocus(true);
    noteEdit->setPlainText(tr("备注:"));
    noteEdit->moveCursor(QTextCursor::End);
    LimitMemoBytes(noteEdit, kSaveNoteBytes);

    categoryBox = new QComboBox(this);
    categoryBox->setObjectName(QStringLiteral("CboFenLei"));
    categoryBox->setEditable(true);
    categoryBox->setInsertPolicy(QComboBox::NoInsert);
    categoryBox->setMaxVisibleItems(16);
    categoryBox->lineEdit()->setValidator(new GbkLengthValidator(kSaveCategoryBytes, categoryBox));
    for (const std::string& c : categories) categoryBox->addItem(QString::fromStdString(c));
    if (categoryBox->count() > 0) categoryBox->setCurrentIndex(0);

    okButton = new QPushButton(tr("确定"), this);
    okButton->setObjectName(QStringLiteral("Btnok"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("取消"), this);
    cancelButton->setObjectName(QStringLiteral("Btnno"));
    connect(okButton, &QPushButton::clicked, this, &CategoryDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CategoryDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(tr("保存类别"), categoryBox), 0, 0);
    grid->addWidget(categoryBox, 0, 1);
    grid->addWidget(BuddyLabel(tr("附加信息"), noteEdit), 1, 0, Qt::AlignTop);
    grid->addWidget(noteEdit, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(380, 260);
    // Tab follows the rows: the note comes before the buttons.
    setTabOrder(categoryBox, noteEdit);
    setTabOrder(noteEdit, okButton);
    setTabOrder(okButton, cancelButton);
    categoryBox->setFocus();
}

void CategoryDialog::accept() {
    const std::string category(Trim(categoryBox->currentText().toStdString()));
    const std::string note(Trim(MemoText(noteEdit)));
    if (category.empty()) {
        Inform(this, tr("类别名不能为空"), tr("错误"), MsgIcon::kError);
        categoryBox->setFocus();
        return;
    }
    if (note.empty()) {
        Inform(this, tr("附加信息不能为空"), tr("错误"), MsgIcon::kError);
        noteEdit->setFocus();
        return;
    }
    category_ = category;
    note_ = note;
    QDialog::accept();
}

}  // namespace tessaly
