#include "entryrules.h"

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
    const auto piece = acceptedPiece(after.substr(start, caret - start));
    if (!piece || start + piece->size() + kept > maxLength)
        return std::nullopt;
    std::u16string text(after.substr(0, start));
    text += *piece;
    text += after.substr(caret);
    return Text{std::move(text), start + piece->size()};
}

}  // namespace radixor::entry
