// Helpers of the tests of the panes' commands, the history and the help: a
// matching run through the window, answered file dialogs, file contents.
#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>
#include <map>
#include <string>

#include "app/BirthDataDialog.h"
#include "app/MainWindow.h"
#include "app_test_util.h"

namespace tessaly::apptest {

inline PersonRecord Person(const char* name, int year, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = std::int16_t(year), r.month = 6, r.day = 15, r.hour = 10, r.minute = 0;
    r.isMale = male ? 1 : 0;
    return r;
}

// Answers the next file dialog with `path` (and the name filter `filter`
// when given); an empty path cancels it.
inline void AnswerFileDialog(const std::filesystem::path& path, const QString& filter = {}) {
    WhenModal<QFileDialog>([path, filter](QFileDialog* dlg) {
        if (path.empty()) {
            dlg->reject();
            return;
        }
        if (!filter.isEmpty()) dlg->selectNameFilter(filter);
        // As typed: selectFile() leaves a focused name field alone.
        dlg->setDirectory(QString::fromStdString(path.parent_path().string()));
        auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name != nullptr) {
            name->setText(QString::fromStdString(path.filename().string()));
        } else {
            dlg->selectFile(QString::fromStdString(path.string()));
        }
        QMetaObject::invokeMethod(dlg, "accept");  // protected in QFileDialog
    });
}

// The case store of a program folder: every data file and every report.
inline std::map<std::string, std::string> StoreFiles(const std::filesystem::path& home) {
    std::map<std::string, std::string> files;
    for (const char* folder : {"dat", "bazi_f"}) {
        if (!std::filesystem::is_directory(home / folder)) continue;
        for (const auto& e : std::filesystem::directory_iterator(home / folder)) {
            const std::string name = e.path().filename().string();
            const bool store =
                std::string(folder) == "bazi_f" || (name.rfind("bazi", 0) == 0 && e.path().extension() == ".dat");
            if (e.is_regular_file() && store) files[std::string(folder) + "/" + name] = FileBytes(e.path());
        }
    }
    return files;
}

}  // namespace tessaly::apptest
