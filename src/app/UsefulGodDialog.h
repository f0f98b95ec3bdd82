// UsefulGodDialog (aka TFrmSetYong, Untsyong) — "设定用神": for 甲命 and 乙命
// the ten ten-god scores, the pair of each usefulness role and the
// day-master judgement, as the user wants them. The dialog edits two
// RoleOverride values; its caller runs the re-analysis with them.
#pragma once

#include <QDialog>
#include <array>

#include "matching/Reanalysis.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tessaly {

class UsefulGodDialog : public QDialog {
    Q_OBJECT
public:
    explicit UsefulGodDialog(const std::array<RoleOverride, 2>& overrides, QWidget* parent = nullptr);

    // The overrides as confirmed (meaningful after accept).
    const std::array<RoleOverride, 2>& Overrides() const { return overrides_; }

    // One tab's controls ("甲命用神", "乙命用神").
    struct PersonTab {
        QWidget* page = nullptr;
        std::array<QLabel*, 10> scoreLabels{};       // "比肩丙火" …
        std::array<QLineEdit*, 10> scores{};         // Ledt0 … Ledt9 (Ledt02 … Ledt92)
        std::array<QGroupBox*, 5> roleGroups{};      // RdoYong RdoXi RdoJi RdoChou RdoXian
        std::array<QButtonGroup*, 5> roleButtons{};  // ids: GodPair
        QGroupBox* dayMasterGroup = nullptr;         // RdoRi
        QButtonGroup* judgementButtons = nullptr;    // ids: StrengthJudgement
    };

    QTabWidget* pages;
    std::array<PersonTab, 2> tabs;
    QLabel* note;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void accept() override;

private:
    PersonTab BuildTab(int person);
    void pushToWidgets();
    // Reads one person's tab into overrides_[person]; on a refused value
    // shows its message, brings the tab forward, focuses the field and
    // returns false.
    bool TakeTab(int person);

    std::array<RoleOverride, 2> overrides_;
};

}  // namespace tessaly
