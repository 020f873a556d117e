#include "radixortest.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>

#include <memory>

using namespace radixortest;

namespace {

QString clipboard()
{
    return QGuiApplication::clipboard()->text();
}

void setClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

// Leaves the entry holding text with the caret at its end and nothing selected.
void retype(const frmRadixor &form, const QString &text)
{
    click(button(form, "cmdClear"));
    type(form, text);
}

bool outputsEmpty(const frmRadixor &form)
{
    for (const char *name : outputBoxes)
        if (!box(form, name)->text().isEmpty())
            return false;
    return true;
}

}  // namespace

class EntryTest : public QObject
{
    Q_OBJECT

private slots:
    void startupTypingReplacesTheSelectedZero();
    void keypadAppendsAtTheEnd_data();
    void keypadAppendsAtTheEnd();
    void enterOnAKeypadButtonClicksItAgain();
    void refusedCharactersBeepOnce_data();
    void refusedCharactersBeepOnce();
    void digitsAndBackspacePassSilently();
    void chordsOnlyBeep_data();
    void chordsOnlyBeep();
    void keysWithoutACharacterKeepTheirEffect();
    void noMaximumLength();

    void pasteTakesDigitsOnly_data();
    void pasteTakesDigitsOnly();
    void pasteTrimsWhereverTheCaretIs();
    void pasteReplacesTheSelection();
    void contextMenuPasteIsFiltered();
    void inputMethodCommitIsFiltered();
    void dropIsFiltered();

    void clearEmptiesAllButKeepsDecnum();
    void clearThenKeypadHasNoLeadingZero();
    void exitCloses_data();
    void exitCloses();

    void tabIntoEntrySelectsAll();
    void tabIntoOutputBoxSelectsIt();
    void emptyBoxTakesTheFocus();
    void outputBoxRefusesTypingButCopies();
    void mouseClickPlacesTheCaret();
};

void EntryTest::startupTypingReplacesTheSelectedZero()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    QCOMPARE(focused(), entry);
    QCOMPARE(entry->selectedText(), QStringLiteral("0"));
    QVERIFY(outputsEmpty(form));
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    type(form, "5");
    QCOMPARE(entry->text(), QStringLiteral("5"));
    QCOMPARE(beeped.size(), 0);
}

void EntryTest::keypadAppendsAtTheEnd_data()
{
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("moveKey");
    QTest::addColumn<int>("moveModifiers");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start-up 0 selected") << false << "" << 0 << 0 << "5" << "05";
    QTest::newRow("empty entry") << true << "" << 0 << 0 << "123" << "123";
    QTest::newRow("all selected") << true << "123" << int(Qt::Key_Home) << int(Qt::ShiftModifier) << "4"
                                  << "1234";
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

    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    if (clearFirst)
        click(button(form, "cmdClear"));
    type(form, typed);
    if (moveKey)
        press(form, Qt::Key(moveKey), Qt::KeyboardModifiers(moveModifiers));
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    for (const QChar digit : digits)
        click(keypad(form, digit.digitValue()));
    QCOMPARE(entry->text(), expected);
    QCOMPARE(focused(), keypad(form, digits.back().digitValue()));
    QVERIFY(outputsEmpty(form));
    QCOMPARE(beeped.size(), 0);
}

void EntryTest::enterOnAKeypadButtonClicksItAgain()
{
    frmRadixor form;
    QVERIFY(shown(form));
    click(button(form, "cmdClear"));
    click(keypad(form, 4));
    press(form, Qt::Key_Return);
    QCOMPARE(box(form, "txtRadixor")->text(), QStringLiteral("44"));
    QCOMPARE(focused(), keypad(form, 4));
    QVERIFY(outputsEmpty(form));
    QVERIFY(!form.kept().has_value());
}

