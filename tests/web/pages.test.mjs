// The pages of velto web played as a person plays them, in headless Chromium and Firefox: typing,
// Tab, Enter, F1, verdicts and their colours, score and code, reveals, clips, and a reload that
// brings the answers back. Screenshots are kept in ARTEFACTS.
// node pages.test.mjs VELTO EXAMPLES ARTEFACTS   (VELTO_WEB_MODULES: puppeteer-core's folder)
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import os from 'node:os';
import path from 'node:path';

const require = createRequire(path.resolve(process.env.VELTO_WEB_MODULES || '.', 'x.js'));
let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (e) {
  console.log('puppeteer-core is missing: scripts/test installs it (npm ci in build/web-modules)');
  process.exit(1);
}
const [velto, examples, artefacts] = process.argv.slice(2);
fs.mkdirSync(artefacts, {recursive: true});

const GREEN = 'rgb(0, 255, 0)';
const RED = 'rgb(255, 0, 0)';
const ORANGE = 'rgb(255, 100, 0)';
const YELLOW = 'rgb(255, 203, 38)';
// A step: keys typed into the focused control ('Tab', 'Enter', 'F1' or text), then what the
// page shows: controls' texts by data-id, verdict fills, the focused control.
const scenarios = [
  {kind: 'text', quiz: 'text/capitales.toml', steps: [
    {keys: ['paris', 'Enter'], texts: {5001: 'BRAVO', 32: ' 1 / 6', 30: 'EUR1'},
     fills: {5001: GREEN}, focus: '4001'},
    {keys: ['Tab', 'Madri', 'Tab'], texts: {5002: 'Quasiment', 5003: '?'}, fills: {5002: YELLOW},
     focus: '4003'},
    {keys: ['Rmoe', 'Enter'], texts: {5003: 'Anagramme'}, fills: {5003: ORANGE}},
    {keys: ['Tab', '<b>x</b>', 'F1'], texts: {4001: 'paris', 4002: '<b>x</b>', 4006: '<b>x</b>',
                                              5002: 'FAUX', 5006: 'FAUX', 32: ' 1 / 6'},
     fills: {5006: RED}, focus: '4004'},
    {reload: true, texts: {4001: 'paris', 4005: '<b>x</b>', 5001: 'BRAVO', 5005: 'FAUX',
                           32: ' 1 / 6', 30: 'EUR1'}, focus: '4001'},
  ]},
  {kind: 'picture', quiz: 'picture/formes.toml', steps: [
    {keys: ['cercle', 'Tab'], texts: {5001: 'BRAVO', 8001: '', 32: ' 0 / 4'}, revealed: {9901: 0}},
    {keys: ['rouge', 'Tab'], texts: {5002: 'BRAVO', 8001: 'Un cercle n\'a ni coin ni c\u00f4t\u00e9.',
                                     32: ' 1 / 4', 30: 'FORME'}, revealed: {9901: 1},
     focus: '4003'},
    {keys: ['carr\u00e9', 'Tab', 'bleu', 'Enter'], texts: {5003: 'BRAVO', 5004: 'BRAVO', 32: ' 2 / 4'},
     revealed: {9902: 1}},
    {reload: true, texts: {4003: 'carr\u00e9', 5004: 'BRAVO', 32: ' 2 / 4'},
     revealed: {9901: 1, 9902: 1, 9903: 0}},
  ]},
  {kind: 'audio', quiz: 'audio/devinettes.toml', steps: [
    {click: 6001, playing: 'data:audio/mpeg;base64,'},
    {click: 7001, playing: ''},
    {focusField: '4001', keys: ['Venise', 'Tab'], texts: {5001: 'BRAVO', 8001: ''}, focus: '6002'},
    {focusField: '4002', keys: ['Loire', 'Tab'], focus: '6003'},
    {focusField: '4003', keys: ['Mars', 'Tab'], texts: {5003: 'BRAVO', 8001: ''}},
    {focusField: '4004', keys: ['baleine', 'Enter'],
     texts: {5004: 'BRAVO', 8001: 'Venise compte plus de cent \u00eeles.', 32: ' 4 / 4'}},
  ]},
  {kind: 'video', quiz: 'video/couleurs.toml', steps: [
    {click: 6002, playing: 'data:video/webm;base64,', band: [336, 5, 260, 210]},
    {focusField: '4001', keys: ['rouge', 'Enter'], texts: {5001: 'BRAVO', 32: ' 1 / 3', 30: 'VU'}},
  ]},
  {kind: 'hostile', toml: [
    'kind = "text"', 'title = "</title><script>window.pwned = 1</script>"',
    'author = "<img src=x onerror=\'window.pwned = 2\'>"', 'description = "&amp; <b>gras</b>"',
    'codes = ["<i>c</i>"]', '[[questions]]', 'prompt = "<script>window.pwned = 3</script>"',
    'answer = "<b>"', '[[questions]]', 'prompt = "Windows-1252"', 'answer = "\u20acuro ?"',
    '[[questions]]', 'prompt = "259"', 'answer = "a"',
  ].join('\n'), steps: [
    {keys: ['<b>', 'Enter'], safe: true,
     texts: {29: '</title><script>window.pwned = 1</script>', 26: "<img src=x onerror='window.pwned = 2'>",
             28: '&amp; <b>gras</b>', 3000: '<script>window.pwned = 3</script>', 5001: 'BRAVO',
             30: '<i>c</i>'}},
    // The euro sign is byte 0x80 to the judge; a character Windows-1252 lacks is a "?".
    {keys: ['Tab', '\u20acuro \u03a9', 'Enter'], texts: {5002: 'BRAVO'}},
    {keys: ['Tab', 'a'.repeat(300), 'Enter'], texts: {4003: 'a'.repeat(259), 5003: 'Trop long'}},
  ]},
];

