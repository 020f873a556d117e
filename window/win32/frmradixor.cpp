#include "frmradixor.h"

#include "conversion.h"
#include "entryrules.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

using namespace radixor;

constexpr wchar_t windowClass[] = L"Radixor";

std::wstring wide(std::string_view text) { return {text.begin(), text.end()}; }

// The entry holds digits only; anything else would not be read as one.
std::string ascii(const std::wstring &text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

std::wstring text(HWND box)
{
    std::wstring out(std::size_t(GetWindowTextLengthW(box)), L'\0');
    GetWindowTextW(box, out.data(), int(out.size() + 1));
    return out;
}

void setText(HWND box, const std::wstring &text) { SetWindowTextW(box, text.c_str()); }

void selectAll(HWND box)
{
    SendMessageW(box, EM_SETSEL, 0, GetWindowTextLengthW(box));
}

void repaint(HWND box) { RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

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

constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// A tool window's thin frame and small caption with a close box; listed in
// the taskbar all the same, since it is the program.
constexpr DWORD frameExStyle = WS_EX_TOOLWINDOW | WS_EX_APPWINDOW;

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

// The font for the output boxes: the line font, made narrower until the
// longest binary texts fit between the box's margins with a pixel for the
// caret. The widest is 2^31 - 1, or 2^30 for a face whose 0 is wider.
HFONT fittedFont(HWND box, HFONT font, UINT dpi)
{
    const std::wstring widest[] = {
        wide(conversion::dec2bin(conversion::limit - 1)),
        wide(conversion::dec2bin(conversion::limit / 2)),
    };
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

frmRadixor::frmRadixor()
{
    static const ATOM registered = [] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance;
        wc.hIcon = HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        wc.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), 0));
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
        wc.lpszClassName = windowClass;
        return RegisterClassExW(&wc);
    }();
    (void)registered;

    frm = CreateWindowExW(frameExStyle, windowClass, wide(windowCaption).c_str(), frameStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr),
                          this);

    std::array<std::size_t, std::size(controls)> zOrder;
    for (std::size_t row = 0; row < zOrder.size(); ++row)
        zOrder[row] = row;
    std::sort(zOrder.begin(), zOrder.end(),
              [](std::size_t a, std::size_t b) { return zRank(controls[a]) < zRank(controls[b]); });
    // Each new child goes to the bottom of the z-order.
    for (const std::size_t row : zOrder) {
        const ControlDef &c = controls[row];
        const DWORD exStyle = (c.flags & Entry) ? WS_EX_CLIENTEDGE : 0;
        children[row] = CreateWindowExW(exStyle, classOf(c.kind), wide(c.caption).c_str(), styleOf(c), 0, 0, 0, 0,
                                        frm, HMENU(INT_PTR(controlId(row))), GetModuleHandleW(nullptr), nullptr);
    }

    const auto find = [this](std::string_view name) { return children[std::size_t(radixor::find(name) - controls)]; };
    txtRadixor = find("txtRadixor");
    txtDec = find("txtDec");
    txtBin = find("txtBin");
    txtHex = find("txtHex");
    txtOct = find("txtOct");
    cmdConvert = find("cmdConvert");
    cmdClear = find("cmdClear");
    cmdExit = find("cmdExit");
    lastFocus = children[zOrder.front()];

    // No maximum length of the box's own: it would cut a paste short
    // instead of refusing it.
    SendMessageW(txtRadixor, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    accepted = text(txtRadixor);
    SetWindowSubclass(txtRadixor, entryProc, 0, DWORD_PTR(this));

    layOut(GetDpiForWindow(frm));
    nameForScreenReaders();
}

frmRadixor::~frmRadixor()
{
    if (IsWindow(frm))
        DestroyWindow(frm);
    DeleteObject(font);
    DeleteObject(outputFont);
}

