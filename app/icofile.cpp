// Build tool, plain C++ so that a cross build without a toolkit can run it
// on the build machine: writes the Windows icon file from the icon's XPM
// sources.
//   icofile OUT.ico IN.xpm[:N]...   every image in one file, 4 bits a pixel
//                                   in the 16-colour palette; :N repeats
//                                   each pixel N times across and down
// Fails when a pixel is neither transparent nor one of the 16 colours.
// Shells at 150 % and more ask for 48, 64 or 256 pixels; pixel art
// enlarged by a whole factor stays as crisp as the drawn sizes.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The 16 colours in the order icon files index them.
constexpr std::array<std::uint32_t, 16> palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// Palette indices, or -1 for a transparent pixel; rows top first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;
};

std::optional<int> paletteIndex(std::uint32_t rgb)
{
    for (std::size_t i = 0; i < palette.size(); ++i)
        if (rgb == palette[i])
            return int(i);
    return std::nullopt;
}

// An XPM is C source whose string literals hold the header, the colour
// table and the rows; colours are "None" or #RRGGBB.
std::optional<Image> readXpm(const char *path)
{
    std::ifstream in(path);
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> strings;
    for (std::size_t open = source.find('"'); open != std::string::npos; open = source.find('"', open + 1)) {
        const std::size_t close = source.find('"', open + 1);
        if (close == std::string::npos)
            return std::nullopt;
        strings.push_back(source.substr(open + 1, close - open - 1));
        open = close;
    }
    Image image;
    int colours = 0, perPixel = 0;
    if (strings.empty() || !(std::istringstream(strings[0]) >> image.width >> image.height >> colours >> perPixel)
        || strings.size() != 1 + std::size_t(colours) + std::size_t(image.height))
        return std::nullopt;
    std::map<std::string, int> key;
    for (int i = 1; i <= colours; ++i) {
        std::istringstream entry(strings[std::size_t(i)].substr(std::size_t(perPixel)));
        std::string kind, value;
        entry >> kind >> value;
        if (kind != "c")
            return std::nullopt;
        int index = -1;
        if (value != "None") {
            const auto known = value.size() == 7 && value[0] == '#'
                ? paletteIndex(std::uint32_t(std::stoul(value.substr(1), nullptr, 16)))
                : std::nullopt;
            if (!known)
                return std::nullopt;
            index = *known;
        }
        key[strings[std::size_t(i)].substr(0, std::size_t(perPixel))] = index;
    }
    for (int y = 0; y < image.height; ++y) {
        const std::string &row = strings[1 + std::size_t(colours) + std::size_t(y)];
        if (row.size() != std::size_t(image.width) * std::size_t(perPixel))
            return std::nullopt;
        for (int x = 0; x < image.width; ++x) {
            const auto found = key.find(row.substr(std::size_t(x) * std::size_t(perPixel), std::size_t(perPixel)));
            if (found == key.end())
                return std::nullopt;
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

Image enlarged(const Image &image, int factor)
{
    Image out{image.width * factor, image.height * factor, {}};
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back(image.pixels[std::size_t(y / factor) * std::size_t(image.width) + std::size_t(x / factor)]);
    return out;
}

void append16(std::string &out, std::uint16_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void append32(std::string &out, std::uint32_t v)
{
    append16(out, std::uint16_t(v & 0xFFFF));
    append16(out, std::uint16_t(v >> 16));
}

// A device-independent bitmap as icon files hold it: the header with twice
// the height, the palette, the colour rows and then the transparency mask,
// both bottom row first and padded to 32 bits.
std::string iconImage(const Image &image)
{
    const int w = image.width;
    const int h = image.height;
    const int colourStride = (w * 4 + 31) / 32 * 4;
    const int maskStride = (w + 31) / 32 * 4;
    std::string colours(std::size_t(colourStride) * std::size_t(h), '\0');
    std::string mask(std::size_t(maskStride) * std::size_t(h), '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const int index = image.pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            if (index < 0) {
                char &bits = mask[std::size_t(row) * std::size_t(maskStride) + std::size_t(x / 8)];
                bits = char(bits | (0x80 >> (x % 8)));
                continue;
            }
            char &pair = colours[std::size_t(row) * std::size_t(colourStride) + std::size_t(x / 2)];
            pair = char(pair | (x % 2 ? index : index << 4));
        }
    }
    std::string out;
    append32(out, 40);
    append32(out, std::uint32_t(w));
    append32(out, std::uint32_t(2 * h));
    append16(out, 1);
    append16(out, 4);
    append32(out, 0);
    append32(out, std::uint32_t(colours.size() + mask.size()));
    append32(out, 0);
    append32(out, 0);
    append32(out, 16);
    append32(out, 0);
    for (const std::uint32_t colour : palette) {
        out += char(colour & 0xFF);
        out += char((colour >> 8) & 0xFF);
        out += char(colour >> 16);
        out += '\0';
    }
    return out + colours + mask;
}

std::string icoFile(const std::vector<Image> &images)
{
    std::string directory;
    std::string data;
    append16(directory, 0);
    append16(directory, 1);
    append16(directory, std::uint16_t(images.size()));
    const auto dataStart = std::uint32_t(6 + 16 * images.size());
    for (const Image &image : images) {
        const std::string bitmap = iconImage(image);
        // 256 is written as 0.
        directory += char(image.width & 0xFF);
        directory += char(image.height & 0xFF);
        directory += char(16);
        directory += '\0';
        append16(directory, 1);
        append16(directory, 4);
        append32(directory, std::uint32_t(bitmap.size()));
        append32(directory, dataStart + std::uint32_t(data.size()));
        data += bitmap;
    }
    return directory + data;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: icofile OUT.ico IN.xpm[:N]...\n", stderr);
        return 2;
    }
    std::vector<Image> images;
    for (int i = 2; i < argc; ++i) {
        std::string path = argv[i];
        int factor = 1;
        const std::size_t colon = path.rfind(':');
        if (colon != std::string::npos) {
            factor = std::atoi(path.c_str() + colon + 1);
            path.resize(colon);
        }
        const auto image = readXpm(path.c_str());
        if (!image || factor < 1 || image->width * factor > 256 || image->height * factor > 256) {
            std::fprintf(stderr, "icofile: %s is no XPM in the 16-colour palette, or too large\n", argv[i]);
            return 1;
        }
        images.push_back(enlarged(*image, factor));
    }
    const std::string bytes = icoFile(images);
    std::ofstream out(argv[1], std::ios::binary);
    if (!out.write(bytes.data(), std::streamsize(bytes.size()))) {
        std::fprintf(stderr, "icofile: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
