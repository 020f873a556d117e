// The window in a browser page: the control operations over the page's
// elements (page.js), and the page's events handed to the handlers. The
// page asks; everything the window decides is decided here or in the
// handlers, as on the desktops.

#include "definition.h"
#include "entryrules.h"
#include "frmradixor.h"
#include "keys.h"

#include <emscripten.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace radixor;

// Strings cross to the page as a pointer and a length into this module's
// memory; the page's side reads them with the typed views over it.
EM_JS(void, pageAddControl,
      (int row, int kind, const char *name, int nameLength, int index, const char *caption, int captionLength,
       int left, int top, int width, int height, int tabIndex, unsigned flags, const char *spoken,
       int spokenLength, const char *labelledBy, int labelledByLength),
      {
          page.addControl(row, kind, page.ascii(name, nameLength), index, page.ascii(caption, captionLength),
                          left, top, width, height, tabIndex, flags, page.ascii(spoken, spokenLength),
                          page.ascii(labelledBy, labelledByLength));
      });
EM_JS(void, pageOpen, (const char *caption, int captionLength, int width, int height, int line),
      { page.open(page.ascii(caption, captionLength), width, height, line); });
EM_JS(void, pageReady, (), { page.ready(); });
EM_JS(void, pageFitResults, (const char *one, int oneLength, const char *other, int otherLength),
      { page.fitResults([ page.ascii(one, oneLength), page.ascii(other, otherLength) ]); });
EM_JS(int, pageTextLength, (int row), { return page.box(row).value.length; });
EM_JS(void, pageCopyText, (int row, char16_t *into), {
    const text = page.box(row).value;
    for (let i = 0; i < text.length; ++i)
        HEAPU16[(into >> 1) + i] = text.charCodeAt(i);
});
EM_JS(void, pageSetText, (int row, const char16_t *text, int length),
      { page.setText(row, page.utf16(text, length)); });
EM_JS(void, pageSetSelStart, (int row, int start), { page.setSelStart(row, start); });
EM_JS(void, pageSetSelLength, (int row, int length), { page.setSelLength(row, length); });
EM_JS(void, pageSetFocus, (int row), { page.setFocus(row); });
EM_JS(void, pageUnload, (), { page.unload(); });
EM_JS(void, pageBeep, (), { page.beep(); });

class Page final : public ControlOperations
{
public:
    std::u16string text(Control box) const override
    {
        std::u16string text(std::size_t(pageTextLength(int(box))), u'\0');
        pageCopyText(int(box), text.data());
        return text;
    }
    void setText(Control box, std::u16string_view text) override
    {
        pageSetText(int(box), text.data(), int(text.size()));
    }
    void setSelStart(Control box, std::size_t start) override { pageSetSelStart(int(box), int(start)); }
    void setSelLength(Control box, std::size_t length) override { pageSetSelLength(int(box), int(length)); }
    void setFocus(Control control) override { pageSetFocus(int(control)); }
    // A page draws what it holds as soon as the handler returns.
    void refresh(Control) override {}
    void unload() override { pageUnload(); }
    void beep() override { pageBeep(); }
};

Page page;
frmRadixor form(page);

// The texts the page hands over for a check, and the checked one back.
std::u16string before, after;
std::size_t checkedCaret = 0;

std::optional<Control> focusOf(int row)
{
    return row < 0 ? std::nullopt : std::optional<Control>(Control(row));
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void radixor_click(int row) { form.Click(Control(row)); }
EMSCRIPTEN_KEEPALIVE void radixor_gotFocus(int row) { form.GotFocus(Control(row)); }
EMSCRIPTEN_KEEPALIVE void radixor_enter(int focused) { form.Click(frmRadixor::enterTarget(focusOf(focused))); }
EMSCRIPTEN_KEEPALIVE void radixor_escape() { form.Click(frmRadixor::escapeTarget()); }

// key is a keys::Key, character what the key writes (for Key::Character).
// The outcome is a frmRadixor::KeyOutcome, which page.js numbers the same.
static_assert(int(frmRadixor::KeyOutcome::Own) == 0 && int(frmRadixor::KeyOutcome::Taken) == 1
              && int(frmRadixor::KeyOutcome::Backspace) == 2);
EMSCRIPTEN_KEEPALIVE int radixor_key(int focused, int key, int character, int ctrl, int alt)
{
    const keys::Chord chord{keys::Key(key), char32_t(character), ctrl != 0, alt != 0};
    return int(form.KeyDown(chord, focusOf(focused) == row("txtRadixor")));
}

EMSCRIPTEN_KEEPALIVE char16_t *radixor_before(int length)
{
    before.assign(std::size_t(length), u'\0');
    return before.data();
}
EMSCRIPTEN_KEEPALIVE char16_t *radixor_after(int length)
{
    after.assign(std::size_t(length), u'\0');
    return after.data();
}

// 1 when the entry may go from before to after: after then holds what it
// takes, and radixor_checkedCaret where its caret goes.
EMSCRIPTEN_KEEPALIVE int radixor_check(int start, int caret)
{
    const auto checked = entry::checkedChange(before, std::size_t(start), after, std::size_t(caret));
    if (!checked)
        return 0;
    after = checked->text;
    checkedCaret = checked->caret;
    return 1;
}
EMSCRIPTEN_KEEPALIVE const char16_t *radixor_checkedText() { return after.data(); }
EMSCRIPTEN_KEEPALIVE int radixor_checkedLength() { return int(after.size()); }
EMSCRIPTEN_KEEPALIVE int radixor_checkedCaret() { return int(checkedCaret); }

}  // extern "C"

int main()
{
    pageOpen(windowCaption.data(), int(windowCaption.size()), pixels(clientWidth), pixels(clientHeight),
             pixels(lineHeight));
    for (Control c = 0; c < std::size(controls); ++c) {
        const ControlDef &d = controls[c];
        pageAddControl(int(c), int(d.kind), d.name.data(), int(d.name.size()), d.index, d.caption.data(),
                       int(d.caption.size()), pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height),
                       d.tabIndex, d.flags, d.spoken.data(), int(d.spoken.size()), d.labelledBy.data(),
                       int(d.labelledBy.size()));
    }
    const auto widest = widestResults();
    pageFitResults(widest[0].data(), int(widest[0].size()), widest[1].data(), int(widest[1].size()));
    pageReady();
    // The window opens with the focus in the entry and its text selected.
    page.setFocus(row("txtRadixor"));
    form.GotFocus(row("txtRadixor"));
    return 0;
}
