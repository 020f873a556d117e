#include "radixortest.h"

#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

using namespace radixortest;

namespace {

// Puts text into the entry at its caret by one of the ways around the
// keystroke filter.
void insert(const Radixor &r, const QString &route, const QString &text)
{
    if (route == u"Shift+Insert") {
        setClipboard(text);
        r.press(Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == u"context menu") {
        setClipboard(text);
        const std::unique_ptr<QMenu> menu(r.entry->createStandardContextMenu());
        for (QAction *action : menu->actions())
            if (action->text().startsWith(u"&Paste"))
                action->trigger();
    } else if (route == u"input method") {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(r.entry, &commit);
    } else {
        QMimeData data;
        data.setText(text);
        const QPoint end(r.entry->width() - 2, r.entry->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(r.entry, &enter);
        QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(r.entry, &move);
        QDropEvent drop(QPointF(end), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(r.entry, &drop);
    }
}

}  // namespace

class EntryTest : public QObject
{
    Q_OBJECT

private slots:
    void keypadAppendsAtTheEnd_data();
    void keypadAppendsAtTheEnd();
    void refusedKeysOnlyBeep_data();
    void refusedKeysOnlyBeep();
    void digitsBackspaceAndMovesPassSilently();
    void noMaximumLength();
    void insertionsTakeDigitsOnly_data();
    void insertionsTakeDigitsOnly();
    void clearEmptiesAllButKeepsDecnum();
    void outputBoxRefusesTypingButCopies();
    void mouseClickPlacesTheCaret();
};

void EntryTest::keypadAppendsAtTheEnd_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("expected");
    QTest::newRow("after Clear") << "" << "" << "7" << "7";
    QTest::newRow("all selected") << "123" << "Shift+Home" << "4" << "1234";
    QTest::newRow("caret at start") << "123" << "Home" << "45" << "12345";
    QTest::newRow("caret inside") << "123" << "Left" << "0" << "1230";
}

void EntryTest::keypadAppendsAtTheEnd()
{
    QFETCH(QString, before);
    QFETCH(QString, moves);
    QFETCH(QString, digits);
    QFETCH(QString, expected);
    Radixor r;
    QVERIFY(r.active);
    r.retype(before);
    r.keys(moves);
    for (const QChar digit : digits)
        click(r.keypad(digit.digitValue()));
    QCOMPARE(r.entry->text(), expected);
    QCOMPARE(focused(), r.keypad(digits.back().digitValue()));
    QCOMPARE(r.outputs(), QStringList(4));
    QCOMPARE(r.beeps.size(), 0);
}

void EntryTest::refusedKeysOnlyBeep_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chord");
    for (const char16_t *c : {u"a", u"Z", u" ", u"-", u"+", u".", u",", u"\u0663", u"\u0966", u"\uFF15", u"\u00B2",
                              u"\u00E9", u"\U0001D7D8"}) {
        const QString typed = QString::fromUtf16(c);
        QTest::addRow("U+%04X", unsigned(typed.toUcs4().front())) << typed << QString();
    }
    for (const char *chord : {"Ctrl+A", "Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z", "Ctrl+K",
                              "Ctrl+Backspace"})
        QTest::newRow(chord) << QString() << chord;
}

// Nothing typed, selected, copied, cut, pasted or undone: one beep only.
void EntryTest::refusedKeysOnlyBeep()
{
    QFETCH(QString, typed);
    QFETCH(QString, chord);
    Radixor r;
    QVERIFY(r.active);
    r.retype("123");
    r.keys("Shift+Left, Shift+Left");
    setClipboard(QStringLiteral("777"));
    r.beeps.clear();
    r.type(typed);
    r.keys(chord);
    QCOMPARE(r.entry->text(), QStringLiteral("123"));
    QCOMPARE(r.entry->selectedText(), QStringLiteral("23"));
    QCOMPARE(clipboard(), QStringLiteral("777"));
    QCOMPARE(r.beeps.size(), 1);
}

void EntryTest::digitsBackspaceAndMovesPassSilently()
{
    Radixor r;
    QVERIFY(r.active);
    r.retype("0123456789");
    QCOMPARE(r.entry->text(), QStringLiteral("0123456789"));
    r.keys("Backspace, Shift+Left, Shift+Left, Backspace");
    QCOMPARE(r.entry->text(), QStringLiteral("0123456"));
    r.keys("Ctrl+H");  // character 8 as well
    QCOMPARE(r.entry->text(), QStringLiteral("012345"));

    // X11 sends Delete with the DEL character as its text.
    const QString del(QChar(0x7F));
    r.keys("Home");
    r.pressText(del, Qt::Key_Delete);
    QCOMPARE(r.entry->text(), QStringLiteral("12345"));
    r.keys("Right");
    QCOMPARE(r.entry->cursorPosition(), 1);
    r.keys("End, Left, Shift+Home");
    QCOMPARE(r.entry->selectedText(), QStringLiteral("1234"));
    r.pressText(del, Qt::Key_Delete);
    QCOMPARE(r.entry->text(), QStringLiteral("5"));
    QCOMPARE(r.beeps.size(), 0);
}

void EntryTest::noMaximumLength()
{
    Radixor r;
    QVERIFY(r.active);
    r.entry->setText(QString(32767, u'1'));  // where a line edit stops by default
    click(r.keypad(2));
    QCOMPARE(r.entry->text().size(), 32768);
    click(r.entry);
    r.press(Qt::Key_End);
    r.type("3");
    QCOMPARE(r.entry->text().size(), 32769);
    QVERIFY(r.entry->text().endsWith(u"123"));
}

void EntryTest::insertionsTakeDigitsOnly_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("after");  // as before: refused
    QTest::addColumn<int>("caret");      // -1: not checked
    const std::tuple<const char *, QString, bool> pieces[] = {
        {"digits", "42", true},
        {"blanks around", " \t42 \n", true},
        {"long run", QString(500, u'7'), true},
        {"blank inside", "4 2", false},
        {"line break inside", "4\n2", false},
        {"minus", "-42", false},
        {"decimal point", "4.2", false},
        {"exponent", "4e2", false},
        {"hex prefix", "0x2A", false},
        {"Arabic-Indic", QString::fromUtf16(u"\u0664\u0662"), false},
        {"full-width", QString::fromUtf16(u"\uFF14\uFF12"), false},
    };
    for (const char *route : {"Shift+Insert", "context menu", "input method", "drop"})
        for (const auto &[tag, piece, taken] : pieces)
            QTest::addRow("%s, %s", route, tag)
                << route << "1" << "" << piece << (taken ? "1" + piece.trimmed() : "1") << -1;

