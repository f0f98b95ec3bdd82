// Reads what tessaly-cli prints as JSON: a strict parser (RFC 8259) that
// keeps a document as values, and the field paths of a document in the
// notation of docs/json.md ("persons[].stems[].god").
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::testing_cli {

struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = Kind::kNull;
    bool boolean = false;
    double number = 0;
    std::string text;                                       // a string's value
    std::vector<JsonValue> items;                           // an array's
    std::vector<std::pair<std::string, JsonValue>> fields;  // an object's, in order

    const JsonValue* Field(std::string_view key) const {
        for (const auto& [k, v] : fields) {
            if (k == key) return &v;
        }
        return nullptr;
    }
};

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : s_(text) {}

    // The one value of the text (blanks around it allowed); false with
    // error() set when the text is not exactly one JSON value.
    bool Parse(JsonValue* out) {
        Blanks();
        if (!Value(out, 0)) return false;
        Blanks();
        if (i_ != s_.size()) return Fail("text after the value");
        return true;
    }
    const std::string& error() const { return error_; }

private:
    bool Fail(const std::string& what) {
        if (error_.empty()) error_ = what + " at byte " + std::to_string(i_);
        return false;
    }
    void Blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
    }
    bool Literal(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return Fail("bad literal");
        i_ += word.size();
        return true;
    }
    bool Value(JsonValue* v, int depth) {
        if (depth > 64) return Fail("too deep");
        if (i_ >= s_.size()) return Fail("value expected");
        const char c = s_[i_];
        if (c == '{') return Object(v, depth);
        if (c == '[') return Array(v, depth);
        if (c == '"') {
            v->kind = JsonValue::Kind::kString;
            return String(&v->text);
        }
        if (c == 't' || c == 'f') {
            v->kind = JsonValue::Kind::kBool;
            v->boolean = c == 't';
            return Literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            v->kind = JsonValue::Kind::kNull;
            return Literal("null");
        }
        return Number(v);
    }
    bool Number(JsonValue* v) {
        const std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        const auto digits = [&] {
            const std::size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ - from;
        };
        const std::size_t intStart = i_;
        const std::size_t n = digits();
        if (n == 0 || (n > 1 && s_[intStart] == '0')) return Fail("bad number");
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (digits() == 0) return Fail("bad fraction");
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (digits() == 0) return Fail("bad exponent");
        }
        v->kind = JsonValue::Kind::kNumber;
        v->number = std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
        return true;
    }
    bool String(std::string* out) {
        ++i_;  // the opening quote
        while (i_ < s_.size() && s_[i_] != '"') {
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c < 0x20) return Fail("control character in a string");
            if (c != '\\') {
                *out += s_[i_++];
                continue;
            }
            if (++i_ >= s_.size()) break;
            const char e = s_[i_++];
            switch (e) {
                case '"': *out += '"'; break;
                case '\\': *out += '\\'; break;
                case '/': *out += '/'; break;
                case 'b': *out += '\b'; break;
                case 'f': *out += '\f'; break;
                case 'n': *out += '\n'; break;
                case 'r': *out += '\r'; break;
                case 't': *out += '\t'; break;
                case 'u': {
                    if (i_ + 4 > s_.size()) return Fail("short \\u escape");
                    const long code = std::strtol(std::string(s_.substr(i_, 4)).c_str(), nullptr, 16);
                    i_ += 4;
                    if (code < 0x80) *out += static_cast<char>(code);
                    else *out += "?";  // tessaly-cli escapes only control characters
                    break;
                }
                default: return Fail("bad escape");
            }
        }
        if (i_ >= s_.size()) return Fail("unterminated string");
        ++i_;
        return true;
    }
    bool Array(JsonValue* v, int depth) {
        v->kind = JsonValue::Kind::kArray;
        ++i_;
        Blanks();
        if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
        for (;;) {
            Blanks();
            v->items.emplace_back();
            if (!Value(&v->items.back(), depth + 1)) return false;
            Blanks();
            if (i_ < s_.size() && s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
            return Fail("',' or ']' expected");
        }
    }
    bool Object(JsonValue* v, int depth) {
        v->kind = JsonValue::Kind::kObject;
        ++i_;
        Blanks();
        if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
        for (;;) {
            Blanks();
            if (i_ >= s_.size() || s_[i_] != '"') return Fail("key expected");
            std::string key;
            if (!String(&key)) return false;
            if (v->Field(key) != nullptr) return Fail("key '" + key + "' twice");
            Blanks();
            if (i_ >= s_.size() || s_[i_] != ':') return Fail("':' expected");
            ++i_;
            Blanks();
            v->fields.emplace_back(key, JsonValue{});
            if (!Value(&v->fields.back().second, depth + 1)) return false;
            Blanks();
            if (i_ < s_.size() && s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
            return Fail("',' or '}' expected");
        }
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::string error_;
};

// Every field path of v: object keys joined by ".", "[]" for each array
// level passed through ("terms[].name", "persons[].star_hits").
inline void CollectJsonPaths(const JsonValue& v, const std::string& prefix, std::set<std::string>* paths) {
    if (v.kind == JsonValue::Kind::kObject) {
        for (const auto& [key, value] : v.fields) {
            const std::string path = prefix.empty() ? key : prefix + "." + key;
            paths->insert(path);
            CollectJsonPaths(value, path, paths);
        }
    } else if (v.kind == JsonValue::Kind::kArray) {
        for (const JsonValue& item : v.items) CollectJsonPaths(item, prefix + "[]", paths);
    }
}

}  // namespace tessaly::testing_cli
