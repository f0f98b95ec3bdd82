#include "session/CoupleSession.h"

#include <algorithm>

#include "chart/BirthConversion.h"
#include "matching/ReportStyle.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

// The run's message as the user reads it, of the run's kind (a clock time
// that needs the user's choice stays one).
MatchOutcome MatchOutcomeOf(const MatchingResult& r) {
    MatchOutcome out;
    if (r.ok()) return out;
    out.failedPerson = r.failedPerson;
    out.status = r.status.needsClockChoice() ? Status::ClockChoiceNeeded(r.ErrorText()) : Status::Error(r.ErrorText());
    return out;
}

bool Holds(const std::vector<std::int32_t>& slots, std::int32_t slot) {
    return std::find(slots.begin(), slots.end(), slot) != slots.end();
}

const char* const kNoStore = "命例库没有打开，无法进行这项操作。";

}  // namespace

CoupleSession::CoupleSession() {
    persons_[1].personNo = 1;
    persons_[1].isMale = 0;
}

void CoupleSession::SetPerson(int n, PersonRecord person) {
    person.personNo = std::uint8_t(n);
    persons_[std::size_t(n)] = std::move(person);
}

Status CoupleSession::RequireStore() const { return store_ ? Status::Ok() : Status::Error(kNoStore); }

void CoupleSession::LeaveStoredCase() {
    viewedSlot_ = -1;
    chartValid_ = false;
}

CaseRecord CoupleSession::CaseToStore() const {
    CaseRecord r;
    r.a = runRecord_[0];
    r.b = runRecord_[1];
    r.slot = lastSlot_;
    r.category = category_;
    r.note = note_;
    return r;
}

MatchOutcome CoupleSession::Match(const RunInputs& inputs) {
    chartValid_ = false;
    MatchingResult result = RunMatching(persons_[0], persons_[1], inputs.options, inputs.ending, calendar_);
    const MatchOutcome out = MatchOutcomeOf(result);
    if (!result.ok()) return out;
    runPersons_ = persons_;
    for (int n = 0; n < 2; ++n) {
        runRecord_[std::size_t(n)] =
            StandardTimeRecord(persons_[std::size_t(n)], result.persons[std::size_t(n)].built.moments);
    }
    lastRun_ = std::move(result);
    chartValid_ = true;
    return out;
}

MatchOutcome CoupleSession::Reanalyse(const std::array<RoleOverride, 2>& overrides, const EndingText& ending) {
    MatchOutcome out;
    if (!chartValid_ || !lastRun_ || !lastRun_->ok()) {
        out.status = Status::Error(kNeedsMatchingText);
        return out;
    }
    MatchingResult result = tessaly::Reanalyse(*lastRun_, overrides, ending);
    out = MatchOutcomeOf(result);
    if (result.ok()) lastRun_ = std::move(result);
    return out;
}

StyledReport CoupleSession::StyledRunReport() const {
    if (!lastRun_) return {};
    return StyleReport(lastRun_->report, look_.family, look_.pointSize, lastRun_->options.firstLineIndent);
}

Status CoupleSession::SaveNew(const std::string& category, const std::string& note, const StyledReport& report,
                              CaseRecord* saved) {
    if (Status s = RequireStore(); !s) return s;
    if (!chartValid_) return Status::Error("请先排一个正确的盘后再保存");
    CaseRecord record = CaseToStore();
    record.category = category;
    record.note = note;
    const Status s = store_->AddCase(&record, runPersons_, report);
    if (!s) return s;
    category_ = record.category;
    note_ = record.note;
    lastSlot_ = record.slot;
    *saved = record;
    return s;  // with its warning, if any
}

Status CoupleSession::SaveOver(const StyledReport& report, bool* gone, CaseRecord* saved) {
    *gone = false;
    if (Status s = RequireStore(); !s) return s;
    // Never overwrite the stored case with the data of a run that failed.
    if (!chartValid_) return Status::Error("当前八字运算没有成功，不能覆盖保存的命例。");
    if (!ViewingStoredCase()) return Status::Error("没有正在查看的命例");
    // Nor bring back a case deleted meanwhile (by tessaly-cli, say).
    CaseRecord stored;
    if (!store_->ReadRecord(viewedSlot_, &stored).ok() || !stored.live()) {
        *gone = true;
        viewedSlot_ = -1;
        return Status::Error("这个命例已经被删除，不能覆盖保存；可以用“存新”另存。");
    }
    CaseRecord record = CaseToStore();
    record.slot = viewedSlot_;
    // Written only over the case as it was viewed (or last saved here).
    CaseBasis basis{viewedDigest_};
    const Status s = store_->WriteCase(viewedSlot_, record, runPersons_, report, &basis);
    if (!s) return s;
    viewedDigest_ = basis.digest;
    viewedRecord_ = record;
    *saved = record;
    return s;
}

Status CoupleSession::ReadCase(std::int32_t slot, StoredCase* stored) {
    if (Status s = RequireStore(); !s) return s;
    return store_->ReadCase(slot, stored);
}

