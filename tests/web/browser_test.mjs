// The web edition in a real browser (Debian's chromium, headless): played by
// mouse, touch and keys as a person would, weighed, and compared
// with the desktop window's board. (bench/web_first_paint.mjs times the page.)
//
//   WEB_BUILD=build-web [QT_BOARDS=dir] node --test tests/web/browser_test.mjs
// (tests/web/run.sh runs it with the desktop boards made by qt_board_shot).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { openIn, servedGame } from './harness.mjs';
import { compareBoards } from './board_compare.mjs';

const webBuild = process.env.WEB_BUILD || 'build-web';
const here = new URL('.', import.meta.url).pathname;
const cellPixels = 64; // 960 twips

const game = servedGame(webBuild);

// A fresh page on the game; fails the test on any error the page reports.
async function open(t, options = {}) {
  const context = await game.browser.newContext({ viewport: { width: 480, height: 560 }, ...options });
  t.after(() => context.close());
  return openIn(t, context, game.server.url);
}

// Each tile's place on the board in pixels, by its number.
function board(page) {
  return page.evaluate(() => {
    const tiles = document.querySelectorAll('[aria-label="盤面"] .label[role=button]');
    return Object.fromEntries([...tiles].map((t) =>
      [t.getAttribute('aria-label'), [parseInt(t.style.left), parseInt(t.style.top)]]));
  });
}

function emptyCell(tiles) {
  const taken = new Set(Object.values(tiles).map(([x, y]) => `${x},${y}`));
  for (let cell = 0; cell < 16; ++cell) {
    const at = [(cell % 4) * cellPixels, Math.floor(cell / 4) * cellPixels];
    if (!taken.has(`${at}`)) return at;
  }
  return null;
}

function waitForTile(page, n, [x, y]) {
  return page.waitForFunction(([label, left, top]) => {
    const tile = document.querySelector(`[aria-label="盤面"] [aria-label="${label}"]`);
    return parseInt(tile.style.left) === left && parseInt(tile.style.top) === top;
  }, [String(n), x, y]);
}

// Clicks (or taps) tile n, next to the empty cell, and waits for it to land
// there. The game refuses a click until the last slide's closing tick, which
// the page cannot see: a click that left the tile where it was is repeated.
async function moveTile(page, n, tap = false) {
  const tiles = await board(page);
  const empty = emptyCell(tiles);
  for (let attempt = 0; attempt < 5; ++attempt) {
    const box = await page.getByRole('button', { name: String(n), exact: true }).boundingBox();
    const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
    if (tap) await page.touchscreen.tap(x, y);
    else await page.mouse.click(x, y);
    await page.waitForTimeout(100);
    if (`${(await board(page))[n]}` !== `${tiles[n]}`) break;
  }
  await waitForTile(page, n, empty);
}

async function clickCentre(page, locator, tap = false) {
  const box = await locator.boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  if (tap) await page.touchscreen.tap(x, y);
  else await page.mouse.click(x, y);
}

const button = (page, caption) => page.locator('.button:not([hidden])', { hasText: caption });
const message = (page, text) => page.locator('.label[aria-live]', { hasText: text });

// Leaves the opening and starts the game.
async function start(page, tap = false) {
  await clickCentre(page, page.getByRole('button', { name: 'START' }), tap);
  await button(page, 'OK').waitFor();
  await clickCentre(page, button(page, 'START'), tap);
  await page.locator('[aria-label="盤面"] .label[role=button]:not(.disabled)').first().waitFor();
}

// The tiles clicked in the golden whole game of the first animal.
async function wholeGameMoves() {
  const script = await readFile(join(here, '../scripts/whole_game.script'), 'utf8');
  return [...script.matchAll(/^click PANEL(\d+)$/gm)].map((m) => Number(m[1]));
}

test('the opening, START, a whole game by mouse, 完成 and the reward at rest', async (t) => {
  const page = await open(t);
  await assert.doesNotReject(page.locator('img[src="pictures/opening.png"]').waitFor());
  assert.equal(await page.title(), '１５パズル');
  await start(page);
  await clickCentre(page, button(page, 'OK'));
  await assert.doesNotReject(message(page, 'まだです').waitFor());
  for (const n of await wholeGameMoves()) await moveTile(page, n);
  await clickCentre(page, button(page, 'OK'));
  await message(page, '完成').waitFor();
  // The reward slides in and rests at the frame's corner, 120 twips out.
  await page.waitForFunction(() => {
    const reward = document.querySelector('img[src="pictures/reward1.png"]');
    return !reward.closest('[hidden]') && reward.style.top === '-8px';
  }, null, { timeout: 5000 });
  await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_reward.png') });
});

test('touch taps: another animal chosen, then its first moves', async (t) => {
  const page = await open(t, { hasTouch: true });
  await start(page, true);
  await clickCentre(page, button(page, 'OPTION'), true);
  const kangaroo = page.getByRole('radio', { name: 'ｸﾛｷﾉﾎﾞﾘｶﾝｶﾞﾙｰ' });
  const first = await board(page);
  await clickCentre(page, kangaroo, true);
  assert.equal(await kangaroo.getAttribute('aria-checked'), 'true');
  await page.waitForFunction((old) => {
    const tiles = document.querySelectorAll('[aria-label="盤面"] .label[role=button]');
    return [...tiles].some((t) => t.style.left + t.style.top !== old[t.getAttribute('aria-label')]);
  }, Object.fromEntries(Object.entries(first).map(([n, [x, y]]) => [n, `${x}px${y}px`])));
  await clickCentre(page, button(page, 'CLOSE'), true);
  await clickCentre(page, button(page, 'START'), true);
  await page.locator('[aria-label="盤面"] .label[role=button]:not(.disabled)').first().waitFor();
  let last = null;
  for (let move = 0; move < 3; ++move) {
    const tiles = await board(page);
    const [ex, ey] = emptyCell(tiles);
    const n = Object.keys(tiles).find((k) => k !== last &&
      Math.abs(tiles[k][0] - ex) + Math.abs(tiles[k][1] - ey) === cellPixels);
    await moveTile(page, n, true);
    last = n;
  }
});

