// The report pane and the wedding-date pane as editors: their popup menus
// (PopupRdtsend, PopSearch), formatting a selection, loading a report file
// into a pane, saving a pane to a file and printing it.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ChartPicture.h"
#include "FileDialogs.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "ReportFileBridge.h"
#include "ReportView.h"
#include "SelectionFontDialog.h"
#include "store/ReportFile.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

std::filesystem::path PathOf(const QString& s) { return std::filesystem::path(s.toStdString()); }

// How long a short note stays in the status bar.
constexpr int kStatusMessageMs = 8000;

// A report is some tens of kilobytes; a bigger file is surely not one.
constexpr qint64 kLargestReportFile = 16 * 1024 * 1024;

QString RtfFilter() { return MainWindow::tr("Rtf格式 (*.rtf)"); }
QString TxtFilter() { return MainWindow::tr("Txt格式 (*.txt)"); }

// A file name that does not exist yet: `folder`/`base``suffix`, or with
// "(2)", "(3)", … before the suffix.
QString FreeFileName(const QString& folder, QString base, const QString& suffix) {
    base.replace(u'/', u'_');
    QString path = QDir(folder).filePath(base + suffix);
    for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n) {
        path = QDir(folder).filePath(QStringLiteral("%1(%2)%3").arg(base).arg(n).arg(suffix));
    }
    return path;
}

// The name proposed for a file made from a pane: the couple on screen, or
// what the pane holds.
QString SuggestedName(bool reportPane, bool matched, const CurrentCase& couple) {
    if (!matched) return reportPane ? MainWindow::tr("命稿") : MainWindow::tr("结婚择日");
    return ToQString(couple.a.name) + u'_' + ToQString(couple.b.name) +
           (reportPane ? QString() : MainWindow::tr("_择日"));
}

QString DocumentsFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

}  // namespace

void MainWindow::InstallPaneCommands() {
    for (QTextEdit* pane : {reportPane, weddingPane}) {
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& at) {
            QMenu* menu = PaneMenu(pane);
            if (pane == reportPane) AddRunItems(menu);
            menu->exec(pane->viewport()->mapToGlobal(at));
            menu->deleteLater();
        });
    }
    // Ctrl+P prints the pane of the page on top.
    auto* print = new QAction(tr("打印"), this);
    print->setObjectName(QStringLiteral("PrintPane"));
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    connect(print, &QAction::triggered, this, [this] {
        if (pages->currentWidget() == timelinePage) {
            PrintTimeline();
        } else {
            PrintPane(pages->currentIndex() == 0 ? reportPane : weddingPane);
        }
    });
    addAction(print);
}

QMenu* MainWindow::PaneMenu(QTextEdit* pane) {
    const bool report = pane == reportPane;
    auto* menu = new QMenu(this);
    menu->setObjectName(report ? QStringLiteral("PopupRdtsend") : QStringLiteral("PopSearch"));
    const bool selected = pane->textCursor().hasSelection();
    // The report pane's items are named as skins and old forms know them; the
    // wedding pane's are numbered MenuItem3 … MenuItem15 in menu order.
    int number = 3;
    const auto add = [&](const QString& text, const char* name, const QKeySequence& keys, bool enabled,
                         std::function<void()> act) {
        QAction* a = menu->addAction(text);
        a->setObjectName(report ? QString::fromLatin1(name) : QStringLiteral("MenuItem%1").arg(number));
        ++number;
        a->setShortcut(keys);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, std::move(act));
    };
    const auto separator = [&] {
        menu->addSeparator();
        ++number;
    };
    add(tr("撤销"), "psendundo", QKeySequence::Undo, pane->document()->isUndoAvailable(), [pane] { pane->undo(); });
    separator();
    add(tr("复制"), "psendcopy", QKeySequence::Copy, selected, [pane] { pane->copy(); });
    add(tr("粘贴"), "psendpaste", QKeySequence::Paste, pane->canPaste(), [pane] { pane->paste(); });
    add(tr("剪切"), "psendcut", QKeySequence::Cut, selected, [pane] { pane->cut(); });
    add(tr("删除"), "psenddel", QKeySequence::Delete, selected, [pane] { pane->textCursor().removeSelectedText(); });
    add(tr("全选"), "pRdtselall", QKeySequence::SelectAll, true, [pane] { pane->selectAll(); });
    separator();
    add(tr("设置选中文本"), "psend_setF", {}, selected, [this, pane] { SetSelectionFont(pane); });
    separator();
    add(tr("导入命稿"), "psend_import", {}, true, [this, pane] { ImportReport(pane); });
    add(tr("另存为"), "psend_save", {}, true, [this, pane] { SaveReportAs(pane); });
    add(tr("打印"), "psend_prt", QKeySequence::Print, true, [this, pane] { PrintPane(pane); });
    return menu;
}

void MainWindow::SetSelectionFont(QTextEdit* pane) {
    QTextCursor selection = pane->textCursor();
    if (!selection.hasSelection()) return;
    // The font and colour of the first selected character.
    QTextCursor first(pane->document());
    first.setPosition(selection.selectionStart());
    first.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat format = first.charFormat();
    const QFont font = format.font().resolve(pane->font());
    const QColor color = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : format.foreground().color();

    SelectionFontDialog dlg(font, color, this);
    if (dlg.exec() != QDialog::Accepted) return;
    QTextCharFormat chosen;
    chosen.setFont(dlg.SelectedFont());
    chosen.setForeground(dlg.SelectedColor());
    selection.mergeCharFormat(chosen);
}

