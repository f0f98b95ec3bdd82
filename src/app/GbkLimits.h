// Limits in GBK bytes for text controls. The files the program shares with
// the Windows program count texts in GBK bytes (a Chinese character is two),
// while Qt's maxLength counts UTF-16 units; these helpers count bytes, never
// split a character and accept only what GBK can hold.
#pragma once

#include <QString>
#include <QValidator>
#include <cstddef>
#include <string>

class QPlainTextEdit;

namespace tessaly {

// Accepts a line of at most `maxBytes` GBK bytes that GBK can hold.
class GbkLengthValidator : public QValidator {
public:
    GbkLengthValidator(std::size_t maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    std::size_t max_;
};

// The text of a multi-line edit as stored: UTF-8 with CR LF line ends.
std::string MemoText(const QPlainTextEdit* memo);
// Puts a stored text (any line ends) into a multi-line edit.
void SetMemoText(QPlainTextEdit* memo, const std::string& text);

// Keeps a multi-line edit within `maxBytes` GBK bytes, each line break
// counted as CR LF: what is typed or pasted beyond the limit is cut off
// where it was inserted, and characters GBK cannot hold are dropped.
void LimitMemoBytes(QPlainTextEdit* memo, std::size_t maxBytes);

}  // namespace tessaly
