"""Start-up of the page in headless Chromium against a bare page holding
one text box, loaded in turns in the same browser: every file fetched anew
from a local server, no cache, no service worker. Prints the first paint
and the time until each page takes keys, and the page's size compressed.
  RADIXOR_SITE=build-web/site python3 bench/web/startup.py [RUNS]"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'tests', 'web'))
import browser  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

BARE = '<!DOCTYPE html><html lang="en"><title>Bare</title><input aria-label="Number" autofocus>\n'

# Paint and readiness from the page's own clock, from the start of the
# navigation. The window takes keys once its module has built it and the
# entry has the focus; the bare page's box once the page has loaded.
TIMES = """
const paint = performance.getEntriesByName('first-paint')[0];
const ready = performance.getEntriesByName('radixor-ready')[0];
const nav = performance.getEntriesByType('navigation')[0];
return paint && nav.loadEventEnd > 0 && (ready || !window.page)
    ? [paint.startTime, ready ? Math.max(ready.startTime, nav.loadEventEnd) : nav.loadEventEnd] : null;
"""


def load(driver, address):
    driver.get(address)
    return WebDriverWait(driver, 10, poll_frequency=0.02).until(lambda d: d.execute_script(TIMES))


def summary(values):
    ordered = sorted(values)
    return (f'median {statistics.median(ordered):6.1f} ms   fastest {ordered[0]:6.1f}   '
            f'slowest {ordered[-1]:6.1f}')


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    site = browser.site_folder()
    sizes = {name: len(gzip.compress(open(os.path.join(site, name), 'rb').read(), 9))
             for name in ('index.html', 'radixor.js', 'radixor.wasm')}
    print('compressed (gzip -9): ' + ', '.join(f'{n} {s} B' for n, s in sizes.items())
          + f'; together {sum(sizes.values())} B ({sum(sizes.values()) / 1024:.1f} KiB)')
    bare = tempfile.mkdtemp(prefix='radixor-bare-')
    open(os.path.join(bare, 'index.html'), 'w').write(BARE)
    results = {'radixor': [], 'bare': []}
    try:
        with browser.served(site) as (_, radixor), browser.served(bare) as (_, plain), browser.chromium() as driver:
            driver.execute_cdp_cmd('Network.enable', {})
            driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
            driver.execute_cdp_cmd('Network.setBypassServiceWorker', {'bypass': True})
            load(driver, radixor)  # a first load of each, not counted
            load(driver, plain)
            for _ in range(runs):
                results['radixor'].append(load(driver, radixor))
                results['bare'].append(load(driver, plain))
    finally:
        shutil.rmtree(bare)
    print(f'{runs} loads of each, in turns:')
    for name, label in (('bare', 'bare page, one text box'), ('radixor', 'Radixor')):
        print(f'  {label}')
        print('    first paint      ' + summary([r[0] for r in results[name]]))
        print('    takes keys       ' + summary([r[1] for r in results[name]]))
    ratio = statistics.median(r[1] for r in results['radixor']) / statistics.median(r[1] for r in results['bare'])
    print(f'  Radixor takes keys after {ratio:.2f} times the bare page\'s median')


if __name__ == '__main__':
    main()
