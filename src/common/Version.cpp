#include "common/Version.h"

#ifndef TESSALY_VERSION
#error "the build defines TESSALY_VERSION"
#endif

namespace tessaly {

std::string_view ProgramVersion() { return TESSALY_VERSION; }

}  // namespace tessaly
