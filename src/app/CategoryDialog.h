// CategoryDialog (aka TFrmFenLei, Untflei) — "分类保存": the category and
// the note of a case saved as new. The category drop-down offers the
// category list of dat/bzinit.ini; a new name typed there is used for the
// case but not added to the list.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace tessaly {

// The longest category and note this dialog takes, in GBK bytes (the note
// with CR LF line ends).
inline constexpr std::size_t kSaveCategoryBytes = 13;
inline constexpr std::size_t kSaveNoteBytes = 801;

class CategoryDialog : public QDialog {
    Q_OBJECT
public:
    CategoryDialog(const std::vector<std::string>& categories, QWidget* parent = nullptr);

    // After "确定": the trimmed category and the trimmed note (CR LF).
    const std::string& Category() const { return category_; }
    const std::string& Note() const { return note_; }

    QPlainTextEdit* noteEdit;   // Memo1
    QComboBox* categoryBox;     // CboFenLei
    QPushButton* okButton;      // Btnok
    QPushButton* cancelButton;  // Btnno

public slots:
    void accept() override;

private:
    std::string category_, note_;
};

}  // namespace tessaly
