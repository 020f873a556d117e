#include "radixortest.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>

#include <limits>

using namespace radixortest;

namespace {

// The window as drawn: front to back, positions in twips from the container.
struct Row {
    const char *name;
    int digit;  // the Btn member's index, -1 elsewhere
    const char *kind;
    bool inFrame;
    const char *caption;
    int left, top, width, height;
};

constexpr Row drawn[] = {
    {"txtOct", -1, "QLineEdit", false, "", 3120, 2400, 3015, 195},
    {"txtHex", -1, "QLineEdit", false, "", 3120, 1800, 3015, 195},
    {"txtDec", -1, "QLineEdit", false, "", 3120, 600, 3015, 195},
    {"txtBin", -1, "QLineEdit", false, "", 3120, 1200, 3015, 195},
    {"cmdConvert", -1, "QPushButton", false, "Con&vert", 840, 2160, 1215, 375},
    {"cmdExit", -1, "QPushButton", false, "E&xit", 1200, 2640, 855, 375},
    {"cmdClear", -1, "QPushButton", false, "&Clear", 240, 2640, 855, 375},
    {"Btn", 0, "QPushButton", false, "0", 240, 2160, 495, 375},
    {"Btn", 1, "QPushButton", false, "1", 240, 1680, 495, 375},
    {"Btn", 2, "QPushButton", false, "2", 885, 1680, 495, 375},
    {"Btn", 3, "QPushButton", false, "3", 1560, 1680, 495, 375},
    {"Btn", 4, "QPushButton", false, "4", 240, 1200, 495, 375},
    {"Btn", 5, "QPushButton", false, "5", 885, 1200, 495, 375},
    {"Btn", 6, "QPushButton", false, "6", 1560, 1200, 495, 375},
    {"Btn", 7, "QPushButton", false, "7", 240, 720, 495, 375},
    {"Btn", 8, "QPushButton", false, "8", 885, 720, 495, 375},
    {"Btn", 9, "QPushButton", false, "9", 1560, 720, 495, 375},
    {"txtRadixor", -1, "QLineEdit", false, "0", 240, 240, 1815, 285},
    {"Frame1", -1, "QGroupBox", false, "Radixar", 2280, 120, 3975, 2895},
    {"Label4", -1, "QLabel", true, "Oct = ", 240, 2280, 435, 195},
    {"Label3", -1, "QLabel", true, "Hex = ", 240, 1680, 465, 195},
    {"Label2", -1, "QLabel", true, "Bin = ", 240, 1080, 405, 195},
    {"Label1", -1, "QLabel", true, "Dec = ", 240, 480, 480, 195},
};

QString caption(const QWidget *w)
{
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    return w->property("text").toString();
}

}  // namespace

class FrmRadixorTest : public QObject
{
    Q_OBJECT

private slots:
    void definition();
    void everyWayOutCloses_data();
    void everyWayOutCloses();
    void convert_data();
    void convert();
    void accessKeysClickBeforeTheNextKey();
    void decHoldsTheWholeEntry();
};

void FrmRadixorTest::definition()
{
    Radixor r;
    QVERIFY(r.active);
    QCOMPARE(r.form.windowTitle(), QStringLiteral("Decimal/Binary/Hex/Octal Radixor"));
    QCOMPARE(r.form.size(), QSize(424, 212));
    QCOMPARE(r.form.minimumSize(), r.form.maximumSize());
    QVERIFY(r.form.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(r.form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(r.form.findChildren<QWidget *>().size(), qsizetype(std::size(drawn)));

    for (const Row &row : drawn) {
        QWidget *w = row.digit >= 0 ? r.keypad(row.digit) : r.form.findChild<QWidget *>(QLatin1String(row.name));
        const QByteArray what = QByteArray(row.name) + ' ' + QByteArray::number(row.digit);
        QVERIFY2(w && w->inherits(row.kind), what);
        QCOMPARE(w->objectName(), QLatin1String(row.name));
        QCOMPARE(w->parentWidget()->objectName(), QLatin1String(row.inFrame ? "Frame1" : "frmRadixor"));
        QCOMPARE(caption(w), QLatin1String(row.caption));
        QCOMPARE(w->pos(), QPoint(row.left / 15, row.top / 15));
        const QFontMetrics metrics(w->font());
        QCOMPARE(metrics.height(), 13);
        // A label takes its caption's size.
        QCOMPARE(w->size(), w->inherits("QLabel") ? metrics.boundingRect(QRect(), Qt::TextSingleLine, caption(w)).size()
                                                  : QSize(row.width / 15, row.height / 15));
    }

    // Output boxes: read-only, borderless, in front of Frame1.
    for (const char *name : outputBoxes)
        QCOMPARE(r.form.childAt(r.box(name)->geometry().center()), r.box(name));
    for (QLineEdit *box : r.form.findChildren<QLineEdit *>()) {
        const bool output = box != r.entry;
        QCOMPARE(box->isReadOnly(), output);
        QCOMPARE(box->hasFrame(), !output);
    }
}

void FrmRadixorTest::everyWayOutCloses_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("how");
    for (const char *focus : {"txtRadixor", "txtHex", "Btn", "cmdConvert", "cmdClear"})
        QTest::addRow("Esc on %s", focus) << focus << "Esc";
    QTest::newRow("Alt+X") << "txtRadixor" << "Alt+X";
    QTest::newRow("Exit clicked") << "txtRadixor" << "click";
    QTest::newRow("close box") << "txtRadixor" << "close";
}

void FrmRadixorTest::everyWayOutCloses()
{
    QFETCH(QString, focus);
    QFETCH(QString, how);
    Radixor r;
    QVERIFY(r.active);
    r.type("99");
    QWidget *target = focus == u"Btn" ? r.keypad(5) : r.form.findChild<QWidget *>(focus);
    r.tabTo(target);
    QCOMPARE(focused(), target);
    QSignalSpy finished(&r.form, &QDialog::finished);
    if (how == u"click")
        r.click("cmdExit");
    else if (how == u"close")
        r.form.close();
    else
        r.keys(how);
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!r.form.isVisible());
    QCOMPARE(r.beeps.size(), 0);
}

