#pragma once

class QWidget;

namespace radixor {

// What Qt 6.4 tells screen readers about a read-only line edit is wrong
// in two ways: it calls the box editable, and it leaves out the label
// whose buddy the box is unless that label is the box's sibling. From the
// first call on, every line edit of the program that is read-only when a
// screen reader first asks about it is heard as read-only, selectable
// text, labelled by its buddy label wherever that lives; for window's
// read-only boxes this holds even where Qt has already answered. Call
// once window's controls are built and set read-only; they stay so.
void hearOutputBoxes(QWidget *window);

}  // namespace radixor
