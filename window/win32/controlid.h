#pragma once

// Which child window is which row of the definition's table: its control
// ID, as the window procedure and any other program reading the window
// (the tests' probe) tell them apart.

#include <windows.h>

#include "frmradixor.h"

#include <array>
#include <optional>

namespace radixor::win32 {

// One child window per row of the table, in its order.
using Children = std::array<HWND, std::size(controls)>;

// Convert and Exit have the IDs that a dialog's Enter and Esc send, IDOK
// and IDCANCEL; the other rows count from 100.
constexpr int controlId(Control row)
{
    if (controls[row].flags & Default)
        return IDOK;
    if (controls[row].flags & Cancel)
        return IDCANCEL;
    return 100 + int(row);
}

constexpr std::optional<Control> rowOf(int id)
{
    for (Control row = 0; row < std::size(controls); ++row)
        if (controlId(row) == id)
            return row;
    return std::nullopt;
}

}  // namespace radixor::win32