ViewOutcome CoupleSession::View(const StoredCase& stored, const RunInputs& inputs) {
    ViewOutcome out;
    if (out.status = RequireStore(); !out.status) return out;
    const std::int32_t slot = stored.record.slot;
    SetPerson(0, stored.typed[0]);
    SetPerson(1, stored.typed[1]);
    category_ = stored.record.category;
    note_ = stored.record.note;
    lastSlot_ = slot;
    viewedSlot_ = slot;
    viewedDigest_ = stored.digest;
    viewedRecord_ = stored.record;
    chartValid_ = false;

    // The stored report is shown as it is; a missing one is made again by
    // the run and stored. An unreadable one stays on disk untouched.
    bool storeMade = true;
    const std::filesystem::path reportPath = store_->ReportPath(slot);
    std::error_code ec;
    if (std::filesystem::exists(reportPath, ec)) {
        StyledReport report;
        if (Status s = LoadReportFile(reportPath, &report); s.ok()) {
            out.stored = std::move(report);
        } else {
            out.reportUnreadable = s;
        }
        storeMade = false;
    }
    const MatchOutcome run = Match(inputs);
    if (!run.status.ok()) {
        out.status = run.status;
        return out;
    }
    if (!out.stored) {
        out.made = StyledRunReport();
        if (storeMade) {
            CaseBasis basis{viewedDigest_};
            out.reportNotWritten = store_->PutReport(slot, *out.made, &basis);
            if (out.reportNotWritten.ok()) viewedDigest_ = basis.digest;
        }
    }
    return out;
}

EditOutcome CoupleSession::Edit(std::int32_t slot, const CaseEdit& edit, const RunInputs& inputs,
                                const CaseBasis* basis) {
    EditOutcome out;
    out.warnings = inputs.warnings;
    if (out.status = RequireStore(); !out.status) return out;
    StoredCase stored;
    if (out.status = store_->ReadCase(slot, &stored); !out.status) return out;
    if (basis != nullptr && !basis->digest.empty() && basis->digest != stored.digest) {
        out.status = Status::Error(std::string(kCaseChangedMessage));
        return out;
    }
    if (!stored.record.live()) {
        out.status = Status::Error("第 " + std::to_string(slot) + " 号命例已经删除了");
        return out;
    }
    CaseRecord typed = stored.record;
    typed.a = stored.typed[0];
    typed.b = stored.typed[1];
    out.before = typed;
    const IniFile dili(store_->programDir() / "dat" / "dili.ini");
    if (out.status = ApplyCaseEdit(edit, dili, &typed); !out.status) return out;

    // The edited couple runs as a new one would; its report is made anew.
    LunarCalendar calendar;
    const MatchingResult run = RunMatching(typed.a, typed.b, inputs.options, inputs.ending, calendar);
    if (const MatchOutcome r = MatchOutcomeOf(run); !r.status.ok()) {
        out.status = r.status;
        return out;
    }
    CaseRecord record = typed;
    record.a = StandardTimeRecord(typed.a, run.persons[0].built.moments);
    record.b = StandardTimeRecord(typed.b, run.persons[1].built.moments);
    out.report = StyleReport(run.report, look_.family, look_.pointSize, run.options.firstLineIndent);
    // Written only over the case as read above: the read, the check and
    // the write are one decision.
    CaseBasis written{stored.digest};
    if (out.status = store_->WriteCase(slot, record, {typed.a, typed.b}, out.report, &written); !out.status) {
        return out;
    }
    out.after = typed;
    out.stored = record;

    out.viewed = ViewingStoredCase() && slot == viewedSlot_;
    if (out.viewed) {
        // The persons on view are those of the edit now, and so is the
        // basis of a later "存旧".
        viewedDigest_ = written.digest;
        viewedRecord_ = record;
        SetPerson(0, typed.a);
        SetPerson(1, typed.b);
        note_ = record.note;
        category_ = record.category;
        runPersons_ = persons_;
        runRecord_ = {record.a, record.b};
        runRecord_[1].personNo = 1;
        lastRun_ = run;
        chartValid_ = true;
    }
    return out;
}

Status CoupleSession::Delete(std::int32_t slot, const CaseBasis* basis) {
    if (Status s = RequireStore(); !s) return s;
    const Status s = store_->DeleteCase(slot, basis);
    if (!s) return s;
    CasesDeleted({slot});
    return s;
}

void CoupleSession::CasesDeleted(const std::vector<std::int32_t>& slots) {
    if (ViewingStoredCase() && Holds(slots, viewedSlot_)) LeaveStoredCase();
}

void CoupleSession::CaseMoved(std::int32_t slot, const std::string& category, const std::string& before,
                              const std::string& after) {
    if (!ViewingStoredCase() || slot != viewedSlot_) return;
    category_ = category;
    viewedRecord_.category = category;
    if (!before.empty() && before == viewedDigest_) viewedDigest_ = after;
}

void CoupleSession::CasesRenamed(const std::vector<std::int32_t>& slots, const std::string& category) {
    if (!ViewingStoredCase() || !Holds(slots, viewedSlot_)) return;
    category_ = category;
    CaseRecord was = viewedRecord_;
    was.category = category;
    StoredCase now;
    std::string expected, stored;
    if (store_ == nullptr || !store_->ReadCase(viewedSlot_, &now).ok() || !EncodeCaseRecord(was, &expected).ok() ||
        !EncodeCaseRecord(now.record, &stored).ok() || expected != stored) {
        return;  // changed elsewhere as well: the view stays old
    }
    viewedRecord_ = was;
    viewedDigest_ = now.digest;
}

}  // namespace tessaly
