// Debian's chromium, headless, with WebGL 2 on SwiftShader, for the web tests.
'use strict';
const { chromium } = require('playwright-core');

const chromiumSwitches = ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                          '--autoplay-policy=no-user-gesture-required'];

async function openBrowser(extraSwitches = []) {
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
                           args: chromiumSwitches.concat(extraSwitches) });
}

// The page's lines on stderr, gathered for a failure's report.
function recordConsole(page, lines) {
  page.on('console', (message) => lines.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => lines.push(`pageerror: ${error.message}`));
}

// Counts every call on the page's WebGL 2 contexts, and its draw calls,
// frame by frame: a frame starts with its clear. At each canvas.toDataURL
// (a kept frame) window.glCalls gets the calls of the frame kept.
async function countWebGlCalls(page) {
  await page.addInitScript(() => {
    const proto = WebGL2RenderingContext.prototype;
    const now = { calls: 0, draws: 0 };
    window.glCalls = [];
    for (const name of Object.getOwnPropertyNames(proto)) {
      const d = Object.getOwnPropertyDescriptor(proto, name);
      if (typeof d.value !== 'function' || name === 'constructor') continue;
      const original = d.value;
      const draws = /^draw/.test(name);
      proto[name] = function(...args) {
        if (name === 'clear') now.calls = now.draws = 0;
        ++now.calls;
        if (draws) ++now.draws;
        return original.apply(this, args);
      };
    }
    const toDataURL = HTMLCanvasElement.prototype.toDataURL;
    HTMLCanvasElement.prototype.toDataURL = function(...args) {
      window.glCalls.push({ ...now });
      return toDataURL.apply(this, args);
    };
  });
}

module.exports = { openBrowser, recordConsole, countWebGlCalls };
