#include "frmradixor.h"

#include "conversion.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <map>

namespace {

enum class Kind { TextBox, Button, Frame, Label };

enum Flag : unsigned {
    None = 0,
    Entry = 1,      // the editable box the number is typed into
    Output = 2,     // read-only, borderless, a tab stop
    Default = 4,    // Enter clicks it unless another button has the focus
    Cancel = 8,     // Esc clicks it wherever the focus is
    InFrame = 16,   // lies inside Frame1 rather than on the window
};

// name is the objectName tests look up; index tells the members of the Btn
// array apart (-1 elsewhere); geometry in twips, 15 to a pixel at 96 dpi.
struct ControlDef {
    Kind kind;
    const char *name;
    int index;
    const char *caption;
    int left, top, width, height, tabIndex;
    unsigned flags;
};

// Front to back: where two controls overlap, the earlier one lies in front.
constexpr ControlDef controls[] = {
//   kind           name          idx caption               left   top  width height tab  flags
    {Kind::TextBox, "txtOct",     -1, "",                   3120, 2400, 3015,  195,  22, Output},
    {Kind::TextBox, "txtHex",     -1, "",                   3120, 1800, 3015,  195,  21, Output},
    {Kind::TextBox, "txtDec",     -1, "",                   3120,  600, 3015,  195,  19, Output},
    {Kind::TextBox, "txtBin",     -1, "",                   3120, 1200, 3015,  195,  20, Output},
    {Kind::Button,  "cmdConvert", -1, "Con&vert",            840, 2160, 1215,  375,  15, Default},
    {Kind::Button,  "cmdExit",    -1, "E&xit",              1200, 2640,  855,  375,  17, Cancel},
    {Kind::Button,  "cmdClear",   -1, "&Clear",              240, 2640,  855,  375,  18, None},
    {Kind::Button,  "Btn",         0, "0",                   240, 2160,  495,  375,  16, None},
    {Kind::Button,  "Btn",         1, "1",                   240, 1680,  495,  375,  14, None},
    {Kind::Button,  "Btn",         2, "2",                   885, 1680,  495,  375,  13, None},
    {Kind::Button,  "Btn",         3, "3",                  1560, 1680,  495,  375,  12, None},
    {Kind::Button,  "Btn",         4, "4",                   240, 1200,  495,  375,  11, None},
    {Kind::Button,  "Btn",         5, "5",                   885, 1200,  495,  375,  10, None},
    {Kind::Button,  "Btn",         6, "6",                  1560, 1200,  495,  375,   9, None},
    {Kind::Button,  "Btn",         7, "7",                   240,  720,  495,  375,   8, None},
    {Kind::Button,  "Btn",         8, "8",                   885,  720,  495,  375,   7, None},
    {Kind::Button,  "Btn",         9, "9",                  1560,  720,  495,  375,   6, None},
    {Kind::TextBox, "txtRadixor", -1, "0",                   240,  240, 1815,  285,   5, Entry},
    {Kind::Frame,   "Frame1",     -1, "Radixar",            2280,  120, 3975, 2895,   0, None},
    {Kind::Label,   "Label4",     -1, "Oct = ",              240, 2280,  435,  195,   4, InFrame},
    {Kind::Label,   "Label3",     -1, "Hex = ",              240, 1680,  465,  195,   3, InFrame},
    {Kind::Label,   "Label2",     -1, "Bin = ",              240, 1080,  405,  195,   2, InFrame},
    {Kind::Label,   "Label1",     -1, "Dec = ",              240,  480,  480,  195,   1, InFrame},
};

// What a screen reader calls each text box. An output box is also tied to
// the label beside it, so that its caption is read together with its value.
struct SpokenBox {
    const char *box, *accessibleName, *label;
};
constexpr SpokenBox spokenBoxes[] = {
//   box           accessible name   label
    {"txtRadixor", "Decimal number", nullptr},
    {"txtDec",     "Decimal",        "Label1"},
    {"txtBin",     "Binary",         "Label2"},
    {"txtHex",     "Hexadecimal",    "Label3"},
    {"txtOct",     "Octal",          "Label4"},
};

constexpr int clientWidth = 6360;
constexpr int clientHeight = 3180;

constexpr int px(int twips) { return twips / 15; }

constexpr bool wholePixels(int twips) { return twips % 15 == 0; }
constexpr bool everyPositionIsWholePixels()
{
    for (const auto &c : controls)
        if (!wholePixels(c.left) || !wholePixels(c.top) || !wholePixels(c.width) || !wholePixels(c.height))
            return false;
    return wholePixels(clientWidth) && wholePixels(clientHeight);
}
static_assert(everyPositionIsWholePixels(), "the layout is drawn on a 15-twip grid");

// The layout is drawn for a font whose line is 13 pixels high. Pick the
// largest size of the desktop's own face that still fits that line.
QFont lineFont(QFont font)
{
    constexpr int lineHeight = px(195);
    for (int size = lineHeight; size > 4; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= lineHeight)
            break;
    }
    return font;
}

