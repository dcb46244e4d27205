// The page's start-up and frame rate in headless chromium, from its own
// performance marks: navigation to a visible launcher, Launch to the first
// frame, the Web Audio queue's lowest point and the page's gaps in the show's
// first 5 s, and frames a second in the 20-30 s and 30-40 s sections
// (frames counted as the WebGL clears that start them), and how long the
// browser took over each decode of the track.
//   node bench/web_page.js URL [RUNS] [WIDTHxHEIGHT] [short|early]
// Serve the site first (make serve, or python3 -m http.server). "short"
// leaves the show after its first 5 s, with no frame rates; "early" does too,
// pressing Enter as soon as the form shows rather than with the Data in hand.
'use strict';
const path = require('path');
const { openBrowser } = require(path.join(__dirname, '../tests/web/browser'));

async function run(browser, url, size, mode) {
  const short = mode === 'short' || mode === 'early';
  const [width, height] = size.split('x').map(Number);
  const page = await browser.newPage({ viewport: { width, height } });
  await page.addInitScript(() => {
    window.decodes = [];
    const decode = BaseAudioContext.prototype.decodeAudioData;
    BaseAudioContext.prototype.decodeAudioData = function(bytes, ok, bad) {
      const from = performance.now();
      const size = bytes.byteLength;
      return decode.call(this, bytes, (buffer) => {
        window.decodes.push(`${size} B in ${(performance.now() - from).toFixed(0)} ms`);
        if (ok) ok(buffer);
      }, bad);
    };
    window.clearTimes = [];
    const clear = WebGL2RenderingContext.prototype.clear;
    WebGL2RenderingContext.prototype.clear = function(...args) {
      window.clearTimes.push(performance.now());
      return clear.apply(this, args);
    };
  });
  await page.goto(`${url}/index.html`);
  await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
  const launcher = await page.evaluate(() => performance.getEntriesByName('duskwheel-launcher')[0].startTime);
  if (mode !== 'early') {
    // The Data in hand before Launch, as a visitor who reads the form has it.
    await page.waitForFunction(() => !window.Module || !Module.dataPending || !Module.dataPending(), null,
                               { timeout: 60000 });
    await page.waitForTimeout(1500);
  }
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => performance.getEntriesByName('duskwheel-first-frame').length > 0, null,
                             { timeout: 60000 });
  await page.waitForTimeout(5000);
  const start = await page.evaluate(() => {
    const mark = (name) => performance.getEntriesByName(name)[0].startTime;
    const stats = window.Module.audioStats ? window.Module.audioStats() : null;
    return { launchToFirst: mark('duskwheel-first-frame') - mark('duskwheel-launch'), stats,
             messages: document.getElementById('messages').textContent, decodes: window.decodes };
  });
  let fps = null;
  if (!short) {
    await page.waitForTimeout(36000);
    fps = await page.evaluate(() => {
      const first = performance.getEntriesByName('duskwheel-first-frame')[0].startTime;
      const rate = (from, to) => window.clearTimes.filter((t) => t >= first + 1000 * from && t < first + 1000 * to)
        .length / (to - from);
      return [rate(20, 30), rate(30, 40)];
    });
  }
  await page.close();
  return { launcher, ...start, fps };
}

async function main() {
  const [url, runs = '1', size = '320x200', mode] = process.argv.slice(2);
  // The autoplay switch stands in for the press that a visitor's click is.
  const browser = await openBrowser();
  try {
    for (let i = 0; i < Number(runs); ++i) {
      const r = await run(browser, url, size, mode);
      const s = r.stats || {};
      console.log(`navigation to launcher ${r.launcher.toFixed(0)} ms, Launch to first frame ${r.launchToFirst.toFixed(0)} ms, ` +
                  `queue lowest ${s.lowestQueuedMs !== undefined ? s.lowestQueuedMs.toFixed(0) : '-'} ms, ` +
                  `gaps at ${JSON.stringify(s.gapsAtMs || [])}` +
                  `, browser decodes ${r.decodes.join(', ')}` +
                  (r.fps ? `, fps 20-30 s ${r.fps[0].toFixed(1)}, 30-40 s ${r.fps[1].toFixed(1)}` : '') +
                  (r.messages ? ` (the page said: ${r.messages})` : ''));
    }
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(`FAIL: ${error.message}`);
  process.exit(1);
});
