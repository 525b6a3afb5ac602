// The WebAssembly core beside the native build of the same sources: judging against
// `velto judge`, packing against `velto pack`, and loading, layout, play and colours of every
// example against the native twin (session_dump).
// node wasm_core.test.mjs CORE.wasm VELTO SESSION_DUMP EXAMPLES
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const [wasmPath, velto, sessionDump, examples] = process.argv.slice(2);
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'velto-wasm-'));
const {instance} = await WebAssembly.instantiate(fs.readFileSync(wasmPath), {});
const core = instance.exports;
core._initialize();
const mem = () => new Uint8Array(core.memory.buffer);
const put = (bytes) => mem().set(bytes, core.buffer(bytes.length));
const cString = (at) => {
  const m = mem();
  let end = at;
  while (m[end] !== 0) end++;
  return Buffer.from(m.subarray(at, end));
};
const hex = (bytes) => (bytes.length ? Buffer.from(bytes).toString('hex') : '-');
const latin1 = (text) => Buffer.from(text, 'latin1');
let failures = 0;
function check(name, body) {
  try {
    body();
    console.log('ok   ' + name);
  } catch (e) {
    failures++;
    console.log('FAIL ' + name + '\n' + e.message);
  }
}

// ---- judging: the worked cases with their verdicts, then random pairs ----
const worked = [
  ['Paris', '  paris  ', 'BRAVO'], ['Paris', '   ', '?'], ['Paris', 'Parsi', 'Anagramme'],
  ['La mer', 'mer la', 'Anagramme'], ['Paris', 'Pari', 'Quasiment'],
  ['Orl\xe9ans', 'orl\xc9ans', 'Quasiment'], ['Les Miserables', 'Les  Miserables', 'Quasiment'],
  ['Paris ', 'Paris', 'Quasiment'], ['Napoleon Bonaparte', 'Napolean Bonapate', 'Presque'],
  ['Paris', 'Parisien', 'Trop long'], ['Chateaubriand', 'chateaubri', 'Trop court'],
  ['Chateaubriand', 'chateau', 'pas loin'], ['Chateaubriand', 'chat', 'FAUX'],
  ['abcdefghij', 'abcdefg', 'pas loin'], ['abcdefghij', 'abcde', 'FAUX'],
  ['abcdefghi', 'abcdef', 'FAUX'], ['abcdefghijklmnop', 'abcdefghijklmxyz', "y a de l'id\xe9e"],
  ['abcdefghijklmno', 'abcdefghijklxyz', 'FAUX'], ['Constantinople', 'Konstantinopolis', 'FAUX'],
  ['AAB', 'AAABXYZ', 'FAUX'], ['', 'A', 'Quasiment'],
];
let seed = 19;
const random = (n) => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed % n;
};
const alphabet = 'aabbcdeAB \xe9\xc9';
const word = (max) => Array.from({length: random(max)}, () => alphabet[random(alphabet.length)])
                           .join('');
const pairs = worked.map(([e, t]) => [e, t]);
for (let n = 0; n < 3000; n++) pairs.push([word(18), word(18)]);
pairs.push(['x'.repeat(259), 'y'.repeat(259)], ['ab'.repeat(129), 'ba'.repeat(129)]);
function wasmJudge(expected, typed) {
  const e = latin1(expected);
  const t = latin1(typed);
  put(Buffer.concat([e, t]));
  return cString(core.judge(e.length, t.length)).toString('latin1');
}
check('judge: worked cases and ' + pairs.length + ' pairs as velto judge', () => {
  const input = pairs.map(([e, t]) => e + '\t' + t + '\n').join('');
  const native = execFileSync(velto, ['judge', '-'], {input: Buffer.from(input, 'utf8')})
                     .toString('utf8').split('\n');
  pairs.forEach(([e, t], n) => {
    assert.equal(wasmJudge(e, t), native[n],
                 JSON.stringify([e, t]));
  });
  worked.forEach(([e, t, v]) => assert.equal(wasmJudge(e, t), v, JSON.stringify([e, t])));
});

// ---- packing: byte for byte as velto pack, and back ----
const blocks = [Buffer.from('a'), latin1('Quelle est la capitale de la France ?|Paris|\xe9t\xe9|')];
for (const size of [300, 5000, 65535]) {
  blocks.push(Buffer.from(Array.from({length: size}, () => 'abcab \xe9|'.charCodeAt(random(8)))));
}
blocks.push(Buffer.from(Array.from({length: 40000}, () => random(256))));
check('pack: ' + blocks.length + ' blocks byte-identical with velto pack', () => {
  blocks.forEach((block, n) => {
    const file = path.join(tmp, 'block' + n);
    fs.writeFileSync(file, block);
    execFileSync(velto, ['pack', file, file + '.packed']);
    const native = fs.readFileSync(file + '.packed');
    put(block);
    const size = core.pack(block.length);
    assert.ok(size > 0, 'pack result ' + size);
    const packed = Buffer.from(mem().subarray(core.codec_out(), core.codec_out() + size));
    assert.ok(packed.equals(native), 'block ' + n + ' of ' + block.length + ' bytes');
    put(native);
    const back = core.unpack(native.length);
    assert.ok(Buffer.from(mem().subarray(core.codec_out(), core.codec_out() + back)).equals(block));
  });
});

