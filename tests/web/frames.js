// web-frames: the golden frames through index.html?at=..., each held to a
// mean absolute difference of at most 1.0 level per channel and at most
// 0.5 % of its pixels off by more than 8 in any channel; and every kept
// frame (the golden ones and one more in the first wall) to at most 12 draw
// calls and 300 WebGL calls, which is what keeps a browser's GL process fast.
//   node frames.js URL GOLDEN_FOLDER [OUT_FOLDER]
'use strict';
const fs = require('fs');
const path = require('path');
const { openBrowser, recordConsole, countWebGlCalls } = require('./browser');

const maxMeanDifference = 1.0;
const maxFarShare = 0.005;
const farLevel = 8;
const maxDraws = 12;
const maxCalls = 300;
const countedOnly = [32000];

function goldenTimes(folder) {
  return fs.readFileSync(path.join(folder, 'times'), 'utf8').split('\n')
    .map((line) => line.match(/^(\d+)/)).filter(Boolean).map((m) => Number(m[1]));
}

// Both pictures decoded by the browser and compared there, channel by channel (RGB).
async function compare(page, id, goldenPng) {
  return page.evaluate(async ({ id, golden }) => {
    const decode = (src) => new Promise((resolve, reject) => {
      const img = new Image();
      img.onload = () => resolve(img);
      img.onerror = () => reject(new Error('cannot decode ' + src.slice(0, 40)));
      img.src = src;
    });
    const pixels = (img) => {
      const c = document.createElement('canvas');
      c.width = img.naturalWidth;
      c.height = img.naturalHeight;
      const g = c.getContext('2d');
      g.drawImage(img, 0, 0);
      return g.getImageData(0, 0, c.width, c.height);
    };
    const ours = pixels(document.getElementById(id));
    const theirs = pixels(await decode('data:image/png;base64,' + golden));
    if (ours.width !== theirs.width || ours.height !== theirs.height)
      return { size: `${ours.width}x${ours.height} against ${theirs.width}x${theirs.height}` };
    let sum = 0;
    let far = 0;
    const count = ours.width * ours.height;
    for (let p = 0; p < count; ++p) {
      let worst = 0;
      for (let c = 0; c < 3; ++c) {
        const d = Math.abs(ours.data[4 * p + c] - theirs.data[4 * p + c]);
        sum += d;
        if (d > worst) worst = d;
      }
      if (worst > 8) ++far;
    }
    return { mean: sum / (3 * count), farShare: far / count, src: document.getElementById(id).src };
  }, { id, golden: goldenPng.toString('base64') });
}

async function main() {
  const [url, goldenFolder, outFolder] = process.argv.slice(2);
  const times = goldenTimes(goldenFolder);
  const browser = await openBrowser();
  const lines = [];
  let failed = false;
  try {
    const page = await browser.newPage();
    recordConsole(page, lines);
    await countWebGlCalls(page);
    const kept = [...new Set(times.concat(countedOnly))].sort((a, b) => a - b);
    await page.goto(`${url}/index.html?at=${kept.join(',')}&size=320x200`);
    await page.waitForFunction(() => document.title === 'duskwheel frames done', null, { timeout: 600000 });
    const counts = await page.evaluate(() => window.glCalls);
    kept.forEach((t, i) => {
      const c = counts[i] || { draws: Infinity, calls: Infinity };
      const ok = c.draws <= maxDraws && c.calls <= maxCalls;
      console.log(`${t} ms: ${c.draws} draw calls, ${c.calls} WebGL calls a frame${ok ? '' : '  FAIL'}`);
      if (!ok) failed = true;
    });
    for (const t of times) {
      const name = `frame_${String(t).padStart(5, '0')}.png`;
      const result = await compare(page, `frame-${t}`, fs.readFileSync(path.join(goldenFolder, name)));
      if (result.size) {
        console.log(`${name}: FAIL size ${result.size}`);
        failed = true;
        continue;
      }
      const ok = result.mean <= maxMeanDifference && result.farShare <= maxFarShare;
      console.log(`${name}: mean ${result.mean.toFixed(3)}, ${(100 * result.farShare).toFixed(3)} % off by more than ${farLevel}${ok ? '' : '  FAIL'}`);
      if (!ok) failed = true;
      if (outFolder) {
        fs.mkdirSync(outFolder, { recursive: true });
        fs.writeFileSync(path.join(outFolder, name), Buffer.from(result.src.split(',')[1], 'base64'));
      }
    }
  } catch (error) {
    console.log(`FAIL: ${error.message}`);
    failed = true;
  } finally {
    await browser.close();
  }
  if (failed) {
    console.log(lines.join('\n'));
    process.exit(1);
  }
  console.log(`ok: ${times.length} frames within mean ${maxMeanDifference} and ${100 * maxFarShare} % off by more than ${farLevel}`);
}

main();
