// The desktop's commands in the page, in Debian's chromium, headless: the
// hint and the solution (searched in the solver worker), undo and redo, new
// boards, the records in the browser's storage, and the page's thread kept
// free while the solver works.
//
//   WEB_BUILD=build-web node --test tests/web/commands_test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { openIn, servedGame } from './harness.mjs';

const webBuild = process.env.WEB_BUILD || 'build-web';
const cellPixels = 64;

const game = servedGame(webBuild);

async function newContext(t, options = {}) {
  const context = await game.browser.newContext({ viewport: { width: 720, height: 600 }, ...options });
  t.after(() => context.close());
  return context;
}

// A page of the game in context; fails the test on any error it reports.
async function open(t, context) {
  return openIn(t, context, game.server.url);
}

const tiles = '[aria-label="盤面"] .label[role=button]';
const button = (page, caption) => page.locator('.button:not([hidden])', { hasText: caption });
const message = (page, text) => page.locator('.label[aria-live]', { hasText: text });

function board(page) {
  return page.evaluate((selector) => Object.fromEntries([...document.querySelectorAll(selector)]
    .map((t) => [t.getAttribute('aria-label'), `${t.style.left},${t.style.top}`])), tiles);
}

async function clickCentre(page, locator) {
  const box = await locator.boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}

async function start(page) {
  await clickCentre(page, page.getByRole('button', { name: 'START' }));
  // The buttons take clicks a tick after the opening's label was clicked.
  const startButton = page.locator('.button:not([hidden]):not(.disabled)', { hasText: 'START' });
  await startButton.waitFor();
  await clickCentre(page, startButton);
  await page.locator(`${tiles}:not(.disabled)`).first().waitFor();
}

// Until every tile stands on its goal cell (a solution played out).
function solvedBoard(page) {
  return page.waitForFunction((selector) => [...document.querySelectorAll(selector)].every((t) => {
    const n = Number(t.getAttribute('aria-label')) - 1;
    return parseInt(t.style.left) === (n % 4) * 64 && parseInt(t.style.top) === Math.floor(n / 4) * 64;
  }), tiles, { timeout: 60000 });
}

// The context menu's lines, opened by a right click on the window.
async function menu(page) {
  await page.locator('.window').click({ button: 'right', position: { x: 40, y: 40 } });
  await page.locator('.context-menu').waitFor();
  return page.locator('.context-menu [role=menuitem]').evaluateAll((lines) =>
    lines.map((l) => (l.hasAttribute('aria-disabled') ? '-' : '+') + l.textContent));
}

async function choose(page, text) {
  await page.locator('.window').click({ button: 'right', position: { x: 40, y: 40 } });
  await page.locator('.context-menu [role=menuitem]', { hasText: text }).click();
}

// Watches the page's thread for tasks over 50 ms from now on.
function watchLongTasks(page) {
  return page.evaluate(() => {
    window.longTasks = [];
    new PerformanceObserver((list) => {
      for (const e of list.getEntries())
        window.longTasks.push(`${Math.round(e.duration)} ms at ${Math.round(e.startTime)} ms`);
    }).observe({ type: 'longtask' });
  });
}

test('H: the next tile outlined with the moves left, from the worker, the page never blocked',
  async (t) => {
    const page = await open(t, await newContext(t));
    await start(page);
    await watchLongTasks(page);
    const pressed = Date.now();
    await page.keyboard.press('h');
    const note = page.locator('.hint-mark:not([hidden]) .note');
    await note.waitFor({ timeout: 20000 });
    const firstMs = Date.now() - pressed;
    assert.match(await note.innerText(), /^あと \d+ 手$/);
    // The outline stands on a tile next to the empty cell.
    const outline = await page.locator('.hint-mark .outline').evaluate((o) =>
      [parseInt(o.style.left), parseInt(o.style.top)]);
    const places = Object.values(await board(page)).map((p) => p.split(',').map((v) => parseInt(v)));
    const board2 = (await page.locator('[aria-label="盤面"]').boundingBox());
    const frame = await page.locator('.window').boundingBox();
    const offset = [board2.x - frame.x + 2, board2.y - frame.y + 2];
    assert.ok(places.some(([x, y]) => x + offset[0] === outline[0] && y + offset[1] === outline[1]),
      `outline at ${outline}`);
    await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_hint.png') });
    await page.waitForTimeout(1600);
    const later = Date.now();
    await page.keyboard.press('H');
    await note.waitFor();
    console.log(`# hint: first ${firstMs} ms after the press, a later one ${Date.now() - later} ms`);
    assert.deepEqual(await page.evaluate(() => window.longTasks), []);
  });

