"""Runs the behaviour cases every frontend runs (tests/behaviour/cases.txt)
against the page in Chromium: real key and mouse events through the
browser's input pipeline, the clipboard pasted with Shift+Insert, and the
beeps counted as audio starts. Prints each case and fails when any does."""
import os
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'behaviour'))
import browser  # noqa: E402
import cases  # noqa: E402

KEYS = {'Return': Keys.ENTER, 'Escape': Keys.ESCAPE, 'Tab': Keys.TAB, 'BackSpace': Keys.BACKSPACE,
        'Home': Keys.HOME, 'End': Keys.END, 'Delete': Keys.DELETE, 'Left': Keys.LEFT, 'Right': Keys.RIGHT,
        'Insert': Keys.INSERT, 'bracketleft': '[', 'bracketright': ']', 'backslash': '\\', 'space': ' '}
MODIFIERS = {'ctrl': Keys.CONTROL, 'alt': Keys.ALT, 'shift': Keys.SHIFT}

STATE = """
const box = document.getElementById(arguments[0]);
return box && [box.value, box.selectionStart, box.selectionEnd - box.selectionStart];
"""


class Window:
    def __init__(self, driver, address):
        self.driver = driver
        self.address = address
        browser.open_window(driver, address)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def chord(self, name):
        *modifiers, key = name.split('+')
        actions = ActionChains(self.driver)
        for m in modifiers:
            actions.key_down(MODIFIERS[m])
        actions.send_keys(KEYS.get(key, key))
        for m in reversed(modifiers):
            actions.key_up(MODIFIERS[m])
        actions.perform()

    def click(self, name):
        ActionChains(self.driver).move_to_element(self.driver.find_element('id', name)).click().perform()

    def paste(self, text):
        browser.set_clipboard(self.driver, text)
        self.chord('shift+Insert')

    # Another page takes the browser's focus, then this one gets it back.
    def reactivate(self):
        browser.reactivate(self.driver)

    def expect(self, what, *args):
        if what == 'focus':
            return self.js('return document.activeElement.id'), args[0]
        if what == 'beeps':
            return self.js('return window.audioStarts'), int(args[0])
        if what == 'closed':
            return self.js("return !document.getElementById('frmRadixor') && !!document.getElementById('ended')"), True
        if what == 'length':
            return len(self.js(STATE, args[0])[0]), int(args[1])
        state = self.js(STATE, what)
        if len(args) == 1:
            return state[0], args[0]
        return state, [args[0], int(args[1]), int(args[2])]


def run(window, case):
    for verb, words in case.steps:
        if verb == 'type':
            ActionChains(window.driver).send_keys(words[0]).perform()
        elif verb == 'key':
            for name in words:
                window.chord(name)
        elif verb == 'click':
            window.click(words[0])
        elif verb == 'paste':
            window.paste(words[0])
        elif verb == 'paste-digits':
            window.paste('9' * int(words[0]))
        elif verb == 'reactivate':
            window.reactivate()
        elif verb == 'expect':
            seen, wanted = window.expect(*words)
            if seen != wanted:
                shown = [s[:40] + '...' if isinstance(s, str) and len(s) > 40 else s
                         for s in (seen if isinstance(seen, list) else [seen])]
                return f'expect {" ".join(words)[:60]}: saw {shown}'
        else:
            return f'unknown step {verb}'
    return None


def main():
    failed = 0
    all_cases = cases.read()
    with browser.served(browser.site_folder()) as (_, address), browser.chromium() as driver:
        for case in all_cases:
            failure = run(Window(driver, address), case)
            print(('FAIL ' if failure else 'ok   ') + case.title + (f'\n     {failure}' if failure else ''))
            failed += bool(failure)
    print(f'{len(all_cases) - failed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
