#pragma once

// The paste rule for an EDIT control, which has no validator: whatever
// route changed the text (WM_PASTE, Shift+Insert, the context menu, an
// input method), the new text is judged against the last one accepted.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace radixor::entry {

struct Text {
    std::u16string text;
    std::size_t caret;
};

// What the entry holds after its text went from before, whose selection
// began at start, to after with the caret at caret: after itself while it
// is digits only; else the inserted piece, which lies from start to the
// caret, with its blanks trimmed; nothing when the change is refused whole.
std::optional<Text> checkedChange(std::u16string_view before, std::size_t start, std::u16string_view after,
                                  std::size_t caret);

}  // namespace radixor::entry
