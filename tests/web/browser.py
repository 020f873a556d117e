"""The page in Debian's Chromium, headless, driven through chromedriver:
a local web server for a built site/ folder, and the browser with every
audio start counted, so a test hears the beeps."""
import contextlib
import os
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

from serve import served  # noqa: F401  (the tests' server)

# Every tone the page starts counts, whatever made it.
COUNT_AUDIO_STARTS = """
window.audioStarts = 0;
const start = AudioScheduledSourceNode.prototype.start;
AudioScheduledSourceNode.prototype.start = function (...args) {
    ++window.audioStarts;
    return start.apply(this, args);
};
"""


@contextlib.contextmanager
def chromium(width=800, height=600, extra=()):
    profile = tempfile.mkdtemp(prefix='radixor-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-background-networking', '--disable-component-update',
                 '--disable-sync', '--no-first-run', '--disable-gpu', '--disable-dev-shm-usage',
                 '--autoplay-policy=no-user-gesture-required', f'--user-data-dir={profile}',
                 f'--window-size={width},{height}', *extra):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    try:
        driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': COUNT_AUDIO_STARTS})
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def open_window(driver, address):
    """Loads the page and waits until the window has its controls and the
    entry its focus."""
    driver.get(address)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return document.activeElement && document.activeElement.id === 'txtRadixor'"))


def site_folder():
    folder = os.environ.get('RADIXOR_SITE')
    if not folder or not os.path.isfile(os.path.join(folder, 'radixor.wasm')):
        raise SystemExit('RADIXOR_SITE must name the built site/ folder')
    return folder


def set_clipboard(driver, text):
    """Puts text on the browser's clipboard, as a copy elsewhere would."""
    origin = driver.execute_script('return location.origin')
    driver.execute_cdp_cmd('Browser.grantPermissions', {
        'origin': origin, 'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
    error = driver.execute_async_script(
        'const done = arguments[1];'
        'navigator.clipboard.writeText(arguments[0]).then(() => done(null), (e) => done(String(e)));', text)
    if error:
        raise RuntimeError(f'cannot set the clipboard: {error}')


def reactivate(driver):
    """Another tab takes the focus, then this one gets it back: waits
    until this page has seen its window lose the focus and has it again."""
    here = driver.current_window_handle
    driver.execute_script("window.blurred = false; addEventListener('blur', () => { window.blurred = true; });")
    driver.switch_to.new_window('tab')
    other = driver.current_window_handle
    driver.switch_to.window(here)
    WebDriverWait(driver, 5).until(lambda d: d.execute_script('return window.blurred && document.hasFocus()'))
    # Closed from outside, so that closing it activates nothing.
    driver.execute_cdp_cmd('Target.closeTarget', {'targetId': other})
