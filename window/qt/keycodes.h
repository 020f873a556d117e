#pragma once

#include <optional>

class QKeyEvent;

namespace radixor {

// The character code a key press hands to the entry's filter, the way the
// desktop's text boxes number them: Ctrl with a letter gives 1 to 26, and
// keys that write no character give none, so they keep their own effect.
std::optional<int> characterCode(const QKeyEvent &event);

}  // namespace radixor
