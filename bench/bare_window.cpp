// The toolkit's floor: a Qt Widgets window with one label and nothing else,
// built like radixor, for the start-up benchmark to compare against.

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.show();
    return app.exec();
}
