// The configuration reader and writer on arbitrary text: no crash, values within their limit, and
// a written value reads back.
#include "core/profile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"Caption", "Serial", "FileName", "Reset"})
        if (core::ProfileString(text, "Form", key).size() > core::kProfileValueLimit) std::abort();
    const std::string written = core::ProfileWithValue(text, "Option", "Reset", "88");
    if (text.find('\0') == std::string::npos && text.find('[') == std::string::npos &&
        core::ProfileString(written, "Option", "Reset") != "88")
        std::abort();
    return 0;
}
