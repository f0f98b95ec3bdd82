// A small JSON writer for tessaly-cli: objects and arrays written in order,
// strings escaped (UTF-8 kept as it is, control characters as \uXXXX).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace tessaly::cli {

class JsonWriter {
public:
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
};

std::string JsonEscape(std::string_view s);

}  // namespace tessaly::cli
