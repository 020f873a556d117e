#include "radixortest.h"

#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>
#include <string_view>

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
    void pasteTrimsWhereverTheCaretIs();
    void clearEmptiesAllButKeepsDecnum();
    void outputBoxRefusesTypingButCopies();
    void mouseClickPlacesTheCaret();
};

void EntryTest::keypadAppendsAtTheEnd_data()
{
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("moveKey");
    QTest::addColumn<int>("moveModifiers");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start-up, 0 selected") << false << "" << 0 << 0 << "5" << "05";
    QTest::newRow("after Clear") << true << "" << 0 << 0 << "7" << "7";
    QTest::newRow("all selected") << true << "123" << int(Qt::Key_Home) << int(Qt::ShiftModifier) << "4" << "1234";
    QTest::newRow("caret at start") << true << "123" << int(Qt::Key_Home) << 0 << "45" << "12345";
    QTest::newRow("caret inside") << true << "123" << int(Qt::Key_Left) << 0 << "0" << "1230";
}

void EntryTest::keypadAppendsAtTheEnd()
{
    QFETCH(bool, clearFirst);
    QFETCH(QString, typed);
    QFETCH(int, moveKey);
    QFETCH(int, moveModifiers);
    QFETCH(QString, digits);
    QFETCH(QString, expected);
    Radixor r;
    QVERIFY(r.active);
    if (clearFirst)
        r.retype(typed);
    if (moveKey)
        r.press(Qt::Key(moveKey), Qt::KeyboardModifiers(moveModifiers));
    for (const QChar digit : digits)
        click(r.keypad(digit.digitValue()));
    QCOMPARE(r.entry->text(), expected);
    QCOMPARE(focused(), r.keypad(digits.back().digitValue()));
    QCOMPARE(r.outputs(), QStringList(4));
    QCOMPARE(r.beeps.size(), 0);
}

void EntryTest::refusedKeysOnlyBeep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (const char16_t *c : {u"a", u"Z", u" ", u"-", u"+", u".", u",", u"\u0663", u"\u0966", u"\uFF15", u"\u00B2",
                              u"\u00E9", u"\U0001D7D8"}) {
        const QString text = QString::fromUtf16(c);
        QTest::addRow("U+%04X", unsigned(text.toUcs4().front())) << text << 0 << 0;
    }
    const int ctrl = Qt::ControlModifier;
    for (const char letter : std::string_view("ACVXZYK"))
        QTest::addRow("Ctrl+%c", letter) << QString() << Qt::Key_A + (letter - 'A') << ctrl;
    QTest::newRow("Ctrl+Shift+Z") << QString() << int(Qt::Key_Z) << (ctrl | int(Qt::ShiftModifier));
    QTest::newRow("Ctrl+Backspace") << QString() << int(Qt::Key_Backspace) << ctrl;
}

// Nothing typed, selected, copied, cut, pasted or undone: one beep only.
void EntryTest::refusedKeysOnlyBeep()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Radixor r;
    QVERIFY(r.active);
    r.retype("123");
    r.press(Qt::Key_Left, Qt::ShiftModifier);
    r.press(Qt::Key_Left, Qt::ShiftModifier);
    setClipboard(QStringLiteral("777"));
    r.beeps.clear();
    if (text.isEmpty())
        r.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    else
        r.type(text);
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
    r.press(Qt::Key_Backspace);
    r.press(Qt::Key_Left, Qt::ShiftModifier);
    r.press(Qt::Key_Left, Qt::ShiftModifier);
    r.press(Qt::Key_Backspace);
    QCOMPARE(r.entry->text(), QStringLiteral("0123456"));
    r.press(Qt::Key_H, Qt::ControlModifier);  // character 8 as well
    QCOMPARE(r.entry->text(), QStringLiteral("012345"));

    // X11 sends Delete with the DEL character as its text.
    const QString del(QChar(0x7F));
    r.press(Qt::Key_Home);
    r.pressText(del, Qt::Key_Delete);
    QCOMPARE(r.entry->text(), QStringLiteral("12345"));
    r.press(Qt::Key_Right);
    QCOMPARE(r.entry->cursorPosition(), 1);
    r.press(Qt::Key_End);
    r.press(Qt::Key_Left);
    r.press(Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(r.entry->selectedText(), QStringLiteral("1234"));
    r.pressText(del, Qt::Key_Delete);
    QCOMPARE(r.entry->text(), QStringLiteral("5"));
    r.press(Qt::Key_Return);
    QCOMPARE(r.box("txtOct")->text(), QStringLiteral("5"));
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
    QTest::addColumn<QString>("piece");
    QTest::addColumn<bool>("taken");
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
            QTest::addRow("%s, %s", route, tag) << route << piece << taken;
}

