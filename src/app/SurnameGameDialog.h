// SurnameGameDialog (aka TFrmTestName, Unttname) — "巧猜姓氏": seven tables of 64 surnames; the player answers
// "有" or "没有" for each and the game names his surname.
#pragma once

#include <QDialog>

#include "sidetools/SurnameGame.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tessaly {

class SurnameGameDialog : public QDialog {
    Q_OBJECT
public:
    explicit SurnameGameDialog(QWidget* parent = nullptr);

    void Answer(bool inTable);  // "有", "没有"
    void Restart();             // "重来"

    const SurnameGame& game() const { return game_; }

    // Controls, named as in the other program.
    QTableWidget* strbjx;
    QLabel* Panel1;
    QPushButton* Btnok;
    QPushButton* Btnno;
    QPushButton* Btnres;

private:
    QString PanelText() const;
    void ShowState();

    SurnameGame game_;
};

}  // namespace tessaly
