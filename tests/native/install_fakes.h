#pragma once
// Fakes of the installation's surroundings: a payload in memory, a file system in memory, and a
// progress view and registration that record what the sequence does, in order, as text.
#include "core/gbk.h"
#include "core/payload_index.h"
#include "core/setup_error.h"
#include "engine/installation.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fakes {

class Payload : public core::PayloadStore {
  public:
    // The resource, with its entry in the payload's index as the builder records it.
    void Add(const std::string& name, const std::string& type, const std::string& bytes) {
        resources[Key(name, type)] = bytes;
        core::PayloadIndexEntry entry = core::IndexEntryFor(name, type, bytes);
        const auto same = std::find_if(index.begin(), index.end(), [&](const core::PayloadIndexEntry& e) {
            return e.name == entry.name && e.type == entry.type;
        });
        if (same != index.end())
            *same = std::move(entry);
        else
            index.push_back(std::move(entry));
        resources[Key(core::kPayloadIndexName, core::kPayloadIndexType)] = core::EncodePayloadIndex(index);
        ForgetIndex();
    }
    // The resource's bytes changed after the builder recorded them, as in a damaged download.
    void Damage(const std::string& name, const std::string& type, const std::string& bytes) {
        resources[Key(name, type)] = bytes;
    }
    std::optional<std::string_view> Find(std::string_view name, std::string_view type) const override {
        auto it = resources.find(Key(std::string(name), std::string(type)));
        if (it == resources.end()) return std::nullopt;
        return std::string_view(it->second);
    }

  private:
    static std::string Key(std::string name, const std::string& type) {
        name += '|';
        name += type;
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return name;
    }
    std::map<std::string, std::string> resources;
    std::vector<core::PayloadIndexEntry> index;
};

// Folders are kept without a trailing backslash; every event also goes to a shared log.
class Files : public install::FileSystem {
  public:
    explicit Files(std::vector<std::string>& log) : log(log) {}

    bool DirectoryExists(const std::string& path) override {
        asked.push_back(path);
        return dirs.count(Strip(path)) > 0;
    }
    // As the system does: only a missing folder whose parent exists is made.
    bool MakeFolder(const std::string& path) override {
        const std::string dir = Strip(path);
        const size_t parentEnd = core::FindLastSeparator(dir, "\\");
        const bool parentExists =
            parentEnd == std::string::npos || parentEnd < 3 || dirs.count(dir.substr(0, parentEnd)) > 0;
        if (linkedDirs.count(dir))
            throw core::UnsafeTargetError("Cannot create file \"" + dir +
                                          "\". A level above is a junction or symbolic link.");
        if (failingDirs.count(dir)) folderFailure = "Access is denied.";
        if (failingDirs.count(dir) || dirs.count(dir) || !parentExists) return false;
        log.push_back("mkdir " + path);
        dirs.insert(dir);
        return true;
    }
    std::string FolderFailure() const override { return folderFailure; }
    using FileSystem::WriteFile;
    void WriteFile(const std::string& path, const Content& content) override {
        if (failingFiles.count(path) || dirs.count(Strip(path)))
            throw core::SetupError("Cannot create file \"" + path + "\". Access is denied.");
        if (linkedFiles.count(path))
            throw core::UnsafeTargetError("Cannot create file \"" + path +
                                          "\". It is a junction or symbolic link.");
        std::string bytes;
        try {
            content([&bytes](std::string_view piece) { bytes.append(piece); });
        } catch (...) {
            log.push_back("removed half-written " + path);
            throw;
        }
        log.push_back("write " + path);
        files[path] = std::move(bytes);
    }
    std::string ReadFile(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end())
            throw core::SetupError("Cannot open file \"" + path + "\". The file is missing.");
        return it->second;
    }

    std::set<std::string> dirs;
    std::set<std::string> failingDirs;
    std::set<std::string> linkedDirs; // below a link: refused as unsafe, never as a failed folder
    std::vector<std::string> asked;   // every folder looked up, in order
    std::set<std::string> failingFiles;
    std::string folderFailure;
    std::set<std::string> linkedFiles; // refused as links
    std::map<std::string, std::string> files;

  private:
    static std::string Strip(std::string path) {
        if (!path.empty() && core::FindLastSeparator(path, "\\") == path.size() - 1) path.pop_back();
        return path;
    }
    std::vector<std::string>& log;
};

class View : public install::ProgressView {
  public:
    explicit View(std::vector<std::string>& log) : log(log) {}

    void SetLabel(const std::string& text) override { log.push_back("label " + text); }
    void HideLabel() override { log.push_back("hide label"); }
    void SetBar(int position) override {
        log.push_back("bar " + std::to_string(position));
        bars.push_back(position);
    }
    void Pause() override { log.push_back("pause"); }
    bool HandleMessages() override {
        log.push_back("pump");
        return ++pumps != cancelAtPump;
    }
    void ShowFolderError(const std::string& message, const std::string& reason) override {
        log.push_back("error box " + message);
        folderErrorReason = reason;
    }
    std::string folderErrorReason; // the system's, for the log

    int cancelAtPump = 0; // the user confirms cancelling at this message-handling point (1-based)
    int pumps = 0;
    std::vector<int> bars;

  private:
    std::vector<std::string>& log;
};

class Registration : public install::Registration {
  public:
    explicit Registration(std::vector<std::string>& log) : log(log) {}

    void RunUninstallStep() override { Step("uninstall step"); }
    void CreateDesktopLink() override { Step("desktop link"); }
    void CreateProgramGroup() override { Step("program group"); }
    void WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                              const std::string& description, const std::string& exePath,
                              int iconIndex) override {
        Step("registry " + extension + " " + classKey + " " + description + " " + exePath + " " +
             std::to_string(iconIndex));
    }

    std::string failingStep;

  private:
    void Step(const std::string& what) {
        if (what.rfind(failingStep, 0) == 0 && !failingStep.empty())
            throw core::SetupError("Failed to set data for 'displayname'");
        log.push_back(what);
    }
    std::vector<std::string>& log;
};

} // namespace fakes
