"""Runs the behaviour cases (tests/behaviour/cases.txt) against radixor.exe
under Wine, each case in a fresh program, on the X server named by DISPLAY:
keys and clicks go in through xdotool, the boxes, selections and focus
come back from winprobe (serving one question a line), and the bells from
x11probe.

    behaviour.py RADIXOR.EXE WINPROBE.EXE X11PROBE [TITLE-WORDS]

With TITLE-WORDS only the cases whose title holds them run. Prints one
line a case and ends with status 1 when any failed.
"""
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'behaviour'))
import cases  # noqa: E402

TITLE = '^Decimal/Binary/Hex/Octal Radixor$'
WAIT = 5.0
# Wine's edit box takes seconds to lay out and draw a hundred thousand
# digits, and answers no other program meanwhile.
LONG_WAIT = 60.0


class Failed(Exception):
    pass


def named(name):
    """'Btn5' -> ('Btn', 5); 'txtDec' -> ('txtDec', -1)."""
    if name.startswith('Btn') and name[3:].isdigit():
        return 'Btn', int(name[3:])
    return name, -1


def run(*command, check=True):
    return subprocess.run(command, check=check, capture_output=True, text=True, timeout=30).stdout


def until(seconds, probe):
    """Asks probe() until it gives a true value or time is up; the last answer."""
    end = time.monotonic() + seconds
    while True:
        value = probe()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.1)


class Bells:
    """Counts the X server's bells from x11probe's lines."""

    def __init__(self, x11probe):
        self.count = 0
        self.process = subprocess.Popen([x11probe], stdout=subprocess.PIPE, text=True)
        if self.process.stdout.readline().strip() != 'ready':
            raise SystemExit('x11probe did not start')
        threading.Thread(target=self.listen, daemon=True).start()

    def listen(self):
        for line in self.process.stdout:
            if line.strip() == 'bell':
                self.count += 1


class Probe:
    """winprobe.exe serve: one question a line, its answer ends with '.'."""

    def __init__(self, winprobe):
        self.process = subprocess.Popen(['wine', winprobe, 'serve'], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)

    def ask(self, *words):
        self.process.stdin.write(' '.join(str(w) for w in words) + '\n')
        self.process.stdin.flush()
        lines = []
        while True:
            line = self.process.stdout.readline()
            if not line:
                raise SystemExit('winprobe ended')
            line = line.rstrip('\r\n')
            if line == '.':
                return '\n'.join(lines)
            lines.append(line)


