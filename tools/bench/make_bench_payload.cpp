// Makes a payload folder for the benchmark: the sample's configuration, agreement and executables,
// plus data files in nested folders with Chinese names, and the manifest Setup.log that lists them
// all. The data files are either FILES files of TOTAL_BYTES in all with deterministic pseudo-random
// content, or copies of real files named one per line in LIST (binaries, libraries, texts,
// pictures), sorted into folders by kind.
// Usage: make-bench-payload SAMPLE_PAYLOAD OUT_DIR FILES TOTAL_BYTES
//        make-bench-payload --real LIST SAMPLE_PAYLOAD OUT_DIR
#include "builder/gbk_names.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The folder of a real file's kind, by its name.
std::string KindFolder(const std::string& name) {
    const std::string ext = fs::path(name).extension().string();
    for (const char* e : {".png", ".svg", ".jpg", ".xpm", ".bmp", ".gif", ".ico", ".ttf", ".ttc"})
        if (ext == e) return u8"图片";
    for (const char* e : {".h", ".hpp", ".txt", ".inc", ".def", ".idl", ".c", ".xml", ".html"})
        if (ext == e) return u8"文档";
    return u8"程序库";
}

// A name Windows takes: letters, digits, dot, dash and underscore, at most 60 characters.
std::string PlainName(const std::string& name) {
    std::string plain;
    for (char c : name.substr(0, 60))
        plain += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_') ? c : '_';
    return plain;
}

} // namespace

int main(int argc, char** argv) {
    const bool real = argc == 5 && std::string(argv[1]) == "--real";
    if (argc != 5) {
        std::cerr << "usage: make-bench-payload SAMPLE_PAYLOAD OUT_DIR FILES TOTAL_BYTES\n"
                     "       make-bench-payload --real LIST SAMPLE_PAYLOAD OUT_DIR\n";
        return 2;
    }
    const fs::path sample = real ? argv[3] : argv[1], out = real ? argv[4] : argv[2];
    const long files = real ? 0 : std::stol(argv[3]);
    const long long total = real ? 0 : std::stoll(argv[4]);
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
    if (real) {
        std::ifstream list(argv[2]);
        std::string source;
        for (long i = 0; std::getline(list, source); ++i) {
            const std::string folder = KindFolder(source) + "/" + u8"第" + std::to_string(i / 100) + u8"组";
            const std::string name =
                std::to_string(i) + "_" + PlainName(fs::path(source).filename().string());
            fs::create_directories(out / folder);
            fs::copy_file(source, out / folder / name);
            std::string rel = folder + "/" + name;
            for (char& c : rel)
                if (c == '/') c = '\\';
            manifest += "\r\nReal" + std::to_string(i) + " data " + builder::Utf8ToGbk(rel);
        }
    }
    std::ofstream(out / "Setup.log", std::ios::binary) << manifest;
    return 0;
}
