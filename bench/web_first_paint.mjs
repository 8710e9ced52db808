// The web edition's first paint: from navigation to the first paint of the
// opening, in Debian's chromium, headless, on localhost. Not part of the tests.
//
//   node bench/web_first_paint.mjs [WEB_BUILD] [SERIES]
//
// Each series is seven loads in one tab with the cache off, after one load
// that warms the tab; then seven loads each in a fresh browser context,
// which adds the start of a renderer process. Prints the median of each
// series and the median and spread of those medians.
import { createRequire } from 'node:module';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { chromium } = require('playwright-core');
const { startServer } = await import('../tests/web/page_server.mjs');

const root = process.argv[2] || 'build-web';
const seriesCount = Number(process.argv[3] || 5);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `${Math.min(...values).toFixed(0)}–${Math.max(...values).toFixed(0)}`;

async function firstPaint(page, url) {
  await page.goto(url);
  await page.locator('img[src="pictures/opening.png"]').waitFor();
  return page.evaluate(() => new Promise((resolve) => {
    const find = () => performance.getEntriesByName('first-contentful-paint')[0];
    const poll = () => (find() ? resolve(find().startTime) : setTimeout(poll, 20));
    poll();
  }));
}

const server = await startServer(root);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const warm = [];
const cold = [];
for (let series = 0; series < seriesCount; ++series) {
  const context = await browser.newContext();
  const tab = await context.newPage();
  const cdp = await context.newCDPSession(tab);
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  const paints = [];
  for (let load = 0; load <= 7; ++load) {
    const paint = await firstPaint(tab, `${server.url}?load=${load}`);
    if (load > 0) paints.push(paint);
  }
  await context.close();
  const fresh = [];
  for (let load = 0; load < 7; ++load) {
    const own = await browser.newContext();
    fresh.push(await firstPaint(await own.newPage(), server.url));
    await own.close();
  }
  warm.push(median(paints));
  cold.push(median(fresh));
  console.log(`series ${series + 1}: warm tab ${median(paints).toFixed(0)} ms (${range(paints)}), ` +
    `fresh context ${median(fresh).toFixed(0)} ms (${range(fresh)})`);
}
console.log(`first paint, median of ${seriesCount} series medians: warm tab ` +
  `${median(warm).toFixed(0)} ms (${range(warm)}), fresh context ${median(cold).toFixed(0)} ms (${range(cold)})`);
await browser.close();
await server.close();