const launchers = {
  chromium: (dir) => puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: dir,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--disable-quic', '--disable-gpu',
           '--autoplay-policy=no-user-gesture-required'],
  }),
  firefox: (dir) => puppeteer.launch({
    browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr',
    headless: true, userDataDir: dir,
    extraPrefsFirefox: {'media.autoplay.default': 0, 'network.proxy.type': 0},
  }),
};

// What the page shows, read through the test contract.
function readPage(page, ids) {
  return page.evaluate((ids) => {
    const out = {texts: {}, fills: {}};
    for (const id of ids) {
      const e = document.querySelector(`[data-id="${id}"]`);
      out.texts[id] = e ? (e.tagName === 'INPUT' ? e.value : e.textContent) : null;
      out.fills[id] = e ? getComputedStyle(e).backgroundColor : null;
    }
    out.focus = document.activeElement && document.activeElement.dataset.id;
    const player = document.querySelector('.player');
    out.playing = player && !player.paused ? player.src.slice(0, 23) : '';
    out.band = player ? [player.offsetLeft, player.offsetTop, player.offsetWidth,
                         player.offsetHeight] : null;
    return out;
  }, ids);
}

async function revealedOf(page, id) {
  return page.$eval(`[data-id="${id}"] img`, (img, data) => img.src.length > 0 &&
                    img.src.includes(data), await answerPrefix(page, id));
}
async function answerPrefix(page, id) {
  return page.evaluate((q) => {
    const data = JSON.parse(document.getElementById('velto-data').textContent);
    return (data.media[q - 1].a || '').slice(-64);
  }, id - 9900);
}

