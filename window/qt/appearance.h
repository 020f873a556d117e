#pragma once

#include <QFont>
#include <QList>

class QGroupBox;
class QLineEdit;
class QObject;

namespace radixor {

// The largest size of font's face whose line is no higher than lineHeight
// pixels: the layout is drawn for a 13-pixel line.
QFont lineFont(QFont font, int lineHeight);

// font, narrowed just enough (keeping its height) for an output box of
// boxWidth pixels to show its widest text whole.
QFont narrowedToFit(QFont font, int boxWidth);

// Each box's font narrowed to fit the box.
void narrowToFit(const QList<QLineEdit *> &boxes);

// Each box, lying over frame, shows the colour the style draws the frame in
// behind the box's centre rather than an entry field's (the window's face,
// or, as Fusion draws a frame, a shade darker), under an application style
// sheet too.
void showFrameBehind(QWidget *frame, const QList<QLineEdit *> &boxes);

// Under Fusion, frame is drawn as Fusion draws it, without the image
// plugins and threads Fusion's own drawing brings in; owner keeps the style
// that does it, and must outlive frame.
void drawFusionFrameLean(QGroupBox *frame, QObject *owner);

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
