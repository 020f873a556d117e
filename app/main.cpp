#include "qtwindow.h"
#include "placement.h"
#include "startup.h"

#include "icons/radixor16.xpm"
#include "icons/radixor32.xpm"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

#include <csignal>

int main(int argc, char *argv[])
{
    // A diagnostic written to a stderr whose reader has gone must not end
    // the program.
    std::signal(SIGPIPE, SIG_IGN);
    openStandardDescriptors();
    StartupMessages startup;
    declineSessionBusAutolaunch();
    QApplication app(argc, argv);
    // A platform can start without a screen (linuxfb without a framebuffer).
    if (!QGuiApplication::primaryScreen())
        qFatal("Qt found no screen");
    QApplication::setApplicationName(QStringLiteral("Radixor"));
    QApplication::setApplicationVersion(QStringLiteral(RADIXOR_VERSION));
    // Wayland's app id, which desktops match with the installed entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(RADIXOR_APP_ID));
    QIcon icon;
    const QPixmap drawn(radixor32_xpm);
    icon.addPixmap(drawn);
    icon.addPixmap(QPixmap(radixor16_xpm));
    // Screens of twice the density get the drawn pixels doubled, not blurred.
    icon.addPixmap(drawn.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    QApplication::setWindowIcon(icon);

    // Qt's own texts, such as the entry's context menu, in the desktop's
    // language; where Qt has no translation they stay English. The window's
    // captions are not translated, and its layout stays left to right even
    // for a right-to-left language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setLayoutDirection(Qt::LeftToRight);

    QtWindow form;
    // Qt lets a tool window close without ending the program; this one is
    // the program.
    form.setAttribute(Qt::WA_QuitOnClose);
    showCentred(form);
    startup.release();
    return app.exec();
}
