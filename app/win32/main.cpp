#include "frmradixor.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    // The controls' names for screen readers go through a COM service.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    frmRadixor form;
    form.show();
    // IsDialogMessage gives Tab, Enter, Esc and the access keys their
    // dialog meaning in this plain window.
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(form.window(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    CoUninitialize();
    return int(msg.wParam);
}
