// Draws the setup's pictures: the wizard banner (540 x 54), the side picture (165 x 300, a
// computer on white) and the program icon. Output is deterministic.
// Usage: make-art OUTPUT_DIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b, a = 255;
};

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill) : width(width), height(height), pixels(width * height, fill) {}
    void Fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Set(x, y, c);
    }
    void VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
        for (int y = y0; y < y1; ++y)
            Fill(x0, y, x1, y + 1, Mix(top, bottom, double(y - y0) / (y1 - y0)));
    }
    void HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
        for (int x = x0; x < x1; ++x)
            Fill(x, y0, x + 1, y1, Mix(left, right, double(x - x0) / (x1 - x0)));
    }
    void Disc(double cx, double cy, double radius, Rgb c) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) Set(x, y, c);
    }
    void Line(double x0, double y0, double x1, double y1, double thickness, Rgb c) {
        const int steps = 200;
        for (int i = 0; i <= steps; ++i)
            Disc(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, thickness / 2, c);
    }
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * width + x] = c;
    }
    static Rgb Mix(Rgb a, Rgb b, double t) {
        auto m = [t](int p, int q) { return static_cast<std::uint8_t>(std::lround(p + (q - p) * t)); };
        return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
    }

    int width, height;
    std::vector<Rgb> pixels;
};

void Put16(std::string& out, unsigned v) {
    out += char(v & 0xFF), out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, unsigned v) {
    Put16(out, v & 0xFFFF), Put16(out, v >> 16);
}

std::string InfoHeader(int width, int height, int bits, unsigned compression, unsigned imageSize,
                       unsigned colours) {
    std::string h;
    Put32(h, 40), Put32(h, unsigned(width)), Put32(h, unsigned(height)), Put16(h, 1),
        Put16(h, unsigned(bits));
    Put32(h, compression), Put32(h, imageSize), Put32(h, 2835), Put32(h, 2835), Put32(h, colours),
        Put32(h, 0);
    return h;
}

// The palette of a picture and each pixel's index into it.
struct Indexed {
    std::vector<unsigned> palette; // 0x00RRGGBB
    std::vector<std::uint8_t> indices;
};

Indexed ToPalette(const Canvas& c, const std::string& path) {
    Indexed out;
    for (const Rgb& p : c.pixels) {
        const unsigned rgb = unsigned(p.r) << 16 | unsigned(p.g) << 8 | p.b;
        auto at = std::find(out.palette.begin(), out.palette.end(), rgb);
        if (at == out.palette.end()) {
            if (out.palette.size() == 256) throw std::runtime_error(path + ": more than 256 colours");
            at = out.palette.insert(out.palette.end(), rgb);
        }
        out.indices.push_back(std::uint8_t(at - out.palette.begin()));
    }
    return out;
}

constexpr unsigned kBiRle8 = 1;

// The pictures have few colours in long runs: an 8-bit palette with run-length coding keeps them
// exact at a fraction of the bytes the setup would otherwise carry.
void WriteBmp(const Canvas& c, const std::string& path) {
    const Indexed indexed = ToPalette(c, path);
    const std::vector<unsigned>& palette = indexed.palette;
    const std::vector<std::uint8_t>& indices = indexed.indices;
    std::string runs;
    for (int y = c.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &indices[size_t(y) * c.width];
        for (int x = 0; x < c.width;) {
            int n = 1;
            while (x + n < c.width && n < 255 && row[x + n] == row[x])
                ++n;
            runs += char(n), runs += char(row[x]);
            x += n;
        }
        runs += '\0', runs += '\0'; // end of line
    }
    runs += '\0', runs += '\1'; // end of bitmap
    std::string colours;
    for (unsigned rgb : palette)
        Put32(colours, rgb);
    const unsigned offset = 54 + unsigned(colours.size());
    std::string file = "BM";
    Put32(file, offset + unsigned(runs.size())), Put32(file, 0), Put32(file, offset);
    file += InfoHeader(c.width, c.height, 8, kBiRle8, unsigned(runs.size()), unsigned(palette.size()));
    file += colours + runs;
    std::ofstream(path, std::ios::binary) << file;
}

