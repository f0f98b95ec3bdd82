#include "SurnameGameDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "AppFonts.h"
#include "MessageService.h"
#include "app/QtText.h"

namespace tessaly {
namespace {

constexpr int kSide = 8;  // the table is 8 × 8

}  // namespace

SurnameGameDialog::SurnameGameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTestName"));
    setWindowTitle(tr("巧猜姓氏"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* question = new QLabel(tr("回答下表中有否你的姓"), this);
    question->setObjectName(QStringLiteral("StaticText1"));

    strbjx = new QTableWidget(kSide, kSide, this);
    strbjx->setObjectName(QStringLiteral("strbjx"));
    strbjx->setAccessibleName(tr("姓氏表"));
    strbjx->horizontalHeader()->hide();
    strbjx->verticalHeader()->hide();
    strbjx->setEditTriggers(QAbstractItemView::NoEditTriggers);
    strbjx->setSelectionMode(QAbstractItemView::NoSelection);
    strbjx->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strbjx->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strbjx->setTabKeyNavigation(false);
    QFont gf(kSongTi);
    gf.setPixelSize(20);
    strbjx->setFont(gf);
    const int cell = QFontMetrics(gf).height() + 12;
    for (int i = 0; i < kSide; ++i) {
        strbjx->setColumnWidth(i, cell);
        strbjx->setRowHeight(i, cell);
    }
    const int frame = 2 * strbjx->frameWidth();
    strbjx->setFixedSize(kSide * cell + frame, kSide * cell + frame);

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumHeight(32);
    QFont pf = Panel1->font();
    pf.setPixelSize(18);
    Panel1->setFont(pf);

    Btnok = new QPushButton(tr("有"), this);
    Btnok->setObjectName(QStringLiteral("Btnok"));
    Btnok->setDefault(true);
    Btnno = new QPushButton(tr("没有"), this);
    Btnno->setObjectName(QStringLiteral("Btnno"));
    Btnres = new QPushButton(tr("重来"), this);
    Btnres->setObjectName(QStringLiteral("Btnres"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btnok);
    buttons->addWidget(Btnno);
    buttons->addStretch(1);
    buttons->addWidget(Btnres);

    auto* root = new QVBoxLayout(this);
    root->addWidget(question);
    root->addWidget(strbjx, 0, Qt::AlignHCenter);
    root->addWidget(Panel1);
    root->addLayout(buttons);

    connect(Btnok, &QPushButton::clicked, this, [this] { Answer(true); });
    connect(Btnno, &QPushButton::clicked, this, [this] { Answer(false); });
    connect(Btnres, &QPushButton::clicked, this, &SurnameGameDialog::Restart);
    Restart();
}

void SurnameGameDialog::Restart() {
    game_.Restart();
    Btnok->setEnabled(true);
    Btnno->setEnabled(true);
    ShowState();
}

void SurnameGameDialog::ShowState() {
    const auto table = game_.Table();
    for (int i = 0; i < kSide * kSide; ++i) {
        auto* item = new QTableWidgetItem(i < int(table.size()) ? ToQString(table[std::size_t(i)]) : QString());
        item->setTextAlignment(Qt::AlignCenter);
        strbjx->setItem(i / kSide, i % kSide, item);
    }
    strbjx->setCurrentItem(nullptr);  // no cell looks chosen
    Panel1->setText(PanelText());
}

// SurnameGame::PanelText, translated: the tables still to answer, or the
// surname found (a surname is the person's own and stays Chinese).
QString SurnameGameDialog::PanelText() const {
    if (!game_.finished()) return tr("倒数 第%1 张表").arg(game_.tablesLeft());
    if (game_.result() > 0) return tr("你姓:%1").arg(ToQString(SurnameOf(game_.result())));
    return {};
}

void SurnameGameDialog::Answer(bool inTable) {
    if (game_.finished()) return;
    game_.Answer(inTable);
    if (!game_.finished()) {
        ShowState();
        strbjx->setFocus();
        return;
    }
    Btnok->setEnabled(false);
    Btnno->setEnabled(false);
    Btnres->setFocus();
    if (game_.result() > 0) {
        Panel1->setText(PanelText());
        // The Chinese texts are those of sidetools/SurnameGame.h.
        Inform(this, Panel1->text(), tr("猜中"), MsgIcon::kInformation);
    } else {
        Inform(this, tr("你的姓不在本字库中!"), tr("意外"), MsgIcon::kInformation);
    }
}

}  // namespace tessaly
