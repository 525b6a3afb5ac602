'use strict';
// The quiz page: builds the player's controls where the core places them and hands every
// decision (judging, reveals, score, code, colours, keys, scrolling) to the WebAssembly core.
// Quiz texts only ever reach the page as textContent or value, never as markup.
(() => {
  const data = JSON.parse(document.getElementById('velto-data').textContent);

  // Windows-1252 bytes 0x80..0x9F; the five undefined ones stand for the C1 character of the
  // same value, so that a text survives the round trip.
  const HIGH = [
    0x20ac, 0x81, 0x201a, 0x192, 0x201e, 0x2026, 0x2020, 0x2021, 0x2c6, 0x2030, 0x160, 0x2039,
    0x152, 0x8d, 0x17d, 0x8f, 0x90, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x2dc, 0x2122, 0x161, 0x203a, 0x153, 0x9d, 0x17e, 0x178,
  ];
  const FROM_UNICODE = new Map(HIGH.map((code, i) => [code, 0x80 + i]));
  const MAX_TEXT = 259;
  const decodeByte = (b) => String.fromCharCode(b >= 0x80 && b < 0xa0 ? HIGH[b - 0x80] : b);
  function encode(text) {
    const out = [];
    for (const ch of text) {  // by code point: a character outside the BMP is one "?"
      if (out.length === MAX_TEXT) break;
      const c = ch.codePointAt(0);
      if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) out.push(c);
      else out.push(FROM_UNICODE.has(c) ? FROM_UNICODE.get(c) : 0x3f);
    }
    return Uint8Array.from(out);
  }
  const decode = (bytes) => Array.from(bytes, decodeByte).join('');
  const fromBase64 = (text) => Uint8Array.from(atob(text || ''), (c) => c.charCodeAt(0));

  // Control kinds as the core numbers them.
  const C = {number: 0, prompt: 1, field: 2, verdict: 3, picture: 4, caption: 5, play: 6,
             stop: 7, explanation: 8};
  const T = {title: 0, author: 1, description: 2, caption1: 3, caption2: 4, prompt: 5,
             explanation: 6, verdict: 7, field: 8, score: 9, code: 10, number: 11};
  const I = {kind: 0, questions: 1, answers: 2, reveal: 3, fields: 4, background: 5,
             canvasWidth: 6, canvasHeight: 7};
  const KEY = {bringIntoView: 1, evaluate: 2, fill: 3, save: 4, pageUp: 5, pageDown: 6};
  const REQUEST = {pageUp: 2, pageDown: 3, top: 6, bottom: 7, target: 502};
  const HEADER_TEXT = {25: 'Par :', 27: 'Sauver', 31: ' Code :'};
  const KIND_PICTURE = 1;
  const KIND_VIDEO = 3;

  let core;
  const mem = () => new Uint8Array(core.memory.buffer);
  function put(bytes) {
    const at = core.buffer(bytes.length);
    mem().set(bytes, at);
  }
  function text(what, index = 0) {
    const at = core.text(what, index);
    const m = mem();
    let end = at;
    while (m[end] !== 0) end++;
    return decode(m.subarray(at, end));
  }
  const css = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
  function element(tag, id, box, className) {
    const e = document.createElement(tag);
    if (id) e.dataset.id = String(id);
    if (className) e.className = className;
    if (box) Object.assign(e.style, {left: box[0] + 'px', top: box[1] + 'px',
                                     width: box[2] + 'px', height: box[3] + 'px'});
    return e;
  }
  function paint(e, id) {
    const fill = core.paint(id, 0);
    const cell = core.paint(id, 1);
    e.style.backgroundColor = fill < 0 ? '' : css(fill);
    e.style.color = css(core.paint(id, 2));
    const inner = e.firstElementChild;
    if (inner) inner.style.backgroundColor = cell < 0 ? '' : css(cell);
  }

  const fields = [];    // index k: the <input> of answer field 4000 + k
  const verdicts = [];  // index k: the verdict label 5000 + k
  const explanations = [];
  const pictures = [];
  let grid;
  let canvasHeight = 0;
  let player = null;

  // ---- saved answers: the saved file's bytes, one character per byte ----
  function save() {
    const at = core.saved();
    const bytes = mem().subarray(at, at + core.saved_length());
    let saved = '';
    for (let n = 0; n < bytes.length; n += 4096)
      saved += String.fromCharCode(...bytes.subarray(n, n + 4096));
    try {
      localStorage.setItem(data.key, saved);
    } catch (e) {
      // no storage (private mode, quota): play goes on, as a failed save does in the player
    }
  }
  function restore() {
    let saved = null;
    try {
      saved = localStorage.getItem(data.key);
    } catch (e) {
      saved = null;
    }
    const bytes = Uint8Array.from(saved || '', (c) => c.charCodeAt(0) & 0xff);
    put(bytes);
    core.restore(bytes.length);
    for (let k = 1; k < fields.length; k++) if (fields[k]) fields[k].value = text(T.field, k);
  }

  // ---- what the core decided, shown ----
  function showPicture(i) {
    const p = pictures[i];
    if (!p || p.revealed || !core.picture_revealed(i)) return;
    const media = data.media[i - 1] || {};
    if (!media.a) return;
    p.revealed = true;
    // A picture whose size could not be read fills the box (a square fitted into it), as a
    // missing size does in the layout.
    const sized = media.aw > 0 && media.ah > 0;
    const w = sized ? core.fit(media.aw, media.ah, 0) : core.fit(1, 1, 0);
    const h = sized ? core.fit(media.aw, media.ah, 1) : core.fit(1, 1, 1);
    p.img.src = 'data:image/jpeg;base64,' + media.a;
    Object.assign(p.img.style, {width: w + 'px', height: h + 'px'});
  }
  function refresh() {
    for (let k = 1; k < verdicts.length; k++) {
      const v = verdicts[k];
      if (!v) continue;
      v.firstElementChild.textContent = text(T.verdict, k);
      paint(v, 5000 + k);
    }
    for (let i = 1; i < explanations.length; i++) {
      if (explanations[i]) explanations[i].textContent = text(T.explanation, i);
    }
    for (let i = 1; i < pictures.length; i++) showPicture(i);
    document.querySelector('[data-id="32"]').textContent = text(T.score);
    document.querySelector('[data-id="30"]').value = text(T.code);
  }
  function judge(k) {
    judgeText(k);
    core.evaluate(k);
    refresh();
    save();
  }
  function fill(k) {
    judgeText(k);
    core.fill(k);
    for (let j = 1; j < fields.length; j++) {
      const now = text(T.field, j);
      if (fields[j] && now !== decode(encode(fields[j].value))) fields[j].value = now;
    }
    refresh();
    save();
  }
  function judgeText(k) {
    const bytes = encode(fields[k].value);
    put(bytes);
    core.set_field(k, bytes.length);
  }

  // ---- keys: the player's key table, acted on at release ----
  function scrollGrid(request, target = 0) {
    grid.scrollTop = core.scroll_to(request, canvasHeight, grid.clientHeight, grid.scrollTop,
                                    target);
  }
  function bringIntoView(k) {
    const f = fields[k].getBoundingClientRect();
    const g = grid.getBoundingClientRect();
    const request = core.tab_scroll(4000 + k, Math.round(f.top), Math.round(f.bottom),
                                    Math.round(g.top), Math.round(g.bottom));
    if (request !== 0) scrollGrid(request, core.tab_target());
  }
  const fieldOf = (target) => (target && target.dataset && target.tagName === 'INPUT' &&
                               target.dataset.k ? Number(target.dataset.k) : 0);
  function onKeyDown(e) {
    // Enter is the player's evaluation, F1 and F2 its fill and save: not the browser's.
    if (fieldOf(e.target) && (e.key === 'Enter' || e.key === 'F1' || e.key === 'F2'))
      e.preventDefault();
  }
  function onKeyUp(e) {
    const k = fieldOf(e.target);
    if (!k) return;
    switch (core.key_action(e.keyCode)) {
      case KEY.bringIntoView: bringIntoView(k); break;
      case KEY.evaluate: judge(k); break;
      case KEY.fill: fill(k); break;
      case KEY.save: judgeText(k); save(); break;
      case KEY.pageUp: scrollGrid(REQUEST.pageUp); break;
      case KEY.pageDown: scrollGrid(REQUEST.pageDown); break;
      default: break;
    }
  }

  // ---- clips ----
  function playClip(i, box) {
    const media = data.media[i - 1] || {};
    if (!player) {
      player = document.createElement(media.t ? 'video' : 'audio');
      player.className = 'player';
      (media.t ? grid.firstElementChild : document.body).appendChild(player);
    }
    player.pause();
    if (media.t) {
      const band = [0, 1, 2, 3].map((w) => core.video_band(box[0], box[1], w));
      Object.assign(player.style, {left: band[0] + 'px', top: band[1] + 'px',
                                   width: band[2] + 'px', height: band[3] + 'px'});
      player.src = 'data:' + media.t + ';base64,' + media.v;
    } else {
      player.src = 'data:audio/mpeg;base64,' + (media.c || '');
    }
    player.play().catch(() => {});
  }
  function stopClip() {
    if (!player) return;
    player.pause();
    player.currentTime = 0;
  }

  // ---- building ----
  function label(prompt, i, slot) {
    const answers = core.info(I.answers);
    let name = 'Question ' + i;
    if (answers === 2) name += ', ' + (text(slot === 1 ? T.caption1 : T.caption2).trim() ||
                                       'r\u00e9ponse ' + slot);
    return prompt ? name + ' : ' + prompt : name;
  }
  // One builder per control kind, given the control's placement {id, box, i (question), slot}.
  function labelled(className, c, content) {
    const e = element('div', c.id, c.box, className);
    e.textContent = content;
    paint(e, c.id);
    return e;
  }
  function answerField(c) {
    const e = element('input', c.id, c.box, 'field');
    e.type = 'text';
    e.maxLength = MAX_TEXT;
    e.autocomplete = 'off';
    e.spellcheck = false;
    e.dataset.k = String(c.id - 4000);
    e.setAttribute('aria-label', label(core.info(I.kind) === 0 ? text(T.prompt, c.i) : '', c.i,
                                       c.slot));
    e.setAttribute('aria-describedby', 'verdict-' + (c.id - 4000));
    fields[c.id - 4000] = e;
    return e;
  }
  function verdictLabel(c) {
    const e = element('div', c.id, c.box, 'verdict boxed');
    e.id = 'verdict-' + (c.id - 5000);
    e.setAttribute('aria-live', 'polite');
    e.appendChild(document.createElement('span'));
    verdicts[c.id - 5000] = e;
    return e;
  }
  function questionPicture(c) {
    const e = element('div', c.id, c.box, 'picture');
    const img = e.appendChild(document.createElement('img'));
    const media = data.media[c.i - 1] || {};
    img.alt = 'Image de la question ' + c.i;
    if (media.p) img.src = 'data:image/jpeg;base64,' + media.p;
    const sized = media.p && media.w > 0 && media.h > 0;
    const w = sized ? core.fit(media.w, media.h, 0) : c.box[2];
    const h = sized ? core.fit(media.w, media.h, 1) : c.box[3];
    Object.assign(img.style, {width: w + 'px', height: h + 'px'});
    pictures[c.i] = {img, revealed: false};
    return e;
  }
  function clipButton(c, play) {
    const e = element('button', c.id, c.box, play ? 'play' : 'stop');
    e.type = 'button';
    e.setAttribute('aria-label', (play ? '\u00c9couter l\u2019extrait ' :
                                  'Arr\u00eater l\u2019extrait ') + c.i);
    e.addEventListener('click', () => (play ? playClip(c.i, c.box) : stopClip()));
    return e;
  }
  const BUILDERS = {
    [C.number]: (c) => labelled('number', c, text(T.number, c.i)),
    [C.prompt]: (c) => {
      const e = labelled('prompt boxed', c, '');
      e.appendChild(document.createElement('span')).textContent = text(T.prompt, c.i);
      return e;
    },
    [C.field]: answerField,
    [C.verdict]: verdictLabel,
    [C.picture]: questionPicture,
    [C.caption]: (c) => labelled('caption', c, text(c.slot === 1 ? T.caption1 : T.caption2)),
    [C.play]: (c) => clipButton(c, true),
    [C.stop]: (c) => clipButton(c, false),
    [C.explanation]: (c) => (explanations[c.i] = labelled('explanation', c, '')),
  };
  function buildControl(canvas, index) {
    const P = (what) => core.placement(index, what);
    const build = BUILDERS[P(0)];
    if (build) canvas.appendChild(build({id: P(1), box: [P(2), P(3), P(4), P(5)], i: P(6),
                                         slot: P(7)}));
  }
  function buildHeader(header) {
    const count = core.header_box(-1, 0, 0);
    for (let n = 0; n < count; n++) {
      const id = core.header_box(n, 0, 0);
      let e;
      if (id === 24) {
        const safe = /^https?:\/\//i.test(data.link || '');
        e = element(safe ? 'a' : 'span', id, null, 'link');
        e.textContent = data.link || '';
        if (safe) {
          e.href = data.link;
          e.target = '_blank';
          e.rel = 'noopener noreferrer';
        }
        e.style.fontSize = -core.link_font(18) + 'px';
      } else if (id === 27) {
        e = element('button', id, null, 'save');
        e.type = 'button';
        e.textContent = HEADER_TEXT[id];
        e.addEventListener('click', save);
      } else if (id === 30) {
        e = element('input', id, null, 'code');
        e.readOnly = true;
        e.setAttribute('aria-label', 'Code');
      } else {
        e = element('div', id, null, id >= 120 ? 'rule' : 'header-text h' + id);
        e.textContent = HEADER_TEXT[id] || (id === 26 ? text(T.author) : id === 28 ?
                                            text(T.description) : id === 29 ? text(T.title) : '');
        if (id === 32) e.setAttribute('aria-live', 'polite');
      }
      header.appendChild(e);
    }
  }
  function place(e, box) {
    Object.assign(e.style, {left: box[0] + 'px', top: box[1] + 'px', width: box[2] + 'px',
                            height: box[3] + 'px'});
  }
  function arrange() {
    const w = document.documentElement.clientWidth;
    const h = document.documentElement.clientHeight;
    const L = (what) => core.main_layout(w, h, what);
    const header = document.getElementById('header');
    place(grid, [L(0), L(1), L(2), L(3)]);
    place(header, [L(4), L(5), L(6), L(7)]);
    const count = core.header_box(-1, 0, 0);
    for (let n = 0; n < count; n++) {
      const H = (what) => core.header_box(n, L(6), what);
      place(header.querySelector('[data-id="' + H(0) + '"]'), [H(1), H(2), H(3), H(4)]);
    }
  }

  async function start() {
    const wasm = await WebAssembly.instantiate(fromBase64(data.wasm), {});
    core = wasm.instance.exports;
    core._initialize();
    const definition = fromBase64(data.definition);
    const codes = fromBase64(data.codes);
    const both = new Uint8Array(definition.length + codes.length);
    both.set(definition);
    both.set(codes, definition.length);
    put(both);
    if (core.load(definition.length, codes.length) !== 0) {
      document.getElementById('problem').textContent = 'Ce quiz est ab\u00eem\u00e9.';
      return;
    }
    data.media.forEach((m, n) => m && m.w && core.set_picture(n + 1, m.w, m.h));
    const count = core.layout();
    document.title = text(T.title) || document.title;
    buildHeader(document.getElementById('header'));
    grid = document.getElementById('grid');
    grid.style.backgroundColor = css(core.info(I.background));
    const canvas = grid.firstElementChild;
    canvasHeight = core.info(I.canvasHeight);
    canvas.style.width = core.info(I.canvasWidth) + 'px';
    canvas.style.height = canvasHeight + 'px';
    for (let n = 0; n < count; n++) buildControl(canvas, n);
    if (core.info(I.kind) === KIND_PICTURE) canvas.classList.add('pictures');
    if (core.info(I.kind) === KIND_VIDEO) canvas.classList.add('videos');
    arrange();
    window.addEventListener('resize', arrange);
    restore();
    refresh();
    performance.mark('velto-grid');
    canvas.addEventListener('focusin', (e) => fieldOf(e.target) && e.target.select());
    canvas.addEventListener('focusout', (e) => fieldOf(e.target) && judge(fieldOf(e.target)));
    canvas.addEventListener('keydown', onKeyDown);
    canvas.addEventListener('keyup', onKeyUp);
    // Closing the page saves what the fields hold, as closing the player's window does.
    window.addEventListener('pagehide', () => {
      const k = fieldOf(document.activeElement);
      if (k) judgeText(k);
      save();
    });
    // The player starts at the grid's top; on a small screen the browser then scrolls just far
    // enough for the first answer field to show.
    grid.scrollTop = 0;
    if (fields[1]) fields[1].focus();
    document.body.dataset.ready = '1';
  }
  start().catch((e) => {
    document.getElementById('problem').textContent = 'Le quiz ne d\u00e9marre pas : ' + e;
  });
})();
