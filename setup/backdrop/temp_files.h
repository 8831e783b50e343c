#pragma once
// The three texts the windows need as files while setup runs: written at start-up into the
// temporary folder, deleted when the backdrop closes.
#include "core/payload_store.h"

#include <string>

namespace backdrop {

struct TempFile {
    const char* resName;
    const char* resType;
    const char* fileName;
};

inline constexpr TempFile kTempFiles[] = {
    {"FileTxt5", "txtname", "lmraSetup.log"}, // the payload manifest
    {"FileTxt7", "txtname", "lmraSetup.ini"}, // the setup configuration
    {"FileTxt4", "txtname", "SQXY.txt"},      // the licence agreement
};

// Looks up all three resources first, then writes each file whole, in order.
void WriteTempFiles(const core::PayloadStore& payload, const std::string& tempDir);
// Deletes whichever of the three files exist; failures are ignored.
void DeleteTempFiles(const std::string& tempDir);

} // namespace backdrop