// ---- loading, layout, play, colours: every example as the native twin sees it ----
function pageData(toml) {
  const page = path.join(tmp, path.basename(toml, '.toml') + '.html');
  execFileSync(velto, ['web', toml, '-o', page]);
  const html = fs.readFileSync(page, 'utf8');
  const json = html.match(/<script type="application\/json" id="velto-data">(.*?)<\/script>/s)[1];
  return JSON.parse(json);
}
function answersOf(toml) {
  const found = [];
  for (const line of fs.readFileSync(toml, 'utf8').split('\n')) {
    const m = line.match(/^answers?\s*=\s*(.*)$/);
    if (m) found.push(...[].concat(JSON.parse(m[1])));
  }
  return found;
}
// Every answer right but the last, which is typed wrong, then put right by F1 from field 1.
function playOf(answers) {
  const lines = answers.map((a, n) => [n + 1, a]);
  lines.push([answers.length, 'zzz'], [answers.length, '  ' + answers.at(-1)]);
  lines.push([1, 'F1']);
  return lines;
}
function wasmDump(data, play) {
  const out = [];
  const def = Buffer.from(data.definition, 'base64');
  const codes = Buffer.from(data.codes, 'base64');
  put(Buffer.concat([def, codes]));
  out.push('load ' + core.load(def.length, codes.length));
  data.media.forEach((m, n) => m.w && core.set_picture(n + 1, m.w, m.h));
  const count = core.layout();
  const info = [0, 4, 2, 3, 5, 6, 7].map((w) => core.info(w));
  out.push('info ' + info.join(' '));
  out.push('texts ' + [0, 1, 2, 3, 4].map((w) => hex(cString(core.text(w, 0)))).join(' '));
  for (let i = 1; i <= core.info(1); i++) out.push('prompt ' + hex(cString(core.text(5, i))));
  for (let n = 0; n < count; n++) {
    out.push('place ' + [0, 1, 2, 3, 4, 5, 6, 7].map((w) => core.placement(n, w)).join(' '));
  }
  for (const id of [153, 156, 3000, 8001]) {
    out.push('paint ' + [id, core.paint(id, 0), core.paint(id, 1), core.paint(id, 2)].join(' '));
  }
  core.restore(0);
  const fields = core.info(4);
  for (const [k, text] of play) {
    if (text === 'F1') {
      core.fill(k);
    } else {
      const bytes = latin1(text);
      put(bytes);
      core.set_field(k, bytes.length);
      core.evaluate(k);
    }
    for (let j = 1; j <= fields; j++) {
      const p = [0, 1, 2].map((w) => core.paint(5000 + j, w));
      out.push(`verdict ${j} ${hex(cString(core.text(7, j)))} ${p.join(' ')}`);
    }
    for (let i = 1; i <= core.info(1); i++) {
      out.push(`explanation ${i} ${hex(cString(core.text(6, i)))} ${core.picture_revealed(i)}`);
    }
    out.push(`score ${hex(cString(core.text(9, 0)))} ${hex(cString(core.text(10, 0)))}`);
  }
  const saved = core.saved();
  out.push('saved ' + hex(mem().subarray(saved, saved + core.saved_length())));
  return out;
}
for (const toml of ['text/capitales.toml', 'picture/formes.toml', 'audio/devinettes.toml']) {
  check('session: ' + toml + ' as the native build plays it', () => {
    const file = path.join(examples, toml);
    const data = pageData(file);
    const play = playOf(answersOf(file));
    fs.writeFileSync(path.join(tmp, 'def'), Buffer.from(data.definition, 'base64'));
    fs.writeFileSync(path.join(tmp, 'codes'), Buffer.from(data.codes, 'base64'));
    const sizes = data.media.map((m, n) => (m.w ? `P\t${n + 1}\t${m.w}\t${m.h}\n` : ''));
    fs.writeFileSync(path.join(tmp, 'play'),
                     Buffer.from(sizes.join('') + play.map(([k, t]) => k + '\t' + t + '\n')
                                                          .join(''), 'latin1'));
    const native = execFileSync(sessionDump, ['def', 'codes', 'play'].map((f) => path.join(tmp, f)))
                       .toString('latin1').trimEnd().split('\n');
    const wasm = wasmDump(data, play);
    assert.equal(wasm[0], 'load 0');
    const questions = core.info(1);
    assert.equal(wasm.at(-2).split(' ')[1], hex(latin1(` ${questions} / ${questions}`)));
    assert.deepEqual(wasm, native);
  });
}

fs.rmSync(tmp, {recursive: true, force: true});
process.exit(failures ? 1 : 0);
