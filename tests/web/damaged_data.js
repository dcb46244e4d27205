// web-damaged_data: a damaged Data folder gives the page the native
// program's lines; a browser without WebGL 2 gets one message saying so.
//   node damaged_data.js URL CASE      CASE: pictures, short, music, nowebgl
'use strict';
const { openBrowser, recordConsole } = require('./browser');

function check(condition, what) {
  if (!condition) throw new Error(what);
}

const messages = (page) => page.$eval('#messages', (e) => e.textContent.split('\n').filter(Boolean));

async function launch(page, url) {
  await page.goto(`${url}/index.html`);
  await page.waitForSelector('#launcher:not([hidden])', { timeout: 60000 });
  await page.click('#fullscreen');  // windowed: headless chromium has no screen to fill
  await page.keyboard.press('Enter');
}

// Launched, the show runs for seconds, then Escape ends it.
async function runShow(page, url, seconds) {
  await launch(page, url);
  await page.waitForSelector('#stage.showing', { timeout: 20000 });
  await page.waitForTimeout(seconds * 1000);
  check(!(await page.isVisible('#notice')), 'the show did not keep running');
  await page.keyboard.press('Escape');
  await page.waitForSelector('#notice:not([hidden])', { timeout: 10000 });
  return messages(page);
}

const cases = {
  async pictures(page, url) {
    const lines = await runShow(page, url, 1);
    for (const name of ['dwl.p', 'dot.p', 'credits.p'])
      check(lines.some((l) => l.startsWith(`duskwheel: Data/${name} is not a PCX picture`)), `no line for ${name}: ${lines}`);
    check(!lines.some((l) => l.includes('overlay')), `a missing picture was complained about: ${lines}`);
    return lines;
  },
  async short(page, url) {
    const lines = await runShow(page, url, 4);
    const music = lines.filter((l) => l.startsWith('duskwheel: the music'));
    check(music.length === 1, `not one line about the track: ${lines}`);
    check(/^duskwheel: the music file Data\/music\.mp3 is shorter than its header says; playing the 2\.[0-9] s that decode$/
      .test(music[0]), `no line about the cut-short track: ${lines}`);
    return music;
  },
  async music(page, url) {
    await launch(page, url);
    await page.waitForSelector('#notice:not([hidden])', { timeout: 20000 });
    check(/could not start/.test(await page.textContent('#notice-text')), 'the show did not end before it began');
    const lines = (await messages(page)).filter((l) => l.startsWith('duskwheel: the music'));
    check(lines.length === 1 && lines[0].startsWith('duskwheel: the music file Data/music.mp3 '),
          `not one line naming the music file: ${lines}`);
    return lines;
  },
  async nowebgl(page, url) {
    await page.goto(`${url}/index.html`);
    await page.waitForSelector('#notice:not([hidden])', { timeout: 20000 });
    const text = await page.textContent('#notice-text');
    check(/WebGL 2/.test(text), `no message naming WebGL 2: ${text}`);
    check(await page.isHidden('#launcher'), 'the launcher was offered without WebGL 2');
    return [text];
  },
};

async function main() {
  const [url, name] = process.argv.slice(2);
  const browser = await openBrowser(name === 'nowebgl' ? ['--disable-webgl'] : []);
  const lines = [];
  try {
    const page = await browser.newPage({ viewport: { width: 640, height: 400 } });
    recordConsole(page, lines);
    const said = await cases[name](page, url);
    console.log(`${name}: ${said.join(' | ')}`);
  } catch (error) {
    console.log(`FAIL (${name}): ${error.message}`);
    console.log(lines.join('\n'));
    process.exitCode = 1;
  } finally {
    await browser.close();
  }
}

main();
