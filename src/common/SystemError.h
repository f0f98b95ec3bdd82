// SystemError — the reason a file operation failed, in the words the user
// reads (Chinese), for the causes a user can act on; other causes keep the
// system's own text after their number.
#pragma once

#include <string>
#include <system_error>

namespace tessaly {

// The text of an errno value (ENOENT, EACCES, ENOSPC, …).
std::string SystemErrorText(int errnoValue);
// The text of an error code from std::filesystem.
std::string SystemErrorText(const std::error_code& ec);

}  // namespace tessaly
