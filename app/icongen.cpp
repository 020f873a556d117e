// Build tool: turns the icon's XPM sources into what the platforms want.
//   icongen OUT.png IN.xpm          one image as PNG
//   icongen OUT.ico IN.xpm...       every image in one icon file, 4 bits
//                                   a pixel in the 16-colour palette
// Fails when a pixel is neither transparent nor one of the 16 colours.

#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The 16 colours in the order icon files index them.
constexpr std::array<QRgb, 16> palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

std::optional<int> paletteIndex(QRgb pixel)
{
    for (std::size_t i = 0; i < palette.size(); ++i)
        if ((pixel & 0xFFFFFF) == palette[i])
            return int(i);
    return std::nullopt;
}

void append16(QByteArray &out, quint16 v)
{
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&v), 2);
}

void append32(QByteArray &out, quint32 v)
{
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&v), 4);
}

// A device-independent bitmap as icon files hold it: the header with twice
// the height, the palette, the colour rows and then the transparency mask,
// both bottom row first and padded to 32 bits.
std::optional<QByteArray> iconImage(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    const int colourStride = (w * 4 + 31) / 32 * 4;
    const int maskStride = (w + 31) / 32 * 4;
    QByteArray colours(colourStride * h, '\0');
    QByteArray mask(maskStride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                mask[row * maskStride + x / 8] = char(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
                continue;
            }
            const auto index = paletteIndex(pixel);
            if (!index || qAlpha(pixel) != 255)
                return std::nullopt;
            char &pair = colours[row * colourStride + x / 2];
            pair = char(pair | (x % 2 ? *index : *index << 4));
        }
    }
    QByteArray out;
    append32(out, 40);
    append32(out, quint32(w));
    append32(out, quint32(2 * h));
    append16(out, 1);
    append16(out, 4);
    append32(out, 0);
    append32(out, quint32(colours.size() + mask.size()));
    append32(out, 0);
    append32(out, 0);
    append32(out, 16);
    append32(out, 0);
    for (QRgb colour : palette) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append('\0');
    }
    return out + colours + mask;
}

bool writeIco(const QString &path, const std::vector<QImage> &images)
{
    QByteArray directory;
    QByteArray data;
    append16(directory, 0);
    append16(directory, 1);
    append16(directory, quint16(images.size()));
    const quint32 dataStart = quint32(6 + 16 * images.size());
    for (const QImage &image : images) {
        const auto bitmap = iconImage(image);
        if (!bitmap) {
            std::fprintf(stderr, "icongen: a %dx%d image has colours outside the 16-colour palette\n",
                         image.width(), image.height());
            return false;
        }
        directory.append(char(image.width() & 0xFF));
        directory.append(char(image.height() & 0xFF));
        directory.append(char(16));
        directory.append('\0');
        append16(directory, 1);
        append16(directory, 4);
        append32(directory, quint32(bitmap->size()));
        append32(directory, dataStart + quint32(data.size()));
        data += *bitmap;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(directory + data) == directory.size() + data.size();
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: icongen OUT.png|OUT.ico IN.xpm...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    std::vector<QImage> images;
    for (int i = 2; i < argc; ++i) {
        QImage image(QString::fromLocal8Bit(argv[i]), "XPM");
        if (image.isNull()) {
            std::fprintf(stderr, "icongen: cannot read %s\n", argv[i]);
            return 1;
        }
        images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }
    if (out.endsWith(QLatin1String(".ico")))
        return writeIco(out, images) ? 0 : 1;
    if (images.size() != 1 || !images.front().save(out, "PNG")) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
