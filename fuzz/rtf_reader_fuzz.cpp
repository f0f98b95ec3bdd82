// Feeds arbitrary bytes to the RTF reader; whatever it accepts must write
// back and read again to the same text and styles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/ReportFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    StyledReport report;
    if (!ReadRtf(bytes, &report).ok()) return 0;
    std::string rtf;
    if (!WriteRtf(report, &rtf).ok()) return 0;  // e.g. a font name GBK cannot hold
    StyledReport again;
    if (!ReadRtf(rtf, &again).ok()) std::abort();
    if (again.text != report.text) std::abort();
    return 0;
}
