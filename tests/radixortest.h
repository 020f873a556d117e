#pragma once

// What the window's QtTest suites share: the controls found by their names,
// and a user's keyboard and mouse. Keys go to the window, so they land on
// whichever control has the focus, shortcuts and Enter/Esc routing included.

#include "frmradixor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace radixortest {

// In the order Tab visits them.
inline constexpr const char *outputBoxes[] = {"txtDec", "txtBin", "txtHex", "txtOct"};

inline QLineEdit *box(const frmRadixor &form, const char *name)
{
    return form.findChild<QLineEdit *>(QString::fromLatin1(name));
}

inline QPushButton *button(const frmRadixor &form, const char *name)
{
    return form.findChild<QPushButton *>(QString::fromLatin1(name));
}

inline QAbstractButton *keypad(const frmRadixor &form, int digit)
{
    return form.findChild<QButtonGroup *>(QStringLiteral("Btn"))->button(digit);
}

// Shows the window as the program does and waits until it has the keyboard.
inline bool shown(frmRadixor &form)
{
    form.show();
    return QTest::qWaitForWindowActive(&form);
}

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

inline void press(const frmRadixor &form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(form.windowHandle(), key, modifiers);
}

// One key press carrying text, the way a keyboard layout or input method
// delivers a character that has no key of its own.
inline void pressText(const frmRadixor &form, const QString &text, Qt::Key key = Qt::Key_unknown)
{
    QTest::sendKeyEvent(QTest::Click, form.windowHandle(), key, text, Qt::NoModifier);
}

inline void type(const frmRadixor &form, const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        const char ascii = c < 128 ? char(c) : 0;
        pressText(form, QString::fromUcs4(&c, 1), ascii ? QTest::asciiToKey(ascii) : Qt::Key_unknown);
    }
}

inline QWidget *focused()
{
    return QApplication::focusWidget();
}

// Presses Tab until target has the focus, a full round at most.
inline void tabTo(const frmRadixor &form, const QWidget *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (int tabs = 0; focused() != target && tabs < 18; ++tabs)
        press(form, Qt::Key_Tab, modifiers);
}

}  // namespace radixortest
