#include "keycodes.h"

#include "entryrules.h"

#include <QKeyEvent>

namespace radixor {

std::optional<int> characterCode(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers chord = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    case Qt::Key_Backspace:
        return chord == Qt::ControlModifier ? 127 : 8;
    default:
        break;
    }
    if (chord == Qt::ControlModifier && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    if (chord != Qt::NoModifier)
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    if (text.size() == 1)
        return text.front().unicode();
    // Several characters from one key: it passes only if all are digits.
    return entry::allDigits({QStringView(text).utf16(), std::size_t(text.size())}) ? int(text.front().unicode()) : 0xFFFF;
}

}  // namespace radixor
