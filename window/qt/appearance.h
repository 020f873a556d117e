#pragma once

#include <QFont>

class QLineEdit;
class QPalette;

namespace radixor {

// The largest size of font's face whose line is no higher than lineHeight
// pixels: the layout is drawn for a 13-pixel line.
QFont lineFont(QFont font, int lineHeight);

// font, narrowed just enough (keeping its height) for an output box of
// boxWidth pixels to show its widest text whole.
QFont narrowedToFit(QFont font, int boxWidth);

// An output box shows the face colour of the window behind it, in every
// colour group, rather than the colour of an entry field.
void showFace(QLineEdit *box, const QPalette &window);

}  // namespace radixor
