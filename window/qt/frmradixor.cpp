#include "frmradixor.h"

#include "accessibility.h"
#include "appearance.h"
#include "conversion.h"
#include "definition.h"
#include "entryrules.h"
#include "entryvalidator.h"
#include "keycodes.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>
#include <map>

namespace {

using namespace radixor;

// The table is laid out at 96 dpi; Qt scales it on denser screens.
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

QString qtext(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

void selectAll(QLineEdit *box)
{
    box->setSelection(0, int(box->text().size()));
}

// The focus coming back from a popup, such as the entry's own menu, or
// with the window activated again has not arrived anew: the caret stays.
bool arrives(const QFocusEvent &event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

// A text set by the program leaves the caret at its end, and a long one
// would show its tail, cut, as if it were another number.
void showResult(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

// Every edit adds to a line edit's undo history, and only a new text
// clears it: a converted number has no edits left to undo.
void forgetEdits(QLineEdit *entry)
{
    entry->setText(entry->text());
}

}  // namespace

// A tool window's thin frame and small caption with a close box only; the
// size is fixed below.
frmRadixor::frmRadixor(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmRadixor"));
    setWindowTitle(qtext(windowCaption));
    setFixedSize(px(clientWidth), px(clientHeight));
    setFont(lineFont(font(), px(lineHeight)));
    setSizeGripEnabled(false);

    BtnGroup = new QButtonGroup(this);
    BtnGroup->setObjectName(QStringLiteral("Btn"));

    std::map<int, QWidget *> tabOrder;
    for (const auto &c : controls) {
        QWidget *container = (c.flags & InFrame) ? static_cast<QWidget *>(Frame1) : this;
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::TextBox: {
            auto *box = new QLineEdit(qtext(c.caption), container);
            // A line edit cuts a program-made text at 32,767 characters; the
            // entry's own limit is kept by its validator.
            box->setMaxLength(std::numeric_limits<int>::max());
            if (c.flags & Output) {
                box->setReadOnly(true);
                box->setFrame(false);
            }
            box->installEventFilter(this);
            w = box;
            break;
        }
        case Kind::Button: {
            auto *button = new QPushButton(qtext(c.caption), container);
            button->setDefault(c.flags & Default);
            button->installEventFilter(this);
            if (c.index >= 0)
                BtnGroup->addButton(button, c.index);
            w = button;
            break;
        }
        case Kind::Frame:
            w = Frame1 = new QGroupBox(qtext(c.caption), container);
            w->installEventFilter(this);
            break;
        case Kind::Label:
            w = new QLabel(qtext(c.caption), container);
            break;
        }
        w->setObjectName(qtext(c.name));
        w->setAccessibleName(qtext(c.spoken));
        w->setGeometry(px(c.left), px(c.top), px(c.width), px(c.height));
        if (c.kind == Kind::Label)
            w->adjustSize();  // a label takes its caption's size, keeping left and top
        w->lower();           // each later row lies behind the ones before it
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder[c.tabIndex] = w;
    }

    const auto find = [this](std::string_view name) { return findChild<QWidget *>(qtext(name)); };
    txtRadixor = static_cast<QLineEdit *>(find("txtRadixor"));
    txtDec = static_cast<QLineEdit *>(find("txtDec"));
    txtBin = static_cast<QLineEdit *>(find("txtBin"));
    txtHex = static_cast<QLineEdit *>(find("txtHex"));
    txtOct = static_cast<QLineEdit *>(find("txtOct"));
    cmdConvert = static_cast<QPushButton *>(find("cmdConvert"));
    cmdClear = static_cast<QPushButton *>(find("cmdClear"));
    cmdExit = static_cast<QPushButton *>(find("cmdExit"));

    for (QLineEdit *box : {txtDec, txtBin, txtHex, txtOct}) {
        box->setFont(narrowedToFit(box->font(), box->width()));
        showFirstDigitUnfocused(box);
    }
    pinFonts(this);
    matchFrame();

    for (const auto &c : controls)
        if (!c.labelledBy.empty())
            static_cast<QLabel *>(find(c.labelledBy))->setBuddy(find(c.name));
    hearTextBoxes(this);

    for (auto next = tabOrder.begin(); next != tabOrder.end(); ++next)
        if (auto after = std::next(next); after != tabOrder.end())
            setTabOrder(next->second, after->second);
    // The chain closes into a ring, but Qt starts a new window at the first
    // widget it created (txtOct), not at the lowest tab index.
    tabOrder.begin()->second->setFocus();
    // That focus arrives with the window's first activation, and an
    // activation does not select: start-up selects here.
    txtRadixor_GotFocus();

    txtRadixor->setValidator(new EntryValidator(txtRadixor));
    connect(txtRadixor, &QLineEdit::inputRejected, this, &frmRadixor::beep);
    connect(new InsertionGuard(txtRadixor), &InsertionGuard::refused, this, &frmRadixor::beep);

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
    } else if (watched == Frame1 && (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)) {
        // A new palette, such as a dark one, or style draws the frame anew.
        matchFrame();
    } else if (event->type() == QEvent::Shortcut) {
        // Qt clicks through an access key 100 ms late, after keys typed
        // right behind it; Enter and Esc click at once, and so do these.
        if (auto *button = qobject_cast<QPushButton *>(watched); button && button->isEnabled()) {
            button->click();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && watched == clickedInto) {
        // The press that gave a result box the focus put the caret where
        // it landed; unless it dragged a selection, the click copies all.
        if (!clickedInto->hasSelectedText())
            selectAll(clickedInto);
        clickedInto = nullptr;
    } else if (event->type() == QEvent::FocusIn && arrives(*static_cast<QFocusEvent *>(event))) {
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason && isResult(watched))
            clickedInto = static_cast<QLineEdit *>(watched);
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

// The output boxes lie over Frame1 and read as part of it.
void frmRadixor::matchFrame()
{
    for (QLineEdit *box : {txtDec, txtBin, txtHex, txtOct})
        showFace(box, drawnInside(Frame1, Frame1->mapFromParent(box->geometry().center())));
}

bool frmRadixor::isResult(const QObject *box) const
{
    return box == txtDec || box == txtBin || box == txtHex || box == txtOct;
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

void frmRadixor::cmdConvert_Click()
{
    decnum = conversion::valueOf(txtRadixor->text().toStdString());
    if (txtRadixor->text().isEmpty())
        txtRadixor->setText(QStringLiteral("0"));
    showResult(txtDec, txtRadixor->text());
    showResult(txtBin, QString::fromStdString(conversion::dec2bin(*decnum)));
    if (*decnum < conversion::limit) {
        showResult(txtHex, QString::fromStdString(conversion::hexText(*decnum)));
        showResult(txtOct, QString::fromStdString(conversion::octText(*decnum)));
    } else {
        showResult(txtHex, qtext(conversion::tooBig));
        showResult(txtOct, qtext(conversion::tooBig));
    }
    forgetEdits(txtRadixor);
    txtRadixor->setFocus();
    selectAll(txtRadixor);
}

void frmRadixor::Btn_Click(int index)
{
    if (txtRadixor->text().size() >= qsizetype(entry::maxLength)) {
        beep();
        return;
    }
    txtRadixor->setText(txtRadixor->text() + QString::number(index));
}

void frmRadixor::txtRadixor_KeyPress(int &KeyAscii)
{
    if (entry::keyPasses(KeyAscii))
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

// The output boxes repaint before selecting, so the selection is drawn
// over the text they show now.
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
