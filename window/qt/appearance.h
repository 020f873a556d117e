#pragma once

#include <QFont>

class QLineEdit;

namespace radixor {

// The largest size of font's face whose line is no higher than lineHeight
// pixels: the layout is drawn for a 13-pixel line.
QFont lineFont(QFont font, int lineHeight);

// font, narrowed just enough (keeping its height) for an output box of
// boxWidth pixels to show its widest text whole.
QFont narrowedToFit(QFont font, int boxWidth);

// The colour a style draws inside frame at inside (frame's coordinates):
// the window's face, or, as Fusion draws a frame, a shade darker.
QColor drawnInside(QWidget *frame, QPoint inside);

// An output box shows the colour behind it rather than an entry field's,
// under an application style sheet too.
void showFace(QLineEdit *box, const QColor &behind);

// A long text shows from its first character whenever box has not the
// focus, as the program sets it, though the focus left it scrolled.
void showFirstDigitUnfocused(QLineEdit *box);

// Under an application style sheet (qt6ct sets one, and -stylesheet) the
// widgets inside a group box inherit the application's font rather than
// the window's: each of window's widgets is given the window's font, but
// for what it sets itself, as its own, and a label the size of its caption
// in it. Call once the window's fonts are set.
void pinFonts(QWidget *window);

}  // namespace radixor
