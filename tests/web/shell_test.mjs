// The page around the window, in Debian's chromium: where the window stands
// as it grows, a phone's viewport and touch, offline play and installing,
// and axe-core's accessibility rules.
//
//   WEB_BUILD=build-web node --test tests/web/shell_test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { chromium } from 'playwright-core';
import AxeBuilder from '@axe-core/playwright';
import { chromiumPath, openIn, servedGame } from './harness.mjs';
import { startServer } from './page_server.mjs';

const webBuild = process.env.WEB_BUILD || 'build-web';
const here = new URL('.', import.meta.url).pathname;
const shots = process.env.SHOTS || '.';
const cellPixels = 64;
const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true,
  hasTouch: true };

const game = servedGame(webBuild);

async function open(t, options = {}, url = game.server.url) {
  const context = await game.browser.newContext({ viewport: { width: 480, height: 560 }, ...options });
  t.after(() => context.close());
  return openIn(t, context, url);
}

const button = (page, caption) => page.locator('.button:not([hidden])', { hasText: caption });
const liveTiles = '[aria-label="盤面"] .label[role=button]:not(.disabled)';

async function tap(page, locator, touch) {
  const box = await locator.boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  if (touch) await page.touchscreen.tap(x, y);
  else await page.mouse.click(x, y);
}

async function start(page, touch = false) {
  await tap(page, page.getByRole('button', { name: 'START' }), touch);
  await button(page, 'OK').waitFor();
  await tap(page, button(page, 'START'), touch);
  await page.locator(liveTiles).first().waitFor();
}

// Each tile's cell on the board, and the empty cell, as [column, row].
async function board(page) {
  const tiles = await page.evaluate(() => Object.fromEntries(
    [...document.querySelectorAll('[aria-label="盤面"] .label[role=button]')].map((t) =>
      [t.getAttribute('aria-label'), [parseInt(t.style.left), parseInt(t.style.top)]])));
  const cells = Object.fromEntries(Object.entries(tiles).map(([n, [x, y]]) =>
    [n, [x / cellPixels, y / cellPixels]]));
  const taken = new Set(Object.values(cells).map(String));
  for (let cell = 0; cell < 16; ++cell)
    if (!taken.has(`${cell % 4},${Math.floor(cell / 4)}`))
      return { cells, empty: [cell % 4, Math.floor(cell / 4)] };
  return { cells, empty: null };
}

function waitForCell(page, n, [column, row]) {
  return page.waitForFunction(([label, left, top]) => {
    const tile = document.querySelector(`[aria-label="盤面"] [aria-label="${label}"]`);
    return parseInt(tile.style.left) === left && parseInt(tile.style.top) === top;
  }, [String(n), column * cellPixels, row * cellPixels]);
}

// Clicks tile n into the empty cell; a click the game refused while the last
// slide closed is repeated.
async function moveTile(page, n) {
  const { cells, empty } = await board(page);
  for (let attempt = 0; attempt < 5; ++attempt) {
    await tap(page, page.getByRole('button', { name: String(n), exact: true }), false);
    await page.waitForTimeout(100);
    if (`${(await board(page)).cells[n]}` !== `${cells[n]}`) break;
  }
  await waitForCell(page, n, empty);
}

const frameBox = (page) => page.locator('.window').boundingBox();

test('the window\'s top left stays put as it grows: START, OK, OPTION', async (t) => {
  const page = await open(t);
  const first = await frameBox(page);
  assert.equal(first.width, 282, 'the designed width on a desktop-sized viewport');
  const heights = [first.height];
  const steps = [
    async () => { await tap(page, page.getByRole('button', { name: 'START' })); await button(page, 'OK').waitFor(); },
    async () => { await tap(page, button(page, 'START')); await page.locator(liveTiles).first().waitFor(); },
    async () => { await tap(page, button(page, 'OK')); await page.locator('.label[aria-live]', { hasText: 'まだです' }).waitFor(); },
    async () => { await tap(page, button(page, 'OPTION')); await button(page, 'END').waitFor(); },
  ];
  for (const step of steps) {
    await step();
    await page.waitForTimeout(100);
    const box = await frameBox(page);
    assert.deepEqual([box.x, box.y, box.width], [first.x, first.y, first.width]);
    heights.push(box.height);
  }
  assert.ok(new Set(heights).size >= 3, `the window grew: ${heights}`);
  const large = await open(t, { viewport: { width: 1280, height: 800 } });
  assert.equal((await frameBox(large)).width, 282);
});