void EntryTest::refusedCharactersBeepOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letter") << "a";
    QTest::newRow("capital") << "Z";
    QTest::newRow("blank") << " ";
    QTest::newRow("minus") << "-";
    QTest::newRow("plus") << "+";
    QTest::newRow("decimal point") << ".";
    QTest::newRow("comma") << ",";
    QTest::newRow("Arabic-Indic three") << QString(QChar(0x0663));
    QTest::newRow("Devanagari zero") << QString(QChar(0x0966));
    QTest::newRow("full-width five") << QString(QChar(0xFF15));
    QTest::newRow("superscript two") << QString(QChar(0x00B2));
    QTest::newRow("e acute") << QString(QChar(0x00E9));
    QTest::newRow("double-struck zero") << QString::fromUcs4(U"\U0001D7D8");
}

void EntryTest::refusedCharactersBeepOnce()
{
    QFETCH(QString, text);
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "12");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    type(form, text);
    QCOMPARE(entry->text(), QStringLiteral("12"));
    QCOMPARE(entry->cursorPosition(), 2);
    QCOMPARE(beeped.size(), 1);
}

void EntryTest::digitsAndBackspacePassSilently()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    click(button(form, "cmdClear"));
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    type(form, "0123456789");
    QCOMPARE(entry->text(), QStringLiteral("0123456789"));
    press(form, Qt::Key_Backspace);
    QCOMPARE(entry->text(), QStringLiteral("012345678"));
    press(form, Qt::Key_Left, Qt::ShiftModifier);
    press(form, Qt::Key_Left, Qt::ShiftModifier);
    press(form, Qt::Key_Backspace);
    QCOMPARE(entry->text(), QStringLiteral("0123456"));
    // Ctrl+H makes character 8 too.
    press(form, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(entry->text(), QStringLiteral("012345"));
    QCOMPARE(beeped.size(), 0);
}

void EntryTest::chordsOnlyBeep_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+A select all") << int(Qt::Key_A) << ctrl;
    QTest::newRow("Ctrl+C copy") << int(Qt::Key_C) << ctrl;
    QTest::newRow("Ctrl+V paste") << int(Qt::Key_V) << ctrl;
    QTest::newRow("Ctrl+X cut") << int(Qt::Key_X) << ctrl;
    QTest::newRow("Ctrl+Z undo") << int(Qt::Key_Z) << ctrl;
    QTest::newRow("Ctrl+Y redo") << int(Qt::Key_Y) << ctrl;
    QTest::newRow("Ctrl+Shift+Z redo") << int(Qt::Key_Z) << (ctrl | int(Qt::ShiftModifier));
    QTest::newRow("Ctrl+K delete to end") << int(Qt::Key_K) << ctrl;
    QTest::newRow("Ctrl+Backspace delete word") << int(Qt::Key_Backspace) << ctrl;
}

void EntryTest::chordsOnlyBeep()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    // Typed, so there is something to undo; "23" selected, so there is
    // something to copy, cut or replace, and more to select.
    retype(form, "123");
    press(form, Qt::Key_Left, Qt::ShiftModifier);
    press(form, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(entry->selectedText(), QStringLiteral("23"));
    setClipboard(QStringLiteral("777"));
    QSignalSpy beeped(&form, &frmRadixor::beeped);

    press(form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(entry->text(), QStringLiteral("123"));
    QCOMPARE(entry->selectedText(), QStringLiteral("23"));
    QCOMPARE(clipboard(), QStringLiteral("777"));
    QCOMPARE(beeped.size(), 1);
}

void EntryTest::keysWithoutACharacterKeepTheirEffect()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "12345");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    // X11 sends Delete with the DEL character as its text.
    const QString del(QChar(0x7F));
    press(form, Qt::Key_Home);
    QCOMPARE(entry->cursorPosition(), 0);
    pressText(form, del, Qt::Key_Delete);
    QCOMPARE(entry->text(), QStringLiteral("2345"));
    press(form, Qt::Key_Right);
    QCOMPARE(entry->cursorPosition(), 1);
    press(form, Qt::Key_End);
    QCOMPARE(entry->cursorPosition(), 4);
    press(form, Qt::Key_Left);
    press(form, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(entry->selectedText(), QStringLiteral("234"));
    pressText(form, del, Qt::Key_Delete);
    QCOMPARE(entry->text(), QStringLiteral("5"));
    press(form, Qt::Key_Return);
    QCOMPARE(box(form, "txtOct")->text(), QStringLiteral("5"));
    QCOMPARE(beeped.size(), 0);
}

