// Persons for the widget tests and the answers to the two birth dialogs of
// "开始合婚".
#pragma once

#include "app/BirthDataDialog.h"
#include "app_test_util.h"
#include "calendar/PersonRecord.h"

namespace tessaly::apptest {

// A person born at hh:30 in 北京市 (province 1, its first city).
inline PersonRecord TestPerson(const char* name, int year, int month, int day, int hour, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = std::int16_t(year), r.month = std::int16_t(month), r.day = std::int16_t(day);
    r.hour = std::int16_t(hour), r.minute = 30;
    r.isMale = male ? 1 : 0;
    r.provinceIndex = 1;
    return r;
}

// Answers the next two birth dialogs with `a` and `b` (nullptr: cancel).
inline void AnswerBirthDialogs(const PersonRecord* a, const PersonRecord* b) {
    WhenModal<BirthDataDialog>([a, b](BirthDataDialog* first) {
        if (a == nullptr) {
            first->reject();
            return;
        }
        first->SetRecord(*a, 0);
        first->accept();
        WhenModal<BirthDataDialog>([b](BirthDataDialog* second) {
            if (b == nullptr) {
                second->reject();
                return;
            }
            second->SetRecord(*b, 1);
            second->accept();
        });
    });
}

}  // namespace tessaly::apptest
