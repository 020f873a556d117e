#include "radixortest.h"

#include "entryrules.h"

#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>

using namespace radixortest;

namespace {

// The entry's context menu as a right click opens it.
QMenu *openMenu(const Radixor &r)
{
    const QPoint at(2, r.entry->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, r.entry->mapToGlobal(at));
    QApplication::sendEvent(r.entry, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// Picks the menu's entry whose text starts with name: the menu closes, then
// the entry acts, as with a click.
void pick(QMenu *menu, const QString &name)
{
    QAction *picked = nullptr;
    for (QAction *action : menu->actions())
        if (action->text().startsWith(name))
            picked = action;
    QVERIFY(picked);
    menu->close();
    picked->trigger();
}

// Offers text to the entry as a drag that would move it, and reports
// whether enter, move and drop were each accepted.
QList<bool> drag(const Radixor &r, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPoint end(r.entry->width() - 2, r.entry->height() / 2);
    QDragEnterEvent enter(end, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(r.entry, &enter);
    QDragMoveEvent move(end, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(r.entry, &move);
    QDropEvent drop(QPointF(end), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(r.entry, &drop);
    return {enter.isAccepted(), move.isAccepted(), drop.isAccepted() && drop.dropAction() != Qt::IgnoreAction};
}

// Puts text into the entry at its caret by one of the ways around the
// keystroke filter.
void insert(const Radixor &r, const QString &route, const QString &text)
{
    if (route == u"Shift+Insert") {
        setClipboard(text);
        r.press(Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == u"context menu") {
        setClipboard(text);
        pick(openMenu(r), QStringLiteral("&Paste"));
    } else if (route == u"input method") {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(r.entry, &commit);
    } else {
        drag(r, text);
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
    void lengthLimitRefusesWholeInsertions();
    void insertionsTakeDigitsOnly_data();
    void insertionsTakeDigitsOnly();
    void refusedDropReportsNoMove();
    void contextMenuNamesNoKeysAndKeepsTheCaret();
    void clearEmptiesAllButKeepsDecnum();
    void outputBoxRefusesTypingButCopies();
    void clickOnResultSelectsItsText();
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

// Up to the limit every route inserts; past it each refuses whole, with
// one beep, and the entry stays as it was.
void EntryTest::lengthLimitRefusesWholeInsertions()
{
    const auto limit = qsizetype(radixor::entry::maxLength);
    Radixor r;
    QVERIFY(r.active);
    r.entry->setText(QString(limit - 3, u'1'));
    click(r.keypad(2));
    click(r.entry);
    r.keys("End");
    r.type("3");
    insert(r, "Shift+Insert", " 4 ");
    r.keys("Shift+Left");
    insert(r, "context menu", "5");  // in place of the selected 4
    const QString full = r.entry->text();
    QCOMPARE(full.size(), limit);
    QVERIFY(full.endsWith(u"11235"));
    QCOMPARE(r.beeps.size(), 0);

    r.keys("End");
    click(r.keypad(6));
    r.entry->setFocus();
    r.type("7");
    for (const char *route : {"Shift+Insert", "context menu", "input method"})
        insert(r, route, "8");
    r.keys("Shift+Left");
    insert(r, "Shift+Insert", "89");  // one more than it replaces
    QCOMPARE(r.beeps.size(), 6);
    // Digits dropped past the limit are refused as they are dropped, so
    // with the beep; the source keeps them.
    QCOMPARE(drag(r, " 8 "), QList<bool>({true, true, false}));
    QCOMPARE(r.beeps.size(), 7);
    QCOMPARE(r.entry->text(), full);
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
    for (const char *route : {"Shift+Insert", "context menu", "input method"})
        QTest::addRow("%s, blanks over a selection", route)
            << route << "12" << "Shift+Home" << QString::fromUtf16(u" \t\u3000") << "12" << -1;
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
    // A drag the entry refuses shows as refused while it hovers, and drops
    // nowhere: no beep.
    QCOMPARE(r.beeps.size(), after == before && route != u"drop" ? 1 : 0);
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

// A click that gives a result box the focus selects its whole text, ready
// to copy; a drag selects what it drags, and a click in the focused box
// places the caret. In the entry a click places the caret, as Qt's line
// edit does.
void EntryTest::clickOnResultSelectsItsText()
{
    Radixor r;
    QVERIFY(r.active);
    r.type("255");
    r.press(Qt::Key_Return);
    QLineEdit *hex = r.box("txtHex");
    const QPoint left(1, hex->height() / 2);
    QTest::mouseClick(hex, Qt::LeftButton, Qt::NoModifier, left);
    QCOMPARE(focused(), hex);
    QCOMPARE(hex->selectedText(), QStringLiteral("FF"));
    r.keys("Ctrl+C");
    QCOMPARE(clipboard(), QStringLiteral("FF"));
    QTest::mouseClick(hex, Qt::LeftButton, Qt::NoModifier, left);
    QVERIFY(!hex->hasSelectedText());
    QCOMPARE(hex->cursorPosition(), 0);

    QLineEdit *bin = r.box("txtBin");
    const int third = QFontMetrics(bin->font()).horizontalAdvance(QStringLiteral("111")) + 2;
    QTest::mousePress(bin, Qt::LeftButton, Qt::NoModifier, left);
    QTest::mouseMove(bin, QPoint(third, left.y()));
    QTest::mouseRelease(bin, Qt::LeftButton, Qt::NoModifier, QPoint(third, left.y()));
    QCOMPARE(focused(), bin);
    QCOMPARE(bin->selectedText(), QStringLiteral("111"));

    QTest::mouseClick(r.entry, Qt::LeftButton, Qt::NoModifier, QPoint(r.entry->width() - 4, r.entry->height() / 2));
    QCOMPARE(focused(), r.entry);
    QVERIFY(!r.entry->hasSelectedText());
    QCOMPARE(r.entry->cursorPosition(), 3);
}

// A drag that would move text the entry refuses is refused from its first
// hover: its source, told nothing was taken, keeps the text.
void EntryTest::refusedDropReportsNoMove()
{
    Radixor r;
    QVERIFY(r.active);
    r.retype("1");
    QCOMPARE(drag(r, "4-2"), QList<bool>({false, false, false}));
    QCOMPARE(r.entry->text(), QStringLiteral("1"));
    QCOMPARE(drag(r, " 42 "), QList<bool>({true, true, true}));
    QCOMPARE(r.entry->text(), QStringLiteral("142"));
}

// The menu offers Qt's entries without the chords the entry refuses, they
// work, and the focus coming back from the menu keeps the caret.
void EntryTest::contextMenuNamesNoKeysAndKeepsTheCaret()
{
    Radixor r;
    QVERIFY(r.active);
    r.retype("12");
    QMenu *menu = openMenu(r);
    QVERIFY(menu);
    QStringList names;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            names << action->text();
    QCOMPARE(names, QStringList({"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}));
    setClipboard(QStringLiteral("789"));
    pick(menu, QStringLiteral("&Paste"));
    QCOMPARE(r.entry->text(), QStringLiteral("12789"));
    pick(openMenu(r), QStringLiteral("Select All"));
    QCOMPARE(r.entry->selectedText(), QStringLiteral("12789"));
    QCOMPARE(r.beeps.size(), 0);
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
