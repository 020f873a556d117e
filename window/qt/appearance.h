#pragma once

#include <QFont>
#include <QList>

class QLineEdit;

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
// behind the box's centre rather than an entry field's: the window's face,
// or, as Fusion draws a frame, a shade darker.
void showFrameBehind(QWidget *frame, const QList<QLineEdit *> &boxes);

}  // namespace radixor
