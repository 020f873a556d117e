#pragma once

// The window's behaviour, written once: every handler, and the kept value,
// over the operations each frontend performs on its own controls. A
// frontend only carries those out and binds its toolkit's events here.

#include "definition.h"
#include "keys.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace radixor {

// The results that need the most room, which every frontend's result
// boxes must show whole: the 31 binary digits of 2^31 - 1, or of 2^30 in a
// face whose 0 is wider than its 1.
std::array<std::string, 2> widestResults();

// A control is its row in the definition's table.
using Control = std::size_t;

constexpr Control row(std::string_view name, int index = -1)
{
    return Control(find(name, index) - controls);
}

constexpr bool isOutput(Control c) { return (controls[c].flags & Output) != 0; }
constexpr bool isButton(Control c) { return controls[c].kind == Kind::Button; }

// What the handlers do to the window. Texts are UTF-16, and positions and
// lengths count its units, as every toolkit here holds them.
class ControlOperations
{
public:
    virtual std::u16string text(Control box) const = 0;
    // The box shows text at once; no keystroke filter sees it, a read-only
    // box takes it, and it shows from its first character.
    virtual void setText(Control box, std::u16string_view text) = 0;
    virtual void setSelStart(Control box, std::size_t start) = 0;
    virtual void setSelLength(Control box, std::size_t length) = 0;
    virtual void setFocus(Control control) = 0;
    virtual void refresh(Control box) = 0;
    virtual void unload() = 0;
    virtual void beep() = 0;

protected:
    ~ControlOperations() = default;
};

class frmRadixor
{
public:
    explicit frmRadixor(ControlOperations &window) : window(window) {}

    // Events, as the frontends bind them.
    void Click(Control button);
    void GotFocus(Control box);
    // The character code a key hands the entry, by reference: what is left
    // in it is what the entry takes, and 0 drops the key.
    void txtRadixor_KeyPress(int &KeyAscii);
    // Alt with a character: clicks the button whose caption marks it, or
    // beeps when none does.
    void AccessKey(char32_t character);

    // A key chord, with the focus in the entry or elsewhere: an access key
    // clicks, the entry's filter sees a character's code, and whatever is
    // left is the toolkit's to do. Backspace means the backspace character
    // came from a chord the toolkit has no binding for (Ctrl+H), and the
    // toolkit deletes as for Backspace.
    enum class KeyOutcome { Own, Taken, Backspace };
    KeyOutcome KeyDown(const keys::Chord &chord, bool atEntry);

    // Enter clicks the focused button, or else the default one; Esc the
    // cancel button wherever the focus is.
    static Control enterTarget(std::optional<Control> focused);
    static Control escapeTarget();

    // The value the last Convert parsed; empty until the first one.
    const std::optional<double> &lastConverted() const { return decnum; }

private:
    void cmdConvert_Click();
    void Btn_Click(int index);
    void cmdClear_Click();
    void cmdExit_Click();
    void txtRadixor_GotFocus();
    void txtDec_GotFocus();
    void txtBin_GotFocus();
    void txtHex_GotFocus();
    void txtOct_GotFocus();

    void selectAll(Control box);

    ControlOperations &window;
    std::optional<double> decnum;
};

}  // namespace radixor
