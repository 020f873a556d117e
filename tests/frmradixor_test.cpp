#include "radixortest.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>

#include <cmath>
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

QWidget *control(const frmRadixor &form, const Row &row)
{
    if (row.digit >= 0)
        return keypad(form, row.digit);
    return form.findChild<QWidget *>(QString::fromLatin1(row.name));
}

QString caption(const QWidget *w)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    return qobject_cast<const QLabel *>(w)->text();
}

// "Btn 7" for a keypad member, the objectName for the rest.
QString label(const QWidget *w)
{
    if (!w)
        return QStringLiteral("(none)");
    if (w->objectName() == u"Btn")
        return QStringLiteral("Btn ") + static_cast<const QAbstractButton *>(w)->text();
    return w->objectName();
}

QStringList tabWalk(const frmRadixor &form, Qt::KeyboardModifiers modifiers, int steps)
{
    QStringList seen;
    for (int i = 0; i < steps; ++i) {
        press(form, Qt::Key_Tab, modifiers);
        seen << label(focused());
    }
    return seen;
}

}  // namespace

class FrmRadixorTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsSitWhereDrawn();
    void frontToBackOrder();
    void windowIsFixedAndTitled();
    void outputBoxesAreReadOnlyBorderlessTabStops();
    void everyControlHasA13PixelLine();
    void tabVisitsInTabIndexOrder();
    void enterRunsTheDefaultOrFocusedButton();
    void escapeExitsFromAnywhere_data();
    void escapeExitsFromAnywhere();
    void accessKeysClickTheirButtons();
    void convert_data();
    void convert();
    void convertAgainGivesTheSameOutputs();
};

void FrmRadixorTest::controlsSitWhereDrawn()
{
    frmRadixor form;
    QVERIFY(shown(form));
    for (const Row &row : drawn) {
        const QString what = QStringLiteral("%1 %2").arg(QLatin1String(row.name)).arg(row.digit);
        QWidget *w = control(form, row);
        QVERIFY2(w, qPrintable(what));
        QCOMPARE(w->objectName(), QLatin1String(row.name));
        QVERIFY2(w->inherits(row.kind), qPrintable(what));
        QCOMPARE(w->parentWidget()->objectName(), QLatin1String(row.inFrame ? "Frame1" : "frmRadixor"));
        QCOMPARE(caption(w), QLatin1String(row.caption));
        QCOMPARE(w->pos(), QPoint(row.left / 15, row.top / 15));
        if (qobject_cast<QLabel *>(w)) {
            const QFontMetrics metrics(w->font());
            const QString text = QLatin1String(row.caption);
            QCOMPARE(w->size(), metrics.boundingRect(QRect(), Qt::TextSingleLine, text).size());
            QCOMPARE(w->height(), 13);
        } else {
            QCOMPARE(w->size(), QSize(row.width / 15, row.height / 15));
        }
    }
    QCOMPARE(form.findChildren<QWidget *>().size(), qsizetype(std::size(drawn)));
    for (int digit = 0; digit < 10; ++digit)
        QCOMPARE(keypad(form, digit)->parentWidget(), &form);
}

void FrmRadixorTest::frontToBackOrder()
{
    frmRadixor form;
    QVERIFY(shown(form));
    for (const char *name : outputBoxes) {
        QLineEdit *out = box(form, name);
        QCOMPARE(form.childAt(out->geometry().center()), out);
    }

    QStringList expected, onWindow;
    for (const Row &row : drawn)
        if (!row.inFrame)
            expected << (row.digit >= 0 ? QStringLiteral("Btn %1").arg(row.digit) : QLatin1String(row.name));
    for (QObject *child : form.children())
        if (auto *w = qobject_cast<QWidget *>(child))
            onWindow.prepend(label(w));
    QCOMPARE(onWindow, expected);

    QStringList inFrame;
    for (QObject *child : form.findChild<QWidget *>(QStringLiteral("Frame1"))->children())
        if (auto *w = qobject_cast<QWidget *>(child))
            inFrame.prepend(w->objectName());
    QCOMPARE(inFrame, QStringList({"Label4", "Label3", "Label2", "Label1"}));
}

void FrmRadixorTest::windowIsFixedAndTitled()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Decimal/Binary/Hex/Octal Radixor"));
    QCOMPARE(form.size(), QSize(424, 212));
    QCOMPARE(form.minimumSize(), QSize(424, 212));
    QCOMPARE(form.maximumSize(), QSize(424, 212));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

