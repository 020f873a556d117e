#include "qtwindow.h"

#include "accessibility.h"
#include "appearance.h"
#include "entryvalidator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>
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

int clamped(std::size_t n) { return int(std::min<std::size_t>(n, INT_MAX)); }

// The focus coming back from a popup, such as the entry's own menu, or
// with the window activated again has not arrived anew: the caret stays.
bool arrivesAnew(const QFocusEvent &event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

// A key press as the shared key rules read it. With Ctrl or Alt held, the
// key's own character counts, not the control character Qt writes for it.
keys::Chord chordOf(const QKeyEvent &event)
{
    keys::Chord chord;
    chord.ctrl = event.modifiers() & Qt::ControlModifier;
    chord.alt = event.modifiers() & Qt::AltModifier;
    if (event.modifiers() & Qt::MetaModifier)
        return chord;  // the desktop's own chords
    switch (event.key()) {
    case Qt::Key_Backspace:
        chord.key = keys::Key::Backspace;
        return chord;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return chord;
    default:
        break;
    }
    if ((chord.ctrl || chord.alt) && event.key() >= 0x20 && event.key() <= 0x7E) {
        chord.key = keys::Key::Character;
        chord.character = char32_t(event.key());
        return chord;
    }
    const QList<uint> text = event.text().toUcs4();
    if (text.isEmpty())
        return chord;
    chord.key = keys::Key::Character;
    // Several characters from one key pass only if all are digits; the
    // line edit then takes them all.
    const bool digits = std::all_of(text.begin(), text.end(), [](uint c) { return c >= '0' && c <= '9'; });
    chord.character = text.size() == 1 || digits ? char32_t(text.front()) : 0xFFFD;
    return chord;
}

}  // namespace

// A tool window's thin frame and small caption with a close box only; the
// size is fixed below.
QtWindow::QtWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmRadixor"));
    setWindowTitle(qtext(windowCaption));
    setFixedSize(px(clientWidth), px(clientHeight));
    setFont(lineFont(font(), px(lineHeight)));
    setSizeGripEnabled(false);

    // The keypad is one control array, as the definition names it.
    auto *Btn = new QButtonGroup(this);
    Btn->setObjectName(QStringLiteral("Btn"));
    Frame1 = new QGroupBox(qtext(radixor::find("Frame1")->caption), this);

    std::map<int, QWidget *> tabOrder;
    for (Control c = 0; c < widgets.size(); ++c) {
        const ControlDef &def = controls[c];
        QWidget *container = (def.flags & InFrame) ? static_cast<QWidget *>(Frame1) : this;
        QWidget *w = nullptr;
        switch (def.kind) {
        case Kind::TextBox: {
            auto *line = new QLineEdit(qtext(def.caption), container);
            // A line edit cuts a program-made text at 32,767 characters; the
            // entry's own limit is kept by its validator.
            line->setMaxLength(INT_MAX);
            if (isOutput(c)) {
                line->setReadOnly(true);
                line->setFrame(false);
            }
            w = line;
            break;
        }
        case Kind::Button: {
            auto *button = new QPushButton(qtext(def.caption), container);
            button->setDefault(def.flags & Default);
            if (def.index >= 0)
                Btn->addButton(button, def.index);
            connect(button, &QPushButton::clicked, this, [this, c] { form.Click(c); });
            w = button;
            break;
        }
        case Kind::Frame:
            w = Frame1;
            break;
        case Kind::Label:
            w = new QLabel(qtext(def.caption), container);
            break;
        }
        w->setObjectName(qtext(def.name));
        w->setAccessibleName(qtext(def.spoken));
        w->setGeometry(px(def.left), px(def.top), px(def.width), px(def.height));
        if (def.kind == Kind::Label)
            w->adjustSize();  // a label takes its caption's size, keeping left and top
        w->lower();           // each later row lies behind the ones before it
        w->installEventFilter(this);
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder[def.tabIndex] = w;
        widgets[c] = w;
    }

    drawFusionFrameLean(Frame1, this);
    narrowToFit(outputBoxes());
    for (QLineEdit *box : outputBoxes())
        showFirstDigitUnfocused(box);
    pinFonts(this);
    matchFrame();

    for (Control c = 0; c < widgets.size(); ++c)
        if (!controls[c].labelledBy.empty())
            static_cast<QLabel *>(widgets[row(controls[c].labelledBy)])->setBuddy(widgets[c]);
    installAccessibleTextBoxes(this);

    for (auto next = tabOrder.begin(); next != tabOrder.end(); ++next)
        if (auto after = std::next(next); after != tabOrder.end())
            QWidget::setTabOrder(next->second, after->second);

    QLineEdit *entry = box(row("txtRadixor"));
    entry->setValidator(new EntryValidator(entry));
    connect(entry, &QLineEdit::inputRejected, this, &QtWindow::beep);
    connect(new InsertionGuard(entry), &InsertionGuard::refused, this, &QtWindow::beep);

    // The first control in tab order starts with the focus. A hidden
    // window's focus arrives with its first activation, which does not
    // count as arriving anew, so its handler runs here.
    QWidget *first = tabOrder.begin()->second;
    first->setFocus(Qt::OtherFocusReason);
    form.GotFocus(*controlOf(first));
}

