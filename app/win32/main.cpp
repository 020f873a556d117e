#include "resources.h"
#include "win32window.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    const auto window = radixor::win32::Win32Window::create(IDI_RADIXOR);
    if (!window) {
        // Under Wine with no display, for one, there is no window to tell
        // it in: the line goes to stderr.
        const DWORD error = GetLastError();
        wchar_t reason[256] = L"";
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                       DWORD(std::size(reason)), nullptr);
        for (wchar_t *end = reason + std::wcslen(reason); end > reason && (end[-1] == L'\n' || end[-1] == L'\r'
                                                                           || end[-1] == L' ' || end[-1] == L'.');)
            *--end = L'\0';
        std::fprintf(stderr, "radixor: cannot open the window: %ls (Windows error %lu)\n", reason, error);
        return 1;
    }
    window->show();
    // The controls' names for screen readers go through a COM service,
    // loaded once the window is on the screen.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    window->nameForScreenReaders();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!window->takeMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    CoUninitialize();
    return int(msg.wParam);
}
