// Test helper, run under Wine beside radixor.exe: prints what the Win32 API
// reports about the running window, for the end-to-end tests to compare.
//   winprobe window        client size, window rectangle, work area, frame
//                          settings, dpi and awareness, font line
//   winprobe focus         the focused control: name index selection text
//   winprobe text NAME [I] a control's text
//   winprobe centre NAME [I]  a control's centre in screen pixels
//   winprobe first NAME    where a box draws its first character: left of
//                          0 once its text has scrolled
//   winprobe names         each control's accessible name
//   winprobe handles       each control's window handle, as Wine's traces
//                          print it
//   winprobe paste         sends WM_PASTE to the entry box
//   winprobe replacesel T  sends EM_REPLACESEL with T to the entry box
//   winprobe settext T     sends WM_SETTEXT with T to the entry box
//   winprobe imechar T     sends WM_IME_CHAR for each character of T
//   winprobe closebox      a point on the caption's close box, in screen
//                          pixels
//   winprobe background    a point of the window's own background, left
//                          of the entry box, in screen pixels
//   winprobe box NAME [I]  a box's selection start and length, and text
//   winprobe serve         reads one command a line from stdin and answers
//                          each, then a line ".", until stdin ends: a
//                          driver asking often spares a Wine start each

#include "controlid.h"

#include <initguid.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace radixor;
using radixor::win32::controlId;

HWND form()
{
    const std::wstring caption(windowCaption.begin(), windowCaption.end());
    return FindWindowW(L"Radixor", caption.c_str());
}

HWND control(HWND frm, std::size_t row) { return GetDlgItem(frm, controlId(row)); }

std::size_t rowNamed(const char *name, const char *index)
{
    const ControlDef *c = find(name, index ? std::atoi(index) : -1);
    if (!c) {
        std::fprintf(stderr, "winprobe: no control %s\n", name);
        std::exit(2);
    }
    return std::size_t(c - controls);
}

std::string utf8(const std::wstring &text)
{
    std::string out(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                                                     nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(), int(out.size()), nullptr, nullptr);
    return out;
}

