"""Reads the running radixor over AT-SPI, as Orca does, and presses keys
with xdotool as a user would. Each argument names a group of checks:

  tree           application, window, every control's role, name and states,
                 the labels and their boxes paired both ways, the default button
  focus          the entry focused at start; Tab moves the focus round the ring
  results        the result boxes' texts through the Text interface after Convert
  menu=A,B,...   the entry's context menu lists exactly these items
  offsets        every text call on every text control answers at once, for
                 every boundary type and any offset, INT_MIN to INT_MAX
  writes         text written into the entry over the bus keeps the entry's
                 rule: refused whole with one bell, or taken trimmed
  orca           Orca, speech off, reads words and characters in the entry
                 and a result box, and radixor answers all along
  extents=N      (a benchmark) prints the time getCharacterExtents takes at
                 offsets across an entry and a result box of N digits
  quiet          (checked by accessibility.sh: nothing on radixor's stderr)
"""
import itertools
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

CAPTION = 'Decimal/Binary/Hex/Octal Radixor'
TEXT, BUTTON, LABEL, PANEL = 'text', 'push button', 'label', 'panel'
# Spoken name -> role, for every control; the same in every language.
CONTROLS = {
    'Decimal number': TEXT, 'Decimal': TEXT, 'Binary': TEXT, 'Hexadecimal': TEXT, 'Octal': TEXT,
    'Convert': BUTTON, 'Clear': BUTTON, 'Exit': BUTTON,
    **{'Digit %d' % d: BUTTON for d in range(10)},
    'Radixar': PANEL, 'Dec = ': LABEL, 'Bin = ': LABEL, 'Hex = ': LABEL, 'Oct = ': LABEL,
}
OUTPUTS = {'Decimal': 'Dec = ', 'Binary': 'Bin = ', 'Hexadecimal': 'Hex = ', 'Octal': 'Oct = '}
TAB_RING = ['Digit %d' % d for d in range(9, 0, -1)] + [
    'Convert', 'Digit 0', 'Exit', 'Clear', 'Decimal', 'Binary', 'Hexadecimal', 'Octal', 'Decimal number']