void EntryTest::noMaximumLength()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    // 32767 is where a line edit stops by default.
    entry->setText(QString(32767, u'1'));
    click(keypad(form, 2));
    QCOMPARE(entry->text().size(), 32768);
    click(entry);
    press(form, Qt::Key_End);
    type(form, "3");
    QCOMPARE(entry->text().size(), 32769);
    QVERIFY(entry->text().endsWith(u"123"));
}

void EntryTest::pasteTakesDigitsOnly_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits") << "42" << "142" << 0;
    QTest::newRow("blanks around") << " \t42 \n" << "142" << 0;
    QTest::newRow("long run") << QString(500, u'7') << "1" + QString(500, u'7') << 0;
    QTest::newRow("blank inside") << "4 2" << "1" << 1;
    QTest::newRow("line break inside") << "4\n2" << "1" << 1;
    QTest::newRow("minus") << "-42" << "1" << 1;
    QTest::newRow("decimal point") << "4.2" << "1" << 1;
    QTest::newRow("exponent") << "4e2" << "1" << 1;
    QTest::newRow("hex prefix") << "0x2A" << "1" << 1;
    QTest::newRow("Arabic-Indic") << QString::fromUtf16(u"\u0664\u0662") << "1" << 1;
    QTest::newRow("full-width") << QString::fromUtf16(u"\uFF14\uFF12") << "1" << 1;
}

void EntryTest::pasteTakesDigitsOnly()
{
    QFETCH(QString, clip);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    frmRadixor form;
    QVERIFY(shown(form));
    retype(form, "1");
    setClipboard(clip);
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    press(form, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(box(form, "txtRadixor")->text(), expected);
    QCOMPARE(beeped.size(), beeps);
}

// Digits either side of the caret that repeat the pasted ones must not
// hide where the piece, and so its blanks, begins and ends.
void EntryTest::pasteTrimsWhereverTheCaretIs()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    const auto paste = [&form](const QString &clip) {
        setClipboard(clip);
        press(form, Qt::Key_Insert, Qt::ShiftModifier);
    };
    retype(form, "05");
    press(form, Qt::Key_Home);
    paste(QStringLiteral("07 "));
    QCOMPARE(entry->text(), QStringLiteral("0705"));
    press(form, Qt::Key_Home);
    paste(QString::fromUtf16(u"\u3000\u30000"));
    QCOMPARE(entry->text(), QStringLiteral("00705"));
    press(form, Qt::Key_End);
    press(form, Qt::Key_Left);
    paste(QStringLiteral(" 0 "));
    QCOMPARE(entry->text(), QStringLiteral("007005"));
    QCOMPARE(entry->cursorPosition(), 5);
    QCOMPARE(beeped.size(), 0);
    press(form, Qt::Key_Home);
    paste(QStringLiteral("0 0"));
    QCOMPARE(entry->text(), QStringLiteral("007005"));
    QCOMPARE(beeped.size(), 1);
}

void EntryTest::pasteReplacesTheSelection()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "123");
    press(form, Qt::Key_Left);
    press(form, Qt::Key_Left, Qt::ShiftModifier);
    setClipboard(QStringLiteral(" 9 "));
    press(form, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(entry->text(), QStringLiteral("193"));
    QCOMPARE(entry->cursorPosition(), 2);

    press(form, Qt::Key_Home, Qt::ShiftModifier);
    setClipboard(QStringLiteral("x"));
    press(form, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(entry->text(), QStringLiteral("193"));
}

void EntryTest::contextMenuPasteIsFiltered()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "1");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    const auto pasteFromMenu = [entry] {
        std::unique_ptr<QMenu> menu(entry->createStandardContextMenu());
        for (QAction *action : menu->actions())
            if (action->text().startsWith(u"&Paste"))
                return action->trigger(), true;
        return false;
    };
    setClipboard(QStringLiteral("2-3"));
    QVERIFY(pasteFromMenu());
    QCOMPARE(entry->text(), QStringLiteral("1"));
    QCOMPARE(beeped.size(), 1);
    setClipboard(QStringLiteral("23"));
    QVERIFY(pasteFromMenu());
    QCOMPARE(entry->text(), QStringLiteral("123"));
    QCOMPARE(beeped.size(), 1);
}

