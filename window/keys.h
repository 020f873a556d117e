#pragma once

// What a key chord means to the window, decided once for every frontend:
// each only reads its toolkit's key event into a Chord.

namespace radixor::keys {

enum class Key {
    Character,  // writes a character: a letter, a digit, a sign, the space bar
    Backspace,
    Other,      // writes none: Enter, Esc, Tab, Delete, the arrows, Home, End...
};

struct Chord {
    Key key = Key::Other;
    // For Key::Character: what the key writes with Shift and the layout
    // applied, before Ctrl or Alt ('a', 'A', '5', '[', ' ').
    char32_t character = 0;
    bool ctrl = false;
    bool alt = false;
};

struct Meaning {
    enum Kind {
        Own,        // the toolkit's own meaning: moving, Tab, Enter, Esc, Shift+Insert
        KeyPress,   // the character code the entry's filter sees
        AccessKey,  // Alt with a character, for the button whose caption marks it
    };
    Kind kind = Own;
    int code = 0;            // for KeyPress
    char32_t character = 0;  // for AccessKey
};

// The character code of a Ctrl chord as the desktop's text boxes number
// them: Ctrl with a letter 1 to 26, Ctrl+[ 27, Ctrl+\ 28, Ctrl+] 29, and
// Ctrl+Space a blank. Other Ctrl chords write nothing.
constexpr int controlCode(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return int(c - U'a') + 1;
    if (c >= U'A' && c <= U'Z')
        return int(c - U'A') + 1;
    switch (c) {
    case U'[': return 27;
    case U'\\': return 28;
    case U']': return 29;
    case U' ': return 32;
    default: return -1;
    }
}

constexpr Meaning meaning(const Chord &chord)
{
    switch (chord.key) {
    case Key::Other:
        return {};
    case Key::Backspace:
        // Ctrl+Backspace is the delete character, which the entry refuses.
        if (chord.alt)
            return {};
        return {Meaning::KeyPress, chord.ctrl ? 127 : 8, 0};
    case Key::Character:
        break;
    }
    // Ctrl with Alt is how Windows reports AltGr, which writes a character.
    if (chord.alt && !chord.ctrl)
        return {Meaning::AccessKey, 0, chord.character};
    if (chord.ctrl && !chord.alt) {
        const int code = controlCode(chord.character);
        return code < 0 ? Meaning{} : Meaning{Meaning::KeyPress, code, 0};
    }
    // A character beyond 16 bits is refused like any other non-digit.
    return {Meaning::KeyPress, chord.character > 0xFFFF ? 0xFFFD : int(chord.character), 0};
}

}  // namespace radixor::keys