void EntryTest::insertionsTakeDigitsOnly()
{
    QFETCH(QString, route);
    QFETCH(QString, piece);
    QFETCH(bool, taken);
    Radixor r;
    QVERIFY(r.active);
    r.retype("1");
    r.beeps.clear();
    insert(r, route, piece);
    QCOMPARE(r.entry->text(), taken ? "1" + piece.trimmed() : QStringLiteral("1"));
    QCOMPARE(r.beeps.size(), taken ? 0 : 1);
}

// Digits either side of the caret that repeat the pasted ones must not
// hide where the piece, and so its blanks, begins and ends.
void EntryTest::pasteTrimsWhereverTheCaretIs()
{
    Radixor r;
    QVERIFY(r.active);
    const auto paste = [&r](const QString &clip) { insert(r, QStringLiteral("Shift+Insert"), clip); };
    r.retype("05");
    r.press(Qt::Key_Home);
    paste(QStringLiteral("07 "));
    QCOMPARE(r.entry->text(), QStringLiteral("0705"));
    r.press(Qt::Key_Home);
    paste(QString::fromUtf16(u"\u3000\u30000"));
    QCOMPARE(r.entry->text(), QStringLiteral("00705"));
    r.press(Qt::Key_End);
    r.press(Qt::Key_Left);
    paste(QStringLiteral(" 0 "));
    QCOMPARE(r.entry->text(), QStringLiteral("007005"));
    QCOMPARE(r.entry->cursorPosition(), 5);
    r.press(Qt::Key_Left, Qt::ShiftModifier);
    paste(QStringLiteral(" 9 "));
    QCOMPARE(r.entry->text(), QStringLiteral("007095"));
    QCOMPARE(r.entry->cursorPosition(), 5);
    QCOMPARE(r.beeps.size(), 0);

    r.press(Qt::Key_Home);
    paste(QStringLiteral("0 0"));
    r.press(Qt::Key_End, Qt::ShiftModifier);
    paste(QStringLiteral("x"));
    QCOMPARE(r.entry->text(), QStringLiteral("007095"));
    QCOMPARE(r.beeps.size(), 2);
}

void EntryTest::clearEmptiesAllButKeepsDecnum()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("12");
    r.press(Qt::Key_Return);
    r.press(Qt::Key_Tab);
    QCOMPARE(focused(), r.keypad(9));
    r.click("cmdClear");
    QCOMPARE(r.entry->text(), QString());
    QCOMPARE(r.outputs(), QStringList(4));
    QCOMPARE(focused(), r.entry);
    QCOMPARE(r.form.kept(), std::optional<double>(12.0));

    r.type("3");
    r.press(Qt::Key_Tab);
    r.press(Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(focused(), r.entry);
    QCOMPARE(r.entry->text(), QString());
    QCOMPARE(r.form.kept(), std::optional<double>(12.0));
    QCOMPARE(r.beeps.size(), 0);
}

void EntryTest::outputBoxRefusesTypingButCopies()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("255");
    r.press(Qt::Key_Return);
    QLineEdit *hex = r.box("txtHex");
    r.tabTo(hex);
    setClipboard(QStringLiteral("9"));
    r.type("12a");
    r.press(Qt::Key_Backspace);
    r.press(Qt::Key_Delete);
    r.press(Qt::Key_V, Qt::ControlModifier);
    r.press(Qt::Key_X, Qt::ControlModifier);
    r.press(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(hex->text(), QStringLiteral("FF"));
    QCOMPARE(clipboard(), QStringLiteral("9"));
    QCOMPARE(r.beeps.size(), 0);

    r.press(Qt::Key_Tab, Qt::ShiftModifier);
    r.press(Qt::Key_Tab);
    QCOMPARE(hex->selectedText(), QStringLiteral("FF"));
    r.press(Qt::Key_C, Qt::ControlModifier);
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
