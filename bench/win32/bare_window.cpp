// The least a Win32 program shows: one window with one label, built and
// linked as radixor.exe is, to measure start-up against.
//
// Built with THEMED, it is also the floor that radixor.exe's window stands
// on: with radixor.exe's manifest, so with the common controls 6 that draw
// controls in the desktop's visual style, and with WITH_CONTROLS besides,
// the window's 23 controls in place of the label, made as radixor.exe
// makes them and nothing else (no fonts fitted, no names for screen
// readers, no handlers). Run beside radixor.exe, they tell the common
// controls' and the controls' share from what the program adds.

#include <windows.h>

#ifdef THEMED
#include <commctrl.h>

#include "appearance.h"

#include <string>
#endif

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

#ifdef WITH_CONTROLS
void createControls(HWND window, HINSTANCE instance)
{
    using namespace radixor;
    const ControlDef &frame = *find("Frame1");
    for (const Control row : win32::creationOrder()) {
        const ControlDef &c = controls[row];
        const bool inFrame = c.flags & InFrame;
        const std::wstring caption(c.caption.begin(), c.caption.end());
        CreateWindowExW(win32::exStyleOf(c), win32::classOf(c.kind), caption.c_str(), win32::styleOf(c),
                        pixels(c.left + (inFrame ? frame.left : 0)), pixels(c.top + (inFrame ? frame.top : 0)),
                        pixels(c.width), pixels(c.height), window, HMENU(INT_PTR(win32::controlId(row))), instance,
                        nullptr);
    }
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef THEMED
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
    wc.lpszClassName = L"Bare";
    RegisterClassW(&wc);
    const HWND window = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 430, 234, nullptr, nullptr, instance, nullptr);
#ifdef WITH_CONTROLS
    createControls(window, instance);
#else
    CreateWindowExW(0, L"STATIC", L"Bare", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, window, nullptr, instance,
                    nullptr);
#endif
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
