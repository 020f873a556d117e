#include "frmradixor.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <map>
#include <set>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsAnnounced_data();
    void everyControlIsAnnounced();
    void onlyTheEntryCanBeEdited();
    void labelsAreTiedToWhatTheyName();
    void outputBoxesExposeTheirTextAfterConvert();
};

namespace {

// Btn members share one objectName; the rest are unique.
QWidget *control(frmRadixor &form, const QString &name, int index)
{
    if (index >= 0)
        return form.findChild<QButtonGroup *>(QStringLiteral("Btn"))->button(index);
    return form.findChild<QWidget *>(name);
}

QString key(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w); button && button->group())
        return QStringLiteral("Btn(%1)").arg(button->group()->id(button));
    return w->objectName();
}

QList<QWidget *> allControls(frmRadixor &form)
{
    return form.findChildren<QWidget *>();
}

QAccessibleInterface *iface(QWidget *w)
{
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(w);
    if (!found)
        qFatal("no accessible interface for %s", qPrintable(key(w)));
    return found;
}

}  // namespace

void AccessibilityTest::everyControlIsAnnounced_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<int>("role");

    const auto row = [](const char *name, int index, const char *spoken, QAccessible::Role role) {
        const QString tag = index >= 0 ? QStringLiteral("Btn(%1)").arg(index) : QString::fromLatin1(name);
        QTest::newRow(qPrintable(tag)) << QString::fromLatin1(name) << index << QString::fromLatin1(spoken) << int(role);
    };
    row("txtRadixor", -1, "Decimal number", QAccessible::EditableText);
    row("txtDec", -1, "Decimal", QAccessible::EditableText);
    row("txtBin", -1, "Binary", QAccessible::EditableText);
    row("txtHex", -1, "Hexadecimal", QAccessible::EditableText);
    row("txtOct", -1, "Octal", QAccessible::EditableText);
    row("cmdConvert", -1, "Convert", QAccessible::Button);
    row("cmdClear", -1, "Clear", QAccessible::Button);
    row("cmdExit", -1, "Exit", QAccessible::Button);
    const char *digits[] = {"Digit 0", "Digit 1", "Digit 2", "Digit 3", "Digit 4",
                            "Digit 5", "Digit 6", "Digit 7", "Digit 8", "Digit 9"};
    for (int i = 0; i < 10; ++i)
        row("Btn", i, digits[i], QAccessible::Button);
    row("Frame1", -1, "Radixar", QAccessible::Grouping);
    row("Label1", -1, "Dec = ", QAccessible::StaticText);
    row("Label2", -1, "Bin = ", QAccessible::StaticText);
    row("Label3", -1, "Hex = ", QAccessible::StaticText);
    row("Label4", -1, "Oct = ", QAccessible::StaticText);
}

void AccessibilityTest::everyControlIsAnnounced()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, spoken);
    QFETCH(int, role);

    frmRadixor form;
    form.show();
    QWidget *w = control(form, name, index);
    QVERIFY(w);
    QAccessibleInterface *a = iface(w);
    QCOMPARE(a->text(QAccessible::Name), spoken);
    QCOMPARE(a->role(), QAccessible::Role(role));
    QVERIFY(!a->state().invisible);
    // The window's accessible tree leads to the control, so a screen
    // reader that walks it from the top finds every one.
    QAccessibleInterface *up = a;
    while (up && up->object() != &form)
        up = up->parent();
    QVERIFY(up);
}

void AccessibilityTest::onlyTheEntryCanBeEdited()
{
    frmRadixor form;
    form.show();
    for (auto *box : form.findChildren<QLineEdit *>()) {
        const QAccessible::State state = iface(box)->state();
        const bool entry = box->objectName() == QLatin1String("txtRadixor");
        QVERIFY2(state.readOnly != entry, qPrintable(key(box)));
        QVERIFY2(state.selectableText, qPrintable(key(box)));
        QVERIFY2(state.focusable, qPrintable(key(box)));
        QVERIFY2(iface(box)->textInterface(), qPrintable(key(box)));
    }
    QVERIFY(iface(form.findChild<QWidget *>("cmdConvert"))->state().defaultButton);
    QVERIFY(!iface(form.findChild<QWidget *>("cmdExit"))->state().defaultButton);
}

void AccessibilityTest::labelsAreTiedToWhatTheyName()
{
    frmRadixor form;
    form.show();

    // Qt reports a label relation from one side or the other: a label names
    // the box it is the buddy of, a box names only the labels beside it.
    // Either side is enough for an assistive tool to pair them.
    std::map<QString, std::set<QString>> labelsOf;
    for (QWidget *w : allControls(form)) {
        labelsOf[key(w)];
        for (const auto &[other, relation] : iface(w)->relations(QAccessible::Label | QAccessible::Labelled)) {
            const QString otherKey = key(static_cast<QWidget *>(other->object()));
            if (relation & QAccessible::Label)
                labelsOf[key(w)].insert(otherKey);
            if (relation & QAccessible::Labelled)
                labelsOf[otherKey].insert(key(w));
        }
    }

    std::map<QString, std::set<QString>> expected;
    for (QWidget *w : allControls(form))
        expected[key(w)];
    expected["txtDec"] = {"Label1"};
    expected["txtBin"] = {"Label2"};
    expected["txtHex"] = {"Label3"};
    expected["txtOct"] = {"Label4"};
    for (const char *label : {"Label1", "Label2", "Label3", "Label4"})
        expected[label] = {"Frame1"};

    QCOMPARE(labelsOf.size(), std::size_t(23));
    for (const auto &[control, labels] : expected)
        QVERIFY2(labelsOf[control] == labels, qPrintable(control));
}

void AccessibilityTest::outputBoxesExposeTheirTextAfterConvert()
{
    frmRadixor form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *entry = form.findChild<QLineEdit *>("txtRadixor");
    QTest::keyClicks(entry, "2147483647");
    QTest::keyClick(entry, Qt::Key_Return);

    const std::pair<const char *, QString> shown[] = {
        {"txtDec", "2147483647"},
        {"txtBin", "1111111111111111111111111111111"},
        {"txtHex", "7FFFFFFF"},
        {"txtOct", "17777777777"},
    };
    for (const auto &[name, text] : shown) {
        QAccessibleInterface *a = iface(form.findChild<QWidget *>(name));
        QCOMPARE(a->text(QAccessible::Value), text);
        QAccessibleTextInterface *t = a->textInterface();
        QCOMPARE(t->characterCount(), int(text.size()));
        QCOMPARE(t->text(0, t->characterCount()), text);
    }

    QTest::keyClicks(entry, "2147483648");
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(iface(form.findChild<QWidget *>("txtBin"))->text(QAccessible::Value), QStringLiteral("Too big"));
    QCOMPARE(iface(form.findChild<QWidget *>("txtDec"))->text(QAccessible::Value), QStringLiteral("2147483648"));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
