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

module.exports = { openBrowser, recordConsole };
