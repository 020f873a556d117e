#include "frmradixor.h"

#include "conversion.h"
#include "entryrules.h"

namespace radixor {
namespace {

constexpr Control txtRadixor = row("txtRadixor");
constexpr Control txtDec = row("txtDec");
constexpr Control txtBin = row("txtBin");
constexpr Control txtHex = row("txtHex");
constexpr Control txtOct = row("txtOct");
constexpr Control cmdConvert = row("cmdConvert");
constexpr Control cmdClear = row("cmdClear");
constexpr Control cmdExit = row("cmdExit");

// The texts of this window are ASCII, and so are the ones it makes.
std::u16string utf16(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// The entry is digits only by its rules; anything else would not read as
// one, and so it stays out of the value.
std::string ascii(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char16_t c : text)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

constexpr char32_t lower(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

// The letter after the "&" of a caption, if it marks one.
constexpr std::optional<char32_t> accessLetter(std::string_view caption)
{
    const auto amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size())
        return std::nullopt;
    return lower(char32_t(caption[amp + 1]));
}

}  // namespace

std::array<std::string, 2> widestResults()
{
    return {conversion::dec2bin(conversion::limit - 1), conversion::dec2bin(conversion::limit / 2)};
}

void frmRadixor::Click(Control button)
{
    if (button == cmdConvert)
        cmdConvert_Click();
    else if (button == cmdClear)
        cmdClear_Click();
    else if (button == cmdExit)
        cmdExit_Click();
    else if (controls[button].name == "Btn")
        Btn_Click(controls[button].index);
}

void frmRadixor::GotFocus(Control box)
{
    if (box == txtRadixor)
        txtRadixor_GotFocus();
    else if (box == txtDec)
        txtDec_GotFocus();
    else if (box == txtBin)
        txtBin_GotFocus();
    else if (box == txtHex)
        txtHex_GotFocus();
    else if (box == txtOct)
        txtOct_GotFocus();
}

void frmRadixor::AccessKey(char32_t character)
{
    for (Control c = 0; c < std::size(controls); ++c)
        if (isButton(c) && accessLetter(controls[c].caption) == lower(character)) {
            Click(c);
            return;
        }
    window.beep();
}

frmRadixor::KeyOutcome frmRadixor::KeyDown(const keys::Chord &chord, bool atEntry)
{
    const keys::Meaning meaning = keys::meaning(chord);
    switch (meaning.kind) {
    case keys::Meaning::Own:
        return KeyOutcome::Own;
    case keys::Meaning::AccessKey:
        AccessKey(meaning.character);
        return KeyOutcome::Taken;
    case keys::Meaning::KeyPress:
        break;
    }
    // Only the entry filters what is typed; a button or result box lets
    // the key do what it does there, which for a character is nothing.
    if (!atEntry)
        return KeyOutcome::Own;
    int KeyAscii = meaning.code;
    txtRadixor_KeyPress(KeyAscii);
    if (KeyAscii == 0)
        return KeyOutcome::Taken;
    return KeyAscii == 8 && chord.key != keys::Key::Backspace ? KeyOutcome::Backspace : KeyOutcome::Own;
}

Control frmRadixor::enterTarget(std::optional<Control> focused)
{
    if (focused && isButton(*focused))
        return *focused;
    for (Control c = 0; c < std::size(controls); ++c)
        if (controls[c].flags & Default)
            return c;
    return cmdConvert;
}

Control frmRadixor::escapeTarget()
{
    for (Control c = 0; c < std::size(controls); ++c)
        if (controls[c].flags & Cancel)
            return c;
    return cmdExit;
}

void frmRadixor::cmdConvert_Click()
{
    decnum = conversion::valueOf(ascii(window.text(txtRadixor)));
    if (window.text(txtRadixor).empty())
        window.setText(txtRadixor, u"0");
    window.setText(txtDec, window.text(txtRadixor));
    window.setText(txtBin, utf16(conversion::dec2bin(*decnum)));
    if (*decnum < conversion::limit) {
        window.setText(txtHex, utf16(conversion::hexText(*decnum)));
        window.setText(txtOct, utf16(conversion::octText(*decnum)));
    } else {
        window.setText(txtHex, utf16(conversion::tooBig));
        window.setText(txtOct, utf16(conversion::tooBig));
    }
    window.setFocus(txtRadixor);
    selectAll(txtRadixor);
}

// The digit goes at the end whatever is selected. At the entry's length
// limit it is refused, as a paste past it is.
void frmRadixor::Btn_Click(int index)
{
    std::u16string text = window.text(txtRadixor);
    if (text.size() >= entry::maxLength) {
        window.beep();
        return;
    }
    text += char16_t(u'0' + index);
    window.setText(txtRadixor, text);
}

void frmRadixor::txtRadixor_KeyPress(int &KeyAscii)
{
    if (entry::keyPasses(KeyAscii))
        return;
    window.beep();
    KeyAscii = 0;
}

void frmRadixor::cmdClear_Click()
{
    window.setText(txtRadixor, u"");
    window.setFocus(txtRadixor);
    window.setText(txtDec, u"");
    window.setText(txtBin, u"");
    window.setText(txtHex, u"");
    window.setText(txtOct, u"");
}

void frmRadixor::cmdExit_Click()
{
    window.unload();
}

void frmRadixor::txtRadixor_GotFocus()
{
    selectAll(txtRadixor);
}

// The output boxes repaint before selecting, so the selection is drawn
// over the text they show now.
void frmRadixor::txtDec_GotFocus()
{
    window.refresh(txtDec);
    selectAll(txtDec);
}

void frmRadixor::txtBin_GotFocus()
{
    window.refresh(txtBin);
    selectAll(txtBin);
}

void frmRadixor::txtHex_GotFocus()
{
    window.refresh(txtHex);
    selectAll(txtHex);
}

void frmRadixor::txtOct_GotFocus()
{
    window.refresh(txtOct);
    selectAll(txtOct);
}

void frmRadixor::selectAll(Control box)
{
    window.setSelStart(box, 0);
    window.setSelLength(box, window.text(box).size());
}

}  // namespace radixor
