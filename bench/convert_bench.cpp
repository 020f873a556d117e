// How long Enter in the entry takes to reach the screen: the key press goes
// to the window, Convert fills the four boxes, and the repaint that asks for
// is drawn, on the offscreen platform. A benchmark: it prints figures and
// checks only that each round really converted and painted.

#include "qtwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <array>
#include <memory>

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class ConvertBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void enterToRepaint_data();
    void enterToRepaint();

private:
    // One window for every row and pass: QBENCHMARK runs the test function
    // several times, and showing a window is not what is measured.
    PaintCounter counter;
    std::unique_ptr<QtWindow> form;
    QLineEdit *txtRadixor = nullptr;
};

void ConvertBench::initTestCase()
{
    form = std::make_unique<QtWindow>();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    txtRadixor = form->findChild<QLineEdit *>(QStringLiteral("txtRadixor"));
    QVERIFY(txtRadixor);
    for (const char *name : {"txtDec", "txtBin", "txtHex", "txtOct"}) {
        QLineEdit *box = form->findChild<QLineEdit *>(QString::fromLatin1(name));
        QVERIFY(box);
        box->installEventFilter(&counter);
    }
    QCoreApplication::processEvents();
}

void ConvertBench::enterToRepaint_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("binary");
    QTest::newRow("small") << QStringLiteral("255") << QStringLiteral("11111111");
    QTest::newRow("largest") << QStringLiteral("2147483647") << QString(31, u'1');
    QTest::newRow("too big") << QStringLiteral("99999999999999999999") << QStringLiteral("Too big");
}

void ConvertBench::enterToRepaint()
{
    QFETCH(QString, entry);
    QFETCH(QString, binary);

    // Every other round converts "0", so each Enter changes all four texts
    // and each repaint has something new to draw; "1" first, since a pass
    // may follow one that left this row's texts in the boxes.
    txtRadixor->setText(QStringLiteral("1"));
    QTest::keyClick(form->windowHandle(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    const std::array<QString, 2> entries{entry, QStringLiteral("0")};
    int rounds = 0;
    int unpainted = 0;
    QBENCHMARK {
        txtRadixor->setText(entries[std::size_t(rounds++ % 2)]);
        const int before = counter.paints;
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        if (counter.paints < before + 4)
            ++unpainted;
    }
    QCOMPARE(unpainted, 0);
    txtRadixor->setText(entry);
    QTest::keyClick(form->windowHandle(), Qt::Key_Return);
    QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("txtBin"))->text(), binary);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ConvertBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "convert_bench.moc"
