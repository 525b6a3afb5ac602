// Figures of velto web: the WebAssembly core's size and judging time, a 3-question text page's
// size, and how long after navigation a 96-question text page shows its grid in headless
// Chromium (the page's 'velto-grid' mark, then its first paint), median of ROUNDS loads.
// node web_page_bench.mjs VELTO CORE.wasm WORK   (VELTO_WEB_MODULES: puppeteer-core's folder)
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

const require = createRequire(path.resolve(process.env.VELTO_WEB_MODULES || '.', 'x.js'));
let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (e) {
  console.log('puppeteer-core is missing: scripts/test installs it (npm ci in build/web-modules)');
  process.exit(1);
}
const [velto, wasmPath, work] = process.argv.slice(2);
const rounds = Number(process.env.VELTO_BENCH_ROUNDS || 15);
fs.mkdirSync(work, {recursive: true});
const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const kb = (n) => (n / 1024).toFixed(1) + ' KB';

function textQuiz(count) {
  const lines = ['kind = "text"', 'title = "Banc"', 'codes = ["C"]'];
  for (let i = 1; i <= count; i++)
    lines.push('[[questions]]', `prompt = "Question num\u00e9ro ${i} du banc d'essai ?"`,
               `answer = "r\u00e9ponse ${i}"`);
  const file = path.join(work, `text${count}.toml`);
  fs.writeFileSync(file, lines.join('\n') + '\n');
  execFileSync(velto, ['web', file, '-o', file.replace('.toml', '.html')]);
  return file.replace('.toml', '.html');
}

const wasm = fs.readFileSync(wasmPath);
console.log(`wasm core: ${kb(wasm.length)} (${wasm.length} bytes; goal 40 KB)`);
console.log(`3-question text page: ${kb(fs.statSync(textQuiz(3)).size)} (goal 100 KB)`);

const {instance} = await WebAssembly.instantiate(wasm, {});
const core = instance.exports;
core._initialize();
const pair = Buffer.from('abcdefghij'.repeat(26).slice(0, 259) + 'bacdefghij'.repeat(26).slice(0, 259),
                         'latin1');
new Uint8Array(core.memory.buffer).set(pair, core.buffer(pair.length));
const judged = [];
for (let r = 0; r < 5; r++) {
  const start = process.hrtime.bigint();
  for (let n = 0; n < 200; n++) core.judge(259, 259);
  judged.push(Number(process.hrtime.bigint() - start) / 1e6 / 200);
}
console.log(`judging two 259-character texts in node: ${median(judged).toFixed(3)} ms`);

const page = 'file://' + path.resolve(textQuiz(96));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  userDataDir: fs.mkdtempSync(path.join(work, 'profile-')),
  args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run', '--disable-quic', '--disable-gpu'],
});
const grid = [];
const paint = [];
const tab = await browser.newPage();
for (let r = 0; r < rounds; r++) {
  await tab.goto(page);
  await tab.waitForSelector('body[data-ready="1"]');
  const t = await tab.evaluate(() => new Promise((resolve) => requestAnimationFrame(() =>
    setTimeout(() => resolve({
      grid: performance.getEntriesByName('velto-grid')[0].startTime,
      paint: (performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime,
    }), 50))));
  grid.push(t.grid);
  if (t.paint !== undefined) paint.push(t.paint);
}
await browser.close();
console.log(`96-question text page, grid built: median ${median(grid).toFixed(0)} ms after ` +
            `navigation (range ${Math.min(...grid).toFixed(0)}-${Math.max(...grid).toFixed(0)}, ` +
            `${rounds} loads; goal 300 ms)`);
if (paint.length)
  console.log(`  first contentful paint: median ${median(paint).toFixed(0)} ms`);
console.log(`96-question page: ${kb(fs.statSync(new URL(page)).size)}`);
