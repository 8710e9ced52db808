import { chromium } from 'playwright-core';
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox','--disable-gpu','--disable-quic','--no-first-run','--disable-background-networking','--disable-component-update','--disable-sync'] });
for (let i = 0; i < 5; ++i) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(process.argv[2]);
  await page.locator('img[src="pictures/opening.png"]').waitFor();
  await page.waitForTimeout(300);
  const r = await page.evaluate(() => ({
    fcp: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
    res: performance.getEntriesByType('resource').map(e => `${e.name.split('/').pop()} ${e.startTime.toFixed(0)}-${e.responseEnd.toFixed(0)}`),
    dom: performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd.toFixed(0) }));
  console.log(JSON.stringify(r));
  await context.close();
}
await browser.close();
