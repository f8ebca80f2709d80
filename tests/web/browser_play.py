#!/usr/bin/python3
"""The browser build played in Debian's Chromium, headless, against the desktop game under Xvfb.

Both are driven through the same steps at 1024 x 768 and their screens compared: the title, the
introduction (F1), the title again (Escape), the first level in play (Space), and the level
complete after one click on its track builder. Then the figures: the page's size as a static
host would send it (gzip), the time to the first title frame, and the first level's frame rate
in both (paused, the game's own TRACKLET_BENCH_FRAMES count; both render in software).

Chromium draws WebGL 2 with Mesa's llvmpipe through ANGLE (--use-angle=gl-egl), the renderer the
desktop game uses, and with its own SwiftShader for the title and the frame rate.

Usage: browser_play.py BUILD_WEB GAME DATA [SHOTS_DIR]. Needs chromium, chromium-driver,
python3-selenium, xvfb, openbox, xdotool and imagemagick. The server listens on 127.0.0.1 only.
"""
import gzip
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WIDTH, HEIGHT = 1024, 768
# Level 1's straight-track builder at 1024 x 768, aimed a little past its middle so the shot
# crosses it whole.
BUILDER = (514, 512)
RENDERERS = {
    'llvmpipe': ['--use-angle=gl-egl', '--ignore-gpu-blocklist'],
    'swiftshader': ['--enable-unsafe-swiftshader', '--use-angle=swiftshader'],
}
# Pixels whose channels differ by more than FUZZ count as different; a screen matches when fewer
# than this share of them do (the level in play also has its moving train and fps text).
FUZZ = '16%'
STILL, MOVING = 0.02, 0.05

build_web, game, data = (os.path.abspath(a) for a in sys.argv[1:4])
shots = os.path.abspath(sys.argv[4]) if len(sys.argv) > 4 else os.path.join(build_web, 'test-shots')
os.makedirs(shots, exist_ok=True)
work = tempfile.mkdtemp(prefix='tracklet-web-')
children = []


def fail(message):
    print('FAIL: ' + message, file=sys.stderr)
    sys.exit(1)


def different_share(a, b):
    """The share of pixels of two screenshots that differ by more than FUZZ."""
    run = subprocess.run(['compare', '-metric', 'AE', '-fuzz', FUZZ, a, b, 'null:'], capture_output=True, text=True)
    try:
        return float(run.stderr.split()[0]) / (WIDTH * HEIGHT)
    except (ValueError, IndexError):
        fail('compare: ' + run.stderr)


def lit(path):
    """The mean brightness of a screenshot, 0 to 1: a window still black is not a screen yet."""
    run = subprocess.run(['convert', path, '-colorspace', 'gray', '-format', '%[fx:mean]', 'info:'], capture_output=True, text=True)
    return float(run.stdout or 0)


def grassy(path):
    """True when green leads the screenshot's mean colour: a level in play over its grass."""
    run = subprocess.run(['convert', path, '-resize', '1x1!', '-format', '%[fx:r] %[fx:g] %[fx:b]', 'info:'],
                         capture_output=True, text=True)
    r, g, b = (float(v) for v in (run.stdout or '0 0 0').split())
    return g > r and g > b


def wait_for(what, seconds, check):
    end = time.time() + seconds
    while time.time() < end:
        if check():
            return
        time.sleep(0.3)
    fail('timed out waiting for ' + what)


class Screens:
    """Walks one player's screens: shoot() saves the screen, key() and click() act."""

    def settle(self, name, unlike=None, tolerance=STILL, seconds=90):
        """Waits for a screen unlike `unlike` (a saved file) that holds still, and saves it."""
        path = os.path.join(shots, name + '.png')
        last = os.path.join(work, 'last.png')
        state = {'previous': None}

        def ready():
            self.shoot(last)
            if lit(last) < 0.05 or (unlike and different_share(last, unlike) < 0.10):
                return False
            previous, state['previous'] = state['previous'], os.path.join(work, 'prev.png')
            stable = previous is not None and different_share(last, previous) < tolerance
            shutil.copy(last, state['previous'])
            return stable

        wait_for(self.label + ' ' + name, seconds, ready)
        shutil.copy(last, path)
        return path


