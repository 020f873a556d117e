#pragma once

#include <QObject>
#include <QValidator>

class QLineEdit;

namespace radixor {

// Paste, drag and drop and input-method commits bypass the keystroke
// filter; this keeps the entry to ASCII digits for them as well, under the
// entry's rule for inserted pieces, and to its length limit.
class EntryValidator : public QValidator
{
public:
    explicit EntryValidator(QLineEdit *entry);

    State validate(QString &input, int &pos) const override;

private:
    // What the entry held and where its selection or caret stood before
    // the change under validation.
    QString accepted;
    qsizetype start = 0;
};

// Checks the pieces that paste, middle-click, drop and input methods bring
// before the line edit inserts them: it builds an undo step per character
// of a piece and keeps that memory even when the validator then refuses
// the text, and lays out every character it holds. Drops it would not take
// are refused to their source, which so keeps its text. The entry's context
// menu names no key, since the entry refuses those chords.
class InsertionGuard : public QObject
{
    Q_OBJECT

public:
    explicit InsertionGuard(QLineEdit *entry);

signals:
    // Once for every insertion refused here.
    void refused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the entry takes piece in place of replaced characters.
    bool takes(const QString &piece, qsizetype replaced) const;
    bool takesPaste() const;
    void showMenu(const QPoint &at);

    QLineEdit *entry;
};

// Writes piece in place of start..end (0 <= start <= end <= the entry's
// length), as a screen reader's edit does, under the entry's rule: taken
// trimmed, or refused whole, which the entry reports as inputRejected().
void writeIntoEntry(QLineEdit *entry, int start, int end, const QString &piece);

}  // namespace radixor
