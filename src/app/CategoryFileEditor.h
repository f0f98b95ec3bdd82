// CategoryFileEditor (aka TFrmClassEdit, Untcedit) — "类别编辑": the
// category list of dat/bzinit.ini as text, one name a line. "保存" checks
// every line and closes with the new list; the caller writes it.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace tessaly {

class CategoryFileEditor : public QDialog {
    Q_OBJECT
public:
    CategoryFileEditor(const std::vector<std::string>& categories, QWidget* parent = nullptr);

    // After "保存": the names, in the order of the lines.
    const std::vector<std::string>& Categories() const { return categories_; }

    QPlainTextEdit* textEdit;
    QPushButton* saveButton;
    QPushButton* cancelButton;

public slots:
    void accept() override;

private:
    std::vector<std::string> categories_;
};

}  // namespace tessaly