class Desktop(Screens):
    label = 'desktop'

    def __init__(self):
        self.display = ':%d' % (100 + os.getpid() % 800)
        self.env = dict(os.environ, DISPLAY=self.display, SDL_AUDIODRIVER='dummy')
        children.append(subprocess.Popen(['Xvfb', self.display, '-screen', '0', '%dx%dx24' % (WIDTH, HEIGHT), '-nolisten', 'tcp'],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)
        children.append(subprocess.Popen(['openbox'], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)

    def start(self, extra_env=None):
        env = dict(self.env, **(extra_env or {}))
        return subprocess.Popen([game, '--data', data], env=env, cwd=data, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)

    def shoot(self, path):
        subprocess.run(['import', '-window', 'root', path], env=self.env, check=True, stderr=subprocess.DEVNULL)

    def key(self, name):
        subprocess.run(['xdotool', 'key', {'F1': 'F1', 'Escape': 'Escape', 'Space': 'space'}[name]], env=self.env, check=True)

    def click(self, x, y):
        subprocess.run(['xdotool', 'mousemove', str(x), str(y), 'click', '1'], env=self.env, check=True)


class Browser(Screens):
    def __init__(self, renderer, port):
        self.label = 'browser (%s)' % renderer
        self.port = port
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ['--headless=new', '--no-sandbox', '--mute-audio', '--window-size=%d,%d' % (WIDTH, HEIGHT),
                         '--user-data-dir=' + os.path.join(work, 'profile-' + renderer)] + RENDERERS[renderer]:
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                    {'width': WIDTH, 'height': HEIGHT, 'deviceScaleFactor': 1, 'mobile': False})

    def open(self, query=''):
        self.driver.get('http://127.0.0.1:%d/tracklet.html?window=%dx%d%s' % (self.port, WIDTH, HEIGHT, query))
        wait_for(self.label + ' first frame', 120, lambda: self.script('return Module.firstFrameAt || 0') > 0)
        return self.script('return Module.firstFrameAt')

    def script(self, code):
        return self.driver.execute_script(code)

    def shoot(self, path):
        self.driver.save_screenshot(path)

    def key(self, name):
        keys = {'F1': Keys.F1, 'Escape': Keys.ESCAPE, 'Space': Keys.SPACE, 'Down': Keys.DOWN, 'Up': Keys.UP}
        ActionChains(self.driver).send_keys(keys.get(name, name.lower())).perform()

    def click(self, x, y):
        canvas = self.driver.find_element('id', 'canvas')
        ActionChains(self.driver).move_to_element_with_offset(canvas, x - WIDTH // 2, y - HEIGHT // 2).click().perform()

    def quit(self):
        self.driver.quit()


def play(player):
    """Title, F1, Escape, Space, the shot and the win; returns the saved screens by name."""
    p = player.label.split()[0] + ('-' + player.label.split('(')[1].rstrip(')') if '(' in player.label else '')
    s = {}
    s['title'] = player.settle(p + '-title')
    player.key('F1')
    s['introduction'] = player.settle(p + '-introduction', unlike=s['title'])
    player.key('Escape')
    s['title again'] = player.settle(p + '-title-again', unlike=s['introduction'])
    player.key('Space')
    # The shot goes as soon as the level shows, long before the train reaches the gap.
    s['level'] = os.path.join(shots, p + '-level.png')
    wait_for(player.label + ' level', 60,
             lambda: player.shoot(s['level']) or (lit(s['level']) > 0.05 and different_share(s['level'], s['title']) > 0.5))
    player.click(*BUILDER)
    s['complete'] = player.settle(p + '-complete', unlike=s['level'], seconds=120)
    return s


def compare(desktop, browser, label):
    worst = 0.0
    for name, path in desktop.items():
        share = different_share(path, browser[name])
        limit = MOVING if name == 'level' else STILL
        print('  %-13s %5.2f %% of pixels differ from the desktop (limit %.0f %%)' % (name, share * 100, limit * 100))
        if share >= limit:
            fail('%s: the %s screen is not the desktop\'s (%s, %s)' % (label, name, path, browser[name]))
        worst = max(worst, share)
    return worst


def keeps_camera_file(browser):
    """Key C in play saves the camera into the browser's storage, and a reload still has it."""
    camera = '/home/web_user/.local/share/tracklet/camera.txt'
    exists = 'return FS.analyzePath("%s").exists' % camera
    browser.open()
    if browser.script(exists):
        fail('a fresh browser profile already has ' + camera)
    title = browser.settle('browser-llvmpipe-title-for-camera')
    browser.key('Space')
    level = os.path.join(work, 'camera-level.png')
    wait_for('the level', 60, lambda: browser.shoot(level) or different_share(level, title) > 0.5)
    browser.key('C')
    wait_for('the camera file', 30, lambda: browser.script(exists))
    numbers = browser.script('return FS.readFile("%s", {encoding: "utf8"})' % camera).split()
    if len(numbers) != 12:
        fail('the camera file holds %r' % numbers)
    # The copy to IndexedDB runs in the background: reload until it shows, or give up.
    end = time.time() + 60
    while True:
        time.sleep(1)
        browser.open()
        if browser.script(exists):
            break
        if time.time() > end:
            fail('the camera file is gone after a reload')
    print('  the camera file (key C) outlives a reload')


def opens_own_levels(browser, tool, data):
    """Levels by code, by seed and the day's, in the page: each the very level the desktop's tool
    makes, written into the browser's storage, and a link to it shown on the page."""
    levels = '/home/web_user/.local/share/tracklet/levels'
    first = open(os.path.join(data, 'levels.txt')).read().split()[0]
    code = subprocess.run([tool, 'code', 'levels/' + first], cwd=data, capture_output=True, text=True, check=True).stdout.strip()

    def played(query, name_start, expected_text, picture, keys=()):
        browser.open(query)
        browser.settle('browser-%s-title' % picture)
        for key in keys:
            browser.key(key)
            time.sleep(0.3)
        if not keys:
            browser.key('Space')
        level = os.path.join(shots, 'browser-%s.png' % picture)
        wait_for(picture + ' in play', 120, lambda: browser.shoot(level) or grassy(level))
        names = browser.script('return FS.readdir("%s")' % levels)
        made = [n for n in names if n.startswith(name_start)]
        if len(made) != 1:
            fail('%s: the storage holds %r' % (picture, names))
        text = browser.script('return FS.readFile("%s/%s", {encoding: "utf8"})' % (levels, made[0]))
        if text != expected_text:
            fail('%s: the level in the browser is not the one the tool makes' % picture)
        return browser.script('return document.getElementById("link").style.display === "block" ? '
                              'document.getElementById("link-address").href : ""')

    decoded = subprocess.run([tool, 'decode', code], cwd=data, capture_output=True, text=True, check=True).stdout
    link = played('&code=' + code, 'code-', decoded, 'code')
    if not link.endswith('?code=' + code):
        fail('the link to a level by code is %r' % link)
    generated = subprocess.run([tool, 'generate', '--seed', 'end to end', '--difficulty', 'easy'], cwd=data,
                               capture_output=True, text=True, check=True).stdout
    link = played('&seed=end%20to%20end&difficulty=easy', 'seed-easy-end_to_end-', generated, 'seed')
    if not link.endswith('?seed=end%20to%20end&difficulty=easy'):
        fail('the link to a level by seed is %r' % link)
    day = time.strftime('%Y-%m-%d', time.gmtime())
    generated = subprocess.run([tool, 'generate', '--seed', day, '--difficulty', 'medium'], cwd=data,
                               capture_output=True, text=True, check=True).stdout
    played('', 'seed-medium-' + day, generated, 'day', ['l'] + ['Down'] * 40 + ['Space'])
    print('  levels by code, by seed and the day\'s level play in the page as the tool makes them, with a link')


def hints_in_slices(browser, tool, data):
    """H on level 1 in the page: the search, a slice a frame, names the shot tracklet-level hint
    names from the start, rings its target, and that shot wins the level."""
    first = open(os.path.join(data, 'levels.txt')).read().split()[0]
    expected = subprocess.run([tool, 'hint', 'levels/' + first], cwd=data, input='', capture_output=True, text=True,
                              check=True).stdout
    click = next(line for line in expected.splitlines() if line.startswith('click '))
    browser.open()
    title = browser.settle('browser-hint-title')
    browser.key('Space')
    level = os.path.join(shots, 'browser-hint-level.png')
    wait_for('level 1', 60, lambda: browser.shoot(level) or (lit(level) > 0.05 and different_share(level, title) > 0.5))
    browser.key('H')
    said = []

    def answered():
        said[:] = [line for line in browser.script('return Module.output') if line.startswith('hint: ')]
        return bool(said)
    wait_for('the hint', 120, answered)
    if not said[0].startswith('hint: ' + click + ' after '):
        fail('the page\'s hint says %r, tracklet-level hint %r' % (said[0], click))
    ringed = browser.settle('browser-hint')
    red = subprocess.run(['convert', ringed, '-fx', 'r > 0.7 && g < 0.2 && b < 0.2 ? 1 : 0', '-format', '%[fx:mean]', 'info:'],
                         capture_output=True, text=True)
    if float(red.stdout or 0) < 0.005:
        fail('no ring round the hinted target in ' + ringed)
    browser.click(*BUILDER)
    complete = browser.settle('browser-hint-complete', unlike=ringed, seconds=120)
    print('  a hint in the page names the shot the tool names, rings its target, and the shot wins (%s)' % complete)


def wins_by_taps(port):
    """Level 1 won by taps alone on a screen of twice the CSS pixels: the title tapped, the builder
    tapped, touches sent as the device sends them, no key and no mouse event."""
    browser = Browser('llvmpipe', port)
    driver = browser.driver
    try:
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': WIDTH, 'height': HEIGHT, 'deviceScaleFactor': 2, 'mobile': True})
        driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
        driver.get('http://127.0.0.1:%d/tracklet.html' % port)
        wait_for('the touch page\'s first frame', 120, lambda: browser.script('return Module.firstFrameAt || 0') > 0)
        browser.script("""window.seen = [];
            ['mousedown', 'mouseup', 'mousemove', 'click', 'keydown', 'keyup'].forEach(function(type) {
                window.addEventListener(type, function() { window.seen.push(type); }, true); });""")
        canvas = browser.script('var c = document.getElementById("canvas"); return [c.width, c.height, c.clientWidth, c.clientHeight]')
        if canvas != [2 * WIDTH, 2 * HEIGHT, WIDTH, HEIGHT]:
            fail('the canvas is not drawn at the device\'s pixels: width, height, CSS width, height %s' % canvas)

        def tap(x, y):
            driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [{'x': x, 'y': y}]})
            time.sleep(0.2)
            driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})

        title = browser.settle('browser-touch-title')
        tap(900, 620)  # on no line of the title's key list: plays
        level = os.path.join(shots, 'browser-touch-level.png')
        wait_for('the level after a tap', 60,
                 lambda: browser.shoot(level) or (lit(level) > 0.05 and different_share(level, title) > 0.5))
        tap(*BUILDER)
        complete = browser.settle('browser-touch-complete', unlike=level, seconds=120)
        # Level complete is on green, game over on red.
        red, green = (float(v) for v in subprocess.run(
            ['convert', complete, '-resize', '1x1!', '-format', '%[fx:r] %[fx:g]', 'info:'],
            capture_output=True, text=True, check=True).stdout.split())
        if green <= red:
            fail('the taps did not win level 1 (%s)' % complete)
        seen = browser.script('return window.seen')
        if seen:
            fail('taps made other events in the page: %s' % seen)
        print('  level 1 won by two taps on a canvas of %dx%d device pixels, no mouse or key event (%s, %s)'
              % (canvas[0], canvas[1], level, complete))
    finally:
        browser.quit()