std::string text(HWND hwnd)
{
    std::wstring buffer(std::size_t(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    buffer.resize(std::size_t(SendMessageW(hwnd, WM_GETTEXT, buffer.size(), LPARAM(buffer.data()))));
    return utf8(buffer);
}

int answer(int argc, char *argv[])
{
    const HWND frm = form();
    if (!frm) {
        std::fputs("winprobe: no radixor window\n", stderr);
        return 1;
    }
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "window") {
        RECT client{}, window{};
        GetClientRect(frm, &client);
        GetWindowRect(frm, &window);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const auto style = GetWindowLongPtrW(frm, GWL_STYLE);
        const auto exStyle = GetWindowLongPtrW(frm, GWL_EXSTYLE);
        std::printf("client %ld %ld\n", client.right, client.bottom);
        std::printf("window %ld %ld %ld %ld\n", window.left, window.top, window.right - window.left,
                    window.bottom - window.top);
        std::printf("work %ld %ld %ld %ld\n", monitor.rcWork.left, monitor.rcWork.top,
                    monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top);
        std::printf("resizable %d\nminimize %d\nmaximize %d\nclose %d\ntoolwindow %d\n", !!(style & WS_THICKFRAME),
                    !!(style & WS_MINIMIZEBOX), !!(style & WS_MAXIMIZEBOX), !!(style & WS_SYSMENU),
                    !!(exStyle & WS_EX_TOOLWINDOW));
        std::printf("dpi %u\n", GetDpiForWindow(frm));
        std::printf("awareness %d\n", int(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(frm))));
        // A label is as high as its caption's line in the window's font.
        RECT label{};
        GetWindowRect(control(frm, rowNamed("Label1", nullptr)), &label);
        std::printf("line %ld\n", label.bottom - label.top);
    } else if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(frm, nullptr), &info);
        for (std::size_t r = 0; r < std::size(controls); ++r)
            if (control(frm, r) == info.hwndFocus) {
                const auto selection = DWORD(SendMessageW(info.hwndFocus, EM_GETSEL, 0, 0));
                const bool box = controls[r].kind == Kind::TextBox;
                std::printf("%.*s %d %d %d %s\n", int(controls[r].name.size()), controls[r].name.data(),
                            controls[r].index, box ? LOWORD(selection) : 0, box ? HIWORD(selection) : 0,
                            text(info.hwndFocus).c_str());
                return 0;
            }
        std::puts("none");
    } else if (command == "text" && argc > 2) {
        std::puts(text(control(frm, rowNamed(argv[2], argc > 3 ? argv[3] : nullptr))).c_str());
    } else if (command == "centre" && argc > 2) {
        RECT rect{};
        GetWindowRect(control(frm, rowNamed(argv[2], argc > 3 ? argv[3] : nullptr)), &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    } else if (command == "background") {
        POINT spot{4, 4};
        ClientToScreen(frm, &spot);
        std::printf("%ld %ld\n", spot.x, spot.y);
    } else if (command == "box" && argc > 2) {
        const HWND box = control(frm, rowNamed(argv[2], argc > 3 ? argv[3] : nullptr));
        DWORD start = 0, end = 0;
        SendMessageW(box, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        std::printf("%lu %lu %s\n", start, end - start, text(box).c_str());
    } else if (command == "first" && argc > 2) {
        const auto at = SendMessageW(control(frm, rowNamed(argv[2], nullptr)), EM_POSFROMCHAR, 0, 0);
        std::printf("%d\n", int(short(LOWORD(at))));
    } else if (command == "names") {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (std::size_t r = 0; r < std::size(controls); ++r) {
            IAccessible *accessible = nullptr;
            BSTR name = nullptr;
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            std::string spoken = "?";
            if (SUCCEEDED(AccessibleObjectFromWindow(control(frm, r), DWORD(OBJID_CLIENT), IID_IAccessible,
                                                     reinterpret_cast<void **>(&accessible)))) {
                if (SUCCEEDED(accessible->get_accName(self, &name)) && name)
                    spoken = utf8(name);
                SysFreeString(name);
                accessible->Release();
            }
            std::printf("%.*s %d %s\n", int(controls[r].name.size()), controls[r].name.data(), controls[r].index,
                        spoken.c_str());
        }
        CoUninitialize();
    } else if (command == "handles") {
        for (std::size_t r = 0; r < std::size(controls); ++r)
            std::printf("%016llX %.*s %d\n", static_cast<unsigned long long>(UINT_PTR(control(frm, r))),
                        int(controls[r].name.size()), controls[r].name.data(), controls[r].index);
    } else if (command == "closebox") {
        RECT window{};
        GetWindowRect(frm, &window);
        for (LONG y = window.top; y < window.top + 40; ++y)
            for (LONG x = window.right - 1; x > window.right - 60; --x)
                if (SendMessageW(frm, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                    std::printf("%ld %ld\n", x - 3, y + 3);  // inside, off the edge
                    return 0;
                }
        std::puts("none");
    } else if (command == "paste") {
        SendMessageW(control(frm, rowNamed("txtRadixor", nullptr)), WM_PASTE, 0, 0);
    } else if ((command == "replacesel" || command == "settext" || command == "imechar") && argc > 2) {
        const HWND entry = control(frm, rowNamed("txtRadixor", nullptr));
        std::wstring piece(std::size_t(MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, nullptr, 0)), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, piece.data(), int(piece.size()));
        piece.pop_back();
        if (command == "replacesel")
            SendMessageW(entry, EM_REPLACESEL, TRUE, LPARAM(piece.c_str()));
        else if (command == "settext")
            SendMessageW(entry, WM_SETTEXT, 0, LPARAM(piece.c_str()));
        else
            for (const wchar_t c : piece)
                SendMessageW(entry, WM_IME_CHAR, c, 1);
    } else {
        std::fputs("usage: winprobe window|focus|text NAME [INDEX]|box NAME [INDEX]|centre NAME [INDEX]|first NAME|"
                   "background|names|handles|paste|replacesel T|settext T|imechar T|closebox|serve\n", stderr);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "serve") != 0)
        return answer(argc, argv);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::vector<std::string> words{"winprobe"};
        for (std::string word; in >> word;)
            words.push_back(word);
        std::vector<char *> args;
        for (auto &word : words)
            args.push_back(word.data());
        answer(int(args.size()), args.data());
        std::puts(".");
        std::fflush(stdout);
    }
    return 0;
}
