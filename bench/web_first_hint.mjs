// The web edition's hint, timed from the press of H to the mark on the
// board, in Debian's chromium, headless, on localhost. Not part of the tests.
//
//   node bench/web_first_hint.mjs [WEB_BUILD] [RUNS]
//
// Each run opens the page in a fresh browser context (empty caches), waits
// a moment (500 ms), starts the game on the first animal's board and
// presses H: the first hint, with the solver's tables fetched. Then a later
// hint on a board off the path found (a new search), the first hint after a
// reload (the tables from the cache storage), and the first hint in a fresh
// context whose tables cannot be fetched, so the worker computes them.
import { createRequire } from 'node:module';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { chromium } = require('playwright-core');
const { startServer } = await import('../tests/web/page_server.mjs');

const root = process.argv[2] || 'build-web';
const runs = Number(process.argv[3] || 7);
const sorted = (values) => [...values].sort((a, b) => a - b);
const median = (values) => sorted(values)[Math.floor(values.length / 2)];
const tiles = '[aria-label="盤面"] .label[role=button]';

async function ready(page) {
  await page.locator('.window').waitFor();
  await page.waitForTimeout(500);
  await page.getByRole('button', { name: 'START' }).click();
  await page.locator('.button:not([hidden])', { hasText: 'OK' }).waitFor();
  await page.locator('.button:not([hidden])', { hasText: 'START' }).click();
  await page.locator(`${tiles}:not(.disabled)`).first().waitFor();
}

// Milliseconds from the press of H to the mark.
async function hint(page) {
  await page.waitForFunction(() => !document.querySelector('.hint-mark:not([hidden])'),
    null, { timeout: 5000 });
  return page.evaluate(() => new Promise((resolve) => {
    const pressed = performance.now();
    const seen = () => {
      const note = document.querySelector('.hint-mark:not([hidden]) .note');
      if (note) resolve(performance.now() - pressed);
      else requestAnimationFrame(seen);
    };
    document.dispatchEvent(new KeyboardEvent('keydown', { key: 'h', bubbles: true }));
    seen();
  }));
}

// Moves a tile next to the empty cell that the hint did not name.
async function moveOffPath(page) {
  const named = await page.locator('.hint-mark .outline').evaluate((o) => o.style.left + o.style.top);
  const frame = await page.locator('.window').boundingBox();
  const board = await page.locator('[aria-label="盤面"]').boundingBox();
  const places = await page.evaluate((s) => [...document.querySelectorAll(s)].map((t) =>
    [t.getAttribute('aria-label'), parseInt(t.style.left), parseInt(t.style.top)]), tiles);
  const taken = new Set(places.map(([, x, y]) => `${x},${y}`));
  let empty;
  for (let c = 0; c < 16; ++c) if (!taken.has(`${(c % 4) * 64},${Math.floor(c / 4) * 64}`)) empty = c;
  const [ex, ey] = [(empty % 4) * 64, Math.floor(empty / 4) * 64];
  const dx = board.x - frame.x + 2, dy = board.y - frame.y + 2;
  const tile = places.find(([, x, y]) => Math.abs(x - ex) + Math.abs(y - ey) === 64 &&
    `${x + dx}px${y + dy}px` !== named);
  await page.getByRole('button', { name: tile[0], exact: true }).click();
  await page.waitForTimeout(600); // the slide
}

const server = await startServer(root);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const figures = { fetched: [], later: [], cached: [], computed: [], tablesFetched: [], tablesCached: [] };
for (let run = 0; run < runs; ++run) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url);
  await ready(page);
  figures.fetched.push(await hint(page));
  figures.tablesFetched.push(await page.evaluate(() => window.tembiraSolver.ms));
  await moveOffPath(page);
  figures.later.push(await hint(page));
  await page.reload();
  await ready(page);
  figures.cached.push(await hint(page));
  figures.tablesCached.push(await page.evaluate(() =>
    window.tembiraSolver.tables === 'cache' ? window.tembiraSolver.ms : NaN));
  await context.close();

  const computing = await browser.newContext();
  await computing.route('**/pattern-tables-*', (route) => route.fulfill({ status: 404, body: '' }));
  const slow = await computing.newPage();
  await slow.goto(server.url);
  await ready(slow);
  figures.computed.push(await hint(slow));
  await computing.close();
  console.log(`run ${run + 1}: ` + Object.entries(figures)
    .map(([k, v]) => `${k} ${v[v.length - 1].toFixed(0)}`).join(', '));
}
for (const [name, values] of Object.entries(figures))
  console.log(`${name}: median ${median(values).toFixed(0)} ms, worst ${Math.max(...values).toFixed(0)} ms`);
await browser.close();
await server.close();