void FrmRadixorTest::outputBoxesAreReadOnlyBorderlessTabStops()
{
    frmRadixor form;
    QVERIFY(shown(form));
    const QColor face = form.palette().color(QPalette::Window);
    for (const char *name : outputBoxes) {
        QLineEdit *out = box(form, name);
        QVERIFY2(out->isReadOnly(), name);
        QVERIFY2(!out->hasFrame(), name);
        QVERIFY2(out->focusPolicy() & Qt::TabFocus, name);
        QCOMPARE(out->text(), QString());
        // Drawn, not just configured: an empty box shows nothing but its background.
        const QImage drawnBox = out->grab().toImage();
        QCOMPARE(drawnBox.pixelColor(drawnBox.width() / 2, drawnBox.height() / 2), face);
    }
    const QImage entry = box(form, "txtRadixor")->grab().toImage();
    QVERIFY(entry.pixelColor(entry.width() - 4, entry.height() / 2) != face);
}

void FrmRadixorTest::everyControlHasA13PixelLine()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QCOMPARE(QFontMetrics(form.font()).height(), 13);
    for (const Row &row : drawn)
        QCOMPARE(QFontMetrics(control(form, row)->font()).height(), 13);
}

void FrmRadixorTest::tabVisitsInTabIndexOrder()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QCOMPARE(focused(), box(form, "txtRadixor"));
    const QStringList forward = {
        "Btn 9", "Btn 8", "Btn 7", "Btn 6", "Btn 5", "Btn 4", "Btn 3", "Btn 2", "Btn 1",
        "cmdConvert", "Btn 0", "cmdExit", "cmdClear",
        "txtDec", "txtBin", "txtHex", "txtOct", "txtRadixor",
    };
    QCOMPARE(tabWalk(form, Qt::NoModifier, int(forward.size())), forward);

    QStringList backward(forward.crbegin() + 1, forward.crend());
    backward << "txtRadixor";
    QCOMPARE(tabWalk(form, Qt::ShiftModifier, int(backward.size())), backward);
    QCOMPARE(box(form, "txtRadixor")->text(), QStringLiteral("0"));
}

void FrmRadixorTest::enterRunsTheDefaultOrFocusedButton()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    type(form, "255");
    press(form, Qt::Key_Left);
    press(form, Qt::Key_Return);
    QCOMPARE(box(form, "txtHex")->text(), QStringLiteral("FF"));
    // The focus never left the entry, yet the whole of it is selected.
    QCOMPARE(focused(), entry);
    QCOMPARE(entry->selectedText(), QStringLiteral("255"));

    // On a keypad button Enter clicks that button, not Convert.
    click(keypad(form, 5));
    press(form, Qt::Key_Return);
    QCOMPARE(entry->text(), QStringLiteral("25555"));
    QCOMPARE(focused(), keypad(form, 5));
    QCOMPARE(box(form, "txtDec")->text(), QStringLiteral("255"));

    // From an output box Enter is Convert again.
    QTest::mouseClick(box(form, "txtBin"), Qt::LeftButton);
    QCOMPARE(focused(), box(form, "txtBin"));
    press(form, Qt::Key_Enter);
    QCOMPARE(box(form, "txtDec")->text(), QStringLiteral("25555"));
    QCOMPARE(focused(), entry);

    // Focused Clear takes Enter for itself.
    click(button(form, "cmdClear"));
    type(form, "9");
    for (int i = 0; i < 5; ++i)
        press(form, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focused(), button(form, "cmdClear"));
    press(form, Qt::Key_Return);
    QCOMPARE(entry->text(), QString());
    QCOMPARE(box(form, "txtDec")->text(), QString());
}

void FrmRadixorTest::escapeExitsFromAnywhere_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("entry") << "txtRadixor";
    QTest::newRow("output box") << "txtHex";
    QTest::newRow("keypad") << "Btn";
    QTest::newRow("Convert") << "cmdConvert";
    QTest::newRow("Clear") << "cmdClear";
}