test('a phone: the window fills the width, drawings for the dense screen, swipes slide tiles', async (t) => {
  const page = await open(t, phone);
  const box = await frameBox(page);
  assert.ok(box.width >= 0.9 * 390 && box.x >= 0 && box.x + box.width <= 390, `${JSON.stringify(box)}`);
  assert.ok(box.y + box.height <= 844);
  const opening = page.locator('img[src="pictures/opening.png"]');
  await page.waitForFunction(() => document.querySelector('img[src="pictures/opening.png"]').complete);
  assert.match(await opening.evaluate((img) => img.currentSrc), /opening\.svg$/);
  await page.screenshot({ path: join(shots, 'phone_opening.png') });
  await start(page, true);
  const cdp = await page.context().newCDPSession(page);
  const swipe = async ([dx, dy]) => {
    const area = await page.locator('[aria-label="盤面"]').boundingBox();
    const [x, y] = [area.x + area.width / 2, area.y + area.height / 2];
    const at = (f) => [{ x: x + dx * f, y: y + dy * f }];
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(-0.5) });
    for (const f of [-0.25, 0, 0.25, 0.5])
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(f) });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  };
  // Each swipe slides the tile that its direction's arrow key would; a
  // swipe with no tile to slide (towards the edge) leaves the board alone.
  const moves = { Right: [-1, 0, [80, 0]], Left: [1, 0, [-80, 0]], Down: [0, -1, [0, 80]],
    Up: [0, 1, [0, -80]] };
  let slid = 0;
  for (const name of ['Down', 'Right', 'Up', 'Left', 'Down', 'Right']) {
    const { cells, empty } = await board(page);
    const [dc, dr, vector] = moves[name];
    const from = [empty[0] + dc, empty[1] + dr];
    const n = Object.keys(cells).find((k) => `${cells[k]}` === `${from}`);
    await page.waitForTimeout(400); // the last slide's closing tick
    await swipe(vector);
    if (n) {
      await waitForCell(page, n, empty);
      ++slid;
    } else {
      await page.waitForTimeout(300);
      assert.deepEqual((await board(page)).cells, cells, `${name}: nothing to slide`);
    }
  }
  assert.ok(slid >= 3, `${slid} swipes slid a tile`);
  await page.screenshot({ path: join(shots, 'phone_game.png') });
});

// The list of files sw.js keeps, and its cache's name.
async function kept(root) {
  const worker = await readFile(join(root, 'sw.js'), 'utf8');
  return { build: JSON.parse(worker.match(/^const BUILD = (".*");$/m)[1]),
    files: JSON.parse(worker.match(/^const FILES = (\{[\s\S]*?\n\});$/m)[1]) };
}

// Once the page's worker has filled its cache and taken over.
async function workerReady(page) {
  return page.evaluate(async () => {
    const worker = (await navigator.serviceWorker.ready).active;
    for (let wait = 0; worker.state !== 'activated' && wait < 500; ++wait)
      await new Promise((r) => setTimeout(r, 20));
    return worker.state;
  });
}

test('offline: after one visit the page loads and plays with the network off; installable', async (t) => {
  // A browser profile of its own: chromium offers no install in a private one.
  const profile = await mkdtemp(join(tmpdir(), 'tembira-profile-'));
  t.after(() => rm(profile, { recursive: true, force: true }));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath, viewport: { width: 480, height: 560 },
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  t.after(() => context.close());
  const page = await openIn(t, context, game.server.url);
  assert.equal(await workerReady(page), 'activated');
  // A visit is over once the solver worker has loaded too: a network lost
  // while it still fetches its own files fails it, which is not this test.
  await page.waitForFunction(() => window.tembiraSolver);
  const { build, files } = await kept(webBuild);
  for (const file of ['index.html', 'tembira.js', 'tembira.wasm', 'shell.js', 'manifest.webmanifest',
    'pictures/opening.png', 'pictures/opening.svg', 'fonts/mincho.woff2', 'icons/icon-512.png'])
    assert.ok(file in files, file);
  assert.ok(!Object.keys(files).some((f) => /CMake|ninja|\.a$|stamp|^sw\.js$/.test(f)),
    'nothing of the build system');
  // The page's own caches (the solver worker keeps its tables in another).
  const caches = await page.evaluate(async () => {
    const names = (await caches.keys()).filter((n) => n.startsWith('tembira-build-'));
    const keys = await (await caches.open(names[0])).keys();
    return { names, paths: keys.map((r) => new URL(r.url).pathname.slice(1)).sort() };
  });
  assert.deepEqual(caches, { names: [`tembira-build-${build}`], paths: Object.keys(files).sort() });

  const cdp = await page.context().newCDPSession(page);
  assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

  await page.context().setOffline(true);
  await page.reload();
  await page.locator('.window').waitFor();
  await start(page);
  const { cells, empty } = await board(page);
  const n = Object.keys(cells).find((k) =>
    Math.abs(cells[k][0] - empty[0]) + Math.abs(cells[k][1] - empty[1]) === 1);
  await moveTile(page, n);
  await page.evaluate(() => document.fonts.ready);
  assert.equal(await page.evaluate(() => document.fonts.check('48px "ＭＳ Ｐ明朝"', '完成')), true);
});

