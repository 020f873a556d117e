#include "win32window.h"

#include "accessibility.h"
#include "keys.h"

#include <string>

namespace radixor::win32 {
namespace {

constexpr wchar_t windowClass[] = L"Radixor";

std::wstring wide(std::string_view text) { return {text.begin(), text.end()}; }

constexpr Control entryRow()
{
    Control row = 0;
    while (!(controls[row].flags & Entry))
        ++row;
    return row;
}

}  // namespace

std::unique_ptr<Win32Window> Win32Window::create(int iconId)
{
    std::unique_ptr<Win32Window> window(new Win32Window);
    if (!window->build(iconId))
        return nullptr;
    return window;
}

bool Win32Window::build(int iconId)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance;
        wc.hIcon = HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        wc.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), 0));
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
        wc.lpszClassName = windowClass;
        return RegisterClassExW(&wc);
    }();
    if (!registered)
        return false;
    // Made where and as large as it will show, and every child in its
    // place with its font: each move afterwards would cost a round of
    // messages per window. The dpi is the system's until the window has
    // its own.
    const UINT systemDpi = GetDpiForSystem();
    RECT at = frameRect(systemDpi);
    if (!CreateWindowExW(frameExStyle, windowClass, wide(windowCaption).c_str(), frameStyle, at.left, at.top,
                         at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance, this))
        return false;
    const UINT dpi = GetDpiForWindow(frm);
    const HFONT line = fonts.make(dpi);
    for (const Control row : creationOrder()) {
        const ControlDef &c = controls[row];
        at = fonts.place(row, dpi);
        children[row] = CreateWindowExW(exStyleOf(c), classOf(c.kind), wide(c.caption).c_str(), styleOf(c), at.left,
                                        at.top, at.right - at.left, at.bottom - at.top, frm,
                                        HMENU(INT_PTR(controlId(row))), instance, nullptr);
        if (!children[row])
            return false;
        SendMessageW(children[row], WM_SETFONT, WPARAM(line), FALSE);
    }
    fonts.fitOutputs(children, dpi);
    if (dpi != systemDpi) {
        at = frameRect(dpi);
        SetWindowPos(frm, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    guard = std::make_unique<EntryGuard>(children[entryRow()], form, *this);
    return true;
}

Win32Window::~Win32Window()
{
    if (IsWindow(frm))
        DestroyWindow(frm);
}

void Win32Window::show()
{
    ShowWindow(frm, SW_SHOW);
    UpdateWindow(frm);
    setFocus(entryRow());
}

void Win32Window::nameForScreenReaders() { win32::nameForScreenReaders(children); }

bool Win32Window::takeMessage(MSG &msg)
{
    if (!frm || (msg.hwnd != frm && !IsChild(frm, msg.hwnd)))
        return false;
    const auto row = rowOf(msg.hwnd);
    switch (msg.message) {
    case WM_SYSCHAR:
        // Alt with a character clicks the button it marks, or beeps;
        // Alt+Space keeps its meaning, the window menu.
        if (msg.wParam != ' ') {
            const keys::Chord chord{keys::Key::Character, char32_t(msg.wParam), false, true};
            if (form.KeyDown(chord, row && (controls[*row].flags & Entry)) == frmRadixor::KeyOutcome::Taken)
                return true;
        }
        break;
    case WM_CHAR:
        // IsDialogMessage would read a plain letter at a button as an
        // access key, which only Alt makes it here: the character does at
        // a button what the handlers leave it to do, which is nothing.
        if (row && isButton(*row))
            return true;
        break;
    case WM_LBUTTONDOWN:
        // A click that gives a box the focus runs its GotFocus handler
        // first, which selects the whole text. In the entry the click then
        // places the caret where it was, as every later click does; a
        // result box keeps the whole text selected, ready to copy, unless
        // the mouse drags a selection of its own.
        if (row && controls[*row].kind == Kind::TextBox && GetFocus() != msg.hwnd) {
            DispatchMessageW(&msg);
            if (isOutput(*row)) {
                clickedInto = msg.hwnd;
            } else {
                const auto at = LOWORD(SendMessageW(msg.hwnd, EM_CHARFROMPOS, 0, msg.lParam));
                SendMessageW(msg.hwnd, EM_SETSEL, at, at);
            }
            return true;
        }
        break;
    case WM_LBUTTONUP:
        if (msg.hwnd == clickedInto) {
            clickedInto = nullptr;
            DispatchMessageW(&msg);
            DWORD start = 0, end = 0;
            SendMessageW(msg.hwnd, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            if (start == end)
                SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
            return true;
        }
        break;
    }
    // Tab, Enter and Esc as in a dialog.
    return IsDialogMessageW(frm, &msg);
}

std::u16string Win32Window::text(Control box) const
{
    std::u16string out(std::size_t(GetWindowTextLengthW(children[box])), u'\0');
    GetWindowTextW(children[box], reinterpret_cast<wchar_t *>(out.data()), int(out.size() + 1));
    return out;
}

void Win32Window::setText(Control box, std::u16string_view text)
{
    if (box == entryRow()) {
        guard->setText(text);
        return;
    }
    SetWindowTextW(children[box], std::wstring(text.begin(), text.end()).c_str());
}

void Win32Window::setSelStart(Control box, std::size_t start)
{
    SendMessageW(children[box], EM_SETSEL, start, start);
}

void Win32Window::setSelLength(Control box, std::size_t length)
{
    DWORD start = 0;
    SendMessageW(children[box], EM_GETSEL, WPARAM(&start), 0);
    SendMessageW(children[box], EM_SETSEL, start, start + length);
}

void Win32Window::setFocus(Control control) { SetFocus(children[control]); }

void Win32Window::refresh(Control box)
{
    RedrawWindow(children[box], nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Win32Window::unload() { DestroyWindow(frm); }

void Win32Window::beep() { MessageBeep(MB_OK); }

std::optional<Control> Win32Window::rowOf(HWND child) const
{
    if (!child || GetParent(child) != frm)
        return std::nullopt;
    return win32::rowOf(GetDlgCtrlID(child));
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *window = static_cast<Win32Window *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        window->frm = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(window));
    }
    if (auto *window = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        return window->handle(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = frm;
    switch (message) {
    case WM_COMMAND:
        if (const auto row = win32::rowOf(LOWORD(wParam)))
            command(*row, HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(controlId(frmRadixor::enterTarget(rowOf(GetFocus()))), DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        if (const auto row = rowOf(HWND(lParam)))
            return LRESULT(staticColours(HDC(wParam), *row));
        break;
    case WM_ACTIVATE:
        // A plain window, unlike a dialog, forgets which control had the
        // focus when it is deactivated. Given back, the control keeps its
        // caret and selection: no handler hears of it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); rowOf(focus))
                lastFocus = focus;
        } else if (!HIWORD(wParam) && lastFocus) {
            reactivating = true;
            SetFocus(lastFocus);
            reactivating = false;
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(frm, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        fonts.layOut(frm, children, HIWORD(wParam));
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

void Win32Window::command(Control control, int code)
{
    if (isButton(control) && code == BN_CLICKED)
        form.Click(control);
    else if ((isButton(control) && code == BN_SETFOCUS) || (!isButton(control) && code == EN_SETFOCUS))
        focusMoved(control);
}

// As in a dialog, the button Enter would click looks it: the focused one,
// else the default one.
void Win32Window::focusMoved(Control control)
{
    const Control target = frmRadixor::enterTarget(control);
    for (Control row = 0; row < children.size(); ++row)
        if (isButton(row))
            SendMessageW(children[row], BM_SETSTYLE, row == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (!reactivating)
        form.GotFocus(control);
}

}  // namespace radixor::win32
