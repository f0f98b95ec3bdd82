// CoupleSession — the couple a front end works on: the two persons as they
// were typed, the last run of the matching, and the stored case on view
// (its slot, category and note). The verbs are those of the window and of
// tessaly-cli's cases commands: match, analyse again with the user's own
// roles, save as a new case or over the case on view, view a stored case,
// edit one, delete one.
//
// A person stays as typed (calendar, date and time, clock, zone, the
// answers given for it); the standard time a chart is read from is derived
// from it by the run, and a stored case keeps both: the record its standard
// time, the input file beside it the entry (store/CaseInput.h). So a case
// reopens exactly as it was typed, and a run of it carries the same notes.
//
// No widgets and no file reading of its own beyond the case store: the
// front end passes the run's inputs (RunInputs.h) and the report as its pane
// shows it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/Status.h"
#include "common/StyledText.h"
#include "matching/MatchingRun.h"
#include "matching/Reanalysis.h"
#include "session/RunInputs.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"

namespace tessaly {

// The font a report is styled in when the session makes it (a report made
// anew for a stored case): the window's report pane font, or the default
// report font of the window for the command line.
struct ReportLook {
    std::string family = "宋体";
    double pointSize = 12;
};

// What a run (a match, a re-analysis) came to.
struct MatchOutcome {
    Status status;  // failed: the message with the person and date ("乙命：不存在这个日期（2023-02-30）")
    int failedPerson = -1;  // 0 or 1 when the run failed
};

// What viewing a stored case came to.
struct ViewOutcome {
    Status status;                       // the run failed (its message), or the case could not be read
    std::optional<StyledReport> stored;  // the stored report, to show as it is
    std::optional<StyledReport> made;    // the run's report, shown and stored when the case had none
    Status reportUnreadable;             // the stored report could not be read (it stays on disk; none is written)
    Status reportNotWritten;             // the report made anew could not be stored
};

// What an edit came to.
struct EditOutcome {
    Status status;                      // refused: nothing changed
    CaseRecord before, after;           // the case as typed before and after (persons as entered)
    CaseRecord stored;                  // the record as written (standard time)
    StyledReport report;                // the report made anew and stored with it
    bool viewed = false;                // it is the case on view, whose persons and run follow the edit
    std::vector<std::string> warnings;  // of the run's inputs
};

class CoupleSession {
public:
    CoupleSession();

    // The case store cases go to and come from; nullptr (or never set): no
    // store is open, and the verbs that need one say so.
    void SetStore(CaseStore* store) { store_ = store; }
    void SetReportLook(ReportLook look) { look_ = std::move(look); }
    const ReportLook& Look() const { return look_; }

    // The persons as typed (personNo 0 甲命, 1 乙命).
    const PersonRecord& Person(int n) const { return persons_[std::size_t(n)]; }
    void SetPerson(int n, PersonRecord person);

    // The last successful run, when the chart on screen belongs to the
    // persons (a new "开始合婚" forgets it before its dialogs).
    const std::optional<MatchingResult>& LastRun() const { return lastRun_; }
    bool ChartValid() const { return chartValid_; }
    void ForgetChart() { chartValid_ = false; }

    // The stored case on view ("存旧" saves over it), and its digest when
    // it was read (or last written by this session): what a change of it
    // is based on.
    bool ViewingStoredCase() const { return viewedSlot_ >= 0; }
    std::int32_t ViewedSlot() const { return viewedSlot_; }
    const std::string& ViewedDigest() const { return viewedDigest_; }
    const std::string& Category() const { return category_; }
    const std::string& Note() const { return note_; }
    // Back to a new case: nothing on view, the chart forgotten.
    void LeaveStoredCase();
    // Nothing on view any more (the store was cleared or replaced); the
    // chart on screen stays and may be saved as a new case.
    void StopViewing() { viewedSlot_ = -1; }

    // The case as it would be stored now: the persons of the last run in
    // standard time, the category and note of the case on view (or of the
    // last one saved).
    CaseRecord CaseToStore() const;

    // Runs the matching of the two persons. On success the run is the last
    // run and the chart valid; on failure nothing of the last run remains
    // valid.
    MatchOutcome Match(const RunInputs& inputs);
    // Analyses both charts of the last run again with the user's own
    // values; the options stay those of the run.
    MatchOutcome Reanalyse(const std::array<RoleOverride, 2>& overrides, const EndingText& ending);
    // The report of the last run as the session's look styles it.
    StyledReport StyledRunReport() const;

    // Stores the last run's couple as a new case with `report` (the pane's,
    // edits included). *saved gets the record as stored (its slot).
    Status SaveNew(const std::string& category, const std::string& note, const StyledReport& report, CaseRecord* saved);
    // Saves over the case on view. *gone is set when that case was deleted
    // meanwhile (by another program): nothing is written, and the session
    // no longer views it. A case changed meanwhile (by another program, or
    // replaced by another case in its slot) is refused with
    // kCaseChangedMessage and nothing is written; the case stays on view.
    Status SaveOver(const StyledReport& report, bool* gone, CaseRecord* saved);

    // Reads a stored case with its persons as typed.
    Status ReadCase(std::int32_t slot, StoredCase* stored);
    // Views a live stored case: its persons as typed become the session's,
    // it is the case on view (based on stored.digest), and the matching
    // runs again. A case without its report gets the run's report stored
    // (PutReport), unless the case changed since it was read.
    ViewOutcome View(const StoredCase& stored, const RunInputs& inputs);

    // Edits person A and the note of the live case in `slot` (as typed; see
    // CaseEdit): checked, run, and stored with its standard time, its input
    // file and a report made anew, in one change of the store. The case is
    // read and written as one decision: when it changed in between, or
    // differs from `basis` (the case as the caller showed it), the edit is
    // refused with kCaseChangedMessage. When it is the case on view, its
    // persons and last run follow.
    EditOutcome Edit(std::int32_t slot, const CaseEdit& edit, const RunInputs& inputs,
                     const CaseBasis* basis = nullptr);

    // Deletes the live case in `slot` with its report and input file (only
    // if it is still as `basis` says, when given); the case on view is left
    // when it is the one.
    Status Delete(std::int32_t slot, const CaseBasis* basis = nullptr);

    // What the case tree did to stored cases beyond the verbs above: the
    // case on view follows. A move based on `before` (CaseBasis) that left
    // the case with digest `after` keeps the view current when it was
    // based on the view; a rename keeps it current when the stored record
    // is the one on view but for its category. Otherwise a later "存旧"
    // is refused as based on an old view.
    void CasesDeleted(const std::vector<std::int32_t>& slots);
    void CaseMoved(std::int32_t slot, const std::string& category, const std::string& before = {},
                   const std::string& after = {});
    void CasesRenamed(const std::vector<std::int32_t>& slots, const std::string& category);

private:
    Status RequireStore() const;

    CaseStore* store_ = nullptr;
    ReportLook look_;
    std::array<PersonRecord, 2> persons_;
    std::optional<MatchingResult> lastRun_;
    std::array<PersonRecord, 2> runPersons_;  // the persons of the last run, as typed
    std::array<PersonRecord, 2> runRecord_;   // the same in standard time, as the store keeps them
    bool chartValid_ = false;
    std::int32_t viewedSlot_ = -1;
    std::string viewedDigest_;   // of the case on view, as read or last written here
    CaseRecord viewedRecord_;    // its record then
    std::int32_t lastSlot_ = 0;  // of the case last viewed or saved
    std::string category_, note_;
    LunarCalendar calendar_;  // kept between runs (its lunar years are reused)
};

}  // namespace tessaly