// An output box must show its widest text whole: the 31 binary digits of
// 2^31 - 1, or of 2^30 for a face whose 0 is wider than its 1. Where the
// desktop's face is too wide for that, the boxes narrow it, keeping its line
// height. QLineEdit draws its text 2 pixels in from either side and keeps a
// pixel for the caret.
QFont narrowedToFit(QFont font, int boxWidth)
{
    const QString widest[] = {
        QString::fromStdString(conversion::dec2bin(conversion::limit - 1)),
        QString::fromStdString(conversion::dec2bin(conversion::limit / 2)),
    };
    const auto fits = [&](const QFont &candidate) {
        const QFontMetricsF metrics(candidate);
        return std::all_of(std::begin(widest), std::end(widest), [&](const QString &text) {
            return qRound(metrics.horizontalAdvance(text)) + 1 <= boxWidth - 4;
        });
    };
    if (fits(font))
        return font;
    // Advances scale with the stretch, so one measurement predicts the
    // largest stretch from 99 down to 50 that fits, and a step or two
    // settles the rounding: each stretch tried loads a font engine, which
    // at start-up costs more than everything else in this constructor.
    const QFontMetricsF metrics(font);
    qreal full = 0;
    for (const QString &text : widest)
        full = std::max(full, metrics.horizontalAdvance(text));
    const auto stretched = [&font](int stretch) {
        QFont narrower = font;
        narrower.setStretch(stretch);
        return narrower;
    };
    int stretch = std::clamp(int(100 * (boxWidth - 5) / full), 50, 99);
    while (stretch < 99 && fits(stretched(stretch + 1)))
        ++stretch;
    while (stretch > 50 && !fits(stretched(stretch)))
        --stretch;
    return stretched(stretch);
}

bool asciiDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Paste, drag and drop and input-method commits bypass the keystroke
// filter; this keeps the entry to ASCII digits for them as well. The blanks
// around an inserted piece are dropped, since copied numbers often carry
// them; anything else that is not a digit refuses the whole insertion.
class EntryValidator : public QValidator
{
public:
    explicit EntryValidator(QLineEdit *entry) : QValidator(entry)
    {
        // What the entry held and where its selection or caret stood before
        // the change under validation. An input method moves the caret
        // before its text is validated; that move does not count.
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

    State validate(QString &input, int &pos) const override
    {
        if (asciiDigits(input))
            return Acceptable;
        // An insertion replaces the selection, or goes in at the caret, and
        // leaves the caret after the piece. Digits around the piece may
        // repeat its own, so only these positions tell where it begins.
        const qsizetype kept = input.size() - pos;
        if (pos < start || kept > accepted.size() - start || input.left(start) != accepted.left(start)
            || input.mid(pos) != accepted.right(kept))
            return Invalid;
        const QString piece = input.mid(start, pos - start).trimmed();
        if (!asciiDigits(piece))
            return Invalid;
        input = input.left(start) + piece + input.mid(pos);
        pos = int(start + piece.size());
        return Acceptable;
    }

private:
    QString accepted;
    qsizetype start = 0;
};

// The character code a key press hands to the entry's filter, the way the
// desktop's text boxes number them: Ctrl with a letter gives 1 to 26, and
// keys that write no character give none, so they keep their own effect.
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
    return asciiDigits(text) ? int(text.front().unicode()) : 0xFFFF;
}

