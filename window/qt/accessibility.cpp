#include "accessibility.h"

#include "entryvalidator.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <utility>
#include <vector>

namespace radixor {

namespace {

using Span = std::pair<int, int>;

// The character, word or sentence around offset, 0 <= offset < text's
// size. Qt 6.4's own search for it never ends when asked at or past the
// end of the text; these walks stop at either end.
Span itemAround(const QString &text, int offset, QTextBoundaryFinder::BoundaryType type)
{
    const auto edge = QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem;
    QTextBoundaryFinder finder(type, text);
    finder.setPosition(offset);
    qsizetype start = offset;
    if (!finder.isAtBoundary() || !(finder.boundaryReasons() & edge))
        while ((start = finder.toPreviousBoundary()) > 0 && !(finder.boundaryReasons() & edge)) {
        }
    finder.setPosition(offset);
    qsizetype end = 0;
    while ((end = finder.toNextBoundary()) >= 0 && end < text.size() && !(finder.boundaryReasons() & edge)) {
    }
    return {int(std::max<qsizetype>(start, 0)), int(end < 0 ? text.size() : end)};
}

enum class Side { Before, At, After };

// What a screen reader asks for by offset: the item at it, before it or
// after it, for any offset whatever. Offsets outside the text answer
// nothing at -1; the end of the text belongs to no character, and to the
// word or sentence that ends there. A box holds one line.
Span itemBy(const QString &text, int offset, QAccessible::TextBoundaryType boundary, Side side)
{
    const int size = int(text.size());
    if (offset < 0 || offset > size)
        return {-1, -1};
    QTextBoundaryFinder::BoundaryType type = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        type = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        type = QTextBoundaryFinder::Sentence;
        break;
    default:
        return side == Side::At ? Span{0, size} : side == Side::Before ? Span{0, 0} : Span{size, size};
    }
    if (size == 0)
        return {0, 0};
    switch (side) {
    case Side::At:
        if (offset == size)
            return boundary == QAccessible::CharBoundary ? Span{size, size} : itemAround(text, size - 1, type);
        return itemAround(text, offset, type);
    case Side::Before: {
        const int start = offset == size ? size : itemAround(text, offset, type).first;
        return start == 0 ? Span{0, 0} : itemAround(text, start - 1, type);
    }
    case Side::After: {
        const int end = offset == size ? size : itemAround(text, offset, type).second;
        return end == size ? Span{size, size} : itemAround(text, end, type);
    }
    }
    return {-1, -1};
}

// A line edit's text as screen readers read and select it, complete in
// itself: Qt's own interfaces for line edits are private to Qt, and their
// text searches and offsets are not safe for every value an
// accessibility client may send.
class LineText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit LineText(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        const int start = clamped(startOffset);
        if (selectionIndex == 0)
            box()->setSelection(start, clamped(endOffset) - start);
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(clamped(position)); }

    QString text(int startOffset, int endOffset) const override
    {
        const int start = clamped(startOffset);
        return box()->text().mid(start, std::max(clamped(endOffset) - start, 0));
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        return item(offset, boundary, Side::Before, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        return item(offset, boundary, Side::At, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        return item(offset, boundary, Side::After, startOffset, endOffset);
    }
    int characterCount() const override { return int(box()->text().size()); }

    // In screen coordinates. The caret's rectangle is centred on the caret
    // and says how far a long text has scrolled; the characters sit at
    // their advances from there. Flat review asks for every character in
    // turn, so the advances are summed once for each text.
    QRect characterRect(int offset) const override
    {
        // Qt's bridge asks for every offset of a range it is given, however
        // far past the text: those answer first.
        if (offset < 0 || offset >= characterCount())
            return {};
        const std::vector<qreal> &lefts = advances();
        const QRectF caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
        const qreal height = QFontMetricsF(box()->font()).height();
        const qreal left = caret.center().x() + lefts[std::size_t(offset)]
                           - lefts[std::size_t(clamped(box()->cursorPosition()))];
        const QRect local = QRectF(left, caret.center().y() - height / 2,
                                   lefts[std::size_t(offset) + 1] - lefts[std::size_t(offset)], height)
                                .toAlignedRect();
        return local.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        // Far-off points are no character's, and would overflow on the way
        // into the box's coordinates.
        if (!rect().contains(point))
            return -1;
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(clamped(endIndex));
        box()->setCursorPosition(clamped(startIndex));
    }
    // Plain text: one run without attributes.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

protected:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
    int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

private:
    QString item(int offset, QAccessible::TextBoundaryType boundary, Side side, int *startOffset,
                 int *endOffset) const
    {
        const QString shown = box()->text();
        std::tie(*startOffset, *endOffset) = itemBy(shown, offset, boundary, side);
        return *startOffset < 0 ? QString() : shown.mid(*startOffset, *endOffset - *startOffset);
    }

    // The left edge of each character, and the text's end, from the
    // text's left edge.
    const std::vector<qreal> &advances() const
    {
        const QString shown = box()->text();
        if (!shown.isSharedWith(measured) || box()->font() != measuredIn || lefts.empty()) {
            measured = shown;
            measuredIn = box()->font();
            const QFontMetricsF metrics(measuredIn);
            lefts.assign(1, 0);
            lefts.reserve(std::size_t(shown.size()) + 1);
            for (const QChar c : shown)
                lefts.push_back(lefts.back() + metrics.horizontalAdvance(c));
        }
        return lefts;
    }

    mutable QString measured;
    mutable QFont measuredIn;
    mutable std::vector<qreal> lefts;
};

// A result box: a text that can be read, selected and copied, and offers
// nothing to edit it with.
class OutputBox : public LineText
{
public:
    using LineText::LineText;

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    // QAccessibleWidget looks for labels among the box's siblings only;
    // these boxes' labels live inside the frame.
    QList<std::pair<QAccessibleInterface *, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Label)
            for (QLabel *label : box()->window()->findChildren<QLabel *>())
                if (label->buddy() == box() && label->parentWidget() != box()->parentWidget())
                    found.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        return found;
    }
};

// The entry: what a screen reader writes into it keeps the entry's rule.
class EntryBox : public LineText, public QAccessibleEditableTextInterface
{
public:
    using LineText::LineText;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return LineText::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            LineText::setText(t, text);
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        const auto [start, end] = std::minmax({clamped(startOffset), clamped(endOffset)});
        writeIntoEntry(box(), start, end, text);
    }
};

QAccessibleInterface *textBoxFactory(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QLineEdit *>(object);
    if (className != QLatin1String("QLineEdit") || !box)
        return nullptr;
    if (box->isReadOnly())
        return new OutputBox(box);
    return new EntryBox(box);
}

}  // namespace

void hearTextBoxes(QWidget *window)
{
    // Qt asks the factory installed last first.
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(textBoxFactory), true);
    // An interface Qt made for a box before, or before the box became
    // read-only, would stay for the box's life; dropping it lets the
    // factory make the right one.
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(box);
        const bool right = box->isReadOnly() ? dynamic_cast<OutputBox *>(heard) != nullptr
                                             : dynamic_cast<EntryBox *>(heard) != nullptr;
        if (!right)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(heard));
    }
}

}  // namespace radixor
