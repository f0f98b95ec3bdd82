// ChineseScript — Simplified Chinese shown in Traditional characters, for
// readers in Taiwan, Hong Kong and Macau, through OpenCC (Debian's
// libopencc1.1 with its data in libopencc-data).
//
// Taiwan takes OpenCC's configuration s2twp (Traditional characters with
// Taiwan's standard forms and phrases: 软件 → 軟體), Hong Kong and Macau take
// s2hk (Hong Kong's standard forms). The Simplified texts stay the program's
// own; conversion is for display and for files saved from the display.
//
// A report converted keeps its columns: every line is as many columns wide
// as before (TextCodec's width rule). Text is converted word by word between
// spaces; where a phrase would change the width of its word (a Taiwan phrase
// may be longer or shorter than the Simplified one: U盘 → 隨身碟), that word
// is converted character by character instead, and a character whose
// Traditional form would change the width stays as it is. The Traditional characters are all wide, so each still takes two
// columns, also where GBK cannot hold it.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "common/Status.h"
#include "common/StyledText.h"
#include "lang/Language.h"

namespace tessaly {

class TraditionalConverter {
public:
    // The converter of a Traditional language (kTraditionalTaiwan: s2twp,
    // kTraditionalHongKong: s2hk); for the others, a converter that returns
    // every text unchanged. Opened once per language and kept: loading
    // OpenCC's dictionaries takes a few milliseconds. Safe to use from
    // several threads.
    static const TraditionalConverter& For(UiLanguage language);

    // Whether OpenCC and its configuration were found; when not, every
    // conversion returns its text unchanged and error() says why.
    bool ok() const { return status_.ok(); }
    const Status& status() const { return status_; }
    // The OpenCC configuration file ("s2twp.json"); empty for no conversion.
    const std::string& configuration() const { return config_; }

    // The text converted as OpenCC does it, phrases included, except for
    // the terms of art of data/traditional_terms.tsv, which keep their fixed
    // forms (丑 stays 丑, 藏干 stays 藏干, 相冲 is 相沖); its length and
    // columns may change. Invalid UTF-8 is returned unchanged.
    std::string Convert(std::string_view utf8) const;

    // The text converted so that every line keeps its columns (above).
    std::string ConvertKeepingColumns(std::string_view utf8) const;

    // The report converted for display: text as ConvertKeepingColumns, cut
    // at every line end and at the edges of every style run so that the runs
    // still cover the same characters; fonts, sizes and colours unchanged.
    StyledReport ConvertReport(const StyledReport& report) const;

    ~TraditionalConverter();
    TraditionalConverter(const TraditionalConverter&) = delete;
    TraditionalConverter& operator=(const TraditionalConverter&) = delete;

    // A converter of an OpenCC configuration by name ("s2t.json"); for tests
    // and tools. An empty name gives the converter that changes nothing.
    explicit TraditionalConverter(std::string configuration);

private:
    // One piece of a line (no line end), its columns kept.
    std::string ConvertPiece(std::string_view piece) const;
    // One word (no spaces), its columns kept.
    std::string ConvertWord(std::string_view word) const;
    // OpenCC alone.
    std::string OpenCc(std::string_view utf8) const;

    std::string config_;
    Status status_;
    void* handle_ = nullptr;    // opencc_t
    mutable std::mutex mutex_;  // one conversion at a time on the handle
};

// Convenience: the text for `language`, its columns kept (unchanged for
// Simplified Chinese and English).
std::string ToScript(UiLanguage language, std::string_view utf8);

}  // namespace tessaly
