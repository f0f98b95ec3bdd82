// A small JSON writer for tessaly-cli: objects and arrays written in order,
// strings escaped (UTF-8 kept as it is, control characters as \uXXXX).
//
// Every document tessaly-cli prints is one object whose first key is
// "schema": the version of the JSON forms of docs/json.md, raised when a
// field changes its meaning or goes away (new fields do not raise it). The
// writer puts it in front of the first object it begins. What it writes is
// UTF-8, and the command prints it as it is (CommandContext::jsonOutput).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace tessaly::cli {

inline constexpr int kJsonSchema = 1;

// The help line of a command's --json option.
#define TESSALY_JSON_HELP                                                                             \
    "--json\tprint one JSON object instead, in UTF-8 whatever --encoding says (its fields: json.md, " \
    "installed with the documentation)"
#define TESSALY_JSON_HELP_ZH "--json\t改为输出一个 JSON 对象，总是 UTF-8，不论 --encoding（字段见随文档安装的 json.md）"

class JsonWriter {
public:
    // A writer for one piece of a document printed in parts (an element of
    // a long array written as it comes): its object gets no "schema".
    static JsonWriter Part() {
        JsonWriter w;
        w.part_ = true;
        return w;
    }

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view s);
    JsonWriter& Number(double v);
    JsonWriter& Integer(long long v);
    JsonWriter& Bool(bool v);
    JsonWriter& Null();
    // A value written elsewhere (by another JsonWriter that began with an
    // array), put in as it is.
    JsonWriter& Raw(std::string_view json);

    // An array of small integers (counts, scores, orders).
    template <class Container>
    JsonWriter& IntArray(const Container& c) {
        BeginArray();
        for (const auto& v : c) Integer(static_cast<long long>(v));
        return EndArray();
    }

    const std::string& str() const { return out_; }

private:
    void Separate();
    std::string out_;
    bool needComma_ = false;
    bool part_ = false;
};

std::string JsonEscape(std::string_view s);

}  // namespace tessaly::cli
