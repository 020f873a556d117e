#pragma once

class QWidget;

namespace radixor {

// What Qt 6.4 tells screen readers about a read-only line edit is wrong
// in two ways: it calls the box editable, and it leaves out the label
// whose buddy the box is unless that label is the box's sibling. From
// here on every read-only line edit in window is heard as read-only,
// selectable text, labelled by its buddy label wherever that lives.
// Call once the window's controls are built and set read-only.
void hearOutputBoxes(QWidget *window);

}  // namespace radixor
