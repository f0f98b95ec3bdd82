// A small JSON reader for the command-line tests: enough of JSON to walk
// what tessaly-cli prints (objects, arrays, strings with \" \\ \/ \uXXXX
// below U+0800 and the usual escapes, numbers, true, false, null).
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Internal to each test file that reads JSON this loosely (json_test_util.h
// holds the strict parser of the contract tests under the same names in
// testing_cli; this one has a namespace of its own, so that both may meet in
// one unity-build source).
namespace tessaly::testing_cli::loose_json {
namespace {

struct JsonValue {
    enum class Type { kNull, kBool, kNumber, kString, kArray, kObject } type = Type::kNull;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<JsonValue> array;
    std::map<std::string, JsonValue> object;

    bool IsNull() const { return type == Type::kNull; }
    // The member `key` of an object; a null value when there is none.
    const JsonValue& operator[](const std::string& key) const {
        static const JsonValue kNull;
        const auto it = object.find(key);
        return it == object.end() ? kNull : it->second;
    }
    const JsonValue& operator[](std::size_t i) const { return array.at(i); }
};

class JsonReader {
public:
    // The value of the whole text; *ok false when it is not JSON.
    static JsonValue Parse(std::string_view text, bool* ok) {
        JsonReader r(text);
        JsonValue v = r.Value();
        r.Space();
        *ok = r.ok_ && r.pos_ == text.size();
        return v;
    }

private:
    explicit JsonReader(std::string_view t) : t_(t) {}

    void Space() {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\n' || t_[pos_] == '\r' || t_[pos_] == '\t')) {
            ++pos_;
        }
    }
    bool Eat(char c) {
        Space();
        if (pos_ < t_.size() && t_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        if (t_.substr(pos_, w.size()) != w) return false;
        pos_ += w.size();
        return true;
    }
    std::string String() {
        std::string s;
        if (!Eat('"')) return Fail(), s;
        while (pos_ < t_.size() && t_[pos_] != '"') {
            char c = t_[pos_++];
            if (c != '\\') {
                s += c;
                continue;
            }
            if (pos_ >= t_.size()) return Fail(), s;
            c = t_[pos_++];
            switch (c) {
                case 'n': s += '\n'; break;
                case 'r': s += '\r'; break;
                case 't': s += '\t'; break;
                case 'b': s += '\b'; break;
                case 'f': s += '\f'; break;
                case 'u': {
                    const unsigned code =
                        static_cast<unsigned>(std::strtoul(std::string(t_.substr(pos_, 4)).c_str(), nullptr, 16));
                    pos_ += 4;
                    if (code < 0x80) {
                        s += static_cast<char>(code);
                    } else {
                        s += static_cast<char>(0xC0 | (code >> 6));
                        s += static_cast<char>(0x80 | (code & 0x3F));
                    }
                    break;
                }
                default: s += c; break;
            }
        }
        if (!Eat('"')) Fail();
        return s;
    }
    JsonValue Value() {
        JsonValue v;
        Space();
        if (pos_ >= t_.size()) return Fail(), v;
        const char c = t_[pos_];
        if (c == '{') {
            v.type = JsonValue::Type::kObject;
            ++pos_;
            if (Eat('}')) return v;
            do {
                const std::string key = String();
                if (!Eat(':')) return Fail(), v;
                v.object[key] = Value();
            } while (ok_ && Eat(','));
            if (!Eat('}')) Fail();
        } else if (c == '[') {
            v.type = JsonValue::Type::kArray;
            ++pos_;
            if (Eat(']')) return v;
            do {
                v.array.push_back(Value());
            } while (ok_ && Eat(','));
            if (!Eat(']')) Fail();
        } else if (c == '"') {
            v.type = JsonValue::Type::kString;
            v.string = String();
        } else if (Word("true")) {
            v.type = JsonValue::Type::kBool;
            v.boolean = true;
        } else if (Word("false")) {
            v.type = JsonValue::Type::kBool;
        } else if (Word("null")) {
            v.type = JsonValue::Type::kNull;
        } else {
            const std::string rest(t_.substr(pos_, 32));
            char* end = nullptr;
            v.type = JsonValue::Type::kNumber;
            v.number = std::strtod(rest.c_str(), &end);
            if (end == rest.c_str()) return Fail(), v;
            pos_ += static_cast<std::size_t>(end - rest.c_str());
        }
        return v;
    }
    void Fail() { ok_ = false; }

    std::string_view t_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace
}  // namespace tessaly::testing_cli::loose_json