void selectAll(QLineEdit *box)
{
    box->setSelection(0, int(box->text().size()));
}

// An output box shows the face colour of the window behind it, in every
// colour group, rather than the colour of an entry field.
void showFace(QLineEdit *box, const QPalette &window)
{
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, QPalette::Base, window.brush(group, QPalette::Window));
    box->setPalette(palette);
}

QString qtext(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

}  // namespace

frmRadixor::frmRadixor(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmRadixor"));
    setWindowTitle(QStringLiteral("Decimal/Binary/Hex/Octal Radixor"));
    setFixedSize(px(clientWidth), px(clientHeight));
    setFont(lineFont(font()));
    setSizeGripEnabled(false);

    BtnGroup = new QButtonGroup(this);
    BtnGroup->setObjectName(QStringLiteral("Btn"));

    std::map<int, QWidget *> tabOrder;
    for (const auto &c : controls) {
        QWidget *container = (c.flags & InFrame) ? static_cast<QWidget *>(Frame1) : this;
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::TextBox: {
            auto *box = new QLineEdit(QString::fromLatin1(c.caption), container);
            if (c.flags & Output) {
                box->setReadOnly(true);
                box->setFrame(false);
                showFace(box, palette());
            }
            box->installEventFilter(this);
            w = box;
            break;
        }
        case Kind::Button: {
            auto *button = new QPushButton(QString::fromLatin1(c.caption), container);
            button->setDefault(c.flags & Default);
            // A bare "5" says little out of sight of the keypad.
            button->setAccessibleName(c.index >= 0 ? QStringLiteral("Digit %1").arg(c.index)
                                                   : QString::fromLatin1(c.caption).remove(u'&'));
            if (c.index >= 0) {
                BtnGroup->addButton(button, c.index);
                Btn[std::size_t(c.index)] = button;
            }
            w = button;
            break;
        }
        case Kind::Frame:
            w = Frame1 = new QGroupBox(QString::fromLatin1(c.caption), container);
            break;
        case Kind::Label:
            w = new QLabel(QString::fromLatin1(c.caption), container);
            break;
        }
        w->setObjectName(QString::fromLatin1(c.name));
        w->setGeometry(px(c.left), px(c.top), px(c.width), px(c.height));
        if (c.kind == Kind::Label)
            w->adjustSize();  // a label takes its caption's size, keeping left and top
        w->lower();           // each later row lies behind the ones before it
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder[c.tabIndex] = w;
    }

    const auto find = [this](const char *name) { return findChild<QWidget *>(QString::fromLatin1(name)); };
    txtRadixor = static_cast<QLineEdit *>(find("txtRadixor"));
    txtDec = static_cast<QLineEdit *>(find("txtDec"));
    txtBin = static_cast<QLineEdit *>(find("txtBin"));
    txtHex = static_cast<QLineEdit *>(find("txtHex"));
    txtOct = static_cast<QLineEdit *>(find("txtOct"));
    cmdConvert = static_cast<QPushButton *>(find("cmdConvert"));
    cmdClear = static_cast<QPushButton *>(find("cmdClear"));
    cmdExit = static_cast<QPushButton *>(find("cmdExit"));

    for (QLineEdit *box : {txtDec, txtBin, txtHex, txtOct})
        box->setFont(narrowedToFit(box->font(), box->width()));

    for (const auto &s : spokenBoxes) {
        QWidget *box = find(s.box);
        box->setAccessibleName(QString::fromLatin1(s.accessibleName));
        if (s.label)
            static_cast<QLabel *>(find(s.label))->setBuddy(box);
    }

    for (auto next = tabOrder.begin(); next != tabOrder.end(); ++next)
        if (auto after = std::next(next); after != tabOrder.end())
            setTabOrder(next->second, after->second);
    // The chain closes into a ring, but Qt starts a new window at the first
    // widget it created (txtOct), not at the lowest tab index.
    tabOrder.begin()->second->setFocus();

    txtRadixor->setMaxLength(std::numeric_limits<int>::max());
    txtRadixor->setValidator(new EntryValidator(txtRadixor));
    connect(txtRadixor, &QLineEdit::inputRejected, this, &frmRadixor::beep);

    connect(cmdConvert, &QPushButton::clicked, this, &frmRadixor::cmdConvert_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmRadixor::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmRadixor::cmdExit_Click);
    connect(BtnGroup, &QButtonGroup::idClicked, this, &frmRadixor::Btn_Click);
}