# A standard-layout pad that the test presses through window.__pad, hidden until its first press
# as a browser hides a pad no one has touched yet.
FAKE_PAD = """(function() {
    var shown = false, buttons = [];
    for (var i = 0; i < 17; ++i) buttons.push({pressed: false, touched: false, value: 0});
    var pad = {id: 'scripted pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
               buttons: buttons, axes: [0, 0, 0, 0]};
    function set(i, down) {
        buttons[i] = {pressed: down, touched: down, value: down ? 1 : 0};
        pad.timestamp = performance.now();
        shown = shown || down;
    }
    window.__pad = {press: function(i) { set(i, true); }, release: function(i) { set(i, false); }};
    Object.defineProperty(navigator, 'getGamepads', {configurable: true,
        value: function() { return [shown ? pad : null, null, null, null]; }});
})();"""


def plays_with_a_scripted_pad(port):
    """Level 1 won by a pad alone: A on the title plays (the very press that shows the pad), the
    right shoulder aims at the nearest target, its track builder, and A fires; no key, mouse or
    touch event."""
    browser = Browser('llvmpipe', port)
    try:
        browser.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FAKE_PAD})
        browser.open()
        browser.script("""window.seen = [];
            ['mousedown', 'mouseup', 'mousemove', 'click', 'keydown', 'keyup', 'touchstart', 'touchend'].forEach(
                function(type) { window.addEventListener(type, function() { window.seen.push(type); }, true); });""")

        def push(button):
            browser.script('window.__pad.press(%d)' % button)
            time.sleep(0.5)
            browser.script('window.__pad.release(%d)' % button)
            time.sleep(0.5)

        title = browser.settle('browser-pad-title')
        push(0)  # A
        level = os.path.join(shots, 'browser-pad-level.png')
        wait_for('the level after A', 60, lambda: browser.shoot(level) or (lit(level) > 0.05 and different_share(level, title) > 0.5))
        push(5)  # the right shoulder: the aim on the builder
        aimed = os.path.join(shots, 'browser-pad-aimed.png')
        browser.shoot(aimed)
        push(0)
        complete = browser.settle('browser-pad-complete', unlike=level, seconds=120)
        red, green = (float(v) for v in subprocess.run(
            ['convert', complete, '-resize', '1x1!', '-format', '%[fx:r] %[fx:g]', 'info:'],
            capture_output=True, text=True, check=True).stdout.split())
        if green <= red:
            fail('the pad did not win level 1 (%s, %s)' % (aimed, complete))
        if browser.script('return window.seen'):
            fail('the pad made other events in the page: %s' % browser.script('return window.seen'))
        print('  level 1 won by a pad alone: A, the right shoulder, A (%s, %s)' % (aimed, complete))
    finally:
        browser.quit()


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def main():
    for name in ('tracklet.html', 'tracklet.js', 'tracklet.wasm', 'tracklet.data'):
        if not os.path.isfile(os.path.join(build_web, name)):
            fail('no %s in %s: run ./tracklet.sh web first' % (name, build_web))
    sizes = {n: os.path.getsize(os.path.join(build_web, n)) for n in ('tracklet.html', 'tracklet.js', 'tracklet.wasm', 'tracklet.data')}
    packed = {n: len(gzip.compress(open(os.path.join(build_web, n), 'rb').read(), 6)) for n in sizes}
    print('page and data: %.2f MB, %.2f MB with gzip (%s)' % (
        sum(sizes.values()) / 1e6, sum(packed.values()) / 1e6,
        ', '.join('%s %.2f' % (n.split('.')[1], packed[n] / 1e6) for n in packed)))

    port = free_port()
    children.append(subprocess.Popen([sys.executable, '-m', 'http.server', '--bind', '127.0.0.1', str(port), '-d', build_web],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    desktop = Desktop()

    run = desktop.start()
    wait_for('the desktop game window', 60, lambda: subprocess.run(
        ['xdotool', 'search', '--name', '^Tracklet$'], env=desktop.env, capture_output=True).returncode == 0)
    desktop_screens = play(desktop)
    run.kill()
    run.wait()

    browser = Browser('llvmpipe', port)
    try:
        first = browser.open()
        print('browser (llvmpipe): first title frame %.0f ms after the page was asked for' % first)
        compare(desktop_screens, play(browser), 'llvmpipe')
        keeps_camera_file(browser)
        tool = os.path.join(os.path.dirname(game), 'tools', 'level', 'tracklet-level')
        opens_own_levels(browser, tool, data)
        hints_in_slices(browser, tool, data)
    finally:
        browser.quit()
    wins_by_taps(port)
    plays_with_a_scripted_pad(port)

    # The frame rate of the first level, paused, over 300 frames, as the desktop's benchmark runs.
    bench = {'TRACKLET_BENCH_FRAMES': '300', 'TRACKLET_BENCH_PAUSED': '1'}
    run = desktop.start(bench)
    desktop_fps = float(run.communicate(timeout=600)[0].split()[-1])
    print('first level, paused: desktop %.1f fps' % desktop_fps)
    for renderer in ('llvmpipe', 'swiftshader'):
        browser = Browser(renderer, port)
        try:
            first = browser.open('&' + '&'.join('%s=%s' % kv for kv in bench.items()))
            wait_for('the browser\'s frame rate', 600, lambda: len(browser.script('return Module.output')) > 0)
            fps = float(browser.script('return Module.output')[-1])
            print('first level, paused: browser (%s) %.1f fps, %.2f of the desktop\'s; first title frame %.0f ms'
                  % (renderer, fps, fps / desktop_fps, first))
            if renderer == 'swiftshader':
                # SwiftShader is the browser's own renderer: its title must be the desktop's too.
                browser.open()
                title = browser.settle('browser-swiftshader-title')
                share = different_share(desktop_screens['title'], title)
                print('  title on SwiftShader: %.2f %% of pixels differ from the desktop' % (share * 100))
                if share >= STILL:
                    fail('the title on SwiftShader is not the desktop\'s')
        finally:
            browser.quit()
    print('the browser build plays as the desktop game does; screens in ' + shots)


try:
    main()
finally:
    for child in reversed(children):
        child.terminate()
    for child in children:
        try:
            child.wait(timeout=10)
        except subprocess.TimeoutExpired:
            child.kill()
    shutil.rmtree(work, ignore_errors=True)
