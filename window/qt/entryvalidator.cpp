#include "entryvalidator.h"

#include "entryrules.h"

#include <QLineEdit>

namespace radixor {
namespace {

std::u16string_view view(const QString &text)
{
    return {QStringView(text).utf16(), std::size_t(text.size())};
}

}  // namespace

EntryValidator::EntryValidator(QLineEdit *entry) : QValidator(entry)
{
    // An input method moves the caret before its text is validated; that
    // move does not count.
    const auto place = [this, entry] {
        if (entry->text() == accepted)
            start = entry->hasSelectedText() ? entry->selectionStart() : entry->cursorPosition();
    };
    const auto remember = [this, entry, place] {
        accepted = entry->text();
        place();
    };
    remember();
    connect(entry, &QLineEdit::textChanged, this, remember);
    connect(entry, &QLineEdit::cursorPositionChanged, this, place);
    connect(entry, &QLineEdit::selectionChanged, this, place);
}

QValidator::State EntryValidator::validate(QString &input, int &pos) const
{
    if (entry::allDigits(view(input)))
        return Acceptable;
    // An insertion replaces the selection, or goes in at the caret, and
    // leaves the caret after the piece. Digits around the piece may repeat
    // its own, so only these positions tell where it begins.
    const qsizetype kept = input.size() - pos;
    if (pos < start || kept > accepted.size() - start || input.left(start) != accepted.left(start)
        || input.mid(pos) != accepted.right(kept))
        return Invalid;
    const auto piece = entry::acceptedPiece(view(input).substr(std::size_t(start), std::size_t(pos - start)));
    if (!piece)
        return Invalid;
    input = input.left(start) + QString::fromUtf16(piece->data(), qsizetype(piece->size())) + input.mid(pos);
    pos = int(start + qsizetype(piece->size()));
    return Acceptable;
}

}  // namespace radixor