test('keys: arrows slide tiles, Return presses the focused button', async (t) => {
  const page = await open(t);
  await page.keyboard.press('Enter'); // leaves the opening, as a click on START
  await button(page, 'OK').waitFor();
  await clickCentre(page, button(page, 'START'));
  await page.locator('[aria-label="盤面"] .label[role=button]:not(.disabled)').first().waitFor();
  const tiles = await board(page);
  const [ex, ey] = emptyCell(tiles);
  const above = Object.keys(tiles).find((n) => tiles[n][0] === ex && tiles[n][1] === ey - cellPixels);
  await page.keyboard.press('ArrowDown'); // the tile above the empty cell comes down
  await waitForTile(page, above, [ex, ey]);
  await page.locator('.button', { hasText: 'OK' }).focus();
  await page.keyboard.press('Enter');
  await message(page, 'まだです').waitFor();
});

test('screen readers: named tiles with their places, pressed through the same path', async (t) => {
  const page = await open(t);
  await start(page);
  const tiles = page.locator('[aria-label="盤面"] [role=button]');
  assert.equal(await tiles.count(), 15);
  const places = await board(page);
  for (const n of ['1', '7', '15']) {
    const [x, y] = places[n];
    assert.equal(await page.getByRole('button', { name: n, exact: true }).getAttribute(
      'aria-description'), `${y / cellPixels + 1}行${x / cellPixels + 1}列`);
  }
  const tree = await page.locator('.window').ariaSnapshot();
  assert.match(tree, /group "盤面"/);
  assert.match(tree, /textbox "絵の名前"/);
  // An assistive technology's press is a click with no pointer behind it.
  const [ex, ey] = emptyCell(places);
  const beside = Object.keys(places).find((n) =>
    Math.abs(places[n][0] - ex) + Math.abs(places[n][1] - ey) === cellPixels);
  await page.getByRole('button', { name: beside, exact: true }).evaluate((tile) => tile.click());
  await waitForTile(page, beside, [ex, ey]);
  await page.keyboard.press('Tab'); // the keyboard's focus ring, for the eye
  await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_focus.png') });
});

test('the options panel opens and closes; END leaves a quiet page', async (t) => {
  const page = await open(t);
  await start(page);
  const height = () => page.locator('.window').evaluate((w) => w.offsetHeight);
  const closed = await height();
  await clickCentre(page, button(page, 'OPTION'));
  await button(page, 'END').waitFor();
  assert.ok((await height()) > closed);
  await clickCentre(page, button(page, 'CLOSE'));
  await button(page, 'END').waitFor({ state: 'detached' }).catch(() => {});
  await page.waitForFunction((h) => document.querySelector('.window').offsetHeight === h, closed);
  await clickCentre(page, button(page, 'OPTION'));
  await clickCentre(page, button(page, 'END'));
  await page.locator('.end', { hasText: '終了' }).waitFor();
  assert.equal(await page.locator('.window').count(), 0);
  await page.keyboard.press('ArrowLeft'); // nothing left to move, and no error
});

test('the board is the desktop window\'s, pixel for pixel', { skip: !process.env.QT_BOARDS }, async (t) => {
  const page = await open(t);
  await start(page);
  const moves = (await wholeGameMoves()).slice(0, 3); // as run.sh gave qt_board_shot
  const shots = [['started', []], ['moved', moves]];
  for (const [name, played] of shots) {
    for (const n of played) await moveTile(page, n);
    const web = await page.locator('[aria-label="盤面"]').screenshot();
    const qt = await readFile(join(process.env.QT_BOARDS, `${name}.png`));
    const result = await compareBoards(page, web, qt);
    assert.deepEqual(result.size, result.expectedSize, `${name}: board size`);
    assert.deepEqual(result.cellDifferences, [], `${name}: cell colours`);
    assert.deepEqual(result.tileDifferences, [], `${name}: tile positions`);
  }
});

test('bad input: one clear sentence instead of a blank page', async (t) => {
  // Routes see only what no service worker answers: none is let in here.
  const context = await game.browser.newContext({ serviceWorkers: 'block' });
  t.after(() => context.close());
  const noWasm = await context.newPage();
  await noWasm.addInitScript(() => { delete globalThis.WebAssembly; });
  await noWasm.goto(game.server.url);
  assert.match(await noWasm.locator('.problem').innerText(), /WebAssembly/);
  const missing = await context.newPage();
  await missing.route('**/tembira.wasm', (route) => route.fulfill({ status: 404, body: '' }));
  await missing.goto(game.server.url);
  assert.match(await missing.locator('.problem').innerText(), /tembira\.wasm/);
});

test('the page weighs at most 600 KB as served with gzip', async (t) => {
  game.server.sent.clear();
  const page = await open(t);
  await start(page); // the game's fonts are loaded once its texts show
  await page.evaluate(() => document.fonts.ready);
  // The solver worker and its tables come after the first paint.
  const solver = /^\/(tembira-solver|pattern-tables)/;
  const first = [...game.server.sent].filter(([path]) => !solver.test(path));
  const total = first.reduce((a, [, bytes]) => a + bytes, 0);
  console.log(`# page as served with gzip: ${(total / 1000).toFixed(1)} KB in ${first.length} files`);
  assert.ok(total <= 600_000, `${total} bytes`);
});
