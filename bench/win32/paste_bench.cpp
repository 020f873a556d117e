// Times how long a running radixor.exe takes to refuse a paste of n digits
// (past the entry's limit) and to answer the next message after it:
//   paste_bench N...   one line a size: how long the entry took to judge the
//                      paste, to answer the next message, what it holds,
//                      and how long reading the clipboard alone takes
// The clipboard holds the digits before the clock starts; WM_PASTE is sent
// to the entry, which returns once it has judged the paste.

#include "controlid.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

bool putOnClipboard(const std::wstring &text)
{
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!data)
        return false;
    auto *copy = static_cast<wchar_t *>(GlobalLock(data));
    text.copy(copy, text.size());
    copy[text.size()] = L'\0';
    GlobalUnlock(data);
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    CloseClipboard();
    return set;
}

// What reading the clipboard alone costs, as the entry reads it: Wine's
// share of the time, which no check in the program can go below.
double readClipboard()
{
    const auto start = std::chrono::steady_clock::now();
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT))
            if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
                volatile std::size_t length = wcsnlen(text, GlobalSize(data) / sizeof(wchar_t));
                (void)length;
                GlobalUnlock(data);
            }
        CloseClipboard();
    }
    return since(start);
}

}  // namespace

int main(int argc, char *argv[])
{
    using namespace radixor;
    const std::wstring caption(windowCaption.begin(), windowCaption.end());
    const HWND frm = FindWindowW(L"Radixor", caption.c_str());
    if (!frm) {
        std::fputs("paste_bench: no radixor window\n", stderr);
        return 1;
    }
    const HWND entry = GetDlgItem(frm, win32::controlId(row("txtRadixor")));
    for (int i = 1; i < argc; ++i) {
        const unsigned long long digits = std::strtoull(argv[i], nullptr, 10);
        if (!putOnClipboard(std::wstring(std::size_t(digits), L'9'))) {
            std::fputs("paste_bench: could not fill the clipboard\n", stderr);
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(entry, WM_PASTE, 0, 0);
        const double refused = since(start);
        const auto next = std::chrono::steady_clock::now();
        const auto length = SendMessageW(entry, WM_GETTEXTLENGTH, 0, 0);
        const double answered = since(next);
        const double reading = readClipboard();
        std::printf("%llu digits: judged in %.1f ms, next answer in %.2f ms, entry holds %ld;"
                    " reading the clipboard alone %.1f ms\n",
                    digits, refused, answered, long(length), reading);
        std::fflush(stdout);
    }
    return 0;
}
