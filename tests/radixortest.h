#pragma once

// The window as the program shows it, driven the way a user drives it. Keys
// go to the window, so they land on whichever control has the focus,
// shortcuts and Enter/Esc routing included.

#include "qtwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace radixortest {

// In the order Tab visits them.
inline constexpr const char *outputBoxes[] = {"txtDec", "txtBin", "txtHex", "txtOct"};

inline QWidget *focused() { return QApplication::focusWidget(); }
inline QString clipboard() { return QGuiApplication::clipboard()->text(); }
inline void setClipboard(const QString &text) { QGuiApplication::clipboard()->setText(text); }
inline void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

struct Radixor {
    QtWindow form;
    QLineEdit *const entry = box("txtRadixor");
    QSignalSpy beeps{&form, &QtWindow::beeped};
    const bool active = (form.show(), QTest::qWaitForWindowActive(&form));

    QLineEdit *box(const char *name) const { return form.findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return form.findChild<QPushButton *>(QLatin1String(name)); }
    QAbstractButton *keypad(int digit) const
    {
        return form.findChild<QButtonGroup *>(QStringLiteral("Btn"))->button(digit);
    }
    void click(const char *name) const { radixortest::click(button(name)); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(form.windowHandle(), key, modifiers);
    }
    // Presses each chord of a sequence such as "End, Shift+Left".
    void keys(const QString &sequence) const
    {
        const QKeySequence chords = QKeySequence::fromString(sequence);
        for (int i = 0; i < chords.count(); ++i)
            press(chords[i].key(), chords[i].keyboardModifiers());
    }
    // A key press carrying text, as a layout or input method delivers a
    // character that has no key of its own.
    void pressText(const QString &text, Qt::Key key = Qt::Key_unknown) const
    {
        QTest::sendKeyEvent(QTest::Click, form.windowHandle(), key, text, Qt::NoModifier);
    }
    void type(const QString &text) const
    {
        for (const char32_t c : text.toUcs4())
            pressText(QString::fromUcs4(&c, 1), c < 128 ? QTest::asciiToKey(char(c)) : Qt::Key_unknown);
    }
    // Leaves the entry holding text, the caret at its end, nothing selected.
    void retype(const QString &text) const
    {
        click("cmdClear");
        type(text);
    }
    // Presses Tab until target has the focus, a full round at most.
    void tabTo(const QWidget *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        for (int tabs = 0; focused() != target && tabs < 18; ++tabs)
            press(Qt::Key_Tab, modifiers);
    }
    QStringList outputs() const
    {
        QStringList texts;
        for (const char *name : outputBoxes)
            texts << box(name)->text();
        return texts;
    }
};

}  // namespace radixortest
