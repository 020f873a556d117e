#include "appearance.h"

#include "frmradixor.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace radixor::win32 {
namespace {

std::wstring wide(std::string_view text) { return {text.begin(), text.end()}; }

// Windows tabs through controls in z-order, top first, so one order serves
// both: the controls that take the focus by tab index, then the labels,
// then the frame, which lies behind everything it holds.
constexpr int zRank(const ControlDef &c)
{
    const int layer = c.kind == Kind::Frame ? 2 : (c.kind == Kind::Label ? 1 : 0);
    return layer * 1000 + c.tabIndex;
}

constexpr int absoluteLeft(const ControlDef &c) { return c.left + ((c.flags & InFrame) ? find("Frame1")->left : 0); }
constexpr int absoluteTop(const ControlDef &c) { return c.top + ((c.flags & InFrame) ? find("Frame1")->top : 0); }
constexpr bool overlap(const ControlDef &a, const ControlDef &b)
{
    return absoluteLeft(a) < absoluteLeft(b) + b.width && absoluteLeft(b) < absoluteLeft(a) + a.width
        && absoluteTop(a) < absoluteTop(b) + b.height && absoluteTop(b) < absoluteTop(a) + a.height;
}
// Where the definition puts one control in front of another, the z-order
// does too; what lies in the frame is in front of it by being inside.
constexpr bool zOrderKeepsFrontToBack()
{
    for (std::size_t front = 0; front < std::size(controls); ++front)
        for (std::size_t back = front + 1; back < std::size(controls); ++back) {
            const ControlDef &a = controls[front];
            const ControlDef &b = controls[back];
            if (overlap(a, b) && !(a.kind == Kind::Frame && (b.flags & InFrame)) && zRank(a) > zRank(b))
                return false;
        }
    return true;
}
static_assert(zOrderKeepsFrontToBack(), "the z-order that gives the tab order keeps the definition's overlaps");

// The desktop's message font at the size whose line is the layout's line,
// 13 pixels at 96 dpi.
HFONT lineFont(UINT dpi, LONG width = 0)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW face{};
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        face = metrics.lfMessageFont;
    face.lfHeight = pixels(lineHeight, int(dpi));  // positive: the whole line, not the em
    face.lfWidth = width;
    return CreateFontIndirectW(&face);
}

SIZE extent(HWND control, HFONT font, const std::wstring &text)
{
    SIZE size{};
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

// The font for the result boxes: the line font, made narrower until the
// longest binary texts fit between the box's margins with a pixel for the
// caret; nullptr when the line font fits already.
HFONT fittedFont(HWND box, HFONT font, UINT dpi)
{
    const auto results = widestResults();
    const std::wstring widest[] = {wide(results[0]), wide(results[1])};
    RECT client{};
    GetClientRect(box, &client);
    SendMessageW(box, WM_SETFONT, WPARAM(font), FALSE);
    const DWORD margins = DWORD(SendMessageW(box, EM_GETMARGINS, 0, 0));
    const LONG room = client.right - LOWORD(margins) - HIWORD(margins) - 1;
    const auto width = [&](HFONT candidate) {
        LONG most = 0;
        for (const auto &text : widest)
            most = std::max(most, extent(box, candidate, text).cx);
        return most;
    };
    if (width(font) <= room)
        return nullptr;
    TEXTMETRICW metrics{};
    HDC dc = GetDC(box);
    const HGDIOBJ old = SelectObject(dc, font);
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    for (LONG average = metrics.tmAveCharWidth - 1; average > metrics.tmAveCharWidth / 2; --average) {
        HFONT narrower = lineFont(dpi, average);
        if (width(narrower) <= room)
            return narrower;
        DeleteObject(narrower);
    }
    return nullptr;
}

}  // namespace

const wchar_t *classOf(Kind kind)
{
    switch (kind) {
    case Kind::TextBox:
        return WC_EDITW;
    case Kind::Button:
    case Kind::Frame:
        return WC_BUTTONW;
    case Kind::Label:
        return WC_STATICW;
    }
    return WC_STATICW;
}

DWORD styleOf(const ControlDef &c)
{
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (c.kind) {
    case Kind::TextBox:
        return common | WS_TABSTOP | ES_AUTOHSCROLL | ((c.flags & Output) ? ES_READONLY : 0);
    case Kind::Button:
        return common | WS_TABSTOP | BS_NOTIFY | ((c.flags & Default) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case Kind::Frame:
        return common | BS_GROUPBOX;
    case Kind::Label:
        return common | SS_LEFT | SS_NOPREFIX;
    }
    return common;
}

DWORD exStyleOf(const ControlDef &c) { return (c.flags & Entry) ? WS_EX_CLIENTEDGE : 0; }

std::array<Control, std::size(controls)> creationOrder()
{
    std::array<Control, std::size(controls)> order;
    for (Control row = 0; row < order.size(); ++row)
        order[row] = row;
    std::sort(order.begin(), order.end(), [](Control a, Control b) { return zRank(controls[a]) < zRank(controls[b]); });
    return order;
}

RECT frameRect(UINT dpi)
{
    RECT frame{0, 0, pixels(clientWidth, int(dpi)), pixels(clientHeight, int(dpi))};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, frameExStyle, dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = work.left + (work.right - work.left - width) / 2;
    const LONG top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

Fonts::~Fonts()
{
    DeleteObject(line);
    DeleteObject(output);
}

HFONT Fonts::make(UINT dpi)
{
    DeleteObject(line);
    line = lineFont(dpi);
    return line;
}

// Every position is the definition's, in pixels at the window's dpi.
RECT Fonts::place(Control row, UINT dpi) const
{
    const ControlDef &c = controls[row];
    const int px = int(dpi);
    const int left = pixels(absoluteLeft(c), px);
    const int top = pixels(absoluteTop(c), px);
    SIZE size{pixels(c.width, px), pixels(c.height, px)};
    if (c.kind == Kind::Label)
        size = extent(nullptr, line, wide(c.caption));
    return {left, top, left + size.cx, top + size.cy};
}

void Fonts::fitOutputs(const Children &children, UINT dpi)
{
    // The result boxes share one size, so one fitting serves them all.
    Control first = 0;
    while (!isOutput(first))
        ++first;
    DeleteObject(output);
    output = fittedFont(children[first], line, dpi);
    for (Control row = 0; row < children.size(); ++row)
        if (isOutput(row))
            SendMessageW(children[row], WM_SETFONT, WPARAM(output ? output : line), FALSE);
}

void Fonts::layOut(HWND frm, const Children &children, UINT dpi)
{
    const HFONT oldLine = line;
    line = lineFont(dpi);
    for (Control row = 0; row < children.size(); ++row) {
        const RECT at = place(row, dpi);
        SetWindowPos(children[row], nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(children[row], WM_SETFONT, WPARAM(line), FALSE);
    }
    fitOutputs(children, dpi);
    const RECT frame = frameRect(dpi);
    SetWindowPos(frm, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(frm, nullptr, TRUE);
    DeleteObject(oldLine);
}

// The result boxes in the active border's colour, system colour 10;
// labels and the frame in the window's face colour.
HBRUSH staticColours(HDC dc, Control row)
{
    const int colour = isOutput(row) ? COLOR_ACTIVEBORDER : COLOR_3DFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(colour));
    return GetSysColorBrush(colour);
}

}  // namespace radixor::win32
