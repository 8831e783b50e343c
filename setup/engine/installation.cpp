#include "installation.h"

#include "core/gbk.h"
#include "core/manifest.h"
#include "core/packed_resource.h"
#include "core/setup_error.h"

#include <vector>

namespace install {
namespace {

constexpr size_t kWholeLabelLimit = 45;
constexpr size_t kKeptFolderBytes = 17;
constexpr int kFirstEntryBar = 5;

// Thrown at a message-handling point once the user has confirmed cancelling; it unwinds the
// sequence without touching anything more.
struct CancelledByUser {};

class Sequence {
  public:
    Sequence(const core::PayloadStore& payload, FileSystem& files, ProgressView& view,
             Registration& registration, const InstallSettings& settings, std::string* lockedReason)
        : payload_(payload), files_(files), view_(view), registration_(registration), settings_(settings),
          lockedReason_(lockedReason) {}

    Outcome Run() {
        try {
            return RunSteps();
        } catch (const CancelledByUser&) {
            return Outcome::Cancelled;
        }
    }

  private:
    Outcome RunSteps() {
        // 1. Start.
        HandleMessages();
        view_.SetBar(1);

        // 2. Main executable; a failed write means the application runs from this folder.
        const std::string_view exeBytes = payload_.GetChecked("FileExe", "exename");
        RequireInside(settings_.exeName, "[Run] FileName=" + settings_.exeName);
        try {
            view_.SetLabel(TargetLabel(settings_.setupDir, settings_.exeName));
            if (!EnsureSetupDir(settings_.setupDir)) return Outcome::Stopped;
            WritePayloadFile(settings_.setupDir + settings_.exeName, exeBytes);
            view_.SetBar(kFirstEntryBar);
            view_.Pause();
        } catch (const core::UnsafeTargetError&) {
            throw;
        } catch (const core::DamagedResourceError&) {
            throw;
        } catch (const std::exception& e) {
            if (lockedReason_) *lockedReason_ = e.what();
            return Outcome::ExecutableLocked;
        }

        // 3. Every line of the manifest, in order.
        const std::string manifestPath = settings_.tempDir + "lmraSetup.log";
        const std::string manifest = files_.ReadFile(manifestPath);
        RequireUnchanged(manifestPath, manifest, payload_.GetUnpacked("FileTxt5", "txtname"));
        const std::vector<std::string> lines = core::ReadManifestLines(manifest);
        HandleMessages();
        for (size_t index = 0; index < lines.size(); ++index) {
            const core::ManifestEntry entry = core::ParseManifestLine(lines[index]);
            RequireInside(entry.RelPath, lines[index]);
            if (EnsureSubDir(core::FolderPart(entry.RelPath)))
                ExtractPayloadFile(entry.ResName, entry.ResType, entry.RelPath, static_cast<int>(index));
        }

        // 4. Uninstaller.
        view_.SetLabel("创建反安装程序...");
        registration_.RunUninstallStep();

        // 5. Desktop shortcut.
        view_.SetBar(87);
        view_.Pause();
        HandleMessages();
        view_.SetLabel("创建桌面快捷方式");
        registration_.CreateDesktopLink();

        // 6. Program group.
        view_.SetBar(90);
        view_.Pause();
        view_.SetLabel("创建程序群组...");
        registration_.CreateProgramGroup();

        // 7. Registry.
        view_.SetBar(95);
        view_.Pause();
        view_.SetLabel("写入注册信息");
        HandleMessages();
        registration_.WriteRegistryEntries(".Vlq", "Software\\VLMRA", settings_.wizardCaption,
                                           settings_.setupDir + settings_.exeName, 0);

        // 8. Finish.
        view_.SetBar(100);
        view_.Pause();
        view_.SetLabel("");
        view_.HideLabel();
        HandleMessages();
        return Outcome::Finished;
    }

    // Nothing is written outside the installation folder.
    static void RequireInside(const std::string& relPath, const std::string& source) {
        if (const std::string problem = core::RelativePathProblem(relPath); !problem.empty())
            throw core::SetupError("The path of \"" + source + "\" " + problem +
                                   "; setup writes nothing outside the installation folder");
    }

    void HandleMessages() {
        if (!view_.HandleMessages()) throw CancelledByUser{};
    }