QLineEdit *QtWindow::box(Control c) const { return static_cast<QLineEdit *>(widgets[c]); }

std::optional<Control> QtWindow::controlOf(const QObject *widget) const
{
    const auto at = std::find(widgets.begin(), widgets.end(), widget);
    if (at == widgets.end())
        return std::nullopt;
    return Control(at - widgets.begin());
}

bool QtWindow::eventFilter(QObject *watched, QEvent *event)
{
    const auto c = controlOf(watched);
    if (!c)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (keyPress(watched, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::Shortcut:
        // Qt clicks through an access key 100 ms late, after keys typed
        // right behind it; Enter and Esc click at once, and so do these.
        if (isButton(*c) && widgets[*c]->isEnabled()) {
            form.Click(*c);
            return true;
        }
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        // A new palette, such as a dark one, or style draws the frame anew.
        if (watched == Frame1)
            matchFrame();
        break;
    case QEvent::MouseButtonRelease:
        // The press that gave a result box the focus put the caret where
        // it landed; unless it dragged a selection, the click copies all.
        if (watched == clickedInto) {
            if (!clickedInto->hasSelectedText())
                form.GotFocus(*c);
            clickedInto = nullptr;
        }
        break;
    case QEvent::FocusIn:
        if (const auto *focus = static_cast<QFocusEvent *>(event); arrivesAnew(*focus)) {
            if (focus->reason() == Qt::MouseFocusReason && isOutput(*c))
                clickedInto = box(*c);
            form.GotFocus(*c);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

// True when the key is taken here and goes no further.
bool QtWindow::keyPress(QObject *watched, QKeyEvent *event)
{
    QLineEdit *entry = box(row("txtRadixor"));
    switch (form.KeyDown(chordOf(*event), watched == entry)) {
    case radixor::frmRadixor::KeyOutcome::Own:
        return false;
    case radixor::frmRadixor::KeyOutcome::Taken:
        return true;
    case radixor::frmRadixor::KeyOutcome::Backspace:
        entry->backspace();
        return true;
    }
    return false;
}

// The output boxes lie over Frame1 and read as part of it.
void QtWindow::matchFrame()
{
    showFrameBehind(Frame1, outputBoxes());
}

QList<QLineEdit *> QtWindow::outputBoxes() const
{
    QList<QLineEdit *> boxes;
    for (Control c = 0; c < widgets.size(); ++c)
        if (isOutput(c))
            boxes.append(box(c));
    return boxes;
}

void QtWindow::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Esc would only hide the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        form.Click(radixor::frmRadixor::escapeTarget());
        return;
    }
    QDialog::keyPressEvent(event);
}

std::u16string QtWindow::text(Control c) const
{
    const QString text = box(c)->text();
    return {reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size())};
}

void QtWindow::setText(Control c, std::u16string_view text)
{
    QLineEdit *line = box(c);
    line->setText(QString::fromUtf16(text.data(), qsizetype(text.size())));
    // A line edit leaves the caret after a text it is given, and a long
    // result would show its tail, cut, as if it were another number.
    if (isOutput(c))
        line->setCursorPosition(0);
}

void QtWindow::setSelStart(Control c, std::size_t start)
{
    QLineEdit *line = box(c);
    // Each edit adds to a line edit's undo history, which only a new text
    // clears: once the program places the entry's selection, as Convert
    // and the focus arriving do, there are no edits left to undo.
    if (!isOutput(c))
        line->setText(line->text());
    line->setCursorPosition(clamped(start));
}

void QtWindow::setSelLength(Control c, std::size_t length)
{
    QLineEdit *line = box(c);
    line->setSelection(line->cursorPosition(), clamped(length));
}

void QtWindow::setFocus(Control c) { widgets[c]->setFocus(Qt::OtherFocusReason); }

void QtWindow::refresh(Control c) { widgets[c]->repaint(); }

void QtWindow::unload() { close(); }

void QtWindow::beep()
{
    emit beeped();
    QApplication::beep();
}