def fail(message):
    print('FAIL: ' + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds, done=lambda: False):
    """Delivers bus events for up to seconds, until done() holds."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if done():
            return True
        if time.monotonic() > end:
            return False
        time.sleep(0.02)


def keys(*names):
    subprocess.run(['xdotool', 'key', '--delay', '30', *names], check=True, timeout=10)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def related(node, relation):
    return sorted(r.getTarget(i).name for r in node.getRelationSet() if r.getRelationType() == relation
                  for i in range(r.getNTargets()))


def descendants(node):
    for child in node:
        yield child
        yield from descendants(child)


def application():
    found = []
    pump(10, lambda: found.extend(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == 'Radixor') or found)
    if len(found) != 1:
        fail('the bus lists %d applications named Radixor' % len(found))
    return found[0]


def window_and_controls(app):
    windows = [w for w in app if w.getRoleName() == 'dialog' and w.name == CAPTION]
    if len(windows) != 1:
        fail('no single dialog %r among %s' % (CAPTION, [(w.getRoleName(), w.name) for w in app]))
    heard = {c.name: c for c in descendants(windows[0])}
    if len(heard) != sum(1 for _ in descendants(windows[0])):
        fail('two controls share a name')
    return windows[0], heard


def check_tree(app):
    window, heard = window_and_controls(app)
    roles = {name: node.getRoleName() for name, node in heard.items()}
    if roles != CONTROLS:
        fail('controls heard as %s' % sorted(roles.items()))
    entry = heard['Decimal number']
    if not {'editable', 'focusable'} <= states(entry) or 'read only' in states(entry):
        fail('the entry is heard as %s' % sorted(states(entry)))
    for box, label in OUTPUTS.items():
        node = heard[box]
        if 'read only' not in states(node) or 'editable' in states(node) or 'focusable' not in states(node):
            fail('%s is heard as %s' % (box, sorted(states(node))))
        if 'EditableText' in pyatspi.listInterfaces(node):
            fail('%s offers its text for editing' % box)
        if related(node, pyatspi.RELATION_LABELLED_BY) != [label]:
            fail('%s is labelled by %s' % (box, related(node, pyatspi.RELATION_LABELLED_BY)))
        if box not in related(heard[label], pyatspi.RELATION_LABEL_FOR):
            fail('%r labels %s' % (label, related(heard[label], pyatspi.RELATION_LABEL_FOR)))
    defaults = sorted(name for name, node in heard.items() if 'is default' in states(node))
    if defaults != ['Convert']:
        fail('default buttons: %s' % defaults)


def check_focus(app):
    _, heard = window_and_controls(app)
    if not pump(10, lambda: 'focused' in states(heard['Decimal number'])):
        fail('the entry is not focused after start: %s' % sorted(states(heard['Decimal number'])))
    focused = []
    listener = lambda event: event.detail1 and focused.append(event.source.name)
    pyatspi.Registry.registerEventListener(listener, 'object:state-changed:focused')
    for step in range(len(TAB_RING)):
        keys('Tab')
        if not pump(5, lambda: len(focused) > step):
            fail('no focus event after Tab %d; heard %s' % (step + 1, focused))
    pump(0.3)
    pyatspi.Registry.deregisterEventListener(listener, 'object:state-changed:focused')
    if focused != TAB_RING:
        fail('Tab moved the focus through %s' % focused)


def check_results(app):
    _, heard = window_and_controls(app)
    shown = lambda: {box: heard[box].queryText().getText(0, -1) for box in OUTPUTS}
    for typed, expected in [
            ('255', ['255', '11111111', 'FF', '377']),
            ('2147483647', ['2147483647', '1' * 31, '7FFFFFFF', '17777777777']),
            ('2147483648', ['2147483648', 'Too big', 'Too big', 'Too big'])]:
        keys(*typed, 'Return')  # the entry's whole text is selected: typing replaces it
        want = dict(zip(OUTPUTS, expected))
        if not pump(5, lambda: shown() == want):
            fail('after %s Enter the boxes read %s' % (typed, shown()))


INT_MIN, INT_MAX = -2**31, 2**31 - 1
BOUNDARIES = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
              pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
              pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]


def answered(what, call):
    """A call on the bus, which must answer within the bus timeout (2 s)."""
    try:
        return call()
    except GLib.Error as error:
        fail('%s: %s' % (what, error.message))


def check_offsets(app):
    _, heard = window_and_controls(app)
    keys(*'2147483647', 'Return')
    if not pump(5, lambda: heard['Binary'].queryText().characterCount == 31):
        fail('Convert did not fill the boxes')
    for name in ['Decimal number', *OUTPUTS]:
        text = heard[name].queryText()
        shown = text.getText(0, -1)
        n = len(shown)
        for offset in [INT_MIN, -1, 0, 1, n - 1, n, n + 1, INT_MAX]:
            for boundary, call in itertools.product(BOUNDARIES, ('getTextAtOffset', 'getTextBeforeOffset',
                                                                 'getTextAfterOffset')):
                what = '%s: %s(%d, %s)' % (name, call, offset, boundary)
                got, start, end = answered(what, lambda: getattr(text, call)(offset, boundary))
                if not (start == end == -1 or 0 <= start <= end <= n) or (start >= 0 and got != shown[start:end]):
                    fail('%s answered %r at %d..%d of %r' % (what, got, start, end, shown))
            for call in ['getCharacterExtents(o, 1)', 'getCharacterAtOffset(o)', 'getAttributeRun(o, False)',
                         'getSelection(o)', 'removeSelection(o)', 'getOffsetAtPoint(o, o, 0)', 'setCaretOffset(o)']:
                answered('%s: %s at %d' % (name, call, offset), lambda: eval('text.' + call, {'text': text, 'o': offset}))
        # Qt's bridge asks for each offset of a range in turn, so only ranges
        # a little past the text for it: a range to INT_MAX never ends in Qt 6.4.
        answered('%s: getRangeExtents' % name, lambda: text.getRangeExtents(-10, n + 50, pyatspi.DESKTOP_COORDS))
        for start, end in [(INT_MIN, INT_MAX), (INT_MAX, INT_MIN), (-10, 3), (n - 1, INT_MAX)]:
            got = answered('%s: getText(%d, %d)' % (name, start, end), lambda: text.getText(start, end))
            if got != shown[max(start, 0):max(end, 0)]:
                fail('%s: getText(%d, %d) answered %r of %r' % (name, start, end, got, shown))
            answered('%s: selections %d..%d' % (name, start, end),
                     lambda: (text.setSelection(0, start, end), text.addSelection(start, end)))
        if text.getText(0, -1) != shown:
            fail('%s: reading it changed its text to %r' % (name, text.getText(0, -1)))


def check_writes(app, bells):
    _, heard = window_and_controls(app)
    entry = heard['Decimal number']
    typed, editable = entry.queryText(), entry.queryEditableText()
    keys('alt+c', *'12', 'Return')
    # Each refused whole with one bell, or taken trimmed without one.
    for what, write, expected, rings in [
            ('setTextContents("-12.5e3 abc")', lambda: editable.setTextContents('-12.5e3 abc'), '12', 1),
            ('a million digits', lambda: editable.insertText(1, '7' * 10**6, 10**6), '12', 1),
            ('insertText past the end', lambda: editable.insertText(INT_MAX, 'a', 1), '12', 1),
            ('setTextContents(" 42 ")', lambda: editable.setTextContents(' 42\t'), '42', 0),
            ('insertText at 1', lambda: editable.insertText(1, ' 9 ', 3), '492', 0),
            ('deleteText(INT_MIN, 1)', lambda: editable.deleteText(INT_MIN, 1), '92', 0),
            ('deleteText(1, INT_MAX)', lambda: editable.deleteText(1, INT_MAX), '9', 0)]:
        rung = bells()
        answered(what, write)
        pump(3, lambda: typed.getText(0, -1) == expected and bells() == rung + rings)
        pump(0.3)
        if typed.getText(0, -1) != expected or bells() != rung + rings:
            fail('%s: the entry reads %r, %d bells' % (what, typed.getText(0, -1)[:40], bells() - rung))


def check_extents(app, digits):
    """Flat review asks where each character is: the time per call across the text."""
    _, heard = window_and_controls(app)
    heard['Decimal number'].queryEditableText().setTextContents('7' * digits)
    keys('Return')
    for name in ['Decimal number', 'Decimal']:
        text = heard[name].queryText()
        if not pump(10, lambda: text.characterCount == digits):
            fail('%s holds %d characters, not %d' % (name, text.characterCount, digits))
        for offset in (0, digits // 4, digits // 2, digits * 3 // 4, digits - 1):
            times = []
            for _ in range(31):
                began = time.monotonic()
                text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
                times.append(time.monotonic() - began)
            print('%s: getCharacterExtents at %d of %d: median %.3f ms of 31 calls' %
                  (name, offset, digits, sorted(times)[15] * 1000))
        began = time.monotonic()
        for offset in range(digits):
            text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
        print('%s: getCharacterExtents at every offset, as flat review asks: %.1f s' %
              (name, time.monotonic() - began))


def check_orca(app):
    _, heard = window_and_controls(app)
    scratch = os.environ['XDG_RUNTIME_DIR']
    orca = subprocess.Popen(['orca', '--replace', '-d', 'speech', '-d', 'braille', '-d', 'main-window', '-u',
                             scratch + '/orca', '--debug-file', scratch + '/orca.log'], stderr=subprocess.DEVNULL)
    try:
        if not pump(30, lambda: any(a and a.name == 'orca' for a in pyatspi.Registry.getDesktop(0))):
            fail('Orca did not come onto the bus')
        pump(2)
        # Words and characters, to the end and past it, in the entry and
        # then in the Decimal box.
        keys('alt+c', *'2147483647', 'Return')
        for name in ['Decimal number', 'Decimal']:
            while 'focused' not in states(heard[name]):
                keys('Tab')
                pump(0.2)
            keys('End', 'ctrl+Left', 'ctrl+Right', 'ctrl+Right', 'Left', 'Right', 'Right', 'Home', 'ctrl+Right')
            pump(2)
            answered('%s, after Orca' % name, lambda: heard[name].queryText().getText(0, -1))
            if "'%s'" % name not in open(scratch + '/orca.log', errors='replace').read():
                fail('Orca never presented %s' % name)
        if orca.poll() is not None:
            fail('Orca ended with status %s' % orca.returncode)
    finally:
        orca.terminate()
        orca.wait(10)


def check_menu(app, expected):
    _, heard = window_and_controls(app)
    if not pump(10, lambda: 'focused' in states(heard['Decimal number'])):
        fail('the entry never got the focus')
    # A popup is no child of the application: it is heard as it shows.
    menus = []
    listener = lambda event: event.detail1 and event.source.getRoleName() == 'popup menu' and menus.append(event.source)
    pyatspi.Registry.registerEventListener(listener, 'object:state-changed:showing')
    keys('Menu')
    if not pump(5, lambda: menus):
        fail('no context menu showed on the bus')
    pyatspi.Registry.deregisterEventListener(listener, 'object:state-changed:showing')
    items = [item.name.split('\t')[0] for item in menus[0] if item.getRoleName() == 'menu item']
    keys('Escape')
    if items != expected:
        fail('the context menu reads %s' % items)


def main(checks):
    # A hung bus call fails the test here rather than at ctest's time limit.
    signal.signal(signal.SIGALRM, lambda *_: fail('no answer on the bus for 80 seconds'))
    signal.alarm(80)
    Atspi.set_timeout(2000, 2000)
    # The X server's bells, as accessibility.sh's x11probe hears them.
    bells = lambda: open(os.environ['BELLS']).read().count('bell')
    app = application()
    for check in checks:
        if check == 'tree':
            check_tree(app)
        elif check == 'focus':
            check_focus(app)
        elif check == 'results':
            check_results(app)
        elif check == 'offsets':
            check_offsets(app)
        elif check == 'orca':
            check_orca(app)
        elif check == 'writes':
            check_writes(app, bells)
        elif check.startswith('extents='):
            check_extents(app, int(check[len('extents='):]))
        elif check.startswith('menu='):
            check_menu(app, check[len('menu='):].split(','))
        elif check != 'quiet':
            fail('unknown check ' + check)
        print('ok: ' + check)


if __name__ == '__main__':
    main(sys.argv[1:])
