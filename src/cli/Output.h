// Standard output of tessaly-cli: one buffer that every printed byte passes
// through. It writes to the file descriptor itself, so that a failed write
// (a full disk, a pipe closed while SIGPIPE is ignored) is noticed and its
// reason kept; it ends the output with a line end when the text printed
// does not end with one; and it can give every line the same line end.
#pragma once

#include <streambuf>
#include <string>

namespace tessaly::cli {

enum class LineEnds {
    kAsWritten,  // the texts' own line ends (a report's CR LF stays CR LF)
    kLf,         // every CR LF becomes LF
    kCrlf,       // every LF alone becomes CR LF
};

class OutputBuffer : public std::streambuf {
public:
    explicit OutputBuffer(int fd);
    ~OutputBuffer() override;
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Chosen before anything is printed.
    void SetLineEnds(LineEnds ends) { ends_ = ends; }

    // Ends the output with a line end when text follows its last one (the
    // convention of the last line end printed: CR LF after a CR LF, else LF,
    // or the chosen one) and writes out what is buffered. Returns false when
    // any write failed; error() then holds its errno.
    bool Finish();
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void Put(char c);
    bool Drain();

    int fd_;
    bool interactive_;  // a terminal: written out at every call
    LineEnds ends_ = LineEnds::kAsWritten;
    std::string pending_;       // converted, not yet written
    bool heldCr_ = false;       // kLf: a CR waiting for what follows
    char last_ = '\n';          // the last byte given (before conversion); '\n' while empty
    bool anything_ = false;     // a byte was given
    bool lastEndCrlf_ = false;  // the last line end given was CR LF
    int error_ = 0;             // errno of the first failed write
};

}  // namespace tessaly::cli
