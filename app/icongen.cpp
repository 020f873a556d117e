// Build tool: turns one of the icon's XPM sources into a PNG for the icon
// theme (the Windows icon file comes from icofile, which needs no toolkit).
//   icongen OUT.png IN.xpm

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: icongen OUT.png IN.xpm\n", stderr);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[2]), "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "icongen: cannot read %s\n", argv[2]);
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