// The icon's pixels are either opaque or clear: an 8-bit palette and the transparency mask hold
// it exactly.
std::string IconImage(const Canvas& c, const std::string& path) {
    Canvas opaque = c;
    for (Rgb& p : opaque.pixels)
        if (p.a == 0) p = {0, 0, 0, 0};
    const Indexed indexed = ToPalette(opaque, path);
    std::string image = InfoHeader(c.width, c.height * 2, 8, 0, 0, unsigned(indexed.palette.size()));
    for (unsigned rgb : indexed.palette)
        Put32(image, rgb);
    for (int y = c.height - 1; y >= 0; --y)
        image.append(reinterpret_cast<const char*>(&indexed.indices[size_t(y) * c.width]), size_t(c.width));
    const int maskStride = (c.width / 8 + 3) & ~3;
    for (int y = c.height - 1; y >= 0; --y) {
        std::string row(size_t(maskStride), '\0');
        for (int x = 0; x < c.width; ++x)
            if (c.pixels[y * c.width + x].a == 0) row[size_t(x / 8)] |= char(0x80 >> (x % 8));
        image += row;
    }
    return image;
}

// An icon file with each size drawn, so that no size is scaled from another.
void WriteIcon(const std::vector<Canvas>& sizes, const std::string& path) {
    std::string directory, images;
    Put16(directory, 0), Put16(directory, 1), Put16(directory, unsigned(sizes.size()));
    for (const Canvas& c : sizes) {
        const std::string image = IconImage(c, path);
        directory += char(c.width), directory += char(c.height), directory += '\0', directory += '\0';
        Put16(directory, 1), Put16(directory, 8), Put32(directory, unsigned(image.size()));
        Put32(directory, unsigned(6 + 16 * sizes.size() + images.size()));
        images += image;
    }
    std::ofstream(path, std::ios::binary) << directory + images;
}

const Rgb kWhite{255, 255, 255};
const Rgb kBlue{0, 128, 255};
const Rgb kDeepBlue{16, 83, 194};

Canvas Banner() {
    Canvas c(540, 54, kWhite);
    c.HorizontalGradient(0, 0, 540, 52, {214, 232, 255}, kWhite);
    c.Disc(470, 27, 20, {180, 214, 255});
    c.Disc(500, 18, 11, {140, 190, 250});
    c.Disc(515, 38, 7, {110, 170, 245});
    c.Fill(0, 52, 540, 54, kDeepBlue);
    return c;
}

Canvas SidePicture() {
    Canvas c(165, 300, kWhite);
    c.Fill(24, 60, 142, 152, {70, 74, 84});                          // monitor
    c.VerticalGradient(31, 67, 135, 143, {60, 150, 255}, kDeepBlue); // screen
    c.Fill(40, 80, 100, 86, kWhite);                                 // a window on the screen
    c.Fill(40, 92, 120, 96, {200, 225, 255});
    c.Fill(40, 101, 112, 105, {200, 225, 255});
    c.Fill(40, 110, 90, 114, {200, 225, 255});
    c.Fill(74, 152, 92, 168, {110, 114, 124});  // stand
    c.Fill(54, 168, 112, 175, {90, 94, 104});   // foot
    c.Fill(26, 190, 140, 210, {205, 208, 214}); // keyboard
    for (int row = 0; row < 3; ++row)
        for (int key = 0; key < 12; ++key)
            c.Fill(30 + key * 9, 193 + row * 6, 36 + key * 9, 197 + row * 6, {150, 154, 160});
    c.Fill(146, 196, 158, 212, {205, 208, 214}); // mouse
    c.Fill(20, 228, 150, 230, {225, 230, 240});  // shadow line
    return c;
}

// The icon at `size` pixels square (drawn at 32 and scaled).
Canvas Icon(int size) {
    const double k = size / 32.0;
    Canvas c(size, size, {0, 0, 0, 0});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = std::max(0.0, std::abs((x + 0.5) / k - 16) - 11),
                         dy = std::max(0.0, std::abs((y + 0.5) / k - 16) - 11);
            if (std::hypot(dx, dy) <= 4.5) c.Set(x, y, Canvas::Mix(kBlue, kDeepBlue, y / (size - 1.0)));
        }
    c.Line(9 * k, 8 * k, 16 * k, 24 * k, 4 * k, kWhite);
    c.Line(23 * k, 8 * k, 16 * k, 24 * k, 4 * k, kWhite);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-art OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    WriteBmp(Banner(), dir + "/imagtop.bmp");
    WriteBmp(SidePicture(), dir + "/imagleft.bmp");
    WriteIcon({Icon(32), Icon(16)}, dir + "/velmora.ico");
    return 0;
}