bool frmRadixor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == txtRadixor) {
        if (const auto code = characterCode(*static_cast<QKeyEvent *>(event))) {
            int KeyAscii = *code;
            txtRadixor_KeyPress(KeyAscii);
            if (KeyAscii == 0)
                return true;
            // Ctrl+H is the backspace character as well, a chord Qt's line
            // edit has no binding for.
            if (KeyAscii == 8 && static_cast<QKeyEvent *>(event)->key() != Qt::Key_Backspace) {
                txtRadixor->backspace();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == txtRadixor)
            txtRadixor_GotFocus();
        else if (watched == txtDec)
            txtDec_GotFocus();
        else if (watched == txtBin)
            txtBin_GotFocus();
        else if (watched == txtHex)
            txtHex_GotFocus();
        else if (watched == txtOct)
            txtOct_GotFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmRadixor::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Esc would only hide the window; Esc is the Exit button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdExit->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmRadixor::changeEvent(QEvent *event)
{
    // The output boxes hold their own background; a new palette, such as a
    // dark one, would otherwise leave them in the old face colour.
    if (event->type() == QEvent::PaletteChange)
        for (QLineEdit *box : {txtDec, txtBin, txtHex, txtOct})
            showFace(box, palette());
    QDialog::changeEvent(event);
}

void frmRadixor::cmdConvert_Click()
{
    decnum = conversion::valueOf(txtRadixor->text().toStdString());
    if (txtRadixor->text().isEmpty())
        txtRadixor->setText(QStringLiteral("0"));
    txtDec->setText(txtRadixor->text());
    txtBin->setText(QString::fromStdString(conversion::dec2bin(*decnum)));
    if (*decnum < conversion::limit) {
        txtHex->setText(QString::fromStdString(conversion::hexText(*decnum)));
        txtOct->setText(QString::fromStdString(conversion::octText(*decnum)));
    } else {
        txtHex->setText(qtext(conversion::tooBig));
        txtOct->setText(qtext(conversion::tooBig));
    }
    txtRadixor->setFocus();
    selectAll(txtRadixor);
}

void frmRadixor::Btn_Click(int index)
{
    txtRadixor->setText(txtRadixor->text() + QString::number(index));
}

void frmRadixor::txtRadixor_KeyPress(int &KeyAscii)
{
    if (KeyAscii >= '0' && KeyAscii <= '9')
        return;
    if (KeyAscii == 8)
        return;
    beep();
    KeyAscii = 0;
}

void frmRadixor::cmdClear_Click()
{
    txtRadixor->setText(QString());
    txtRadixor->setFocus();
    txtDec->setText(QString());
    txtBin->setText(QString());
    txtHex->setText(QString());
    txtOct->setText(QString());
}

void frmRadixor::cmdExit_Click()
{
    close();
}

void frmRadixor::txtRadixor_GotFocus()
{
    selectAll(txtRadixor);
}

void frmRadixor::txtDec_GotFocus()
{
    txtDec->repaint();
    selectAll(txtDec);
}

void frmRadixor::txtBin_GotFocus()
{
    txtBin->repaint();
    selectAll(txtBin);
}

void frmRadixor::txtHex_GotFocus()
{
    txtHex->repaint();
    selectAll(txtHex);
}

void frmRadixor::txtOct_GotFocus()
{
    txtOct->repaint();
    selectAll(txtOct);
}

void frmRadixor::beep()
{
    emit beeped();
    QApplication::beep();
}
