#pragma once

// The program's one window over the Win32 API: the control operations the
// handlers (frmRadixor) act through, and the window procedure that hands
// them the window's events by control ID.

#include <windows.h>

#include "appearance.h"
#include "controlid.h"
#include "entryguard.h"
#include "frmradixor.h"

#include <memory>
#include <optional>

namespace radixor::win32 {

class Win32Window final : public ControlOperations
{
public:
    // Creates the window and its controls, hidden, with the program's icon
    // resource; nullptr when the window cannot be created (GetLastError
    // says why).
    static std::unique_ptr<Win32Window> create(int iconId);
    ~Win32Window();
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    // Shows the window, made centred on the primary monitor's work area,
    // then gives the entry box the focus, which runs its GotFocus handler.
    void show();
    // Tells screen readers each control's name, through a COM service: COM
    // must be initialised on this thread. After show(), so that the
    // window is on the screen before the service loads.
    void nameForScreenReaders();
    // For the message loop: true when the window took msg here (access
    // keys, characters at buttons, a click into a box, and Tab, Enter and
    // Esc with their dialog meaning); others go to TranslateMessage and
    // DispatchMessage as usual.
    bool takeMessage(MSG &msg);

    std::u16string text(Control box) const override;
    void setText(Control box, std::u16string_view text) override;
    void setSelStart(Control box, std::size_t start) override;
    void setSelLength(Control box, std::size_t length) override;
    void setFocus(Control control) override;
    void refresh(Control box) override;
    void unload() override;
    void beep() override;

private:
    Win32Window() = default;
    bool build(int iconId);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(Control control, int code);
    void focusMoved(Control control);
    std::optional<Control> rowOf(HWND child) const;

    HWND frm = nullptr;
    Children children{};
    frmRadixor form{*this};
    std::unique_ptr<EntryGuard> guard;
    Fonts fonts;
    // The control that had the focus when the window was deactivated.
    HWND lastFocus = nullptr;
    bool reactivating = false;
    // The result box a click gave the focus, until the button is released.
    HWND clickedInto = nullptr;
};

}  // namespace radixor::win32
