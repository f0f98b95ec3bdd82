// QtText — the one bridge from the core's UTF-8 text to Qt's strings.
#pragma once

#include <QString>

#include <string_view>

namespace tessaly {

// The core's text (UTF-8) as a QString.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tessaly