void MainWindow::ImportReport(QTextEdit* pane) {
    // Unsaved edits of a stored case are offered for saving before they go.
    if (pane == reportPane) SavePrompt();
    QFileDialog dlg(this, tr("导入命稿"), lastFolder_.isEmpty() ? DocumentsFolder() : lastFolder_);
    dlg.setObjectName(QStringLiteral("OpenDialog"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters({QStringLiteral("All.rtf (*.rtf)"), QStringLiteral("All.txt (*.txt)")});
    dlg.selectNameFilter(QStringLiteral("All.rtf (*.rtf)"));
    QString path;
    if (!ChooseFile(dlg, &path)) return;
    LoadReportInto(pane, path);
}

void MainWindow::OpenReportFile(const QString& path) {
    pages->setCurrentIndex(0);
    LoadReportInto(reportPane, QFileInfo(path).absoluteFilePath());
}

void MainWindow::LoadReportInto(QTextEdit* pane, const QString& path) {
    lastFolder_ = QFileInfo(path).absolutePath();
    const auto refuse = [&](const QString& why) {
        Inform(this, tr("导入文件出错,请重试一次\n%1\n%2").arg(QDir::toNativeSeparators(path), why), tr("重试一次"),
               MsgIcon::kWarning);
    };
    if (!QFileInfo(path).isFile()) {
        refuse(tr("文件不存在。"));
        return;
    }
    if (QFileInfo(path).size() > kLargestReportFile) {
        refuse(tr("文件太大，不是命稿。"));
        return;
    }
    StyledReport report;
    if (Status s = LoadReportFile(PathOf(path), &report); !s.ok()) {
        refuse(CoreText(s.message()));
        return;
    }
    // The pane's font size, black and no style under the file's own styles.
    ShowReport(pane, report);
    // The text on screen is no longer the stored one.
    pane->document()->setModified(true);
}

void MainWindow::SaveReportAs(QTextEdit* pane) {
    QFileDialog dlg(this, tr("另存为"), lastFolder_.isEmpty() ? DocumentsFolder() : lastFolder_);
    dlg.setObjectName(QStringLiteral("SaveDialog"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters({RtfFilter(), TxtFilter()});
    dlg.selectNameFilter(RtfFilter());
    // The overwrite question comes below, for the name with its extension.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.selectFile(SuggestedName(pane == reportPane, lastMatching().has_value(), currentCase()));
    QString typed, filter;
    if (!ChooseFile(dlg, &typed, &filter)) return;
    const bool plain = filter == TxtFilter();
    const QString path = WithExtension(typed, plain ? QStringLiteral(".txt") : QStringLiteral(".rtf"));
    lastFolder_ = QFileInfo(path).absolutePath();
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo::exists(path) &&
        !Ask(this, tr("文件“%1”已经存在，要替换它吗？").arg(shown), tr("另存为"), MsgIcon::kWarning, true)) {
        return;
    }

    StyledReport report;
    PaneToStyledReport(pane, &report);
    if (plain) {
        std::string gbk;
        if (Status s = EncodePlainText(report.text, &gbk); !s.ok()) {
            Inform(this,
                   tr("文本中有 GBK 编码无法表示的字符，不能保存为 Txt 格式；请保存为 Rtf 格式。\n%1")
                       .arg(CoreText(s.message())),
                   tr("错误"), MsgIcon::kError);
            return;
        }
    }
    if (Status s = SaveReportFile(PathOf(path), report); !s.ok()) {
        Inform(this, tr("保存文件“%1”出错。\n%2").arg(shown, CoreText(s.message())), tr("错误"), MsgIcon::kError);
        return;
    }
    // Said in the status bar: no box to dismiss after every save.
    statusBar()->showMessage(tr("已保存！"), kStatusMessageMs);
}

void MainWindow::PrintPane(QTextEdit* pane) {
    // The print dialog is the only question. The document carries the two
    // names as its title; the report's first page the chart picture.
    const bool report = pane == reportPane;
    const bool matched = lastMatching().has_value();
    const CurrentCase couple = currentCase();
    PrintExtras extras;
    if (matched) extras.title = PrintTitle(ToQString(couple.a.name), ToQString(couple.b.name));
    if (report && matched) extras.picture = chartPicture->Data();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(extras.title.isEmpty() ? SuggestedName(report, matched, couple) : extras.title);
    printer.setCreator(QStringLiteral("Tessaly"));
    // Without a printer the pages go to a PDF file: propose one that is new.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        printer.setOutputFileName(
            FreeFileName(DocumentsFolder(), SuggestedName(report, matched, couple), QStringLiteral(".pdf")));
    }
    PrintDialogSetup setup;
    setup.pageCount = PrintedPageCount(*pane->document(), pane->font(), printer, extras);
    setup.hasSelection = pane->textCursor().hasSelection();
    if (!printDialog_(printer, this, setup)) return;

    if (Status s = PrintPaneOn(*pane, printer, extras); !s.ok()) {
        Inform(this, tr("打印错误，请检查打印设备！\n%1").arg(CoreText(s.message())), tr("打印错误"), MsgIcon::kError);
        return;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        Inform(this, tr("已打印到 PDF 文件：%1").arg(QDir::toNativeSeparators(printer.outputFileName())), tr("打印"),
               MsgIcon::kInformation);
    }
}

}  // namespace tessaly
