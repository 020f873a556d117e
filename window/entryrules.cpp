#include "entryrules.h"

#include <algorithm>

namespace radixor::entry {

std::optional<Text> checkedChange(std::u16string_view before, std::size_t start, std::u16string_view after,
                                  std::size_t caret)
{
    if (allDigits(after))
        return after.size() <= maxLength ? std::optional<Text>({std::u16string(after), caret}) : std::nullopt;
    // The piece replaced the selection, or went in at the caret, and left
    // the caret after itself; digits around it may repeat its own, so only
    // these positions tell where it begins.
    if (caret > after.size() || start > caret || start > before.size())
        return std::nullopt;
    const std::size_t kept = after.size() - caret;
    if (kept > before.size() - start || after.substr(0, start) != before.substr(0, start)
        || after.substr(caret) != before.substr(before.size() - kept))
        return std::nullopt;
    return checkedInsertion(before, start, before.size() - kept - start, after.substr(start, caret - start));
}

std::optional<Text> checkedInsertion(std::u16string_view text, std::size_t start, std::size_t length,
                                     std::u16string_view piece)
{
    if (start > text.size() || length > text.size() - start)
        return std::nullopt;
    // An empty piece deletes the selection, as Delete and Cut do.
    const bool deletion = piece.empty();
    piece = trimmed(piece);
    const std::size_t kept = text.size() - length;
    if (piece.size() > maxLength - std::min(kept, maxLength) || !(deletion || acceptedPiece(piece)))
        return std::nullopt;
    std::u16string out(text.substr(0, start));
    out += piece;
    out += text.substr(start + length);
    return Text{std::move(out), start + piece.size()};
}

}  // namespace radixor::entry