test('a new build replaces the kept one as a whole, once no page of the old is open', async (t) => {
  const root = await mkdtemp(join(tmpdir(), 'tembira-web-'));
  t.after(() => rm(root, { recursive: true, force: true }));
  const { files } = await kept(webBuild);
  for (const file of [...Object.keys(files), 'sw.js']) {
    await cp(join(webBuild, file), join(root, file), { recursive: true });
  }
  const own = await startServer(root);
  t.after(() => own.close());
  const context = await game.browser.newContext();
  t.after(() => context.close());
  const marker = () => context.pages()[0].evaluate(() =>
    fetch('shell.js').then((r) => r.text()).then((text) => text.includes('// next build')));

  let page = await context.newPage();
  await page.goto(own.url);
  await workerReady(page);
  const old = (await kept(root)).build;
  await writeFile(join(root, 'shell.js'), `${await readFile(join(root, 'shell.js'), 'utf8')}// next build\n`);
  execFileSync('/usr/bin/python3', [join(here, '../../web/assets/offline.py'),
    '--worker', join(here, '../../web/page/sw.js'), '--out', root]);
  const next = (await kept(root)).build;
  assert.notEqual(next, old);

  await page.reload(); // finds the new worker, which waits: this page stays on the old build
  await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update();
    for (let wait = 0; !registration.waiting && wait < 200; ++wait)
      await new Promise((r) => setTimeout(r, 50));
    return !!registration.waiting;
  }).then((waiting) => assert.ok(waiting, 'the new build\'s worker installed and waits'));
  assert.equal(await marker(), false, 'an open page of the old build keeps its files');
  await page.close();
  page = await context.newPage();
  await page.goto(own.url);
  await page.waitForFunction(async (name) => JSON.stringify((await caches.keys())
    .filter((n) => n.startsWith('tembira-build-'))) === JSON.stringify([name]), `tembira-build-${next}`);
  await page.reload();
  await page.locator('.window').waitFor();
  assert.equal(await marker(), true);
});

test('axe-core: no violations on the opening, the game, the options panel and the completion', async (t) => {
  const page = await open(t);
  const check = async (state) => {
    const result = await new AxeBuilder({ page })
      .withTags(['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice']).analyze();
    const found = result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
    assert.deepEqual(found, [], state);
  };
  await check('opening');
  await start(page);
  await check('game');
  await tap(page, button(page, 'OPTION'));
  await button(page, 'END').waitFor();
  await check('options panel');
  await tap(page, button(page, 'CLOSE'));
  await page.waitForFunction(() => ![...document.querySelectorAll('.button')]
    .some((b) => b.textContent === 'END' && !b.hidden));
  const script = await readFile(join(here, '../scripts/whole_game.script'), 'utf8');
  for (const m of script.matchAll(/^click PANEL(\d+)$/gm)) await moveTile(page, Number(m[1]));
  await tap(page, button(page, 'OK'));
  await page.locator('.label[aria-live]', { hasText: '完成' }).waitFor();
  await check('completion');
});

test('the tab order is the document\'s, without a positive tabindex', async (t) => {
  const page = await open(t);
  await start(page);
  await tap(page, button(page, 'OPTION'));
  await button(page, 'END').waitFor();
  const order = await page.evaluate(() => {
    const focusable = [...document.querySelectorAll('.window [tabindex]')];
    return { positive: focusable.filter((e) => e.tabIndex > 0).length,
      ranks: focusable.filter((e) => e.tabIndex === 0).map((e) => +e.dataset.tab) };
  });
  assert.equal(order.positive, 0);
  assert.deepEqual(order.ranks, [...order.ranks].sort((a, b) => a - b));
  // Tab from the board walks the game's order: the row's buttons, the clock.
  await page.locator('[aria-label="盤面"]').focus();
  const names = [];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.press('Tab');
    names.push(await page.evaluate(() => document.activeElement.textContent));
  }
  assert.deepEqual(names.slice(0, 2), ['OK', 'START']);
});
