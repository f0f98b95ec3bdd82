// Helpers of the widget tests: a program folder of their own, scripted
// message boxes and scripted modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/BirthDataDialog.h"
#include "app/CategoryDialog.h"
#include "app/MainWindow.h"
#include "app/MessageService.h"
#include "common/IniFile.h"
#include "common/ProgramFiles.h"

namespace tessaly::apptest {

// Records every message box and answers Yes/No boxes from a queue (Yes when
// the queue is empty).
class ScriptedMessages : public MessageService {
public:
    ScriptedMessages() { SetMessageService(this); }
    ~ScriptedMessages() override { SetMessageService(nullptr); }
    MsgAnswer Show(QWidget*, const MessageRequest& r) override {
        shown.push_back(r);
        if (r.buttons == MsgButtons::kOk) return MsgAnswer::kOk;
        if (answers.empty()) return MsgAnswer::kYes;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<MessageRequest> shown;
    std::deque<MsgAnswer> answers;
};

// A fresh program folder with the shipped dat/dili.ini and skins, removed
// with the object; windows made with Files() keep their files there.
class TempHome {
public:
    TempHome() {
        namespace fs = std::filesystem;
        static int counter = 0;
        dir = fs::temp_directory_path() /
              ("tessaly_app_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(dir);
        fs::create_directories(dir / "dat");
        fs::create_directories(dir / "bazi_f");
        const fs::path src = fs::path(TESSALY_SOURCE_DIR) / "data";
        fs::copy_file(src / "dat" / "dili.ini", dir / "dat" / "dili.ini");
        fs::copy(src / "skins", dir / "skins", fs::copy_options::recursive);
    }
    ~TempHome() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    ProgramFiles Files() const { return {dir}; }
    // Writes dat/bzinit.ini (in GBK, as the program does) from its UTF-8 text.
    Status WriteSettings(const std::string& utf8) const {
        IniFile ini;
        ini.Parse(utf8);
        return ini.SaveAs(dir / "dat" / "bzinit.ini");
    }
    std::filesystem::path dir;
};

// The whole contents of a file (empty when it can't be read).
inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Runs `answer` on the next modal dialog of type T once it is shown (polled
// from the event loop the dialog's exec() runs).
template <class T>
void WhenModal(std::function<void(T*)> answer, int triesLeft = 200) {
    QTimer::singleShot(10, [answer, triesLeft] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            answer(dlg);
        } else if (triesLeft > 0) {
            WhenModal<T>(answer, triesLeft - 1);
        }
    });
}

// A person born at HH:30 of the given day in 北京市 (province 1, its first city).
inline PersonRecord TestPerson(const char* name, int year, int month, int day, int hour, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = std::int16_t(year), r.month = std::int16_t(month), r.day = std::int16_t(day);
    r.hour = std::int16_t(hour), r.minute = 30;
    r.isMale = male ? 1 : 0;
    r.provinceIndex = 1;
    return r;
}

// Answers the next two birth-data dialogs (those of "开始合婚") with `a` and
// `b`; an empty one cancels its dialog.
inline void AnswerBirthDialogs(std::optional<PersonRecord> a, std::optional<PersonRecord> b) {
    WhenModal<BirthDataDialog>([a, b](BirthDataDialog* first) {
        if (!a) {
            first->reject();
            return;
        }
        first->SetRecord(*a, 0);
        first->accept();
        WhenModal<BirthDataDialog>([b](BirthDataDialog* second) {
            if (!b) {
                second->reject();
                return;
            }
            second->SetRecord(*b, 1);
            second->accept();
        });
    });
}

// Runs "开始合婚" with `a` and `b` answered in the two birth dialogs.
inline void MatchCouple(MainWindow& w, const PersonRecord& a, const PersonRecord& b) {
    AnswerBirthDialogs(a, b);
    w.StartMatching();
}

// "存新" with the category dialog answered: the case goes under `category`.
inline void SaveAsNewCase(MainWindow& w, const QString& category = QStringLiteral("临时保存")) {
    WhenModal<CategoryDialog>([category](CategoryDialog* dlg) {
        dlg->categoryBox->setEditText(category);
        dlg->accept();
    });
    w.SaveCase();
}

}  // namespace tessaly::apptest
