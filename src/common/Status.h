// Status — the outcome of an operation that can fail: empty when it
// succeeded, otherwise one clear message for the user. Errors cross module
// boundaries as values, never as exceptions.
#pragma once

#include <string>
#include <utility>

namespace tessaly {

class Status {
public:
    Status() = default;
    static Status Ok() { return {}; }
    static Status Error(std::string message) {
        Status s;
        s.message_ = message.empty() ? std::string("unknown error") : std::move(message);
        return s;
    }
    bool ok() const { return message_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return message_; }

private:
    std::string message_;
};

}  // namespace tessaly