    // Makes the folder and every missing level above it. Only a level that had to be made and
    // could not be counts as failure; an empty path is an error.
    bool ForceDirectories(std::string dir) {
        if (dir.empty()) throw core::SetupError("Cannot create an unnamed folder");
        if (core::FindLastSeparator(dir, "\\") == dir.size() - 1) dir.pop_back();
        if (dir.size() < 3) return true;
        // Mostly only the last level is missing: making it at once spares looking at it and at the
        // level above; when it cannot be made, the levels are looked at one by one.
        if (files_.MakeFolder(dir) || files_.DirectoryExists(dir)) return true;
        const size_t parentEnd = core::FindLastSeparator(dir, "\\");
        if (parentEnd != std::string::npos && !ForceDirectories(dir.substr(0, parentEnd + 1))) return false;
        return files_.MakeFolder(dir);
    }

    bool ForceDirectoriesReported(const std::string& dir, const std::string& failureText) {
        bool made = false;
        try {
            made = ForceDirectories(dir);
        } catch (const core::UnsafeTargetError&) {
            throw; // a link on the way: named as such, never as a folder that could not be made
        } catch (const core::SetupError&) {
            made = false;
        }
        if (!made) view_.ShowFolderError(failureText, files_.FolderFailure());
        return made;
    }

    bool EnsureSetupDir(const std::string& dir) {
        if (files_.DirectoryExists(dir)) return true;
        view_.SetLabel("安装主程序文件");
        return ForceDirectoriesReported(dir, "创建主文件夹\\" + dir + " 失败");
    }

    bool EnsureSubDir(const std::string& relDir) {
        HandleMessages();
        // A folder found or made for an earlier line is not looked at again: a manifest may name the
        // same few folders for hundreds of files. One that could not be made is tried for each line.
        for (const std::string& confirmed : confirmedFolders_)
            if (confirmed == relDir) return true;
        const std::string dir = settings_.setupDir + relDir;
        if (!files_.DirectoryExists(dir)) {
            view_.SetLabel("创建文件夹\\" + relDir);
            if (!ForceDirectoriesReported(dir, "创建文件夹\\" + relDir + " 失败")) return false;
        }
        // Pushed as a temporary on purpose: the copying overload would add its own growth routine
        // (~370 bytes) to a program that stays under a size limit.
        confirmedFolders_.push_back(std::string(relDir));
        return true;
    }

    void ExtractPayloadFile(const std::string& resName, const std::string& resType,
                            const std::string& relPath, int index) {
        view_.SetLabel(TargetLabel(settings_.setupDir, relPath));
        HandleMessages();
        WritePayloadFile(settings_.setupDir + relPath, payload_.GetChecked(resName, resType));
        view_.SetBar(index + kFirstEntryBar);
        view_.Pause();
    }

    void WritePayloadFile(const std::string& path, std::string_view resource) {
        WritePayloadResource(files_, path, resource, unpackBuffer_);
    }

    const core::PayloadStore& payload_;
    FileSystem& files_;
    ProgressView& view_;
    Registration& registration_;
    const InstallSettings& settings_;
    std::string* lockedReason_;
    std::vector<std::string> confirmedFolders_; // relative to the installation folder
    std::string unpackBuffer_ = std::string(core::kUnpackBufferSize, '\0');
};

} // namespace

std::string TargetLabel(const std::string& setupDir, const std::string& relPath) {
    const std::string whole = setupDir + relPath;
    if (whole.size() <= kWholeLabelLimit) return whole;
    return setupDir.substr(0, kKeptFolderBytes) + "...\\" + relPath;
}

void RequireUnchanged(const std::string& path, std::string_view onDisk, std::string_view written) {
    if (onDisk != written)
        throw core::SetupError("The temporary file \"" + path +
                               "\" has been changed since setup wrote it; setup does not use it");
}

void WritePayloadResource(FileSystem& files, const std::string& path, std::string_view resource,
                          std::string& buffer) {
    try {
        files.WriteFile(
            path, [&](const FileSystem::ByteSink& sink) { core::UnpackResource(resource, buffer, sink); });
    } catch (const core::DamagedResourceError& e) {
        throw core::DamagedResourceError("The setup program is damaged: \"" + path +
                                         "\" cannot be unpacked from it (" + e.what() +
                                         "); setup must be downloaded again");
    }
}

Outcome RunInstallation(const core::PayloadStore& payload, FileSystem& files, ProgressView& view,
                        Registration& registration, const InstallSettings& settings,
                        std::string* lockedReason) {
    return Sequence(payload, files, view, registration, settings, lockedReason).Run();
}

} // namespace install
