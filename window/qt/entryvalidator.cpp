#include "entryvalidator.h"

#include "entryrules.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

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
    const auto checked = entry::checkedChange(view(accepted), std::size_t(start), view(input), std::size_t(pos));
    if (!checked)
        return Invalid;
    input = QString::fromUtf16(checked->text.data(), qsizetype(checked->text.size()));
    pos = int(checked->caret);
    return Acceptable;
}

void writeIntoEntry(QLineEdit *entry, int start, int end, const QString &piece)
{
    const QString before = entry->text();
    const QString after = before.left(start) + piece + before.mid(end);
    const auto checked = entry::checkedChange(view(before), std::size_t(start), view(after),
                                              std::size_t(start + piece.size()));
    if (!checked) {
        emit entry->inputRejected();
        return;
    }
    entry->setText(QString::fromUtf16(checked->text.data(), qsizetype(checked->text.size())));
    entry->setCursorPosition(int(checked->caret));
}

InsertionGuard::InsertionGuard(QLineEdit *entry) : QObject(entry), entry(entry)
{
    entry->installEventFilter(this);
}

bool InsertionGuard::eventFilter(QObject *watched, QEvent *event)
{
    bool refuse = false;
    switch (event->type()) {
    case QEvent::KeyPress:
        refuse = static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && !takesPaste();
        break;
    case QEvent::MouseButtonRelease:
        // The desktop's selection, pasted by the middle button where there is one.
        refuse = static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
            && QGuiApplication::clipboard()->supportsSelection()
            && !takes(QGuiApplication::clipboard()->text(QClipboard::Selection), 0);
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == entry || !drop->mimeData()->hasText() || takes(drop->mimeData()->text(), 0))
            break;
        // Digits that would pass the length limit are refused as they are
        // dropped, with the beep of every insertion past it; other text is
        // refused while it hovers, and so never dropped.
        if (event->type() != QEvent::Drop && entry::acceptedPiece(view(drop->mimeData()->text())))
            break;
        drop->ignore();
        if (event->type() == QEvent::Drop)
            emit refused();
        return true;
    }
    case QEvent::InputMethod: {
        const auto *commit = static_cast<QInputMethodEvent *>(event);
        refuse = !takes(commit->commitString(), entry->selectedText().size() + commit->replacementLength());
        break;
    }
    case QEvent::ContextMenu:
        showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default:
        break;
    }
    if (refuse)
        emit refused();
    return refuse || QObject::eventFilter(watched, event);
}

bool InsertionGuard::takes(const QString &piece, qsizetype replaced) const
{
    // Nothing to insert only deletes the selection, as it does everywhere.
    if (piece.isEmpty())
        return true;
    const auto digits = entry::acceptedPiece(view(piece));
    return digits && entry->text().size() - replaced + qsizetype(digits->size()) <= qsizetype(entry::maxLength);
}

bool InsertionGuard::takesPaste() const
{
    return takes(QGuiApplication::clipboard()->text(), entry->selectedText().size());
}

// Qt's own menu, its entries working as ever, with the key beside each
// entry left off and Paste checked like the other routes.
void InsertionGuard::showMenu(const QPoint &at)
{
    QMenu *menu = entry->createStandardContextMenu();
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        action->setText(action->text().section(u'\t', 0, 0));
        if (action->text() != paste)
            continue;
        disconnect(action, &QAction::triggered, entry, nullptr);
        connect(action, &QAction::triggered, entry, [this] {
            if (takesPaste())
                entry->paste();
            else
                emit refused();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

}  // namespace radixor
