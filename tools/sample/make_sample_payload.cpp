// Lays out the sample payload folder: the payload as it looks installed, with the manifest
// Setup.log, the texts in GBK with CR LF, the stand-in executables, and deterministic made-up
// content for the data files, documents and pictures.
// Usage: make-sample-payload SOURCE_DIR STANDIN_DIR OUT_DIR
#include "builder/gbk_names.h"
#include "core/gbk.h"
#include "core/manifest.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << bytes)) throw std::runtime_error("cannot write " + path.string());
}

// UTF-8 text with LF line ends as the GBK, CR LF text the product ships.
std::string ProductText(const std::string& utf8, bool finalLineEnd) {
    std::string text;
    for (char c : builder::Utf8ToGbk(utf8)) {
        if (c == '\n') text += '\r';
        text += c;
    }
    if (!finalLineEnd)
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
    return text;
}

class Random {
  public:
    explicit Random(const std::string& seed) {
        for (unsigned char c : seed)
            state_ = (state_ ^ c) * 0x100000001B3ull;
    }
    std::uint64_t Next() {
        state_ ^= state_ << 13, state_ ^= state_ >> 7, state_ ^= state_ << 17;
        return state_;
    }
    std::string Bytes(size_t n) {
        std::string out(n, '\0');
        for (char& c : out)
            c = static_cast<char>(Next() >> 56);
        return out;
    }

  private:
    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

std::string Bitmap(Random& random) {
    const int w = 48, h = 48, stride = w * 3;
    std::string pixels;
    const int r = int(random.Next() % 200), g = int(random.Next() % 200);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            pixels += char(255 - y * 2), pixels += char(g + x), pixels += char(r);
        }
    auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "BM" + u32(54 + stride * h) + u32(0) + u32(54) + u32(40) + u32(w) + u32(h) + u16(1) + u16(24) +
           u32(0) + u32(stride * h) + u32(2835) + u32(2835) + u32(0) + u32(0) + pixels;
}

// Made-up content that has the shape of the file its name suggests.
std::string SampleContent(const std::string& gbkPath, const std::string& utf8Path) {
    Random random(utf8Path);
    const std::string ext = fs::path(utf8Path).extension().string();
    const std::string title = fs::path(utf8Path).stem().string();
    if (ext == ".txt")
        return ProductText("# " + title + u8"\n谷类 薯类 蔬菜 水果 畜禽肉 鱼虾 蛋类 奶类 大豆 坚果\n", true);
    if (ext == ".rtf")
        return "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
               "\xcb\xce\xcc\xe5;}}\r\n\\f0\\fs24 " +
               builder::Utf8ToGbk(title) + "\\par\r\n" + builder::Utf8ToGbk(u8"合理膳食，均衡营养。") +
               "\\par\r\n}";
    if (ext == ".fr3")
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReportPage Name=\"" + title +
               "\" PaperWidth=\"210\" PaperHeight=\"297\"/>\r\n";
    if (ext == ".BMP") return Bitmap(random);
    if (ext == ".Vlq" || ext == ".Vlc")
        return "VLQ1" + gbkPath + std::string(1, '\0') + random.Bytes(2048 + random.Next() % 8192);
    if (ext == ".chm") return "ITSF" + random.Bytes(40000 + random.Next() % 20000);
    return random.Bytes(1024 + random.Next() % (ext == ".blb" ? 150000 : 30000)); // database tables
}

bool IsLeftOutOfSecondList(const std::string& resName) {
    return resName.rfind("CYLibDB", 0) == 0 || resName == "UserFile_Cy";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make-sample-payload SOURCE_DIR STANDIN_DIR OUT_DIR\n";
        return 2;
    }
    try {
        const fs::path source = argv[1], standins = argv[2], out = argv[3];
        fs::remove_all(out);
        fs::create_directories(out);

        const std::string manifest = ProductText(ReadFile(source / "manifest.txt"), false);
        WriteFile(out / "Setup.log", manifest);
        std::string secondList;
        for (const std::string& line : core::ReadManifestLines(manifest))
            if (!IsLeftOutOfSecondList(core::ParseManifestLine(line).ResName))
                secondList += (secondList.empty() ? "" : "\r\n") + line;
        WriteFile(out / "Setup2.log", secondList);

        for (const std::string& line : core::ReadManifestLines(manifest)) {
            const std::string gbkPath = core::ParseManifestLine(line).RelPath;
            const std::string utf8Path = builder::PayloadFilePath(gbkPath);
            const fs::path target = out / utf8Path;
            if (fs::exists(target)) continue;
            if (fs::exists(standins / utf8Path))
                fs::copy_file(standins / utf8Path, target);
            else if (fs::exists(source / utf8Path))
                WriteFile(target, ProductText(ReadFile(source / utf8Path), true));
            else
                WriteFile(target, SampleContent(gbkPath, utf8Path));
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "make-sample-payload: " << e.what() << "\n";
        return 1;
    }
}
