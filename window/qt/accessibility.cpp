#include "accessibility.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>

namespace radixor {

namespace {

// Qt's own interface for a line edit is private to Qt, so this one is
// complete in itself: a text that can be read, selected and copied, and
// offers nothing to edit it with.
class OutputBox : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit OutputBox(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

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
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override
    {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->text().size()); }

    // In screen coordinates. The caret's rectangle is centred on the caret
    // and says how far a long text has scrolled; the characters sit at
    // their advances from there.
    QRect characterRect(int offset) const override
    {
        const QString shown = box()->text();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QRectF caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
        const QFontMetricsF metrics(box()->font());
        const qreal left = caret.center().x() + metrics.horizontalAdvance(shown.left(offset))
                           - metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
        const QRect local = QRectF(left, caret.center().y() - metrics.height() / 2,
                                   metrics.horizontalAdvance(shown.at(offset)), metrics.height())
                                .toAlignedRect();
        return local.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }
    // Plain text: one run without attributes.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *outputBoxFactory(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QLineEdit *>(object);
    if (className == QLatin1String("QLineEdit") && box && box->isReadOnly())
        return new OutputBox(box);
    return nullptr;
}

}  // namespace

void hearOutputBoxes(QWidget *window)
{
    // Qt asks the factory installed last first.
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(outputBoxFactory), true);
    // An interface Qt made for a box before it became read-only would stay
    // for the box's life; dropping it lets the factory make the right one.
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        if (!box->isReadOnly())
            continue;
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(box);
        if (!dynamic_cast<OutputBox *>(heard))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(heard));
    }
}

}  // namespace radixor
