// What every browser test file starts from: the web build served as a static
// server with gzip would, Debian's chromium headless, and pages on the game
// that fail their test on any error they report.
import { before, after } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { startServer } from './page_server.mjs';

export const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';
export const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// The server and the browser of a test file, started before its tests and
// closed after them.
export function servedGame(webBuild) {
  const game = { server: null, browser: null };
  before(async () => {
    game.server = await startServer(webBuild);
    game.browser = await chromium.launch({ executablePath: chromiumPath, args: chromiumArgs });
  });
  after(async () => {
    await game.browser?.close();
    await game.server?.close();
  });
  return game;
}

// A page of context on url, once the window shows.
export async function openIn(t, context, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  t.after(() => assert.deepEqual(errors, []));
  await page.goto(url);
  await page.locator('.window').waitFor();
  return page;
}
