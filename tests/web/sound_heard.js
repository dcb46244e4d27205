// web-sound_heard's browser half: the show's page in headless chromium,
// Launch pressed with the keyboard (no autoplay switch: the press is the
// gesture that lets the page make a sound), the show left playing until the
// shell has recorded it, then Escape.
//   node sound_heard.js URL FOLDER heard|silent|seek|starts
// It writes FOLDER/showing once the show plays and waits for
// FOLDER/recorded; the page's lines go to FOLDER/messages.txt. "silent"
// takes Web Audio away from the page first; "seek" seeks to 60 s by the
// bar and pauses a second first. "starts" launches the show ten
// times, the Data files in hand, and fails when the Web Audio queue ran dry
// in any show's first 5 s.
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');

// Ten starts: the queue's lowest point and the gaps of each show's first 5 s.
async function starts(browser, url) {
  const lowest = [];
  for (let i = 0; i < 10; ++i) {
    const page = await browser.newPage({ viewport: { width: 160, height: 100 } });
    await page.goto(`${url}/index.html`);
    await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
    await page.waitForFunction(() => !window.Module.dataPending(), null, { timeout: 60000 });
    await page.waitForTimeout(500);
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => performance.getEntriesByName('duskwheel-first-frame').length > 0, null,
                               { timeout: 30000 });
    await page.waitForTimeout(5000);
    const stats = await page.evaluate(() => (window.Module.audioStats ? window.Module.audioStats() : null));
    const said = await page.$eval('#messages', (e) => e.textContent);
    await page.close();
    if (!stats || stats.blocks === 0) throw new Error(`start ${i + 1} made no sound: ${JSON.stringify(stats)} ${said}`);
    if (stats.gapsAtMs.length > 0)
      throw new Error(`start ${i + 1}: the queue ran dry at ${stats.gapsAtMs.join(', ')} ms (${JSON.stringify(stats)})`);
    lowest.push(Math.round(stats.lowestQueuedMs));
  }
  console.log(`ok: ten starts without a gap in their first 5 s; the queue's lowest points ${lowest.join(' ')} ms`);
}

// The position bar: a seek to 60 s by the bar, Space pauses and both the
// picture and the music's heard position hold still, Space plays on; the
// shell then records and finds where in the track the music is.
async function seekAndPause(page) {
  await page.mouse.move(80, 50);
  await page.waitForSelector('#bar:not(.faded)', { timeout: 5000 });
  await page.$eval('#position', (bar) => {
    bar.value = 60000;
    bar.dispatchEvent(new Event('input'));
    bar.dispatchEvent(new Event('change'));
  });
  // The seek lands once the music has arrived that far (a show launched at
  // once may still be joining the track's rest).
  await page.waitForFunction(() => /^1:00 \//.test(document.querySelector('#clock').textContent), null,
                             { timeout: 10000 }).catch(() => {});
  await page.keyboard.press('Space');
  await page.waitForTimeout(300);
  const held = () => page.evaluate(() => ({
    time: document.querySelector('#clock').textContent,
    heard: window.Module.audioStats ? window.Module.audioStats().contextTime : 0,
    picture: document.querySelector('#canvas').toDataURL('image/png'),
  }));
  const before = await held();
  await page.waitForTimeout(1000);
  const after = await held();
  if (!/^1:00 \//.test(before.time)) throw new Error(`the bar shows ${before.time} after the seek to 60 s`);
  if (before.time !== after.time) throw new Error(`paused, the time went from ${before.time} to ${after.time}`);
  if (before.heard !== after.heard) throw new Error(`paused, the music went from ${before.heard} to ${after.heard}`);
  if (before.picture !== after.picture) throw new Error('paused, the picture changed');
  await page.keyboard.press('Space');
  console.log(`ok: seeked to 60 s by the bar; paused for a second at ${before.time}, picture and music held still`);
}

async function main() {
  const [url, folder, mode] = process.argv.slice(2);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    // Playwright mutes headless chromium unless told not to.
    ignoreDefaultArgs: ['--mute-audio'],
    args: ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
  try {
    if (mode === 'starts')
      return await starts(browser, url);
    // Small, so that software drawing keeps the frames short.
    const page = await browser.newPage({ viewport: { width: 160, height: 100 } });
    const lines = [];
    page.on('console', (message) => lines.push(message.text()));
    page.on('pageerror', (error) => lines.push(`pageerror: ${error.message}`));
    if (mode === 'silent')
      await page.addInitScript(() => { window.AudioContext = window.webkitAudioContext = undefined; });
    await page.goto(`${url}/index.html`);
    await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
    await page.keyboard.press('Enter');
    await page.waitForSelector('#stage.showing', { timeout: 30000 });
    if (mode === 'seek')
      await seekAndPause(page);
    fs.writeFileSync(path.join(folder, 'showing'), '');
    while (!fs.existsSync(path.join(folder, 'recorded')))
      await new Promise((resolve) => setTimeout(resolve, 100));
    // What the Web Audio queue went through, for the report.
    const stats = await page.evaluate(() => (window.Module.audioStats ? window.Module.audioStats() : null));
    fs.writeFileSync(path.join(folder, 'queue.json'), JSON.stringify(stats));
    await page.keyboard.press('Escape');
    await page.waitForSelector('#notice:not([hidden])', { timeout: 10000 });
    const notice = await page.$eval('#notice-text', (e) => e.textContent);
    fs.writeFileSync(path.join(folder, 'messages.txt'), await page.$eval('#messages', (e) => e.textContent));
    if (!/ended/.test(notice))
      throw new Error(`Escape left the page saying "${notice}"; its lines: ${lines.join(' | ')}`);
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(`FAIL: ${error.message}`);
  process.exit(1);
});
