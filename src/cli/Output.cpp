#include "cli/Output.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace tessaly::cli {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

OutputBuffer::OutputBuffer(int fd) : fd_(fd), interactive_(::isatty(fd) == 1) { pending_.reserve(kBufferSize); }

OutputBuffer::~OutputBuffer() { Drain(); }

void OutputBuffer::Put(char c) {
    anything_ = true;
    switch (ends_) {
        case LineEnds::kAsWritten: pending_ += c; break;
        case LineEnds::kLf:
            if (heldCr_) {
                heldCr_ = false;
                if (c != '\n') pending_ += '\r';  // a CR alone is not a line end: kept
            }
            if (c == '\r') heldCr_ = true;
            else pending_ += c;
            break;
        case LineEnds::kCrlf:
            if (c == '\n' && last_ != '\r') pending_ += '\r';
            pending_ += c;
            break;
    }
    if (c == '\n') lastEndCrlf_ = last_ == '\r';
    last_ = c;
}

bool OutputBuffer::Drain() {
    std::size_t done = 0;
    while (error_ == 0 && done < pending_.size()) {
        const ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    // After a failed write the rest is dropped: the run goes on to its end
    // and reports the failure once.
    pending_.clear();
    return error_ == 0;
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Put(traits_type::to_char_type(c));
    if (interactive_ || pending_.size() >= kBufferSize) Drain();
    return c;
}

std::streamsize OutputBuffer::xsputn(const char* s, std::streamsize n) {
    if (ends_ == LineEnds::kAsWritten && n > 0) {
        // The bytes as they are (a report is some 10 KB): only the last line
        // end and the last byte are noted, as Put would note them.
        const std::string_view block(s, static_cast<std::size_t>(n));
        pending_.append(block);
        anything_ = true;
        if (const std::size_t lf = block.rfind('\n'); lf != std::string_view::npos) {
            lastEndCrlf_ = (lf > 0 ? block[lf - 1] : last_) == '\r';
        }
        last_ = block.back();
    } else {
        for (std::streamsize i = 0; i < n; ++i) Put(s[i]);
    }
    if (interactive_ || pending_.size() >= kBufferSize) Drain();
    return n;
}

int OutputBuffer::sync() { return Drain() ? 0 : -1; }

bool OutputBuffer::Finish() {
    if (anything_ && last_ != '\n') {
        const bool crlf = ends_ == LineEnds::kCrlf || (ends_ == LineEnds::kAsWritten && lastEndCrlf_);
        if (ends_ == LineEnds::kLf) heldCr_ = false;  // a text ending in CR: its CR and the LF make one line end
        if (crlf && last_ != '\r') Put('\r');
        Put('\n');
    } else if (heldCr_) {
        heldCr_ = false;
        pending_ += '\r';
    }
    return Drain();
}

}  // namespace tessaly::cli
