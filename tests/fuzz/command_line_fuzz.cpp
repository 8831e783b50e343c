// The command line on arbitrary input, and the log line it becomes: what the parser accepts keeps
// its promises (an absolute /DIR, no /RUN with /NORUN, no quote left in a value: an empty /LOG
// asks for the temporary folder's log), and every logged line carries its stamp and ends in CR LF with no other line end inside.
#include "core/command_line.h"
#include "core/install_location.h"
#include "core/log_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string line = "VlmraSetup.exe " + std::string(reinterpret_cast<const char*>(data), size);
    const core::ParsedCommandLine parsed = core::ParseCommandLine(line);
    const core::SetupOptions& o = parsed.options;
    if (parsed.error.empty()) {
        if (o.installDir && (!core::InstallFolderProblem(*o.installDir).empty() ||
                             o.installDir->find('"') != std::string::npos))
            std::abort();
        if (o.logFile && o.logFile->find('"') != std::string::npos) std::abort();
        if (o.run && o.noRun) std::abort();
    }
    if (!parsed.hasArguments && (!parsed.error.empty() || o.mode != core::SetupMode::Interactive))
        std::abort();

    const std::string stamp = "2026-12-11 05:52:29.123  ";
    const std::string logged = core::LogLines({2026, 12, 11, 5, 52, 29, 123}, line);
    for (size_t start = 0; start < logged.size();) {
        const size_t end = logged.find("\r\n", start);
        if (end == std::string::npos || logged.compare(start, stamp.size(), stamp) != 0) std::abort();
        if (logged.substr(start, end - start).find_first_of("\r\n") != std::string::npos) std::abort();
        start = end + 2;
    }
    return 0;
}
