#pragma once

// The entry box's rules, apart from any toolkit: which typed characters it
// takes, and which inserted texts (paste, drop, input methods) it takes.
// Texts are UTF-16, as both toolkits hold them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace radixor::entry {

// The most digits the entry holds. Every value of 310 digits or more is
// too big already; the limit only keeps the window answering whatever is
// pasted. An insertion that would pass it is refused whole.
inline constexpr std::size_t maxLength = 100000;

// The keystroke filter's rule on a character code, numbered as the
// desktop's text boxes number them (8 is backspace, Ctrl+A is 1).
constexpr bool keyPasses(int code) { return (code >= '0' && code <= '9') || code == 8; }

constexpr bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

constexpr bool allDigits(std::u16string_view text)
{
    for (const char16_t c : text)
        if (!isDigit(c))
            return false;
    return true;
}

// The blanks that copied numbers often carry around them: white space as
// Unicode counts it.
constexpr bool isBlank(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F
        || c == 0x3000;
}

constexpr std::u16string_view trimmed(std::u16string_view piece)
{
    while (!piece.empty() && isBlank(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && isBlank(piece.back()))
        piece.remove_suffix(1);
    return piece;
}

// What of an inserted piece goes into the entry: its digits without the
// blanks around them. Nothing, when the piece holds anything else or no
// digit at all, so that the insertion is refused whole.
constexpr std::optional<std::u16string_view> acceptedPiece(std::u16string_view piece)
{
    piece = trimmed(piece);
    if (piece.empty() || !allDigits(piece))
        return std::nullopt;
    return piece;
}

struct Text {
    std::u16string text;
    std::size_t caret;
};

// What the entry holds after its text went from before, whose selection
// began at start, to after with the caret at caret, whatever route changed
// it: after itself while it is digits only; else the inserted piece, which
// lies from start to the caret, with its blanks trimmed; nothing when the
// change is refused whole, the length limit included.
std::optional<Text> checkedChange(std::u16string_view before, std::size_t start, std::u16string_view after,
                                  std::size_t caret);

// The same rule before the change, for a frontend that sees the piece
// first: what the entry holds once piece replaced length characters of
// text from start (an empty piece deletes them), with the caret after the
// piece; nothing when refused.
// A piece past the limit is refused before its characters are read, so
// that any size costs next to nothing.
std::optional<Text> checkedInsertion(std::u16string_view text, std::size_t start, std::size_t length,
                                     std::u16string_view piece);

}  // namespace radixor::entry