void frmRadixor::show()
{
    RECT window{};
    GetWindowRect(frm, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    SetWindowPos(frm, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(frm, SW_SHOW);
    UpdateWindow(frm);
}

// Every position is the definition's, in pixels at the window's dpi; the
// labels then take their caption's size.
void frmRadixor::layOut(UINT dpi)
{
    const HFONT oldFont = font;
    const HFONT oldOutputFont = outputFont;
    font = lineFont(dpi);
    const int px = int(dpi);
    for (std::size_t row = 0; row < children.size(); ++row) {
        const ControlDef &c = controls[row];
        int width = pixels(c.width, px);
        int height = pixels(c.height, px);
        if (c.kind == Kind::Label) {
            const SIZE size = extent(children[row], font, wide(c.caption));
            width = size.cx;
            height = size.cy;
        }
        SetWindowPos(children[row], nullptr, pixels(absoluteLeft(c), px), pixels(absoluteTop(c), px), width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(children[row], WM_SETFONT, WPARAM(font), FALSE);
    }
    outputFont = fittedFont(txtDec, font, dpi);
    for (HWND box : {txtDec, txtBin, txtHex, txtOct})
        SendMessageW(box, WM_SETFONT, WPARAM(outputFont ? outputFont : font), FALSE);

    RECT frame{0, 0, pixels(clientWidth, px), pixels(clientHeight, px)};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, frameExStyle, dpi);
    SetWindowPos(frm, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(frm, nullptr, TRUE);
    DeleteObject(oldFont);
    DeleteObject(oldOutputFont);
}

// Screen readers take a box's name from the label before it in z-order,
// which the tab order rules out here; the names are set instead.
void frmRadixor::nameForScreenReaders()
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (std::size_t row = 0; row < children.size(); ++row)
        services->SetHwndPropStr(children[row], DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                 wide(controls[row].spoken).c_str());
    services->Release();
}

LRESULT CALLBACK frmRadixor::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<frmRadixor *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->frm = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(form));
    }
    if (auto *form = reinterpret_cast<frmRadixor *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        return form->handle(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT frmRadixor::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = frm;
    switch (message) {
    case WM_COMMAND:
        command(HWND(lParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID: {
        // Enter clicks the focused button, else Convert.
        const HWND focus = GetFocus();
        int id = IDOK;
        if (GetParent(focus) == frm && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
            id = GetDlgCtrlID(focus);
        return MAKELRESULT(id, DC_HASDEFID);
    }
    case WM_CTLCOLORSTATIC: {
        // The output boxes in the active border's colour, system colour
        // 10; labels and the frame in the window's face colour.
        int colour = COLOR_3DFACE;
        for (HWND box : {txtDec, txtBin, txtHex, txtOct})
            if (HWND(lParam) == box)
                colour = COLOR_ACTIVEBORDER;
        const HDC dc = HDC(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(colour));
        return LRESULT(GetSysColorBrush(colour));
    }
    case WM_ACTIVATE:
        // A plain window, unlike a dialog, forgets which control had the
        // focus when it is deactivated.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus && GetParent(focus) == frm)
                lastFocus = focus;
        } else if (!HIWORD(wParam)) {
            SetFocus(lastFocus);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(frm, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(HIWORD(wParam));
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(frm, GWLP_USERDATA, 0);
        frm = nullptr;
        break;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

void frmRadixor::command(HWND control, int code)
{
    if (code == BN_CLICKED) {
        if (control == cmdConvert)
            cmdConvert_Click();
        else if (control == cmdClear)
            cmdClear_Click();
        else if (control == cmdExit)
            cmdExit_Click();
        else if (const auto *c = std::find(children.begin(), children.end(), control); c != children.end())
            if (const ControlDef &row = controls[std::size_t(c - children.begin())]; row.name == "Btn")
                Btn_Click(row.index);
    } else if (code == BN_SETFOCUS) {
        showDefault(control);
    } else if (code == EN_SETFOCUS) {
        showDefault(cmdConvert);
        if (control == txtRadixor)
            txtRadixor_GotFocus();
        else if (control == txtDec)
            txtDec_GotFocus();
        else if (control == txtBin)
            txtBin_GotFocus();
        else if (control == txtHex)
            txtHex_GotFocus();
        else if (control == txtOct)
            txtOct_GotFocus();
    } else if (code == EN_CHANGE && control == txtRadixor) {
        keepDigitsOnly();
    }
}

// As in a dialog, the focused button looks like the one Enter clicks, and
// Convert does whenever no button has the focus.
void frmRadixor::showDefault(HWND button)
{
    for (std::size_t row = 0; row < children.size(); ++row)
        if (controls[row].kind == Kind::Button)
            SendMessageW(children[row], BM_SETSTYLE, children[row] == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                         TRUE);
}

// The keystroke filter sees WM_CHAR codes as typed: Ctrl+V is 22. Other
// routes that change the text are checked after the change.
LRESULT CALLBACK frmRadixor::entryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR formPointer)
{
    auto *form = reinterpret_cast<frmRadixor *>(formPointer);
    if (message == WM_CHAR) {
        int KeyAscii = int(wParam);
        form->txtRadixor_KeyPress(KeyAscii);
        if (KeyAscii == 0)
            return 0;
        wParam = WPARAM(KeyAscii);
    } else if (message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000)
               && wParam >= 'A' && wParam <= 'Z') {
        // Ctrl+letter reaches the filter as its character code; Wine's box
        // would also act on the key itself (Ctrl+A selects all).
        return 0;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, entryProc, 0);
    }
    if (form->entryDepth++ == 0)
        DefSubclassProc(hwnd, EM_GETSEL, WPARAM(&form->selectionStart), LPARAM(&form->selectionEnd));
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    --form->entryDepth;
    return result;
}

// The paste rule on every route that changes the entry's text: a piece of
// digits goes in with its surrounding blanks trimmed, anything else is
// undone whole with one beep.
void frmRadixor::keepDigitsOnly()
{
    if (restoring)
        return;
    const std::wstring now = text(txtRadixor);
    DWORD caret = 0;
    SendMessageW(txtRadixor, EM_GETSEL, 0, LPARAM(&caret));
    const auto checked = entry::checkedChange(std::u16string(accepted.begin(), accepted.end()), selectionStart,
                                              std::u16string(now.begin(), now.end()), caret);
    restoring = true;
    if (!checked) {
        setText(txtRadixor, accepted);
        SendMessageW(txtRadixor, EM_SETSEL, selectionStart, selectionEnd);
        beep();
    } else {
        accepted.assign(checked->text.begin(), checked->text.end());
        if (accepted != now) {
            setText(txtRadixor, accepted);
            SendMessageW(txtRadixor, EM_SETSEL, checked->caret, checked->caret);
        }
    }
    restoring = false;
    SendMessageW(txtRadixor, EM_GETSEL, WPARAM(&selectionStart), LPARAM(&selectionEnd));
}

void frmRadixor::cmdConvert_Click()
{
    decnum = conversion::valueOf(ascii(text(txtRadixor)));
    if (text(txtRadixor).empty())
        setText(txtRadixor, L"0");
    setText(txtDec, text(txtRadixor));
    setText(txtBin, wide(conversion::dec2bin(*decnum)));
    if (*decnum < conversion::limit) {
        setText(txtHex, wide(conversion::hexText(*decnum)));
        setText(txtOct, wide(conversion::octText(*decnum)));
    } else {
        setText(txtHex, wide(conversion::tooBig));
        setText(txtOct, wide(conversion::tooBig));
    }
    SetFocus(txtRadixor);
    selectAll(txtRadixor);
}

void frmRadixor::Btn_Click(int index)
{
    setText(txtRadixor, text(txtRadixor) + std::to_wstring(index));
}

void frmRadixor::txtRadixor_KeyPress(int &KeyAscii)
{
    if (entry::keyPasses(KeyAscii))
        return;
    beep();
    KeyAscii = 0;
}

void frmRadixor::cmdClear_Click()
{
    setText(txtRadixor, L"");
    SetFocus(txtRadixor);
    setText(txtDec, L"");
    setText(txtBin, L"");
    setText(txtHex, L"");
    setText(txtOct, L"");
}

void frmRadixor::cmdExit_Click()
{
    DestroyWindow(frm);
}

void frmRadixor::txtRadixor_GotFocus()
{
    selectAll(txtRadixor);
}

// The output boxes repaint before selecting, so the selection is drawn
// over the text they show now.
void frmRadixor::txtDec_GotFocus()
{
    repaint(txtDec);
    selectAll(txtDec);
}

void frmRadixor::txtBin_GotFocus()
{
    repaint(txtBin);
    selectAll(txtBin);
}

void frmRadixor::txtHex_GotFocus()
{
    repaint(txtHex);
    selectAll(txtHex);
}

void frmRadixor::txtOct_GotFocus()
{
    repaint(txtOct);
    selectAll(txtOct);
}

void frmRadixor::beep()
{
    MessageBeep(MB_OK);
}
