#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "definition.h"

// The control ID of the definition's row: Convert and Exit have the IDs
// that Enter and Esc send, IDOK and IDCANCEL.
constexpr int controlId(std::size_t row)
{
    if (radixor::controls[row].flags & radixor::Default)
        return IDOK;
    if (radixor::controls[row].flags & radixor::Cancel)
        return IDCANCEL;
    return 100 + int(row);
}

// The program's one window over the Win32 API: an entry box with a keypad,
// Convert, Clear and Exit, and four read-only boxes showing the entry in
// decimal, binary, hexadecimal and octal.
class frmRadixor
{
public:
    // Creates the window and its controls, hidden.
    frmRadixor();
    ~frmRadixor();
    frmRadixor(const frmRadixor &) = delete;
    frmRadixor &operator=(const frmRadixor &) = delete;

    // Shows the window centred on the primary monitor's work area; the
    // entry box gets the focus.
    void show();
    // The window the message loop hands to IsDialogMessage, for Tab, Enter,
    // Esc and the access keys.
    HWND window() const { return frm; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK entryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, int code);
    void layOut(UINT dpi);
    void keepDigitsOnly();
    void showDefault(HWND button);
    void nameForScreenReaders();

    void cmdConvert_Click();
    void Btn_Click(int index);
    void txtRadixor_KeyPress(int &KeyAscii);
    void cmdClear_Click();
    void cmdExit_Click();
    void txtRadixor_GotFocus();
    void txtDec_GotFocus();
    void txtBin_GotFocus();
    void txtHex_GotFocus();
    void txtOct_GotFocus();

    void beep();

    HWND frm = nullptr;
    // One per row of the definition, in its order.
    std::array<HWND, std::size(radixor::controls)> children{};
    HWND txtRadixor = nullptr;
    HWND txtDec = nullptr;
    HWND txtBin = nullptr;
    HWND txtHex = nullptr;
    HWND txtOct = nullptr;
    HWND cmdConvert = nullptr;
    HWND cmdClear = nullptr;
    HWND cmdExit = nullptr;
    HFONT font = nullptr;
    HFONT outputFont = nullptr;
    HWND lastFocus = nullptr;

    // The entry's text as last accepted, and its selection when the
    // message now changing it arrived.
    std::wstring accepted;
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    int entryDepth = 0;
    bool restoring = false;

    std::optional<double> decnum;
};
