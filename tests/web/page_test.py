"""What the page does besides the shared behaviour cases: its layout from
the window table, the accessibility tree and axe-core's rules, the routes
into the entry the keyboard does not take, copying a result, the app
working offline and from disk, and a screenshot to look at.
  page_test.py [SCREENSHOT.png]"""
import os
import re
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import browser
from behaviour import Window

HERE = os.path.dirname(os.path.abspath(__file__))
ROW = re.compile(r'\{Kind::(\w+),\s*"(\w+)",\s*(-?\d+),\s*"([^"]*)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),'
                 r'\s*([\w|]+),\s*"([^"]*)",\s*"(\w*)"\}')


def table():
    """The window's rows, read from the definition itself."""
    text = open(os.path.join(HERE, '..', '..', 'window', 'definition.h'), encoding='utf-8').read()
    rows = [dict(kind=m[0], id=m[1] + (m[2] if m[2] != '-1' else ''), caption=m[3],
                 rect=[int(v) // 15 for v in m[4:8]], flags=m[9], spoken=m[10], labelled_by=m[11])
            for m in ROW.findall(text)]
    size = [int(re.search(rf'{n} = (\d+);', text)[1]) // 15 for n in ('clientWidth', 'clientHeight')]
    caption = re.search(r'windowCaption = "([^"]*)"', text)[1]
    return rows, size, caption


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def test_layout(w):
    rows, size, caption = table()
    check(len(rows) == 23, f'{len(rows)} rows read from the table')
    check(w.driver.title == caption, f'title {w.driver.title!r}')
    check(w.js("return document.getElementById('caption').textContent") == caption, 'caption bar')
    client = w.js("""const r = document.getElementById('client').getBoundingClientRect(),
                     v = document.getElementById('frmRadixor').getBoundingClientRect();
                     return [r.width, r.height, v.left + v.width / 2 - innerWidth / 2,
                             v.top + v.height / 2 - innerHeight / 2,
                             getComputedStyle(document.getElementById('client')).lineHeight]""")
    check(client[:2] == size, f'client area {client[:2]}, not {size}')
    check(abs(client[2]) <= 1 and abs(client[3]) <= 1, f'window off centre by {client[2:4]}')
    check(client[4] == '13px', f'line {client[4]}')
    for row in rows:
        box = w.js("""const e = document.getElementById(arguments[0]), c = e.offsetParent;
                      return [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight, c.id]""", row['id'])
        parent = 'Frame1' if 'InFrame' in row['flags'] else 'client'
        wanted = row['rect'][:2] if row['kind'] == 'Label' else row['rect']
        check(box[:len(wanted)] == wanted and box[4] == parent, f"{row['id']} at {box}, not {wanted} in {parent}")
    check(w.js("return document.getElementById('Frame1').textContent.startsWith('Radixar')"), 'frame caption')


def test_accessibility(w):
    rows, _, _ = table()
    for row in rows:
        if row['kind'] not in ('TextBox', 'Button', 'Frame'):
            continue
        node = w.driver.execute_cdp_cmd('DOM.querySelector', {
            'nodeId': w.driver.execute_cdp_cmd('DOM.getDocument', {})['root']['nodeId'],
            'selector': '#' + row['id']})
        ax = w.driver.execute_cdp_cmd('Accessibility.getPartialAXTree',
                                      {'nodeId': node['nodeId'], 'fetchRelatives': False})['nodes'][0]
        name = ax['name']['value']
        check(name == row['spoken'], f"{row['id']} is called {name!r}, not {row['spoken']!r}")
        readonly = any(p['name'] == 'readonly' and p['value']['value'] for p in ax.get('properties', []))
        check(readonly == ('Output' in row['flags']), f"{row['id']} read-only: {readonly}")
        if row['labelled_by']:
            label = w.js("return document.getElementById(arguments[0]).control.id", row['labelled_by'])
            check(label == row['id'], f"{row['labelled_by']} labels {label}")
    axe = os.path.join(os.popen('npm root -g').read().strip(), 'axe-core', 'axe.min.js')
    w.js(open(axe, encoding='utf-8').read())
    for state in ('opened', 'converted'):
        if state == 'converted':
            ActionChains(w.driver).send_keys('255' + Keys.ENTER).perform()
        result = w.driver.execute_async_script(
            'axe.run(document).then((r) => arguments[0]([r.violations.map((v) => v.id + ": " + v.help), '
            'r.passes.length]))')
        check(not result[0], f'axe-core, {state}: {result[0]}')
        print(f'     axe-core {w.js("return axe.version")}, {state}: 0 violations, {result[1]} rules passed')


def entry(w):
    return w.js(STATE_ENTRY)


STATE_ENTRY = """const b = document.getElementById('txtRadixor');
                 return [b.value.length > 12 ? b.value.length : b.value, b.selectionStart, b.selectionEnd,
                         window.audioStarts]"""


def drop(w, text):
    x, y = w.js("""const r = document.getElementById('txtRadixor').getBoundingClientRect();
                   return [r.x + r.width - 4, r.y + r.height / 2]""")
    data = {'items': [{'mimeType': 'text/plain', 'data': text}], 'dragOperationsMask': 1}
    for kind in ('dragEnter', 'dragOver', 'drop'):
        w.driver.execute_cdp_cmd('Input.dispatchDragEvent', {'type': kind, 'x': x, 'y': y, 'data': data})


def test_insertion_routes(w):
    cdp = w.driver.execute_cdp_cmd
    ActionChains(w.driver).send_keys('12').perform()
    drop(w, ' 34\n')
    check(entry(w) == ['1234', 4, 4, 0], f'drop " 34": {entry(w)}')
    drop(w, '5x')
    check(entry(w) == ['1234', 4, 4, 1], f'drop "5x": {entry(w)}')
    # An input method, or an on-screen keyboard, commits its text.
    cdp('Input.insertText', {'text': '56'})
    check(entry(w) == ['123456', 6, 6, 1], f'inserted "56": {entry(w)}')
    cdp('Input.insertText', {'text': '\u0667'})
    check(entry(w) == ['123456', 6, 6, 2], f'inserted an Arabic-Indic 7: {entry(w)}')
    cdp('Input.imeSetComposition', {'text': 'a', 'selectionStart': 1, 'selectionEnd': 1})
    cdp('Input.insertText', {'text': 'a'})
    check(entry(w) == ['123456', 6, 6, 3], f'composed "a": {entry(w)}')
    cdp('Input.imeSetComposition', {'text': '7', 'selectionStart': 1, 'selectionEnd': 1})
    cdp('Input.insertText', {'text': '7'})
    check(entry(w) == ['1234567', 7, 7, 3], f'composed "7": {entry(w)}')
    # At the limit every route refuses another digit, with one beep each.
    w.chord('ctrl+h')
    w.paste('9' * 99994)
    check(entry(w) == [100000, 100000, 100000, 3], f'pasted up to the limit: {entry(w)}')
    ActionChains(w.driver).send_keys('9').perform()
    drop(w, '9')
    cdp('Input.insertText', {'text': '9'})
    w.click('Btn9')
    check(entry(w)[0] == 100000 and entry(w)[3] == 7, f'past the limit: {entry(w)}')
    w.click('cmdClear')
    drop(w, '9' * 100001)
    check(entry(w) == ['', 0, 0, 8], f'dropped past the limit: {entry(w)}')


def test_results(w):
    browser.set_clipboard(w.driver, '')
    ActionChains(w.driver).send_keys('2147483647' + Keys.ENTER).perform()
    fit = w.js("const b = document.getElementById('txtBin'); return [b.scrollWidth, b.clientWidth]")
    check(fit[0] <= fit[1], f'31 binary digits take {fit[0]} pixels of a {fit[1]}-pixel box')
    ActionChains(w.driver).send_keys('255' + Keys.ENTER).perform()
    for box, text in (('txtBin', '11111111'), ('txtHex', 'FF')):
        w.click(box)
        w.chord('ctrl+c')
        copied = w.driver.execute_async_script('navigator.clipboard.readText().then(arguments[0])')
        check(copied == text, f'{box} copied {copied!r}')
    # A drag in a result box selects what it passes over, and keeps it.
    box = w.driver.find_element('id', 'txtBin')
    ActionChains(w.driver).move_to_element_with_offset(box, -95, 0).click_and_hold() \
        .move_by_offset(14, 0).release().perform()
    selected = w.js("const b = document.getElementById('txtBin'); return b.selectionEnd - b.selectionStart")
    check(0 < selected < 8, f'a drag selected {selected} digits')
    # Long texts show from their first character, selected or not.
    w.click('cmdClear')
    w.paste('1' + '0' * 99999)
    w.chord('Return')
    shown = w.js("""return ['txtRadixor', 'txtDec'].map((id) => {
                        const b = document.getElementById(id);
                        return [b.scrollLeft, b.scrollWidth > b.clientWidth]; })""")
    check(shown == [[0, True], [0, True]], f'scrolled {shown}')
    for _ in range(4):
        w.chord('shift+Tab')
    tabbed = w.js("const b = document.activeElement; return [b.id, b.scrollLeft, b.selectionStart, b.selectionEnd]")
    check(tabbed == ['txtDec', 0, 0, 100000], f'a long result tabbed into: {tabbed}')


def test_installable_offline(w, server):
    """The browser offers to install the page, and after one visit it
    starts with the server gone."""
    w.driver.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
    errors = w.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
    check(not errors, f'not installable: {errors}')
    server.shutdown()
    server.server_close()
    browser.open_window(w.driver, w.address)
    ActionChains(w.driver).send_keys('255' + Keys.ENTER).perform()
    check(w.js("return document.getElementById('txtHex').value") == 'FF', 'no conversion offline')


def from_disk(driver):
    driver.get('file://' + os.path.join(os.path.abspath(browser.site_folder()), 'index.html'))
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return !!document.getElementById('ended') || !!document.getElementById('txtRadixor')"))
    return driver.execute_script("return [document.body.innerText.trim(), !!document.getElementById('txtRadixor')]")


def test_from_disk(w):
    said, opened = from_disk(w.driver)
    check(not opened and 'cannot start from a file on disk' in said, f'from disk: {said!r}')
    with browser.chromium(extra=('--allow-file-access-from-files',)) as driver:
        said, opened = from_disk(driver)
    check(opened, f'from disk, where the browser allows it: {said!r}')


def main():
    shot = sys.argv[1] if len(sys.argv) > 1 else None
    failed = passed = 0
    with browser.served(browser.site_folder()) as (server, address), browser.chromium() as driver:
        tests = [test_layout, test_accessibility, test_insertion_routes, test_results, test_from_disk,
                 lambda w: test_installable_offline(w, server)]
        names = [t.__name__ for t in tests[:-1]] + ['test_installable_offline']
        for name, test in zip(names, tests):
            try:
                test(Window(driver, address))
                print('ok   ' + name)
                passed += 1
            except AssertionError as e:
                print(f'FAIL {name}\n     {e}')
                failed += 1
        if shot:
            Window(driver, address)
            ActionChains(driver).send_keys('255' + Keys.ENTER).perform()
            driver.find_element('id', 'frmRadixor').screenshot(shot)
    print(f'{passed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