test('a solver worker whose script, then WebAssembly, did not come is started again and answers',
  async (t) => {
    // No service worker, so that the solver worker's files come from the
    // network: down for the script first, then for the WebAssembly.
    const context = await newContext(t, { serviceWorkers: 'block' });
    let down = /tembira-solver\.js$/;
    await context.route(/tembira-solver\.(js|wasm)$/, (route) =>
      (down?.test(route.request().url()) ? route.abort() : route.continue()));
    const failures = [];
    context.on('console', (m) => m.text().startsWith('tembira: the solver worker') && failures.push(m.text()));
    const failed = async (pattern) => {
      for (const end = Date.now() + 20000; !failures.some((f) => pattern.test(f));
        await new Promise((r) => setTimeout(r, 50)))
        assert.ok(Date.now() < end, `failures: ${failures}`);
    };
    const page = await open(t, context);
    await start(page);
    await page.keyboard.press('h');
    await failed(/importScripts/);
    down = /tembira-solver\.wasm$/;
    await failed(/Failed to fetch/);
    const note = page.locator('.hint-mark:not([hidden]) .note');
    assert.equal(await note.count(), 0);
    down = null;
    await note.waitFor({ timeout: 30000 });
    assert.match(await note.innerText(), /^あと \d+ 手$/);
  });

test('S plays the first board out; OK says 完成 and the note; records kept across a reload',
  async (t) => {
    const context = await newContext(t);
    const page = await open(t, context);
    await start(page);
    await watchLongTasks(page);
    await page.keyboard.press('s');
    await solvedBoard(page);
    assert.deepEqual(await page.evaluate(() => window.longTasks), []);
    await page.waitForTimeout(500); // the last slide's closing tick
    await clickCentre(page, button(page, 'OK'));
    await message(page, '完成').waitFor();
    const note = page.locator('.note-beside:not([hidden])');
    await note.waitFor({ timeout: 20000 });
    assert.match(await note.innerText(), /^\d+ 手（最短 \d+ 手）　\d+分\d\d秒$/);
    await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_solved_note.png') });
    // Kept in the desktop's format, and read again after a reload.
    const stored = await page.evaluate(() => localStorage.getItem('tembira.records'));
    assert.match(stored, /\n/);
    await page.reload();
    await page.locator('.window').waitFor();
    await choose(page, '記録');
    const row = page.locator('dialog.records tbody tr').first();
    await row.waitFor();
    const cells = await row.locator('th, td').allInnerTexts();
    assert.deepEqual(cells.slice(1, 3), ['1', '1'], `${cells}`); // solved, helped
    await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_records.png') });
    // The clear asks first; "no" keeps them, "yes" clears them.
    await page.locator('dialog.records button', { hasText: '記録を消す' }).click();
    await page.locator('dialog.records button', { hasText: 'いいえ' }).click();
    assert.equal(await row.locator('td').first().innerText(), '1');
    await page.locator('dialog.records button', { hasText: '記録を消す' }).click();
    await page.locator('dialog.records button', { hasText: 'はい' }).click();
    await page.waitForFunction(() =>
      document.querySelector('dialog.records tbody td').textContent === '0');
    await page.keyboard.press('Escape');
    assert.equal(await page.locator('dialog.records[open]').count(), 0);
    // The reload found the tables in the cache storage.
    await page.waitForFunction(() => window.tembiraSolver);
    assert.equal(await page.evaluate(() => window.tembiraSolver.tables), 'cache');
  });

