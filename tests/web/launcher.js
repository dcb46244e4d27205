// web-launcher: the launcher page as the native dialog is driven. Escape
// leaves; Tab to Fullscreen, Space unchecks it and Enter starts the show
// windowed in the page, whose canvas follows the page's size; Escape ends it.
// The form is there before the Data files, whose progress never goes back,
// and an Enter pressed while they come starts the show once they are in.
// With the rest of the track held in the browser's decoder the show starts
// on its first seconds, and a seek past them waits, saying so.
//   node launcher.js URL
'use strict';
const { openBrowser, recordConsole } = require('./browser');

function check(condition, what) {
  if (!condition) throw new Error(what);
}

async function openLauncher(browser, url, lines) {
  const page = await browser.newPage({ viewport: { width: 800, height: 500 } });
  recordConsole(page, lines);
  await page.goto(`${url}/index.html`);
  await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
  return page;
}

const text = (page, selector) => page.$eval(selector, (e) => e.textContent.trim());
const visible = (page, selector) => page.$eval(selector, (e) => !e.hidden && e.offsetParent !== null);

async function main() {
  const url = process.argv[2];
  const browser = await openBrowser();
  const lines = [];
  try {
    let page = await openLauncher(browser, url, lines);
    check(await text(page, '#launcher h1') === 'duskwheel kset 2.0', 'the launcher is not headed "duskwheel kset 2.0"');
    const form = await page.evaluate(() => ({
      aspects: [...document.getElementById('aspect').options].map((o) => o.text),
      sampling: [...document.getElementById('multisampling').options].map((o) => o.text),
      vsync: document.getElementById('vsync').checked && document.getElementById('vsync').disabled,
      focus: document.activeElement.id,
    }));
    check(form.aspects[0] === 'Auto' && form.aspects.length > 1, `aspect list ${form.aspects}`);
    check(form.sampling.join() === 'None', `multisampling list ${form.sampling}`);
    check(form.vsync, 'VSync is not shown checked and disabled');
    check(form.focus === 'launch', `the focus starts on ${form.focus}, not Launch`);

    await page.keyboard.press('Escape');
    await page.waitForSelector('#notice:not([hidden])', { timeout: 10000 });
    check(/left/.test(await text(page, '#notice-text')), 'Escape did not leave a page saying the show was left');
    check(!(await visible(page, '#stage')), 'the show started on Escape');
    console.log('ok: Escape leaves the launcher');
    await page.close();

    page = await openLauncher(browser, url, lines);
    for (let i = 0; i < 4; ++i) await page.keyboard.press('Tab');
    check(await page.evaluate(() => document.activeElement.id) === 'fullscreen', 'four Tabs do not reach Fullscreen');
    await page.keyboard.press('Space');
    check(!(await page.$eval('#fullscreen', (e) => e.checked)), 'Space did not uncheck Fullscreen');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#stage.showing', { timeout: 10000 });
    check(await page.evaluate(() => document.fullscreenElement === null), 'the show went fullscreen');
    // The canvas takes the page's size in device pixels, and follows it.
    const sized = (w, h) => page.waitForFunction(([w, h]) => {
      const c = document.getElementById('canvas');
      return c.width === Math.round(w * devicePixelRatio) && c.height === Math.round(h * devicePixelRatio);
    }, [w, h], { timeout: 20000 });
    await sized(800, 500);
    await page.setViewportSize({ width: 640, height: 600 });
    await sized(640, 600);
    check(!(await visible(page, '#notice')), 'the show ended by itself');
    console.log('ok: Tab, Space and Enter start the show windowed; the canvas follows the page');

    await page.keyboard.press('Escape');
    await page.waitForSelector('#notice:not([hidden])', { timeout: 10000 });
    check(/ended/.test(await text(page, '#notice-text')), 'Escape did not end the show');
    check(await visible(page, '#again'), 'no offer to play again');
    console.log('ok: Escape ends the show');
    await page.close();

    // The track held back: the form is up without it, Enter waits for it.
    page = await browser.newPage({ viewport: { width: 640, height: 400 } });
    recordConsole(page, lines);
    let release;
    const held = new Promise((resolve) => { release = resolve; });
    await page.route('**/Data/music.mp3', async (route) => { await held; await route.continue(); });
    await page.addInitScript(() => {
      window.progressSeen = [];
      setInterval(() => {
        const bar = document.getElementById('progress');
        if (bar && bar.hasAttribute('value')) window.progressSeen.push(bar.value);
      }, 5);
    });
    await page.goto(`${url}/index.html`);
    await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
    check(await visible(page, '#loading'), 'the form shows no progress while the Data files come');
    await page.click('#fullscreen');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#waiting:not([hidden])', { timeout: 10000 });
    await page.waitForTimeout(500);
    check(await page.evaluate(() => performance.getEntriesByName('duskwheel-first-frame').length === 0),
          'the show started without its track');
    release();
    await page.waitForFunction(() => performance.getEntriesByName('duskwheel-first-frame').length > 0, null,
                               { timeout: 30000 });
    const seen = await page.evaluate(() => window.progressSeen);
    check(seen.length > 0 && seen.every((v, i) => i === 0 || v >= seen[i - 1]) && seen[seen.length - 1] === 1,
          `the progress went ${seen.join(' ')}`);
    console.log(`ok: the form shows before the Data files; Enter waits for them; the progress only grows (${seen.length} readings)`);
    await page.close();

    // The browser's decode of the track's rest (its second) held back.
    page = await browser.newPage({ viewport: { width: 640, height: 400 } });
    recordConsole(page, lines);
    await page.addInitScript(() => {
      const decode = BaseAudioContext.prototype.decodeAudioData;
      let calls = 0;
      BaseAudioContext.prototype.decodeAudioData = function(bytes, ok, bad) {
        if (++calls !== 2) return decode.call(this, bytes, ok, bad);
        return new Promise((resolve) => { window.releaseRest = resolve; }).then(() => decode.call(this, bytes, ok, bad));
      };
    });
    await page.goto(`${url}/index.html`);
    await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
    await page.waitForFunction(() => window.releaseRest, null, { timeout: 30000 });
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => performance.getEntriesByName('duskwheel-first-frame').length > 0, null,
                               { timeout: 30000 });
    const clock = async () => (await text(page, '#clock')).split(' / ')[0];
    const clockReaches = (least) => page.waitForFunction(
      (at) => document.getElementById('clock').textContent.split(' / ')[0] >= at, least, { timeout: 10000 });
    // Each step goes from the time the show has drawn: the second waits for the first.
    await page.keyboard.press('ArrowRight');
    await clockReaches('0:05');
    await page.keyboard.press('ArrowRight');
    await page.waitForSelector('#waiting:not([hidden])', { timeout: 5000 });
    check(await text(page, '#waiting') === 'Decoding the music', `the seek's wait says ${await text(page, '#waiting')}`);
    check((await clock()) < '0:08', `the show went to ${await clock()} before the music was there`);
    await page.evaluate(() => window.releaseRest());
    await page.waitForSelector('#waiting', { state: 'hidden', timeout: 10000 });
    await clockReaches('0:10').catch(async () => check(false, `the held seek landed at ${await clock()}`));
    console.log('ok: the show starts on the track\'s first seconds; a seek past them waits for the rest, then lands');
    await page.close();

    // A lost context ends the show with one line saying so.
    page = await openLauncher(browser, url, lines);
    await page.click('#fullscreen');
    await page.keyboard.press('Enter');
    // The show's own context, once it draws: asked earlier, the page would make one of its own.
    await page.waitForFunction(() => performance.getEntriesByName('duskwheel-first-frame').length > 0, null,
                               { timeout: 30000 });
    await page.evaluate(() => document.getElementById('canvas').getContext('webgl2')
      .getExtension('WEBGL_lose_context').loseContext());
    await page.waitForSelector('#notice:not([hidden])', { timeout: 10000 });
    check(/WebGL context/.test(await text(page, '#notice-text')), 'a lost context did not end the show with its line');
    console.log(`ok: a lost context ends the show: ${await text(page, '#notice-text')}`);
  } catch (error) {
    console.log(`FAIL: ${error.message}`);
    console.log(lines.join('\n'));
    process.exitCode = 1;
  } finally {
    await browser.close();
  }
}

main();
