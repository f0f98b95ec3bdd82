#include "CategoryFileEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "GbkLimits.h"
#include "MessageService.h"
#include "store/Categories.h"
#include "app/AppSetup.h"

namespace tessaly {

CategoryFileEditor::CategoryFileEditor(const std::vector<std::string>& categories, QWidget* parent)
    : QDialog(parent), categories_(categories) {
    setObjectName(QStringLiteral("FrmClassEdit"));
    setWindowTitle(tr("类别编辑"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* label = new QLabel(tr("一行一个类别，类别名最长6个汉字"), this);
    textEdit = new QPlainTextEdit(this);
    textEdit->setObjectName(QStringLiteral("Memo1"));
    textEdit->setTabChangesFocus(true);
    SetMemoText(textEdit, CategoryLinesText(categories));
    label->setBuddy(textEdit);
    saveButton = new QPushButton(tr("保存"), this);
    cancelButton = new QPushButton(tr("取消"), this);
    connect(saveButton, &QPushButton::clicked, this, &CategoryFileEditor::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CategoryFileEditor::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* box = new QVBoxLayout(this);
    box->addWidget(label);
    box->addWidget(textEdit, 1);
    box->addLayout(buttons);
    resize(300, 360);
}

void CategoryFileEditor::accept() {
    std::vector<std::string> names;
    if (Status s = ParseCategoryLines(MemoText(textEdit), &names); !s) {
        Inform(this, CoreText(s.message()));
        return;
    }
    categories_ = std::move(names);
    QDialog::accept();
}

}  // namespace tessaly