class Driver:
    def __init__(self, exe, winprobe, x11probe):
        self.exe = exe
        self.bells = Bells(x11probe)
        self.probe = Probe(winprobe)
        self.clipboard = None

    def start(self):
        self.app = subprocess.Popen(['wine', self.exe], stderr=subprocess.DEVNULL)
        self.first_bell = self.bells.count
        window = until(10, lambda: run('xdotool', 'search', '--onlyvisible', '--name', TITLE, check=False))
        if not window:
            raise Failed('no radixor window appeared')
        self.window = window.split()[0]
        run('xdotool', 'windowfocus', '--sync', self.window)
        if until(10, lambda: self.probe.ask('focus') not in ('', 'none')) is False:
            raise Failed('no control of the window has the focus')

    def stop(self):
        if self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(10)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        until(10, lambda: not run('xdotool', 'search', '--onlyvisible', '--name', TITLE, check=False))

    def serve_clipboard(self, text):
        if self.clipboard:
            self.clipboard.kill()
            self.clipboard.wait()
        self.clipboard = subprocess.Popen(['xclip', '-i', '-selection', 'clipboard', '-quiet'],
                                          stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL, text=True)
        self.clipboard.stdin.write(text)
        self.clipboard.stdin.close()
        head = text[:20]
        if not until(10, lambda: run('xclip', '-o', '-selection', 'clipboard', check=False)[:20] == head):
            raise Failed('xclip does not serve the clipboard')

    def click(self, name):
        control, index = named(name)
        x, y = self.probe.ask('centre', control, *([index] if index >= 0 else [])).split()
        run('xdotool', 'mousemove', x, y, 'click', '1')

    def reactivate(self):
        other = subprocess.Popen(['xmessage', '-geometry', '+0+0', 'another window'],
                                 stderr=subprocess.DEVNULL)
        try:
            shown = until(10, lambda: run('xdotool', 'search', '--onlyvisible', '--class', 'Xmessage',
                                          check=False))
            if not shown:
                raise Failed('the other window did not appear')
            run('xdotool', 'windowfocus', '--sync', shown.split()[0])
            if until(WAIT, lambda: self.probe.ask('focus') == 'none') is False:
                raise Failed('the other window did not take the focus')
            # Wine activates a window it places itself on a click, not on
            # the X focus: a click on the window's own background.
            x, y = self.probe.ask('background').split()
            run('xdotool', 'mousemove', x, y, 'click', '1')
        finally:
            other.kill()
            other.wait()

    def step(self, verb, args):
        if verb == 'type':
            run('xdotool', 'type', '--delay', '40', '--', args[0])
        elif verb == 'key':
            run('xdotool', 'key', '--delay', '40', *args)
        elif verb == 'click':
            self.click(args[0])
        elif verb in ('paste', 'paste-digits'):
            self.serve_clipboard(args[0] if verb == 'paste' else '9' * int(args[0]))
            run('xdotool', 'key', 'shift+Insert')
        elif verb == 'reactivate':
            self.reactivate()
        elif verb == 'expect':
            self.expect(args)
        else:
            raise Failed('no step %s' % verb)

    def box(self, name):
        control, index = named(name)
        start, length, text = (self.probe.ask('box', control, *([index] if index >= 0 else []))
                               .split(' ', 2) + ['', '', ''])[:3]
        return text, start, length

    def expect(self, args):
        what = args[0]
        if what == 'closed':
            if until(10, lambda: self.app.poll() is not None) is False:
                raise Failed('the window is still open')
            return
        if what == 'beeps':
            wanted = int(args[1])
            until(WAIT, lambda: self.bells.count - self.first_bell >= wanted)
            time.sleep(0.4)  # a beep can trail its key: one too many shows by now
            rung = self.bells.count - self.first_bell
            if rung != wanted:
                raise Failed('%d beeps, not %d' % (rung, wanted))
            return
        if what == 'focus':
            wanted = named(args[1])
            now = []

            def focused():
                now[:] = self.probe.ask('focus').split(' ')[:2]
                return now[:1] + [int(now[1])] == list(wanted) if len(now) == 2 else False
            if not until(WAIT, focused):
                raise Failed('the focus is on %s, not %s' % (' '.join(now), args[1]))
            return
        if what == 'length':
            seen = []

            def length():
                seen[:] = [len(self.box(args[1])[0])]
                return seen[0] == int(args[2])
            if not until(LONG_WAIT, length):
                raise Failed('%s holds %d characters, not %s' % (args[1], seen[0], args[2]))
            return
        wanted = (args[1],) + tuple(args[2:4])
        seen = []

        def state():
            text, start, length = self.box(what)
            seen[:] = [(text, start, length)[:len(wanted)]]
            return seen[0] == wanted
        if not until(WAIT, state):
            raise Failed('%s is %r, not %r' % (what, seen[0], wanted))

    def run_case(self, case):
        self.start()
        try:
            for verb, args in case.steps:
                try:
                    self.step(verb, args)
                except Failed as failure:
                    raise Failed('%s %s: %s' % (verb, ' '.join(args), failure))
        finally:
            self.stop()


def main():
    exe, winprobe, x11probe = sys.argv[1:4]
    only = ' '.join(sys.argv[4:])
    driver = Driver(exe, winprobe, x11probe)
    failed = 0
    chosen = [c for c in cases.read() if only in c.title]
    for case in chosen:
        try:
            driver.run_case(case)
            print('ok   %s' % case.title, flush=True)
        except Failed as failure:
            failed += 1
            print('FAIL %s (%s)' % (case.title, failure), flush=True)
    print('%d of %d cases passed' % (len(chosen) - failed, len(chosen)))
    driver.probe.process.stdin.close()
    driver.bells.process.kill()
    if driver.clipboard:
        driver.clipboard.kill()
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
