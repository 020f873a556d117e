// The least a Win32 program shows: one window with one label, built and
// linked as radixor.exe is, to measure start-up against.

#include <windows.h>

namespace {

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
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
    wc.lpszClassName = L"Bare";
    RegisterClassW(&wc);
    const HWND window = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 430, 234, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"Bare", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, window, nullptr, instance,
                    nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