void EntryTest::inputMethodCommitIsFiltered()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    const auto commit = [entry](const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(entry, &event);
    };
    commit(QStringLiteral("12"));
    QCOMPARE(entry->text(), QStringLiteral("12"));
    commit(QString::fromUtf16(u"\u0663"));
    QCOMPARE(entry->text(), QStringLiteral("12"));
    QCOMPARE(beeped.size(), 1);
    commit(QStringLiteral("3x"));
    QCOMPARE(entry->text(), QStringLiteral("12"));
    QCOMPARE(beeped.size(), 2);
    commit(QStringLiteral(" 3 "));
    QCOMPARE(entry->text(), QStringLiteral("123"));
    QCOMPARE(beeped.size(), 2);
}

void EntryTest::dropIsFiltered()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "1");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    const auto drop = [entry](const QString &text) {
        QMimeData data;
        data.setText(text);
        const QPointF end(entry->width() - 2, entry->height() / 2);
        QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(entry, &enter);
        QDragMoveEvent move(end.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(entry, &move);
        QDropEvent dropped(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(entry, &dropped);
        return dropped.isAccepted();
    };
    QVERIFY(drop(QStringLiteral("56")));
    QCOMPARE(entry->text(), QStringLiteral("156"));
    drop(QStringLiteral("7 8"));
    QCOMPARE(entry->text(), QStringLiteral("156"));
    QCOMPARE(beeped.size(), 1);
    QVERIFY(drop(QStringLiteral(" 6\n")));
    QCOMPARE(entry->text(), QStringLiteral("1566"));
    QCOMPARE(beeped.size(), 1);
}

void EntryTest::clearEmptiesAllButKeepsDecnum()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    type(form, "12");
    press(form, Qt::Key_Return);
    press(form, Qt::Key_Tab);
    QCOMPARE(focused(), keypad(form, 9));
    click(button(form, "cmdClear"));
    QCOMPARE(entry->text(), QString());
    QVERIFY(outputsEmpty(form));
    QCOMPARE(focused(), entry);
    QCOMPARE(form.kept(), std::optional<double>(12.0));

    // Again on an empty window: the same state, and still no beep.
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    click(button(form, "cmdClear"));
    QCOMPARE(focused(), entry);
    QCOMPARE(entry->text(), QString());
    QVERIFY(outputsEmpty(form));
    QCOMPARE(beeped.size(), 0);
}

void EntryTest::clearThenKeypadHasNoLeadingZero()
{
    frmRadixor form;
    QVERIFY(shown(form));
    click(button(form, "cmdClear"));
    click(keypad(form, 7));
    QCOMPARE(box(form, "txtRadixor")->text(), QStringLiteral("7"));
}

void EntryTest::exitCloses_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Exit clicked") << false;
    QTest::newRow("close box") << true;
}

void EntryTest::exitCloses()
{
    QFETCH(bool, closeBox);
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, "99");
    QSignalSpy finished(&form, &QDialog::finished);
    if (closeBox)
        form.close();
    else
        click(button(form, "cmdExit"));
    QVERIFY(!form.isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void EntryTest::tabIntoEntrySelectsAll()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    retype(form, "123");
    press(form, Qt::Key_Left);
    press(form, Qt::Key_Tab);
    press(form, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focused(), entry);
    QCOMPARE(entry->selectedText(), QStringLiteral("123"));
    type(form, "4");
    QCOMPARE(entry->text(), QStringLiteral("4"));

    // All the way round, arriving from txtOct.
    type(form, "56");
    press(form, Qt::Key_Tab);
    tabTo(form, entry);
    QCOMPARE(entry->selectedText(), QStringLiteral("456"));
}

