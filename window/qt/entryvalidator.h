#pragma once

#include <QValidator>

class QLineEdit;

namespace radixor {

// Paste, drag and drop and input-method commits bypass the keystroke
// filter; this keeps the entry to ASCII digits for them as well, under the
// entry's rule for inserted pieces.
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

}  // namespace radixor
