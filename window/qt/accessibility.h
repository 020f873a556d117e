#pragma once

class QWidget;

namespace radixor {

// What Qt 6.4 tells screen readers about a line edit is wrong in several
// ways: it calls a read-only box editable, and leaves out the label whose
// buddy the box is unless that label is the box's sibling; asked for the
// word or sentence at the end of the text it never answers; extreme
// offsets overflow; and text written into an entry over the accessibility
// bus skips its validator. From the first call on, every line edit of the
// program is heard through interfaces of this program's own: a read-only
// one as read-only, selectable text, labelled by its buddy label wherever
// that lives; an editable one as the entry, whatever is written into it
// going through the entry's rule. For window's boxes this holds even where
// Qt has already answered. Call once window's controls are built and set
// read-only; they stay so.
void hearTextBoxes(QWidget *window);

}  // namespace radixor
