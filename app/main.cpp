#include "frmradixor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Radixor"));
    QApplication::setApplicationVersion(QStringLiteral(RADIXOR_VERSION));
    frmRadixor form;
    form.show();
    return app.exec();
}