    // Digits either side of the caret that repeat the pasted ones must not
    // hide where the piece, and so its blanks, begins and ends.
    const auto paste = [](const char *tag, const char *before, const char *moves, const QString &piece,
                          const char *after, int caret) {
        QTest::newRow(tag) << "Shift+Insert" << before << moves << piece << after << caret;
    };
    paste("at the start", "05", "Home", "07 ", "0705", 2);
    paste("ideographic blanks", "0705", "Home", QString::fromUtf16(u"\u3000\u30000"), "00705", 1);
    paste("caret inside", "00705", "End, Left", " 0 ", "007005", 5);
    paste("over a selection", "007005", "End, Left, Shift+Left", " 9 ", "007095", 5);
    paste("blank inside at the start", "007095", "Home", "0 0", "007095", 0);
    paste("letter over everything", "12", "Shift+Home", "x", "12", -1);
}

void EntryTest::insertionsTakeDigitsOnly()
{
    QFETCH(QString, route);
    QFETCH(QString, before);
    QFETCH(QString, moves);
    QFETCH(QString, piece);
    QFETCH(QString, after);
    QFETCH(int, caret);
    Radixor r;
    QVERIFY(r.active);
    r.retype(before);
    r.keys(moves);
    r.beeps.clear();
    insert(r, route, piece);
    QCOMPARE(r.entry->text(), after);
    QCOMPARE(r.beeps.size(), after == before ? 1 : 0);
    if (caret >= 0)
        QCOMPARE(r.entry->cursorPosition(), caret);
}

void EntryTest::clearEmptiesAllButKeepsDecnum()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("12");
    r.keys("Return, Tab");
    QCOMPARE(focused(), r.keypad(9));
    r.click("cmdClear");
    QCOMPARE(r.entry->text(), QString());
    QCOMPARE(r.outputs(), QStringList(4));
    QCOMPARE(focused(), r.entry);
    QCOMPARE(r.form.kept(), std::optional<double>(12.0));
    QCOMPARE(r.beeps.size(), 0);
}

void EntryTest::outputBoxRefusesTypingButCopies()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("255");
    r.keys("Return");
    QLineEdit *hex = r.box("txtHex");
    r.tabTo(hex);
    setClipboard(QStringLiteral("9"));
    r.type("12a");
    r.keys("Backspace, Delete, Ctrl+V, Ctrl+X");
    r.keys("Shift+Insert");
    QCOMPARE(hex->text(), QStringLiteral("FF"));
    QCOMPARE(clipboard(), QStringLiteral("9"));
    QCOMPARE(r.beeps.size(), 0);
    r.keys("Shift+Tab, Tab, Ctrl+C");
    QCOMPARE(clipboard(), QStringLiteral("FF"));
}

// Qt's line edit, not ours, decides what a click does once the focus has
// arrived: GotFocus selects the whole text, then the press puts the caret
// where the mouse is and the selection goes.
void EntryTest::mouseClickPlacesTheCaret()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("255");
    r.press(Qt::Key_Return);
    for (QLineEdit *box : {r.box("txtHex"), r.entry}) {
        QStringList selections;
        const auto seen = connect(box, &QLineEdit::selectionChanged, this, [&] { selections << box->selectedText(); });
        const bool atEnd = box == r.entry;
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(atEnd ? box->width() - 4 : 1, box->height() / 2));
        disconnect(seen);
        QCOMPARE(focused(), box);
        QCOMPARE(selections, QStringList({box->text(), ""}));
        QCOMPARE(box->cursorPosition(), atEnd ? 3 : 0);
    }
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
