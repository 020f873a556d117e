// The floor that radixor.exe's window stands on under Wine: the bare
// window (bare_window.cpp) with radixor.exe's manifest, so with common
// controls 6, and, built with WITH_CONTROLS, the window's 23 controls made
// as radixor.exe makes them, in their places, and nothing else: no font
// fitted, no names for screen readers, no handlers. Run beside radixor.exe
// and the bare window, it tells what the common controls and the controls
// cost from what the program adds to them.

#include <windows.h>

#include <commctrl.h>

#include "appearance.h"

#include <string>

namespace {

using namespace radixor;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
    wc.lpszClassName = L"Bare";
    RegisterClassW(&wc);
    const RECT at = win32::frameRect(96);
    const HWND window = CreateWindowExW(win32::frameExStyle, L"Bare", L"Bare", win32::frameStyle, at.left, at.top,
                                        at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance, nullptr);
#ifdef WITH_CONTROLS
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
