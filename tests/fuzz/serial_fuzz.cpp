// The version comparison on arbitrary serials: only its own errors, and a configured serial that it
// accepts compares equal to itself read as the installed one.
#include "core/earlier_installation.h"
#include "core/setup_error.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t split = text.find('\n');
    const std::string configured = text.substr(0, split);
    const std::string installed = split == std::string::npos ? configured : text.substr(split + 1);
    for (const char separator : {'.', ','}) {
        try {
            (void)core::CompareSerials(configured, installed, separator);
        } catch (const core::SetupError&) {
        }
        try {
            if (core::CompareSerials(configured, configured, separator) != core::SerialOrder::Equal)
                std::abort();
        } catch (const core::SetupError&) {
        }
    }
    return 0;
}
