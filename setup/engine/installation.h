#pragma once
// The installation sequence: the main executable, every manifest file, then the uninstaller,
// shortcut, program group and registry steps, over small interfaces so that it runs the same
// against the real system and against the fakes of the tests.
#include "core/payload_store.h"

#include <functional>
#include <string>
#include <string_view>

namespace install {

// The file system the installation writes to. Paths are GBK.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Makes one folder level; false when it could not be made.
    virtual bool MakeFolder(const std::string& path) = 0;
    // Why the last folder that could not be made was not, in the system's words (empty: unknown).
    virtual std::string FolderFailure() const { return {}; }
    // What a file is written from: it hands the bytes to the sink it is given, piece by piece.
    using ByteSink = std::function<void(std::string_view)>;
    using Content = std::function<void(const ByteSink&)>;
    // Creates or replaces the file with the bytes the content hands over. Raises "Cannot create
    // file "%s". %s" or "Stream write error"; when the content itself raises an error, the file it
    // left half-written is removed and the error passes on.
    virtual void WriteFile(const std::string& path, const Content& content) = 0;
    void WriteFile(const std::string& path, std::string_view bytes) {
        WriteFile(path, [bytes](const ByteSink& sink) { sink(bytes); });
    }
    // Raises "Cannot open file "%s". %s".
    virtual std::string ReadFile(const std::string& path) = 0;
};

// The progress window as the sequence sees it.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void SetLabel(const std::string& text) = 0;
    virtual void HideLabel() = 0;
    virtual void SetBar(int position) = 0;
    // The pause after each file and step that lets the user follow the display.
    virtual void Pause() = 0;
    // Handles the pending window messages; false once the user has confirmed cancelling, after
    // which the sequence touches nothing more.
    virtual bool HandleMessages() = 0;
    // The error box for a folder that could not be made; `reason` is the system's, for the log.
    virtual void ShowFolderError(const std::string& message, const std::string& reason) = 0;
};

// The steps after the payload: uninstall entry and uninstaller, desktop shortcut, program group,
// registry entries.
class Registration {
  public:
    virtual ~Registration() = default;
    virtual void RunUninstallStep() = 0;
    virtual void CreateDesktopLink() = 0;
    virtual void CreateProgramGroup() = 0;
    virtual void WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                                      const std::string& description, const std::string& exePath,
                                      int iconIndex) = 0;
};

// Everything the installation and its later steps need besides the payload, decided before it
// starts.
struct InstallSettings {
    std::string setupDir;        // the installation folder, ending in a backslash
    std::string tempDir;         // the temporary folder, ending in a backslash
    std::string exeName;         // [Run] FileName
    std::string wizardCaption;   // the program group's name and the description of the document type
    std::string desktopLinkName; // [Form] desKtopLink: the link's file name on the desktop
    bool saveDesktopLink = true; // the user's choice on the folder page
    // How the program group is made: through the Program Manager, whose shell opens a window of the
    // group (interactive); as link files, which show nothing (unattended); or not at all (/NOICONS).
    enum class ProgramGroup { ThroughProgramManager, AsLinkFiles, None };
    ProgramGroup programGroup = ProgramGroup::ThroughProgramManager;
    std::string serial;  // [Form] Serial: the version serial of the configuration
    std::string version; // [Form] Version
};

enum class Outcome {
    Finished,         // every step ran: the hand-over to the wizard follows
    Stopped,          // the installation folder could not be made; its box has been shown
    ExecutableLocked, // the main executable could not be written: the program must end
    Cancelled,        // the user confirmed cancelling at a message-handling point
};

// Where the installation's own label texts come from: the label rule for a target path.
std::string TargetLabel(const std::string& setupDir, const std::string& relPath);

// A temporary file must still hold exactly what setup wrote to it from its resource: the folder is
// shared, and setup runs elevated. Raises an error naming the file when it does not.
void RequireUnchanged(const std::string& path, std::string_view onDisk, std::string_view written);

// Writes a payload resource's original bytes to `path`, unpacked through `buffer` as they are
// written. A damaged resource raises core::DamagedResourceError naming the file.
void WritePayloadResource(FileSystem& files, const std::string& path, std::string_view resource,
                          std::string& buffer);

// Runs the whole sequence once. An error that ends it (a missing resource, a file that cannot be
// written or read, an error of a later step) leaves as a SetupError for the standard error box.
// When the main executable could not be written, `lockedReason` (where given) receives why.
Outcome RunInstallation(const core::PayloadStore& payload, FileSystem& files, ProgressView& view,
                        Registration& registration, const InstallSettings& settings,
                        std::string* lockedReason = nullptr);

} // namespace install