void FrmRadixorTest::convert_data()
{
    QTest::addColumn<QString>("typed");  // over the 0 selected at start-up
    QTest::addColumn<int>("keypadDigit");
    QTest::addColumn<QString>("keys");  // none: Convert clicked
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<double>("value");

    const auto row = [](const char *tag, const QString &typed, int digit, const char *keys, const QStringList &shown,
                        double value) { QTest::newRow(tag) << typed << digit << QString(keys) << shown << value; };
    const QString big = QStringLiteral("Too big");
    row("5", "5", -1, "", {"5", "101", "5", "5"}, 5);
    row("05 from the keypad", "", 5, "Alt+V", {"05", "101", "5", "5"}, 5);
    row("empty after Clear", "12", -1, "Alt+C, Alt+V", {"0", "0", "0", "0"}, 0);
    row("0042", "0042", -1, "Return", {"0042", "101010", "2A", "52"}, 42);
    row("2^30", "1073741824", -1, "", {"1073741824", "1" + QString(30, u'0'), "40000000", "10000000000"},
        1073741824.0);
    row("2^31 - 1", "2147483647", -1, "Alt+V", {"2147483647", QString(31, u'1'), "7FFFFFFF", "17777777777"},
        2147483647.0);
    row("2^31", "2147483648", -1, "Enter", {"2147483648", big, big, big}, 2147483648.0);
    row("2^32 - 1", "4294967295", -1, "", {"4294967295", big, big, big}, 4294967295.0);
    row("twenty nines", QString(20, u'9'), -1, "", {QString(20, u'9'), big, big, big}, 1e20);
    row("400 nines", QString(400, u'9'), -1, "Return", {QString(400, u'9'), big, big, big},
        std::numeric_limits<double>::infinity());
}

void FrmRadixorTest::convert()
{
    QFETCH(QString, typed);
    QFETCH(int, keypadDigit);
    QFETCH(QString, keys);
    QFETCH(QStringList, shown);
    QFETCH(double, value);

    Radixor r;
    QVERIFY(r.active);
    QVERIFY(!r.form.kept());
    r.type(typed);
    if (keypadDigit >= 0)
        click(r.keypad(keypadDigit));
    if (keys.isEmpty())
        r.click("cmdConvert");
    r.keys(keys);

    QTRY_COMPARE(r.outputs(), shown);
    QCOMPARE(r.entry->text(), shown[0]);
    QCOMPARE(focused(), r.entry);
    QCOMPARE(r.entry->selectedText(), shown[0]);
    QCOMPARE(r.form.kept(), std::optional<double>(value));
}

// Keys sent back to back, with no time for a timer between them.
void FrmRadixorTest::accessKeysClickBeforeTheNextKey()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("255");
    r.keys("Return, Alt+C");
    r.type("7");
    QCOMPARE(r.entry->text(), QStringLiteral("7"));
    QCOMPARE(r.outputs(), QStringList(4));

    r.retype("42");
    r.keys("Alt+V");
    r.type("9");
    QCOMPARE(r.outputs(), QStringList({"42", "101010", "2A", "52"}));
    QCOMPARE(r.entry->text(), QStringLiteral("9"));

    QSignalSpy finished(&r.form, &QDialog::finished);
    r.keys("Alt+X");
    QCOMPARE(finished.size(), 1);
}

// A line edit cuts what the program writes at 32,767 characters by default.
void FrmRadixorTest::decHoldsTheWholeEntry()
{
    Radixor r;
    QVERIFY(r.active);
    const QString entry = QString(40000, u'0') + QStringLiteral("255");
    setClipboard(entry);
    r.keys("Shift+Insert, Return");
    QCOMPARE(r.entry->text(), entry);
    QCOMPARE(r.outputs(), QStringList({entry, "11111111", "FF", "377"}));
}

QTEST_MAIN(FrmRadixorTest)
#include "frmradixor_test.moc"
