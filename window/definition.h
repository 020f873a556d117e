#pragma once

// What the window is, apart from any toolkit: its caption and size, and
// every control with its kind, place, tab index and flags. Each frontend
// builds its controls from this table, so they cannot drift apart.

#include <string_view>

namespace radixor {

enum class Kind { TextBox, Button, Frame, Label };

enum Flag : unsigned {
    None = 0,
    Entry = 1,     // the editable box the number is typed into
    Output = 2,    // read-only, borderless, a tab stop
    Default = 4,   // Enter clicks it unless another button has the focus
    Cancel = 8,    // Esc clicks it wherever the focus is
    InFrame = 16,  // lies inside Frame1 rather than on the window
};

// name is the control's objectName; index tells the members of the Btn
// array apart (-1 elsewhere). Geometry is in twips from the container's
// top-left, 15 to a pixel at 96 dpi. spoken is what a screen reader calls
// the control; labelledBy names the label that captions an output box.
struct ControlDef {
    Kind kind;
    std::string_view name;
    int index;
    std::string_view caption;
    int left, top, width, height, tabIndex;
    unsigned flags;
    std::string_view spoken;
    std::string_view labelledBy;
};

inline constexpr std::string_view windowCaption = "Decimal/Binary/Hex/Octal Radixor";
inline constexpr int clientWidth = 6360;
inline constexpr int clientHeight = 3180;
// The layout is drawn for a font whose line is this high.
inline constexpr int lineHeight = 195;

// Front to back: where two controls overlap, the earlier one lies in front.
// Frame1's caption has an a where the window's last word has an o, and
// that is how it is meant to read.
inline constexpr ControlDef controls[] = {
//   kind           name          idx caption    left   top  width height tab  flags     spoken            labelled by
    {Kind::TextBox, "txtOct",     -1, "",        3120, 2400, 3015,  195,  22, Output,   "Octal",          "Label4"},
    {Kind::TextBox, "txtHex",     -1, "",        3120, 1800, 3015,  195,  21, Output,   "Hexadecimal",    "Label3"},
    {Kind::TextBox, "txtDec",     -1, "",        3120,  600, 3015,  195,  19, Output,   "Decimal",        "Label1"},
    {Kind::TextBox, "txtBin",     -1, "",        3120, 1200, 3015,  195,  20, Output,   "Binary",         "Label2"},
    {Kind::Button,  "cmdConvert", -1, "Con&vert", 840, 2160, 1215,  375,  15, Default,  "Convert",        ""},
    {Kind::Button,  "cmdExit",    -1, "E&xit",   1200, 2640,  855,  375,  17, Cancel,   "Exit",           ""},
    {Kind::Button,  "cmdClear",   -1, "&Clear",   240, 2640,  855,  375,  18, None,     "Clear",          ""},
    {Kind::Button,  "Btn",         0, "0",        240, 2160,  495,  375,  16, None,     "Digit 0",        ""},
    {Kind::Button,  "Btn",         1, "1",        240, 1680,  495,  375,  14, None,     "Digit 1",        ""},
    {Kind::Button,  "Btn",         2, "2",        885, 1680,  495,  375,  13, None,     "Digit 2",        ""},
    {Kind::Button,  "Btn",         3, "3",       1560, 1680,  495,  375,  12, None,     "Digit 3",        ""},
    {Kind::Button,  "Btn",         4, "4",        240, 1200,  495,  375,  11, None,     "Digit 4",        ""},
    {Kind::Button,  "Btn",         5, "5",        885, 1200,  495,  375,  10, None,     "Digit 5",        ""},
    {Kind::Button,  "Btn",         6, "6",       1560, 1200,  495,  375,   9, None,     "Digit 6",        ""},
    {Kind::Button,  "Btn",         7, "7",        240,  720,  495,  375,   8, None,     "Digit 7",        ""},
    {Kind::Button,  "Btn",         8, "8",        885,  720,  495,  375,   7, None,     "Digit 8",        ""},
    {Kind::Button,  "Btn",         9, "9",       1560,  720,  495,  375,   6, None,     "Digit 9",        ""},
    {Kind::TextBox, "txtRadixor", -1, "0",        240,  240, 1815,  285,   5, Entry,    "Decimal number", ""},
    {Kind::Frame,   "Frame1",     -1, "Radixar", 2280,  120, 3975, 2895,   0, None,     "Radixar",        ""},
    {Kind::Label,   "Label4",     -1, "Oct = ",   240, 2280,  435,  195,   4, InFrame,  "Oct = ",         ""},
    {Kind::Label,   "Label3",     -1, "Hex = ",   240, 1680,  465,  195,   3, InFrame,  "Hex = ",         ""},
    {Kind::Label,   "Label2",     -1, "Bin = ",   240, 1080,  405,  195,   2, InFrame,  "Bin = ",         ""},
    {Kind::Label,   "Label1",     -1, "Dec = ",   240,  480,  480,  195,   1, InFrame,  "Dec = ",         ""},
};

// Twips to pixels at dots per inch dpi, rounded to the nearest pixel.
constexpr int pixels(int twips, int dpi = 96) { return (twips * dpi + 720) / 1440; }

// The row of the control called name (and index, for a Btn member), or
// nullptr when there is none.
constexpr const ControlDef *find(std::string_view name, int index = -1)
{
    for (const auto &c : controls)
        if (c.name == name && c.index == index)
            return &c;
    return nullptr;
}

}  // namespace radixor