async function runStep(page, step, problems, label) {
  if (step.reload) {
    await page.reload();
    await page.waitForSelector('body[data-ready="1"]');
  }
  if (step.focusField) await page.focus(`[data-id="${step.focusField}"]`);
  if (step.click) {
    await page.focus(`[data-id="${step.click}"]`);
    await page.keyboard.press('Enter');
    await new Promise((r) => setTimeout(r, 300));
  }
  for (const key of step.keys || []) {
    if (['Tab', 'Enter', 'F1', 'F2'].includes(key)) await page.keyboard.press(key);
    else await page.keyboard.type(key);
  }
  const ids = [...Object.keys(step.texts || {}), ...Object.keys(step.fills || {})];
  const seen = await readPage(page, ids);
  const expect = (what, want, got) => {
    if (want !== got) problems.push(`${label}: ${what} is ${JSON.stringify(got)}, not ${JSON.stringify(want)}`);
  };
  for (const [id, want] of Object.entries(step.texts || {})) expect(id, want, seen.texts[id]);
  for (const [id, want] of Object.entries(step.fills || {})) expect(id + ' fill', want, seen.fills[id]);
  for (const [id, want] of Object.entries(step.revealed || {}))
    expect(id + ' answer picture', Boolean(want), await revealedOf(page, Number(id)));
  if (step.focus) expect('focus', step.focus, seen.focus);
  if (step.playing !== undefined) expect('playing', step.playing, seen.playing);
  if (step.safe) {
    expect('markup from the quiz', 'none', await page.evaluate(() => (window.pwned === undefined &&
        !document.querySelector('#header img, #header b, #canvas script, #canvas b') &&
        document.title.startsWith('</title>') ? 'none' : 'some')));
    // The policy itself refuses the network, whatever a script would ask.
    expect('network', 'refused', await page.evaluate(() => new Promise((resolve) => {
      document.addEventListener('securitypolicyviolation', () => resolve('refused'), {once: true});
      new Image().src = 'http://127.0.0.1:9/probe.png';
      setTimeout(() => resolve('allowed'), 2000);
    })));
  }
  if (step.band) expect('video band', step.band.join(), seen.band && seen.band.join());
}

async function runScenario(browserName, scenario, problems) {
  const page = path.join(artefacts, scenario.kind + '.html');
  let quiz = scenario.quiz && path.join(examples, scenario.quiz);
  if (scenario.toml) fs.writeFileSync(quiz = path.join(artefacts, scenario.kind + '.toml'), scenario.toml);
  execFileSync(velto, ['web', quiz, '-o', page]);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velto-' + browserName + '-'));
  const browser = await launchers[browserName](profile);
  try {
    const tab = await browser.newPage();
    await tab.setViewport({width: 1000, height: 700});
    const errors = [];
    tab.on('pageerror', (e) => e.message.includes('/probe.png') || errors.push(e.message));
    tab.on('requestfailed', (r) => r.url().startsWith('data:') || r.url().endsWith('/probe.png') ||
                                   errors.push('request ' + r.url()));
    await tab.goto('file://' + page);
    await tab.waitForSelector('body[data-ready="1"]', {timeout: 15000});
    const first = await tab.evaluate(() => {
      const f = document.activeElement;
      const r = f.getBoundingClientRect();
      return {id: f.dataset.id, inView: r.top >= 0 && r.bottom <= innerHeight, labelled:
              (f.getAttribute('aria-label') || '').startsWith('Question 1')};
    });
    const label = `${browserName} ${scenario.kind}`;
    if (first.id !== '4001' || !first.inView || !first.labelled)
      problems.push(`${label}: opens with ${JSON.stringify(first)}, not field 4001 in view, labelled`);
    for (const [n, step] of scenario.steps.entries())
      await runStep(tab, step, problems, `${label} step ${n + 1}`);
    for (const e of errors) problems.push(`${label}: ${e}`);
    await tab.screenshot({path: path.join(artefacts, `${browserName}-${scenario.kind}.png`)});
  } finally {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
}

const problems = [];
for (const browserName of Object.keys(launchers)) {
  for (const scenario of scenarios) {
    const before = problems.length;
    try {
      await runScenario(browserName, scenario, problems);
    } catch (e) {
      problems.push(`${browserName} ${scenario.kind}: ${e.stack || e}`);
    }
    console.log((problems.length === before ? 'ok   ' : 'FAIL ') + browserName + ' ' + scenario.kind);
  }
}
for (const p of problems) console.log(p);
console.log('screenshots in ' + artefacts);
process.exit(problems.length ? 1 : 0);