test('the context menu: the desktop\'s lines; undo and redo by menu and by keys', async (t) => {
  const page = await open(t, await newContext(t));
  await start(page);
  const before = await board(page);
  const [ex, ey] = [0, 1].map((i) => [0, 1, 2, 3].map((v) => v * cellPixels)); // cell grid
  const taken = new Set(Object.values(before));
  let empty;
  for (const y of ey) for (const x of ex) if (!taken.has(`${x}px,${y}px`)) empty = [x, y];
  const beside = Object.keys(before).find((n) => {
    const [x, y] = before[n].split(',').map((v) => parseInt(v));
    return Math.abs(x - empty[0]) + Math.abs(y - empty[1]) === cellPixels;
  });
  await clickCentre(page, page.getByRole('button', { name: beside, exact: true }));
  await page.waitForFunction(([n, at]) => {
    const el = document.querySelector(`[aria-label="盤面"] [aria-label="${n}"]`);
    return `${el.style.left},${el.style.top}` === at;
  }, [beside, `${empty[0]}px,${empty[1]}px`]);
  await page.waitForTimeout(400);
  const moved = await board(page);
  assert.deepEqual((await menu(page)).map((l) => l.replace(/\d+:\d\d$/, 'T')), [
    '-1 手目　T', '+ヒント (H)', '+解いて見せる (S)', '+元に戻す (Ctrl+Z)', '-やり直し (Ctrl+Y)',
    '+新しい問題：やさしい', '+新しい問題：ふつう', '+新しい問題：むずかしい', '+記録']);
  await page.screenshot({ path: join(process.env.SHOTS || '.', 'web_menu.png') });
  await page.keyboard.press('Escape');
  await page.keyboard.press('Control+z');
  await page.waitForFunction((want) => JSON.stringify(Object.fromEntries([...document.querySelectorAll(
    '[aria-label="盤面"] .label[role=button]')].map((t) => [t.getAttribute('aria-label'),
    `${t.style.left},${t.style.top}`]))) === want, JSON.stringify(before));
  await page.waitForTimeout(400);
  await choose(page, 'やり直し');
  await page.waitForFunction((want) => JSON.stringify(Object.fromEntries([...document.querySelectorAll(
    '[aria-label="盤面"] .label[role=button]')].map((t) => [t.getAttribute('aria-label'),
    `${t.style.left},${t.style.top}`]))) === want, JSON.stringify(moved));
  await page.waitForTimeout(400);
  await page.keyboard.press('Control+Z');
  await page.waitForTimeout(400);
  await page.keyboard.press('Control+y');
  await page.waitForFunction((want) => JSON.stringify(Object.fromEntries([...document.querySelectorAll(
    '[aria-label="盤面"] .label[role=button]')].map((t) => [t.getAttribute('aria-label'),
    `${t.style.left},${t.style.top}`]))) === want, JSON.stringify(moved));
  // The Menu key opens the menu at the focus; Escape closes it.
  await page.keyboard.press('ContextMenu');
  await page.locator('.context-menu').waitFor();
  await page.keyboard.press('Escape');
  assert.equal(await page.locator('.context-menu').count(), 0);
});

test('a new board of each level, laid out from the worker, the page never blocked', async (t) => {
  const page = await open(t, await newContext(t, { hasTouch: true }));
  await start(page);
  await watchLongTasks(page);
  for (const level of ['やさしい', 'ふつう', 'むずかしい']) {
    const before = JSON.stringify(await board(page));
    await choose(page, `新しい問題：${level}`);
    await page.waitForFunction((old) => JSON.stringify(Object.fromEntries([...document.querySelectorAll(
      '[aria-label="盤面"] .label[role=button]')].map((t) => [t.getAttribute('aria-label'),
      `${t.style.left},${t.style.top}`]))) !== old, before, { timeout: 60000 });
    await page.locator(`${tiles}.disabled`).first().waitFor(); // locked until START
  }
  assert.deepEqual(await page.evaluate(() => window.longTasks), []);
  // A long press on touch opens the menu too.
  const box = await page.locator('.window').boundingBox();
  const cdp = await page.context().newCDPSession(page);
  const point = [{ x: box.x + 30, y: box.y + 30 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point });
  await page.waitForTimeout(700);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.locator('.context-menu').waitFor();
});

test('storage refused (a private window): play on, and say once why records will not last',
  async (t) => {
    const context = await newContext(t);
    await context.addInitScript(() => {
      Object.defineProperty(window, 'localStorage', {
        get() { throw new DOMException('refused', 'SecurityError'); },
      });
    });
    const page = await open(t, context);
    const note = page.locator('.note-beside:not([hidden])');
    await note.waitFor();
    assert.match(await note.innerText(), /保存できない.*ページを閉じると消えます/);
    await start(page);
    await page.keyboard.press('S');
    await solvedBoard(page);
    await page.waitForTimeout(500);
    await clickCentre(page, button(page, 'OK'));
    await note.filter({ hasText: '最短' }).waitFor({ timeout: 20000 });
    assert.doesNotMatch(await note.innerText(), /保存できない/); // said once, at the start
    await choose(page, '記録');
    assert.equal(await page.locator('dialog.records tbody td').first().innerText(), '1');
  });

test('a stored value that is not records is moved aside, never written over', async (t) => {
  const context = await newContext(t);
  const page = await open(t, context);
  await page.evaluate(() => localStorage.setItem('tembira.records', 'not records'));
  await page.reload();
  const note = page.locator('.note-beside:not([hidden])');
  await note.waitFor();
  assert.match(await note.innerText(), /tembira\.records\.damaged に移し/);
  assert.equal(await page.evaluate(() => localStorage.getItem('tembira.records.damaged')),
    'not records');
});