void FrmRadixorTest::escapeExitsFromAnywhere()
{
    QFETCH(QString, target);
    frmRadixor form;
    QVERIFY(shown(form));
    QWidget *w = target == u"Btn" ? keypad(form, 5) : form.findChild<QWidget *>(target);
    tabTo(form, w);
    QCOMPARE(focused(), w);
    QSignalSpy finished(&form, &QDialog::finished);
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    press(form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(beeped.size(), 0);
}

void FrmRadixorTest::accessKeysClickTheirButtons()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    type(form, "12");
    QSignalSpy beeped(&form, &frmRadixor::beeped);

    press(form, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(box(form, "txtOct")->text(), QStringLiteral("14"));
    QCOMPARE(entry->text(), QStringLiteral("12"));

    press(form, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(entry->text(), QString());
    QCOMPARE(box(form, "txtOct")->text(), QString());
    QCOMPARE(focused(), entry);

    QSignalSpy finished(&form, &QDialog::finished);
    press(form, Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!form.isVisible());
    QCOMPARE(beeped.size(), 0);
}

void FrmRadixorTest::convert_data()
{
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("keypadDigit");
    QTest::addColumn<QString>("dec");
    QTest::addColumn<QString>("bin");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("oct");
    QTest::addColumn<double>("value");

    const QString tooBig = QStringLiteral("Too big");
    QTest::newRow("5") << false << "5" << -1 << "5" << "101" << "5" << "5" << 5.0;
    QTest::newRow("05 from the keypad") << false << "" << 5 << "05" << "101" << "5" << "5" << 5.0;
    QTest::newRow("empty") << true << "" << -1 << "0" << "0" << "0" << "0" << 0.0;
    QTest::newRow("0042") << false << "0042" << -1 << "0042" << "101010" << "2A" << "52" << 42.0;
    QTest::newRow("1073741824") << false << "1073741824" << -1 << "1073741824" << "1" + QString(30, u'0')
                                << "40000000" << "10000000000" << 1073741824.0;
    QTest::newRow("2^31 - 1") << false << "2147483647" << -1 << "2147483647" << QString(31, u'1') << "7FFFFFFF"
                              << "17777777777" << 2147483647.0;
    QTest::newRow("2^31") << false << "2147483648" << -1 << "2147483648" << tooBig << tooBig << tooBig
                          << 2147483648.0;
    QTest::newRow("2^32 - 1") << false << "4294967295" << -1 << "4294967295" << tooBig << tooBig << tooBig
                              << 4294967295.0;
    QTest::newRow("twenty nines") << false << QString(20, u'9') << -1 << QString(20, u'9') << tooBig << tooBig
                                  << tooBig << 1e20;
    QTest::newRow("400 nines") << false << QString(400, u'9') << -1 << QString(400, u'9') << tooBig << tooBig
                               << tooBig << std::numeric_limits<double>::infinity();
}

void FrmRadixorTest::convert()
{
    QFETCH(bool, clearFirst);
    QFETCH(QString, typed);
    QFETCH(int, keypadDigit);
    QFETCH(QString, dec);
    QFETCH(QString, bin);
    QFETCH(QString, hex);
    QFETCH(QString, oct);
    QFETCH(double, value);

    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    QVERIFY(!form.kept().has_value());
    if (clearFirst)
        click(button(form, "cmdClear"));
    type(form, typed);
    if (keypadDigit >= 0)
        click(keypad(form, keypadDigit));
    click(button(form, "cmdConvert"));

    QCOMPARE(entry->text(), dec);
    QCOMPARE(box(form, "txtDec")->text(), dec);
    QCOMPARE(box(form, "txtBin")->text(), bin);
    QCOMPARE(box(form, "txtHex")->text(), hex);
    QCOMPARE(box(form, "txtOct")->text(), oct);
    QCOMPARE(focused(), entry);
    QCOMPARE(entry->selectedText(), dec);
    QCOMPARE(entry->selectionStart(), 0);
    QVERIFY(form.kept().has_value());
    QCOMPARE(*form.kept(), value);
}

void FrmRadixorTest::convertAgainGivesTheSameOutputs()
{
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, "65535");
    const auto shownTexts = [&form] {
        QStringList texts;
        for (const char *name : outputBoxes)
            texts << box(form, name)->text();
        return texts << box(form, "txtRadixor")->text() << box(form, "txtRadixor")->selectedText();
    };
    click(button(form, "cmdConvert"));
    const QStringList first = shownTexts();
    QCOMPARE(first, QStringList({"65535", QString(16, u'1'), "FFFF", "177777", "65535", "65535"}));
    click(button(form, "cmdConvert"));
    QCOMPARE(shownTexts(), first);
    press(form, Qt::Key_Return);
    QCOMPARE(shownTexts(), first);
}

QTEST_MAIN(FrmRadixorTest)
#include "frmradixor_test.moc"
