#pragma once
// The three texts setup needs as files while it runs: written at start-up into the temporary
// folder, read only while they still hold what setup wrote, deleted when the setup ends.
#include "core/payload_store.h"

#include <string>

namespace sys {

struct TempFile {
    const char* resName;
    const char* resType;
    const char* fileName;
};

inline constexpr TempFile kManifestFile{"FileTxt5", "txtname", "lmraSetup.log"};
inline constexpr TempFile kConfigFile{"FileTxt7", "txtname", "lmraSetup.ini"};
inline constexpr TempFile kAgreementFile{"FileTxt4", "txtname", "SQXY.txt"};

inline constexpr TempFile kTempFiles[] = {
    {"FileTxt5", "txtname", "lmraSetup.log"}, // the payload manifest
    {"FileTxt7", "txtname", "lmraSetup.ini"}, // the setup configuration
    {"FileTxt4", "txtname", "SQXY.txt"},      // the licence agreement
};

// The Windows folder followed by "\Temp\", created when missing.
std::string TempFolder();

// Looks up all three resources first, then writes each file whole, in order.
void WriteTempFiles(const core::PayloadStore& payload, const std::string& tempDir);
// Deletes whichever of the three files exist; failures are ignored.
void DeleteTempFiles(const std::string& tempDir);

// The temporary file of that name (the agreement), read whole. Raises "Cannot open file "%s". %s",
// or an error naming the file when it no longer holds what setup wrote from its resource: the
// folder is shared, and setup runs elevated.
std::string ReadTempFile(const core::PayloadStore& payload, const std::string& tempDir, const TempFile& file);

// A value of the setup configuration, read from its temporary file anew on every call; a missing or
// unreadable file reads as empty. Raises an error naming the file when it no longer holds what
// setup wrote: it decides which program is written and started, where, and the desktop link's
// name.
std::string ReadConfigValue(const core::PayloadStore& payload, const std::string& tempDir,
                            const std::string& section, const std::string& key);

} // namespace sys
