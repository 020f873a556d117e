#pragma once

// The entry box's rules on every route that changes its text, applied
// before the box takes anything: typed keys go through the handlers'
// keystroke filter, and every inserted text (WM_PASTE, the context menu's
// Paste, Shift+Insert, EM_REPLACESEL and WM_SETTEXT from other programs,
// input methods) through the entry's insertion rule. A refused text never
// reaches the box, so refusing one of millions of characters costs no
// more than reading it.

#include <windows.h>

#include "frmradixor.h"

#include <string_view>

namespace radixor::win32 {

class EntryGuard
{
public:
    EntryGuard(HWND entry, frmRadixor &form, ControlOperations &window);
    EntryGuard(const EntryGuard &) = delete;
    EntryGuard &operator=(const EntryGuard &) = delete;

    // The handlers' own texts, which no rule checks.
    void setText(std::u16string_view text);

private:
    static LRESULT CALLBACK entryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR guard);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool ctrlChord(WPARAM key);
    void typed(WPARAM code);
    bool insert(std::u16string_view piece);
    void paste();
    void backspace();
    void replace(DWORD start, DWORD end, std::u16string_view piece);

    HWND entry;
    frmRadixor &form;
    ControlOperations &window;
    bool trusted = false;
};

}  // namespace radixor::win32