void EntryTest::tabIntoOutputBoxSelectsIt()
{
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, "255");
    press(form, Qt::Key_Return);
    const QStringList shown = {"255", "11111111", "FF", "377"};
    for (int i = 0; i < 4; ++i) {
        QLineEdit *out = box(form, outputBoxes[i]);
        tabTo(form, out);
        QCOMPARE(focused(), out);
        QCOMPARE(out->selectedText(), shown[i]);
    }
    // Backwards: txtRadixor, then txtOct.
    press(form, Qt::Key_Tab);
    press(form, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focused(), box(form, "txtOct"));
    QCOMPARE(box(form, "txtOct")->selectedText(), QStringLiteral("377"));
}

void EntryTest::emptyBoxTakesTheFocus()
{
    frmRadixor form;
    QVERIFY(shown(form));
    for (const char *name : outputBoxes) {
        tabTo(form, box(form, name));
        QCOMPARE(focused(), box(form, name));
        QVERIFY(!box(form, name)->hasSelectedText());
    }
    click(button(form, "cmdClear"));
    press(form, Qt::Key_Tab);
    tabTo(form, box(form, "txtRadixor"));
    QCOMPARE(focused(), box(form, "txtRadixor"));
    QVERIFY(!box(form, "txtRadixor")->hasSelectedText());
}

void EntryTest::outputBoxRefusesTypingButCopies()
{
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, "255");
    press(form, Qt::Key_Return);
    QLineEdit *hex = box(form, "txtHex");
    tabTo(form, hex);
    setClipboard(QStringLiteral("9"));
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    type(form, "12a");
    press(form, Qt::Key_Backspace);
    press(form, Qt::Key_Delete);
    press(form, Qt::Key_V, Qt::ControlModifier);
    press(form, Qt::Key_X, Qt::ControlModifier);
    press(form, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(hex->text(), QStringLiteral("FF"));
    QCOMPARE(clipboard(), QStringLiteral("9"));
    QCOMPARE(beeped.size(), 0);

    press(form, Qt::Key_Tab, Qt::ShiftModifier);
    press(form, Qt::Key_Tab);
    QCOMPARE(hex->selectedText(), QStringLiteral("FF"));
    press(form, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard(), QStringLiteral("FF"));
}

// Qt's own line edit, not ours, decides what a click does after the focus
// arrives: GotFocus selects the whole text, then the press puts the caret
// where the mouse is and the selection is gone.
void EntryTest::mouseClickPlacesTheCaret()
{
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, "255");
    press(form, Qt::Key_Return);
    QLineEdit *hex = box(form, "txtHex");
    QStringList selections;
    connect(hex, &QLineEdit::selectionChanged, this, [&] { selections << hex->selectedText(); });
    const QPoint left(1, hex->height() / 2);
    QTest::mouseClick(hex, Qt::LeftButton, Qt::NoModifier, left);
    QCOMPARE(focused(), hex);
    QCOMPARE(selections, QStringList({"FF", ""}));
    QCOMPARE(hex->cursorPosition(), 0);

    // Past the end of the text the caret lands after it.
    click(box(form, "txtRadixor"));
    QTest::mouseClick(hex, Qt::LeftButton, Qt::NoModifier, QPoint(hex->width() - 2, hex->height() / 2));
    QVERIFY(!hex->hasSelectedText());
    QCOMPARE(hex->cursorPosition(), 2);

    // The same holds for the entry box.
    QLineEdit *entry = box(form, "txtRadixor");
    selections.clear();
    connect(entry, &QLineEdit::selectionChanged, this, [&] { selections << entry->selectedText(); });
    QTest::mouseClick(entry, Qt::LeftButton, Qt::NoModifier, QPoint(entry->width() - 4, entry->height() / 2));
    QCOMPARE(focused(), entry);
    QCOMPARE(selections, QStringList({"255", ""}));
    QCOMPARE(entry->cursorPosition(), 3);
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
