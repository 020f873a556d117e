#include "entryguard.h"

#include "entryrules.h"
#include "keys.h"

#include <commctrl.h>
#include <imm.h>

#include <cwchar>
#include <string>

namespace radixor::win32 {
namespace {

std::u16string_view view(const wchar_t *text, std::size_t length)
{
    return {reinterpret_cast<const char16_t *>(text), length};
}

std::u16string textOf(HWND box)
{
    std::u16string out(std::size_t(GetWindowTextLengthW(box)), u'\0');
    GetWindowTextW(box, reinterpret_cast<wchar_t *>(out.data()), int(out.size() + 1));
    return out;
}

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

EntryGuard::EntryGuard(HWND entry, frmRadixor &form, ControlOperations &window)
    : entry(entry), form(form), window(window)
{
    // The box's own limit only backs the rule up: the rule refuses a
    // longer text whole, where the box would cut it short.
    SendMessageW(entry, EM_SETLIMITTEXT, entry::maxLength, 0);
    SetWindowSubclass(entry, entryProc, 0, DWORD_PTR(this));
}

void EntryGuard::setText(std::u16string_view text)
{
    const std::wstring terminated(text.begin(), text.end());
    trusted = true;
    SetWindowTextW(entry, terminated.c_str());
    trusted = false;
}

LRESULT CALLBACK EntryGuard::entryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR guard)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, entryProc, 0);
    return reinterpret_cast<EntryGuard *>(guard)->handle(message, wParam, lParam);
}

LRESULT EntryGuard::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (held(VK_CONTROL) && !held(VK_MENU) && ctrlChord(wParam))
            return 0;
        // Wine's box pastes Shift+Insert itself, without WM_PASTE.
        if (wParam == VK_INSERT && held(VK_SHIFT) && !held(VK_CONTROL)) {
            paste();
            return 0;
        }
        break;
    case WM_CHAR:
        typed(wParam);
        return 0;
    case WM_PASTE:
        paste();
        return 0;
    case EM_REPLACESEL:
        insert(lParam ? view(reinterpret_cast<const wchar_t *>(lParam), std::wcslen(reinterpret_cast<const wchar_t *>(lParam))) : u"");
        return 0;
    case WM_SETTEXT:
        if (!trusted) {
            const auto *text = reinterpret_cast<const wchar_t *>(lParam);
            const auto after = text ? view(text, std::wcslen(text)) : std::u16string_view();
            const auto checked = entry::checkedChange(textOf(entry), 0, after, after.size());
            if (!checked) {
                window.beep();
                return FALSE;
            }
            const std::wstring kept(checked->text.begin(), checked->text.end());
            return DefSubclassProc(entry, WM_SETTEXT, 0, LPARAM(kept.c_str()));
        }
        break;
    case WM_IME_CHAR: {
        const char16_t piece = char16_t(wParam);
        insert({&piece, 1});
        return 0;
    }
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR) {
            const HIMC context = ImmGetContext(entry);
            const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
            std::u16string result(bytes > 0 ? std::size_t(bytes) / sizeof(wchar_t) : 0, u'\0');
            if (!result.empty())
                ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), DWORD(bytes));
            ImmReleaseContext(entry, context);
            insert(result);
            lParam &= ~LPARAM(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE);
        }
        [[fallthrough]];
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        // What is being composed shows in the input method's own window,
        // never in the box: only the result is inserted.
        return DefWindowProcW(entry, message, wParam, lParam);
    }
    return DefSubclassProc(entry, message, wParam, lParam);
}

// A Ctrl chord means what the handlers make of it, whatever character code
// Wine's translation would give it (Ctrl+Backspace and Ctrl+H give 8
// there, and its box then ignores them); the character its translation
// has queued is dropped. True when the chord was taken here.
bool EntryGuard::ctrlChord(WPARAM key)
{
    keys::Chord chord;
    chord.ctrl = true;
    if (key == VK_BACK) {
        chord.key = keys::Key::Backspace;
    } else if (const UINT character = MapVirtualKeyW(UINT(key), MAPVK_VK_TO_CHAR) & 0x7FFFFFFF) {
        chord.key = keys::Key::Character;
        chord.character = character;
    }
    const auto outcome = form.KeyDown(chord, true);
    if (outcome == frmRadixor::KeyOutcome::Own)
        return false;
    MSG queued;
    PeekMessageW(&queued, entry, WM_CHAR, WM_CHAR, PM_REMOVE);
    if (outcome == frmRadixor::KeyOutcome::Backspace)
        backspace();
    return true;
}

// A character typed into the entry: the handlers' filter sees its code,
// and what passes goes in as an inserted piece of one, or deletes.
void EntryGuard::typed(WPARAM code)
{
    keys::Chord chord{code == 8 ? keys::Key::Backspace : keys::Key::Character, char32_t(code), false, false};
    if (form.KeyDown(chord, true) == frmRadixor::KeyOutcome::Taken)
        return;
    if (code == 8) {
        backspace();
    } else {
        const char16_t character = char16_t(code);
        insert({&character, 1});
    }
}

// Replaces the selection with piece when the rule takes it, else beeps
// once; true when taken.
bool EntryGuard::insert(std::u16string_view piece)
{
    DWORD start = 0, end = 0;
    DefSubclassProc(entry, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    const auto checked = entry::checkedInsertion(textOf(entry), start, end - start, piece);
    if (!checked) {
        window.beep();
        return false;
    }
    replace(start, end, std::u16string_view(checked->text).substr(start, checked->caret - start));
    return true;
}

void EntryGuard::paste()
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(entry))
        return;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
            insert(view(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t))));
            GlobalUnlock(data);
        }
    CloseClipboard();
}

// Deletes the selection, or else the character before the caret.
void EntryGuard::backspace()
{
    DWORD start = 0, end = 0;
    DefSubclassProc(entry, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    if (start == end && start > 0)
        --start;
    if (start != end)
        replace(start, end, u"");
}

void EntryGuard::replace(DWORD start, DWORD end, std::u16string_view piece)
{
    const std::wstring terminated(piece.begin(), piece.end());
    DefSubclassProc(entry, EM_SETSEL, start, end);
    DefSubclassProc(entry, EM_REPLACESEL, TRUE, LPARAM(terminated.c_str()));
}

}  // namespace radixor::win32
