// The program's version, as the build gives it (the project version, "2.0").
#pragma once

#include <string_view>

namespace tessaly {

std::string_view ProgramVersion();

}  // namespace tessaly
