#!/usr/bin/python3
"""The browser edition's benchmark table: size, opening, memory and main-thread work of
build-web/janken.html, beside bench/bare.html (a page with one button) in the same run, and
beside bench/pictures.html (a page that changes pictures as often as the shuffle) for the work.

    bench/web.py JANKEN_HTML BARE_HTML PICTURES_HTML

Drives Debian's headless Chromium through chromedriver and Debian's python3-selenium, so
it runs under /usr/bin/python3. Prints the table on stdout, progress on stderr; a missed
budget says MISSED in the table, as the desktop's does, and the caller decides. Exits 2
when it cannot run or a figure cannot be trusted.
"""
import os
import shutil
import statistics
import sys
import tempfile
import threading
import time

LOADS = int(os.environ.get('JANKEN_BENCH_WEB_LOADS', '11'))
SESSIONS = int(os.environ.get('JANKEN_BENCH_WEB_SESSIONS', '3'))
PLAY_SECONDS = float(os.environ.get('JANKEN_BENCH_WEB_PLAY_SECONDS', '10'))
CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
MAIN_BUTTON = '#Form1 #Command1'  # ジャンケン, the first thing a user clicks
AUTOMATIC_START = '#Form1 #Command3'  # 自動開始
BARE_BUTTON = 'button'
# Each round adds one to exactly one of these counters.
ROUND_COUNTERS = ['aikolabel', 'a1katilabel', 'b1katilabel', 'c1katilabel',
                  'a1makelabel', 'b1makelabel', 'c1makelabel']


def cannot_run(why):
    print(f'bench: cannot run the browser part: {why}', file=sys.stderr)
    sys.exit(2)


def note(text):
    print(text, file=sys.stderr, flush=True)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
except ImportError:
    cannot_run('python3-selenium is not installed (run it with /usr/bin/python3)')

# Injected before any of the page's own script. It looks once a frame (requestAnimationFrame
# runs just before the frame is drawn) for the button, present, enabled, laid out and the
# topmost element at its centre, so that a click there would reach it; and takes the time
# after that frame is drawn (a message posted from the frame's callback is handled after its
# paint). performance.now() counts from the navigation's start.
READY_PROBE = '''
(() => {
  const selector = %r;
  const clickable = (button) => {
    if (!button || button.disabled || !button.checkVisibility({opacityProperty: true, visibilityProperty: true})) return false;
    const box = button.getBoundingClientRect();
    if (box.width < 1 || box.height < 1) return false;
    const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
    return hit === button || button.contains(hit);
  };
  const frame = () => {
    if (!clickable(document.querySelector(selector))) {
      requestAnimationFrame(frame);
      return;
    }
    const seen = performance.now();
    const after = new MessageChannel();
    after.port1.onmessage = () => { window.benchReady = {seen, painted: performance.now()}; };
    after.port2.postMessage(0);
  };
  requestAnimationFrame(frame);
})();
'''


