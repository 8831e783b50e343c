// Makes a payload folder for the benchmark: the sample's configuration, agreement and executables,
// plus FILES data files of TOTAL_BYTES in all, in nested folders with Chinese names, with
// deterministic pseudo-random content, and the manifest Setup.log that lists them all.
// Usage: make-bench-payload SAMPLE_PAYLOAD OUT_DIR FILES TOTAL_BYTES
#include "builder/gbk_names.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make-bench-payload SAMPLE_PAYLOAD OUT_DIR FILES TOTAL_BYTES\n";
        return 2;
    }
    const fs::path sample = argv[1], out = argv[2];
    const long files = std::stol(argv[3]);
    const long long total = std::stoll(argv[4]);
    fs::remove_all(out);
    fs::create_directories(out);
    std::string manifest = "FileExe exename VLMR.exe\r\nuninstall exename Uninstall.exe\r\n"
                           "FileTxt4 txtname " +
                           builder::Utf8ToGbk(u8"用户授权协议.txt") +
                           "\r\nFileTxt5 txtname Setup.log\r\n"
                           "FileTxt7 txtname Setup.ini";
    for (const char* name : {"VLMR.exe", "Uninstall.exe", "Setup.ini", u8"用户授权协议.txt"})
        fs::copy_file(sample / name, out / name);

    const char* folders[] = {u8"数据", u8"食谱范例", u8"报表", u8"图片"};
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    const auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    for (long i = 0; i < files; ++i) {
        const std::string folder =
            std::string(folders[i % 4]) + "/" + u8"第" + std::to_string(i / 40) + u8"组";
        const std::string name = u8"文件" + std::to_string(i) + ".dat";
        fs::create_directories(out / folder);
        const long long size = total / files + (i == files - 1 ? total % files : 0);
        std::string bytes(static_cast<size_t>(size), '\0');
        for (size_t j = 0; j + 8 <= bytes.size(); j += 8) {
            const std::uint64_t v = next();
            for (int k = 0; k < 8; ++k)
                bytes[j + k] = static_cast<char>(v >> (8 * k));
        }
        std::ofstream(out / folder / name, std::ios::binary) << bytes;
        std::string rel = folder + "/" + name;
        for (char& c : rel)
            if (c == '/') c = '\\';
        manifest += "\r\nBench" + std::to_string(i) + " data " + builder::Utf8ToGbk(rel);
    }
    std::ofstream(out / "Setup.log", std::ios::binary) << manifest;
    return 0;
}
