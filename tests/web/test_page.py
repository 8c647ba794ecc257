#!/usr/bin/python3
"""The browser page in headless Chromium, beside the desktop's windows and pictures.
usage: test_page.py BUILD_WEB_DIR BUILD_DIR [-k NAME]; JANKEN_APPROVE=1 writes approved/ anew"""
import base64
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

APPROVED = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'approved')
HANDS = ('guu', 'pii', 'paa')
BEATS = {'guu': 'pii', 'pii': 'paa', 'paa': 'guu'}
CAPTIONS = {'guu': 'グー', 'pii': 'チョキ', 'paa': 'パー'}
STATES = {'start': (), 'rounds': ('Command1', 'Command2') * 3, 'help': ('Command5',),
          'graph': ('Command8',), 'exit question': ('Command6',)}

# Before the page's own script: when each chime starts, and when each click comes.
RECORDER = """
window.starts = [];
window.clicks = [];
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...args) {
  starts.push(performance.now());
  return start.apply(this, args);
};
addEventListener('click', () => clicks.push(performance.now()), true);
"""
# Each control's rectangle in its window's client area, looked at while the hands shuffle, so
# that every hand picture is seen shown.
RECTANGLES = """
const done = arguments[0];
const seen = {Form1: {}, Form2: {}, Form4: {}};
const look = () => document.querySelectorAll('.client > *').forEach((e) => {
  const r = e.getBoundingClientRect();
  const client = e.parentElement.getBoundingClientRect();
  const place = [r.x - client.x, r.y - client.y, r.width, r.height];
  if (e.getClientRects().length > 0) seen[e.closest('.window').id][e.id] = place;
});
const timer = setInterval(look, 7);
setTimeout(() => { clearInterval(timer); done(seen); }, 600);
"""
# How many colour values of a canvas differ from a PNG's (in base64); -1 if the sizes differ.
DIFFERING = """
const [canvas, png, done] = arguments;
const blob = new Blob([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))]);
createImageBitmap(blob, {colorSpaceConversion: 'none'}).then((bitmap) => {
  if (bitmap.width !== canvas.width || bitmap.height !== canvas.height) return done(-1);
  const decoded = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d');
  decoded.drawImage(bitmap, 0, 0);
  const want = decoded.getImageData(0, 0, canvas.width, canvas.height).data;
  const have = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  done(want.filter((value, i) => i % 4 < 3 && value !== have[i]).length);
});
"""


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ('--headless=new', '--no-sandbox', '--force-device-scale-factor=1',
                         '--window-size=1280,1024', '--autoplay-policy=no-user-gesture-required'):
            options.add_argument(argument)
        options.set_capability('goog:loggingPrefs', {'performance': 'ALL', 'browser': 'ALL'})
        cls.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        cls.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': RECORDER})
        permissions = ['clipboardReadWrite', 'clipboardSanitizedWrite']
        cls.driver.execute_cdp_cmd('Browser.grantPermissions', {'permissions': permissions})
        cls.driver.set_script_timeout(10)
        # The browser starts its audio service and decoder at the first chime, in half a second:
        # a chime first, so that the chimes timed are the page's own.
        cls.url = 'file://' + os.path.abspath(os.path.join(WEB_DIR, 'janken.html'))
        cls.driver.get(cls.url)
        cls.driver.execute_script("document.querySelector('#Form1 #Command5').click()")
        time.sleep(1)
        # The desktop's rectangles, and its hand pictures in the folder.
        cls.folder = tempfile.TemporaryDirectory()
        env = dict(os.environ, QT_QPA_PLATFORM='offscreen', PULSE_SERVER='unix:/nonexistent',
                   QT_SCALE_FACTOR='1')
        program = os.path.join(BUILD_DIR, 'tests', 'desktop_pictures')
        run = subprocess.run([program, cls.folder.name], env=env, check=True, capture_output=True)
        cls.desktop = json.loads(run.stdout)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.folder.cleanup()

    def setUp(self):
        self.driver.get(self.url)

    def tearDown(self):
        # Whatever a test did, nothing was fetched but the page, and nothing went to the console
        # as an error.
        logged = [json.loads(e['message'])['message'] for e in self.driver.get_log('performance')]
        sent = [m['params']['request']['url'] for m in logged
                if m['method'] == 'Network.requestWillBeSent']
        fetched = [url for url in sent if not url.startswith(('file:', 'data:'))]
        self.assertEqual(fetched, [])
        self.assertEqual([e for e in self.driver.get_log('browser') if e['level'] == 'SEVERE'], [])

    def run_script(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, window, name):
        return self.driver.find_element('css selector', f'#{window} #{name}')

    def click(self, name):
        # The button's click event, even where another window lies over it.
        self.run_script('arguments[0].click()', self.element('Form1', name))

    def text(self, name, part='[aria-hidden=true]'):
        # A named label's caption, or (part '.spoken') the name that a screen reader reads.
        label = self.element('Form1', f'{name} > {part}')
        return self.run_script('return arguments[0].textContent', label)

    def shown(self, selector):
        return self.run_script('return [...document.querySelectorAll(arguments[0])]'
                               '.map((e) => e.getClientRects().length > 0)', selector)

    def rounds(self):
        counts = [self.text(name) for name in ('aikolabel', 'abc1katiLabel', 'abc1makelabel')]
        return sum(int(count or 0) for count in counts)

    def differing(self, canvas, path):
        with open(path, 'rb') as png:
            picture = base64.b64encode(png.read()).decode()
        return self.driver.execute_async_script(DIFFERING, canvas, picture)

    def assertAsApproved(self, window, name):
        canvas = self.element(window, 'Picture1')
        path = os.path.join(APPROVED, name + '.png')
        if os.environ.get('JANKEN_APPROVE'):
            url = self.run_script('return arguments[0].toDataURL()', canvas)
            with open(path, 'wb') as png:
                png.write(base64.b64decode(url.split(',')[1]))
        self.assertEqual(self.differing(canvas, path), 0, path)

    def test_controls_where_the_desktop_has_them(self):
        for name in ('Command5', 'Command8', 'Command1'):
            self.click(name)
        self.assertEqual(self.driver.execute_async_script(RECTANGLES), self.desktop)

    def test_hand_pictures_as_the_desktop_draws_them(self):
        for player in '123':
            for hand in HANDS:
                path = os.path.join(self.folder.name, hand + player + '.png')
                canvas = self.element('Form1', hand + player)
                self.assertEqual(self.differing(canvas, path), 0, path)

    def test_graph_at_the_start(self):
        # Before any round, as nothing drawn from the generator is in it.
        self.click('Command8')
        self.assertAsApproved('Form2', 'graph')

    def test_help_29_lines_none_cut_off(self):
        self.click('Command5')
        # Drawn as approved, none cut off; for a screen reader, the 29 lines, two of them empty.
        lines = self.element('Form4', 'Picture1').find_elements('css selector', 'p')
        self.assertEqual(len(lines), 29)
        self.assertEqual(len([p for p in lines if p.get_property('textContent')]), 27)
        self.assertEqual(self.element('Form4', 'Picture1').aria_role, 'figure')  # not an image
        self.assertAsApproved('Form4', 'help')

    def test_judgements_agree_with_the_hands_shown(self):
        for _ in range(12):
            self.click('Command1')
            time.sleep(0.08)
            self.click('Command2')
            shown = [[hand for hand in HANDS if self.shown(f'#Form1 #{hand}{player}') == [True]]
                     for player in '123']
            self.assertEqual([len(player) for player in shown], [1, 1, 1], shown)
            hands = [player[0] for player in shown]
            expected = ['あいこ'] * 3
            if len(set(hands)) == 2:
                winner = [hand for hand in hands if BEATS[hand] in hands][0]
                expected = ['勝ち' if hand == winner else '負け' for hand in hands]
            self.assertEqual([self.text('hanntei' + player) for player in '123'], expected, hands)
            # What a screen reader hears of the round, and reads on a result cell.
            said = '、'.join(f'{who}くん {CAPTIONS[hand]} {verdict}'
                            for who, hand, verdict in zip('ＡＢＣ', hands, expected))
            spoken = self.driver.find_element('id', 'spoken').get_property('textContent')
            self.assertIn(said + '。', spoken)
            self.assertEqual(self.text('aikolabel', '.spoken'), 'あいこ 回数 ' + self.text('aikolabel'))

    def test_each_chime_starts_once_at_its_click(self):
        for name in ('Command5', 'Command6'):
            self.click(name)
            time.sleep(0.5)
            clicks, starts = self.run_script('return [clicks, starts]')
            after = [start - clicks[-1] for start in starts if start >= clicks[-1]]
            self.assertEqual(len(after), 1, name)
            self.assertLess(after[0], 100, name)

    def test_no_serious_accessibility_fault_in_any_state(self):
        with open(os.path.join(WEB_DIR, 'axe', 'axe.min.js')) as axe:
            checker = axe.read() + '\nreturn axe.run().then((results) => results.violations);'
        for state, names in STATES.items():
            self.driver.get(self.url)
            for name in names:
                self.click(name)
            found = self.run_script(checker)
            serious = [v for v in found if v['impact'] in ('serious', 'critical')]
            self.assertEqual(serious, [], state)

    def test_exit_question(self):
        self.click('Command6')
        question = self.driver.find_element('css selector', 'dialog[open]').text
        self.assertIn('終了していいですか？', question)
        ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()
        self.assertEqual(self.driver.find_elements('css selector', 'dialog[open]'), [])
        self.click('Command1')
        self.click('Command2')
        self.assertEqual(self.rounds(), 1)
        self.element('Form1', 'Command1').send_keys(Keys.CONTROL, 'c')
        time.sleep(0.3)  # the results go to the clipboard asynchronously, as text and as HTML
        copied = "return navigator.clipboard.read().then(([item]) => item.getType('text/html'))"
        self.assertIn('<td sdval=', self.run_script(copied + '.then((blob) => blob.text())'))
        self.click('Command6')
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        time.sleep(0.3)  # the answer reaches the handler after the dialog has closed
        self.assertNotIn(True, self.shown('.window, dialog'))
        self.assertEqual(self.shown('.ended'), [True])

    def test_automatic_play_a_round_each_half_second_till_closed(self):
        self.click('Command3')
        time.sleep(5)
        # 終了 cannot be clicked during automatic play; the title bar's close button can.
        self.run_script("document.querySelector('#Form1 .close').click()")
        played = self.rounds()
        self.assertIn(played, (9, 10, 11))
        time.sleep(1.2)
        self.assertNotIn(True, self.shown('.window'))
        self.assertEqual(self.rounds(), played)


if __name__ == '__main__':
    WEB_DIR, BUILD_DIR = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