class Browser:
    """A fresh Chromium with a profile of its own: nothing cached from another load."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix='janken-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        options.add_argument('--headless=new')
        options.add_argument(f'--user-data-dir={self.profile}')
        options.add_argument('--window-size=1024,768')  # the desktop's Xvfb screen
        if os.geteuid() == 0:
            options.add_argument('--no-sandbox')  # Chromium refuses root otherwise
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver_pid = self.driver.service.process.pid
        self.version = self.driver.capabilities.get('browserVersion', '?')

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def open(self, path, selector):
        """Loads the page; returns the ms from the navigation's start until the button is
        clickable on screen, and until the page's parsed (its inline script run)."""
        self.cdp('Page.addScriptToEvaluateOnNewDocument', source=READY_PROBE % selector)
        self.driver.get('file://' + os.path.abspath(path))
        limit = time.monotonic() + 30
        while time.monotonic() < limit:
            ready = self.driver.execute_script('return window.benchReady')
            if ready:
                return ready['painted'], self.driver.execute_script(
                    'return performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd')
            time.sleep(0.02)
        raise RuntimeError(f'{path}: {selector} never became clickable')

    def fresh_tab(self):
        """Replaces the tab by a new one. Its page gets a renderer process of its own, not
        yet used (a new browsing context: nothing compiled for the last load is kept)."""
        driver = self.driver
        old = driver.current_window_handle
        driver.switch_to.new_window('tab')
        new = driver.current_window_handle
        driver.switch_to.window(old)
        driver.close()
        driver.switch_to.window(new)

    def renderers(self):
        """The renderer processes of this browser (the page's, a spare one kept ready for
        the next site, the headless shell's own user interface)."""
        found = []
        for pid in descendants(self.driver_pid):
            try:
                with open(f'/proc/{pid}/cmdline', 'rb') as f:
                    # The zygote's children rewrite theirs as one string: split on spaces too.
                    args = f.read().replace(b'\0', b' ').split()
            except OSError:
                continue
            if b'--type=renderer' in args and not any(a.startswith(b'--top-chrome-webui') for a in args):
                found.append(pid)
        return found

    def page_renderer(self, candidates):
        """Which of the renderers holds the page, told by the page itself: 64 MiB written
        from its script must show in that process's resident memory and no other's. Asked
        after the peak is read, since it raises the peak."""
        before = {pid: status_kib(pid, 'VmRSS') for pid in candidates}
        self.driver.execute_script('window.benchBallast = new Uint8Array(64 << 20).fill(1);')
        time.sleep(0.2)
        grown = [pid for pid in candidates if status_kib(pid, 'VmRSS') - before[pid] > 48 * 1024]
        if len(grown) != 1:
            raise RuntimeError(f'cannot tell the page\'s renderer among {candidates} ({grown} grew)')
        return grown[0]

    def busy_seconds(self):
        """The page's main thread's task time so far, and the clock it is read at. Blink adds
        the length of every task its main-thread scheduler runs (script, style, layout, paint,
        timers, input) to TaskDuration."""
        metrics = {m['name']: m['value'] for m in self.cdp('Performance.getMetrics')['metrics']}
        return metrics['TaskDuration'], metrics['Timestamp']

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def descendants(root):
    children = {}
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open(f'/proc/{entry}/stat') as f:
                    parent = int(f.read().rsplit(')', 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [root]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def status_kib(pid, key):
    with open(f'/proc/{pid}/status') as f:
        for line in f:
            if line.startswith(key + ':'):
                return int(line.split()[1])
    raise RuntimeError(f'no {key} for process {pid}')


def footprint_kib(pid):
    """Chromium's own private memory footprint of a process on Linux, what its task manager
    shows: anonymous resident memory and swap. Unlike RSS it leaves out the browser's program
    code, file-backed and shared by every tab."""
    return status_kib(pid, 'RssAnon') + status_kib(pid, 'VmSwap')


class FootprintPeaks:
    """Each renderer's highest footprint, read every 100 ms from before the page is opened:
    often enough for memory, which moves slowly, and rarely enough not to take the CPU that
    the same session measures."""

    def __init__(self, browser):
        self.browser = browser
        self.peaks = {}
        self.stopped = threading.Event()
        self.thread = threading.Thread(target=self.watch, daemon=True)
        self.thread.start()

    def watch(self):
        pids, looked = [], 0.0
        while not self.stopped.wait(0.1):
            if time.monotonic() - looked > 1:  # the page's renderer may be new
                pids, looked = self.browser.renderers(), time.monotonic()
            for pid in pids:
                try:
                    self.peaks[pid] = max(self.peaks.get(pid, 0), footprint_kib(pid))
                except (OSError, RuntimeError):
                    pass

    def stop(self):
        self.stopped.set()
        self.thread.join()
        return self.peaks


def main_thread_ticks(pid):
    # A renderer's main thread is its first: thread id = process id.
    with open(f'/proc/{pid}/task/{pid}/stat') as f:
        fields = f.read().rsplit(')', 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def session(path, selector, play=None):
    """One fresh load, then PLAY_SECONDS measured: janken's automatic play (after as long
    idle, as a check that the figure moves with the work), the pictures page changing its
    pictures, or the bare page idle. `play` is the button that starts the work. Returns the
    busy shares (%), the main thread's CPU share (%), the renderer's peak RSS and peak private
    footprint (KiB) and, for janken, the rounds judged while measured."""
    browser = Browser()
    try:
        footprints = FootprintPeaks(browser)
        browser.open(path, selector)
        browser.cdp('Performance.enable')
        driver = browser.driver
        candidates = browser.renderers()

        def measure():
            ticks0 = {pid: main_thread_ticks(pid) for pid in candidates}
            busy0, clock0 = browser.busy_seconds()
            time.sleep(PLAY_SECONDS)
            busy1, clock1 = browser.busy_seconds()
            ticks1 = {pid: main_thread_ticks(pid) for pid in candidates}
            return (100 * (busy1 - busy0) / (clock1 - clock0),
                    {pid: (ticks1[pid] - ticks0[pid], clock1 - clock0) for pid in candidates})

        def rounds():
            # A count's caption, beside the name a screen reader reads.
            shown = [driver.find_element(By.CSS_SELECTOR, f'#{name} > [aria-hidden]') for name in ROUND_COUNTERS]
            return sum(int(count.text or 0) for count in shown)

        result = {}
        janken = play == AUTOMATIC_START
        time.sleep(1)  # the load's own work settles
        if janken:
            result['idle'], _ = measure()
        if play:
            driver.find_element(By.CSS_SELECTOR, play).click()
            time.sleep(1)
        if janken:
            rounds0 = rounds()
        result['busy'], cpu = measure()
        if janken:
            result['rounds'] = rounds() - rounds0
            driver.find_element(By.CSS_SELECTOR, '#Form1 #Command7').click()  # 自動停止
        footprint = footprints.stop()
        peaks = {pid: status_kib(pid, 'VmHWM') for pid in candidates}
        now = {pid: status_kib(pid, 'VmRSS') for pid in candidates}
        page = browser.page_renderer(candidates)
        ticks, seconds = cpu[page]
        result['cpu'] = 100 * ticks / os.sysconf('SC_CLK_TCK') / seconds
        result['peak'] = peaks[page]
        result['rss'] = now[page]
        result['footprint'] = footprint[page]
        return result
    finally:
        browser.close()


def verdict(ok):
    return 'met' if ok else 'MISSED'


def main():
    if len(sys.argv) != 4:
        cannot_run('usage: bench/web.py JANKEN_HTML BARE_HTML PICTURES_HTML')
    janken, bare, pictures = sys.argv[1:]
    for path in (janken, bare, pictures):
        if not os.path.isfile(path):
            cannot_run(f'{path} is missing (make web builds the page)')
    for tool in (CHROMIUM, CHROMEDRIVER):
        if not os.access(tool, os.X_OK):
            cannot_run(f'{tool} is not installed (chromium, chromium-driver)')

    try:
        note(f'browser: {LOADS} loads of each page in fresh tabs, alternating...')
        # One browser, started before: its own start is no part of opening a file. One load
        # of each first, not counted: the disk's cache.
        browser = Browser()
        version = browser.version
        opens = {janken: [], bare: []}
        parsed = {janken: [], bare: []}
        try:
            for count in (False,) + (True,) * LOADS:
                for path, selector in ((janken, MAIN_BUTTON), (bare, BARE_BUTTON)):
                    browser.fresh_tab()
                    ms, dcl = browser.open(path, selector)
                    if count:
                        opens[path].append(ms)
                        parsed[path].append(dcl)
        finally:
            browser.close()
        note('  open (ms): janken ' + ' '.join(f'{t:.0f}' for t in opens[janken])
             + '; bare ' + ' '.join(f'{t:.0f}' for t in opens[bare]))
        note('  parsed (ms): janken ' + ' '.join(f'{t:.0f}' for t in parsed[janken])
             + '; bare ' + ' '.join(f'{t:.0f}' for t in parsed[bare]))

        note(f'browser: {SESSIONS} sessions of each page, {PLAY_SECONDS:g} s measured'
             f' (janken idle, then in automatic play), alternating...')
        sessions = {janken: [], bare: [], pictures: []}
        for _ in range(SESSIONS):
            sessions[janken].append(session(janken, MAIN_BUTTON, play=AUTOMATIC_START))
            sessions[bare].append(session(bare, BARE_BUTTON))
            sessions[pictures].append(session(pictures, BARE_BUTTON, play=BARE_BUTTON))
        for path in (janken, bare, pictures):
            for s in sessions[path]:
                note(f'  {os.path.basename(path)}: ' + ', '.join(
                    f'{k} {v:.2f}' if isinstance(v, float) else f'{k} {v}' for k, v in s.items()))
    except Exception as error:  # a figure we could not take is not a figure
        cannot_run(str(error).splitlines()[0] if str(error) else repr(error))

    def med(path, key):
        return statistics.median(s[key] for s in sessions[path])

    size_j, size_b = os.path.getsize(janken), os.path.getsize(bare)
    open_j, open_b = statistics.median(opens[janken]), statistics.median(opens[bare])
    peak_j, peak_b = med(janken, 'peak') / 1024, med(bare, 'peak') / 1024
    rss_j, rss_b = med(janken, 'rss') / 1024, med(bare, 'rss') / 1024
    own_j, own_b = med(janken, 'footprint') / 1024, med(bare, 'footprint') / 1024
    parsed_j, parsed_b = statistics.median(parsed[janken]), statistics.median(parsed[bare])
    busy_j, busy_b = med(janken, 'busy'), med(bare, 'busy')
    busy_p = med(pictures, 'busy')
    idle_j = med(janken, 'idle')
    cpu_j, cpu_b = med(janken, 'cpu'), med(bare, 'cpu')
    rounds = med(janken, 'rounds')
    expected = PLAY_SECONDS / 0.5
    # Play that did not run would make a busy share of nothing look good.
    if abs(rounds - expected) > 2:
        cannot_run(f'{rounds:g} rounds in {PLAY_SECONDS:g} s of automatic play, not {expected:g}')

    open_ratio = open_j / open_b
    extra = own_j - own_b
    row = '%-52s %12s %12s %12s %14s  %s'
    lines = [
        '',
        f'browser edition: {os.path.basename(janken)} in headless Chromium {version}; loads in fresh'
        ' tabs, sessions in fresh browsers; baseline: a page with one button',
        '',
        row % ('measure', 'janken', 'baseline', 'compared', 'budget', 'result'),
        row % ('the page file, everything inlined', f'{size_j / 1024:.1f} KiB', f'{size_b} B',
               f'{size_j / size_b:.0f}x', '<= 1.5 MiB', verdict(size_j <= 1.5 * 1024 * 1024)),
        row % (f'open to main window clickable (median of {LOADS})', f'{open_j:.1f} ms',
               f'{open_b:.1f} ms', f'{open_ratio:.2f}x', '<= 3x', verdict(open_ratio <= 3)),
        row % ('  until the page is parsed, its script run (median)', f'{parsed_j:.1f} ms',
               f'{parsed_b:.1f} ms', f'{parsed_j / parsed_b:.2f}x', '', ''),
        row % (f'renderer peak footprint, {PLAY_SECONDS:g} s play (median of {SESSIONS})',
               f'{own_j:.1f} MiB', f'{own_b:.1f} MiB', f'+{extra:.1f} MiB', '<= +24 MiB',
               verdict(extra <= 24)),
        row % ('  peak RSS, with the browser\'s shared program code', f'{peak_j:.1f} MiB',
               f'{peak_b:.1f} MiB', f'+{peak_j - peak_b:.1f} MiB', '', ''),
        row % ('  RSS at the end of play (median)', f'{rss_j:.1f} MiB', f'{rss_b:.1f} MiB',
               f'+{rss_j - rss_b:.1f} MiB', '', ''),
        row % (f'main thread busy, {PLAY_SECONDS:g} s automatic play (median)', f'{busy_j:.2f} %',
               f'{busy_b:.2f} %', f'{busy_j / busy_b:.1f}x' if busy_b > 0 else '', '<= 2 %',
               verdict(busy_j <= 2)),
        row % ('  the same page idle, before automatic play', f'{idle_j:.2f} %', '', '', '', ''),
        row % ('  a page changing three of nine pictures every 50 ms', '', f'{busy_p:.2f} %',
               f'{busy_j / busy_p:.1f}x', '', ''),
        row % ('  main thread CPU time (/proc), share of a core', f'{cpu_j:.2f} %', f'{cpu_b:.2f} %',
               '', '', ''),
        row % (f'rounds judged in {PLAY_SECONDS:g} s of automatic play (median)', f'{rounds:g}',
               '', '', '', ''),
    ]
    print('\n'.join(lines))


if __name__ == '__main__':
    main()
