#include "core/log_line.h"
#include "core/packed_resource.h"
#include "engine/installation_log.h"
#include "install_fakes.h"

#include <gtest/gtest.h>

namespace {

TEST(LogLines, EachLineOfATextIsStampedAndEndsInCrLf) {
    const core::LogTime time{2026, 1, 2, 3, 4, 5, 6};
    const struct {
        const char* text;
        const char* lines;
    } cases[] = {
        {"File written", "2026-01-02 03:04:05.006  File written\r\n"},
        {"", "2026-01-02 03:04:05.006  \r\n"},
        {"a\r\nb\rc\nd", "2026-01-02 03:04:05.006  a\r\n2026-01-02 03:04:05.006  b\r\n"
                         "2026-01-02 03:04:05.006  c\r\n2026-01-02 03:04:05.006  d\r\n"},
        {"ends in a line end\r\n", "2026-01-02 03:04:05.006  ends in a line end\r\n"},
        // A GBK character whose second byte is a backslash stays whole.
        {"C:\\\x81\x5c\\x", "2026-01-02 03:04:05.006  C:\\\x81\x5c\\x\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::LogLines(time, c.text), c.lines) << c.text;
    EXPECT_EQ(core::LogLines({987, 12, 31, 23, 59, 59, 999}, "x"), "0987-12-31 23:59:59.999  x\r\n");
}

TEST(LogLines, DefaultFileNameAndUtcOffset) {
    EXPECT_EQ(core::DefaultLogFileName({2026, 1, 2, 3, 4, 5, 6}), "VlmraSetup-20260102-030405.log");
    EXPECT_EQ(core::DefaultLogFileName({2026, 12, 31, 23, 59, 59, 999}), "VlmraSetup-20261231-235959.log");
    const struct {
        int bias;
        const char* text;
    } offsets[] = {{-480, "UTC+08:00"}, {0, "UTC+00:00"}, {210, "UTC-03:30"}, {-345, "UTC+05:45"}};
    for (const auto& o : offsets)
        EXPECT_EQ(core::UtcOffsetText(o.bias), o.text) << o.bias;
}

struct RecordedLog : install::InstallationLog {
    void Write(const std::string& text) override { entries.push_back(text); }
    std::vector<std::string> entries;
};

TEST(LoggedFileSystem, LogsWhatWasMadeAndWrittenWithItsSizeNotWhatFailed) {
    std::vector<std::string> events;
    fakes::Files files(events);
    files.failingFiles.insert("C:\\V\\locked.exe");
    RecordedLog log;
    install::LoggedFileSystem logged(files, log);

    EXPECT_TRUE(logged.MakeFolder("C:\\V"));
    EXPECT_FALSE(logged.MakeFolder("C:\\V")); // already there: nothing was made
    logged.WriteFile("C:\\V\\a.dat", [](const install::FileSystem::ByteSink& sink) {
        sink("12345");
        sink(std::string(70000, 'x'));
    });
    logged.WriteFile("C:\\V\\empty.txt", std::string_view());
    EXPECT_THROW(logged.WriteFile("C:\\V\\locked.exe", "MZ"), core::SetupError);
    const auto damaged = [](const install::FileSystem::ByteSink& sink) {
        sink("part");
        throw core::DamagedResourceError("damaged");
    };
    EXPECT_THROW(logged.WriteFile("C:\\V\\half.dat", damaged), core::DamagedResourceError);

    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"Folder made: C:\\V", "File written: C:\\V\\a.dat (70005 bytes)",
                                        "File written: C:\\V\\empty.txt (0 bytes)"}));
    EXPECT_EQ(files.files.at("C:\\V\\a.dat").size(), 70005u); // passed on whole
    EXPECT_EQ(logged.ReadFile("C:\\V\\a.dat").substr(0, 5), "12345");
}

} // namespace
