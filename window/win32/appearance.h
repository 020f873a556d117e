#pragma once

// How the window looks on Windows: the frame, each control's class and
// style, the z-order that also gives the tab order, the desktop's font at
// the layout's line height, the positions at the window's dpi, and the
// colours of the result boxes.

#include <windows.h>

#include "controlid.h"

namespace radixor::win32 {

inline constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// A tool window's thin frame and small caption with a close box; listed in
// the taskbar all the same, since it is the program.
inline constexpr DWORD frameExStyle = WS_EX_TOOLWINDOW | WS_EX_APPWINDOW;

const wchar_t *classOf(Kind kind);
DWORD styleOf(const ControlDef &c);
DWORD exStyleOf(const ControlDef &c);
// The rows in the order to create them: each new child goes to the
// bottom of the z-order.
std::array<Control, std::size(controls)> creationOrder();

// Where the window goes for dpi: its frame round the client area the
// definition gives, centred on the primary monitor's work area.
RECT frameRect(UINT dpi);

// The fonts the controls are drawn in; the window keeps them while it
// lives, and a new dpi replaces them.
class Fonts
{
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts &) = delete;
    Fonts &operator=(const Fonts &) = delete;
    // Makes the line font for dpi, the one every control starts with.
    HFONT make(UINT dpi);
    // Where a child goes at dpi: the definition's place, and for a label
    // the size of its caption in the line font.
    RECT place(Control row, UINT dpi) const;
    // Gives the result boxes the line font narrowed until the longest
    // binary text fits them, if it does not already.
    void fitOutputs(const Children &children, UINT dpi);
    // Places and sizes the window and every child at a new dpi.
    void layOut(HWND frm, const Children &children, UINT dpi);

private:
    HFONT line = nullptr;
    HFONT output = nullptr;
};

// The brush and colours a read-only box or a static control is drawn
// with (WM_CTLCOLORSTATIC).
HBRUSH staticColours(HDC dc, Control row);

}  // namespace radixor::win32
