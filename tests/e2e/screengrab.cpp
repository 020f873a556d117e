// Saves a rectangle of the screen as PNG, frame and all, for the README's
// picture:  screengrab X Y WIDTH HEIGHT FILE

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 6) {
        std::fputs("usage: screengrab X Y WIDTH HEIGHT FILE\n", stderr);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, args[1].toInt(), args[2].toInt(), args[3].toInt(), args[4].toInt());
    if (shot.isNull() || !shot.save(args[5], "PNG")) {
        std::fprintf(stderr, "screengrab: cannot write %s\n", qPrintable(args[5]));
        return 1;
    }
    return 0;
}
