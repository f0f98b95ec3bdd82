#include "cli/Json.h"

#include <cmath>
#include <cstdio>

namespace tessaly::cli {

std::string JsonEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::Separate() {
    if (needComma_) out_ += ',';
    needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
    const bool document = out_.empty() && !part_;
    Separate();
    out_ += '{';
    needComma_ = false;
    if (document) Key("schema").Integer(kJsonSchema);
    return *this;
}
JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::BeginArray() {
    Separate();
    out_ += '[';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonEscape(key);
    out_ += ':';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::String(std::string_view s) {
    Separate();
    out_ += JsonEscape(s);
    return *this;
}
JsonWriter& JsonWriter::Number(double v) {
    Separate();
    if (!std::isfinite(v)) {
        out_ += "null";
        return *this;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    out_ += buf;
    return *this;
}
JsonWriter& JsonWriter::Integer(long long v) {
    Separate();
    out_ += std::to_string(v);
    return *this;
}
JsonWriter& JsonWriter::Bool(bool v) {
    Separate();
    out_ += v ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}
JsonWriter& JsonWriter::Raw(std::string_view json) {
    Separate();
    out_ += json;
    return *this;
}

}  // namespace tessaly::cli
