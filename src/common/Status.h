// Status — the outcome of an operation that can fail: empty when it
// succeeded, otherwise one clear message for the user. Errors cross module
// boundaries as values, never as exceptions.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tessaly {

class Status {
public:
    // What kind of failure it is, for a caller that acts on it rather than
    // shows it: damaged stored data that its repair can mend, and a clock
    // time that needs the user's choice between two readings, are told apart
    // from every other failure.
    // A success may carry a warning: the operation did what it was asked,
    // and the message tells the user what else to know (a stored change
    // whose last flush to the disk failed, say).
    enum class Kind : std::uint8_t { kOk, kError, kNeedsRepair, kClockChoiceNeeded, kOkWithWarning };

    Status() = default;
    static Status Ok() { return {}; }
    static Status Error(std::string message) { return Failure(Kind::kError, std::move(message)); }
    // Damaged stored data; the message says what is damaged, and a repair
    // can make the data usable again.
    static Status NeedsRepair(std::string message) { return Failure(Kind::kNeedsRepair, std::move(message)); }
    // A time read from a clock that skipped it (summer time began) or showed
    // it twice (summer time ended): the message names both readings, and
    // the user's choice of one lets the same input go through.
    static Status ClockChoiceNeeded(std::string message) {
        return Failure(Kind::kClockChoiceNeeded, std::move(message));
    }
    // Success with a message for the user; ok() is true.
    static Status OkWithWarning(std::string message) { return Failure(Kind::kOkWithWarning, std::move(message)); }
    bool ok() const { return kind_ == Kind::kOk || kind_ == Kind::kOkWithWarning; }
    bool hasWarning() const { return kind_ == Kind::kOkWithWarning; }
    explicit operator bool() const { return ok(); }
    Kind kind() const { return kind_; }
    bool needsRepair() const { return kind_ == Kind::kNeedsRepair; }
    bool needsClockChoice() const { return kind_ == Kind::kClockChoiceNeeded; }
    // The error, or the warning of a success; empty for a plain success.
    const std::string& message() const { return message_; }

private:
    static Status Failure(Kind kind, std::string message) {
        Status s;
        s.kind_ = kind;
        s.message_ = message.empty() ? std::string("未知错误") : std::move(message);
        return s;
    }

    Kind kind_ = Kind::kOk;
    std::string message_;
};

}  // namespace tessaly
