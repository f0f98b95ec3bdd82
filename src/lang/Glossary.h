// Glossary — the terms of art of the report and the window in Chinese, with
// their pinyin and English: the Heavenly Stems and Earthly Branches, pillars,
// Ten Gods, growth stages, symbolic stars, strength judgements, patterns,
// the Useful God's roles, the parts of the compatibility index and the
// calendar's terms.
//
// The terms are data, data/glossary.tsv, compiled into the program. Its
// lines are
//   group <TAB> Chinese <TAB> pinyin <TAB> English [<TAB> note]
// where group is the English title of the term's section (the glossary page
// lists the sections in the order they first appear), the Chinese is written
// as the report writes it (Simplified), and the note, when there is one, says
// in a sentence what the term means here. Blank lines and lines starting with
// '#' are skipped. Each Chinese term appears once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/Status.h"

namespace tessaly {

struct GlossaryTerm {
    std::string group;
    std::string chinese;
    std::string pinyin;
    std::string english;
    std::string note;
};

// A term found in a text: bytes [start, start + length) of the UTF-8 text.
struct TermMatch {
    std::size_t start = 0;
    std::size_t length = 0;
    const GlossaryTerm* term = nullptr;
};

class Glossary {
public:
    // The glossary compiled into the program.
    static const Glossary& Builtin();

    // Reads glossary lines (above); an error names the line.
    static Status Parse(std::string_view tsv, Glossary* glossary);

    const std::vector<GlossaryTerm>& Terms() const { return terms_; }
    // The section titles in the order they first appear.
    std::vector<std::string> Groups() const;
    // The term written exactly so, or nullptr.
    const GlossaryTerm* Find(std::string_view chinese) const;

    // The terms of the text, read from left to right, at each place the
    // longest term that starts there ("正官格" before "正官" before "官").
    // A term of one character (a stem, a branch, an element, the one-letter
    // Ten Gods of the chart table) counts only where it stands apart from the
    // words of a sentence: each of its neighbours is no Han character or is
    // itself part of a term that counts ("庚午", "喜用水，金", "食比"), so the
    // 气 of "脾气" is no term.
    std::vector<TermMatch> TermsIn(std::string_view text) const;
    // The term of TermsIn (read over the line that holds byte `at`) that
    // covers byte `at`: what a reader points at. Nothing between terms.
    std::optional<TermMatch> TermAt(std::string_view text, std::size_t at) const;

private:
    std::vector<GlossaryTerm> terms_;
    std::unordered_map<std::string, std::size_t> index_;  // Chinese → its term
    std::size_t longestChars_ = 0;
};

// One line for a tooltip: "用神 yòngshén — Useful God", and the note on a
// second line when there is one.
std::string TermTooltip(const GlossaryTerm& term);

// The English glossary page (data/dat/help/en/glossary.html): every term by
// section, in a table of Chinese, pinyin, English and note.
std::string GlossaryPageHtml(const Glossary& glossary);

}  // namespace tessaly
