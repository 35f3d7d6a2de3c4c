// The page's half of Quarvel's web back-end. It draws the windows that the program's window
// system keeps (page_front.cpp) as real controls, and queues what the user does there, as a
// window system queues input, for the program to take when it waits. It decides nothing itself:
// every click, key and text goes to the program, which answers by changing its windows.
'use strict';

const QuarvelPage = (() => {
  // What the program is told; the same numbers in page_front.cpp.
  const Input = {CLICK: 1, TEXT: 2, PICK: 3, KEY: 4, MENU: 5, SYSTEM_MENU: 6, CLOSE_BOX: 7,
                 FOCUS: 8, ANSWER: 9, REPAINT: 10, RESTART: 11};
  const Keys = {Tab: 9, Enter: 13, Escape: 27};
  // What kind of control the program made; the same numbers in page_front.cpp.
  const Kind = {BUTTON: 1, DEFAULT_BUTTON: 2, GROUP: 3, EDIT: 4, STATIC: 5, LIST: 6, ICON: 7};
  const SS_TYPEMASK = 0x1F, SS_CENTER = 1, SS_RIGHT = 2, SS_NOPREFIX = 0x80;
  const WS_TABSTOP = 0x10000;
  const MF_SEPARATOR = 0x800, MF_DISABLED = 0x3;
  const SC_CLOSE = 61536;
  // Message-box buttons by box type, and their labels.
  const BOX_BUTTONS = {0: [1], 1: [1, 2], 3: [6, 7, 2], 4: [6, 7], 5: [4, 2]};
  const BUTTON_LABELS = {1: 'OK', 2: 'Cancel', 4: '&Retry', 6: '&Yes', 7: '&No'};
  const BOX_ICONS = {0x10: 'stop', 0x20: 'question', 0x30: 'warning', 0x40: 'information'};

  const queue = [];
  let wake = null;
  let pendingText = '';
  const byHandle = new Map();  // the program's window handles to their elements
  const shown = [];            // the open windows, the active one last
  let menu = null;             // the open menu: {popup, opener, returnTo}
  let stopped = false;         // once the page has stopped, nothing more goes to the program
  const changed = new Set();   // fields whose text the program changed since it last waited

  // --- input, queued for the program

  function post(kind, target, a = 0, b = 0, text = null) {
    if (stopped) return;
    queue.push({kind, target, a, b, text});
    if (wake) {
      const resume = wake;
      wake = null;
      resume();
    }
  }

  async function nextEvent() {
    announce();
    while (queue.length === 0) await new Promise((resolve) => { wake = resolve; });
    const event = queue.shift();
    pendingText = event.text;
    return event;
  }

  // Texts cross as the program's single-byte text: a character past Latin-1 becomes '?', as in
  // a Windows program's ANSI text.
  function writeText(heap, pointer) {
    for (let i = 0; i < pendingText.length; ++i) {
      const code = pendingText.charCodeAt(i);
      heap[pointer + i] = code < 256 ? code : 63;
    }
    heap[pointer + pendingText.length] = 0;
  }

  function readText(heap, pointer) {
    let end = pointer;
    while (heap[end] !== 0) ++end;
    let text = '';
    for (let at = pointer; at < end; at += 8192) {
      text += String.fromCharCode.apply(null, heap.subarray(at, Math.min(end, at + 8192)));
    }
    return text;
  }

  const handleOf = (element) => element && element.quarvelHandle;
  const top = () => shown[shown.length - 1];

  // --- what the windows look like

  function el(tag, className, parent) {
    const element = document.createElement(tag);
    if (className) element.className = className;
    if (parent) parent.append(element);
    return element;
  }

  // A text with '&' before its mnemonic letter: the letter underlined, '&&' a plain '&'.
  function setMnemonicText(element, text) {
    element.replaceChildren();
    let mnemonic = '';
    const parts = text.split(/(&&|&.)/);
    for (const part of parts) {
      if (part === '&&') {
        element.append('&');
      } else if (part.length === 2 && part[0] === '&') {
        el('u', '', element).textContent = part[1];
        mnemonic = mnemonic || part[1].toLowerCase();
      } else {
        element.append(part);
      }
    }
    element.dataset.mnemonic = mnemonic;
  }

  const plainText = (text) => text.replace(/&(&?)/g, '$1');

  function baseUnits() {
    const probe = el('span', 'measure', document.body);
    probe.textContent = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
    const box = probe.getBoundingClientRect();
    probe.remove();
    // As the system works out a dialog font's base units: the 52 letters' average width,
    // rounded, and the font's height.
    const width = Math.round(box.width);
    return [Math.floor((Math.floor(width / 26) + 1) / 2), Math.round(box.height)];
  }

  // The colour a window's texts are drawn in, in the user's scheme.
  function textColor() {
    const frame = el('div', 'window measure', document.body);
    const text = getComputedStyle(el('span', 'static', frame)).color;
    const color = text.match(/[\d.]+/g).map(Number);
    frame.remove();
    return color[0] | (color[1] << 8) | (color[2] << 16);
  }

  function desktop() {
    return document.getElementById('desktop');
  }

  function openWindow(handle, templateId, caption, width, height, baseY) {
    const frame = el('dialog', 'window', desktop());
    frame.quarvelHandle = handle;
    frame.dataset.dialog = templateId;
    frame.baseY = baseY;
    const id = 'w' + handle;
    frame.setAttribute('aria-labelledby', id + '-caption');
    const bar = el('div', 'caption', frame);
    const icon = el('button', 'system-menu', bar);
    icon.type = 'button';
    icon.tabIndex = -1;
    icon.hidden = true;
    icon.setAttribute('aria-label', 'System menu');
    icon.setAttribute('aria-haspopup', 'menu');
    el('img', '', icon).alt = '';
    icon.addEventListener('click', () => openSystemMenu(frame));
    const title = el('span', 'title', bar);
    title.id = id + '-caption';
    title.dataset.part = 'caption';
    title.textContent = caption;
    addCloseBox(bar, () => post(Input.CLOSE_BOX, handle));
    frame.menuBar = el('div', 'menu-bar', frame);
    frame.menuBar.setAttribute('role', 'menubar');
    frame.menuBar.hidden = true;
    frame.client = el('div', 'client', frame);
    frame.client.style.width = width + 'px';
    frame.client.style.height = height + 'px';
    frame.canvas = el('canvas', 'paint', frame.client);
    frame.canvas.setAttribute('aria-hidden', 'true');
    resized.observe(frame.canvas, {box: canvasBox});
    frame.systemMenu = [];
    keepOpen(frame, () => post(Input.KEY, handle, Keys.Escape, 0));
    byHandle.set(handle, frame);
  }

  // The browser closes a window by itself on a close request it did not let the page refuse: Esc
  // let through, a phone's back gesture. A window the program still holds is shown again at once,
  // and the request reaches the program as the Esc it is, once, so that the two never disagree.
  function keepOpen(frame, escape) {
    frame.escape = escape;
    frame.addEventListener('cancel', (event) => {
      event.preventDefault();
      escape();
      frame.escaped = !event.defaultPrevented;  // the close that follows is answered already
    });
    frame.addEventListener('close', () => {
      const escaped = frame.escaped;
      frame.escaped = false;
      if (stopped || !shown.includes(frame)) return;
      if (frame.modal) frame.showModal(); else frame.setAttribute('open', '');
      if (!escaped) escape();
    });
  }

  function addCloseBox(bar, close) {
    const button = el('button', 'close-box', bar);
    button.type = 'button';
    button.tabIndex = -1;
    button.dataset.command = SC_CLOSE;
    button.setAttribute('aria-label', 'Close');
    button.textContent = '\u2715';
    button.addEventListener('click', close);
  }

  // Group boxes hold the controls that lie within them, in template order, so that each control
  // has its group; a template may list a group box after its controls.
  function group(frame) {
    const groups = [...frame.client.querySelectorAll('fieldset')];
    for (const control of [...frame.client.querySelectorAll(':scope > [data-control]')]) {
      const {x, y, cx, cy} = control.area;
      const holders = groups.filter(({area: g}) => control.tagName !== 'FIELDSET' && x >= g.x &&
                                    y >= g.y && x + cx <= g.x + g.cx && y + cy <= g.y + g.cy);
      const holder = holders.sort((a, b) => a.area.cx * a.area.cy - b.area.cx * b.area.cy)[0];
      if (!holder) continue;
      control.style.left = x - holder.area.x + 'px';
      control.style.top = y - holder.area.y + 'px';
      holder.append(control);
      holder.order = Math.min(holder.order, control.order);  // a group comes with its first control
    }
  }

  function addControl(window, handle, id, kind, style, x, y, cx, cy, text) {
    const frame = byHandle.get(window);
    let control;
    if (kind === Kind.BUTTON || kind === Kind.DEFAULT_BUTTON) {
      control = el('button', kind === Kind.DEFAULT_BUTTON ? 'default' : '');
      control.type = 'button';
      control.addEventListener('click', () => post(Input.CLICK, handle));
    } else if (kind === Kind.GROUP) {
      control = el('fieldset');
      el('legend', '', control);
    } else if (kind === Kind.EDIT) {
      control = el('input');
      control.type = 'text';
      // A phone's text keyboard: its decimal pad has no minus sign and no "e", and on iOS shows
      // the region's decimal separator, often a comma, which the program does not read. Nothing
      // is corrected, capitalised or suggested in a number.
      control.inputMode = 'text';
      for (const name of ['autocomplete', 'autocorrect', 'autocapitalize']) {
        control.setAttribute(name, 'off');
      }
      control.spellcheck = false;
      control.addEventListener('input', () => post(Input.TEXT, handle, 0, 0, control.value));
    } else if (kind === Kind.LIST) {
      control = el('select');
      control.addEventListener('change', () => post(Input.PICK, handle, control.selectedIndex));
      cy = frame.baseY + 8;  // the closed list; the template's height is its drop-down's
    } else if (kind === Kind.ICON) {
      control = el('img', 'icon');
      control.alt = '';
    } else {
      control = el('span', 'static');
      const align = style & SS_TYPEMASK;
      control.style.textAlign =
          align === SS_RIGHT ? 'right' : align === SS_CENTER ? 'center' : 'left';
      control.noPrefix = (style & SS_NOPREFIX) !== 0;
    }
    control.quarvelHandle = handle;
    control.area = {x, y, cx, cy};
    control.order = frame.client.querySelectorAll('[data-control]').length;  // in the template
    control.id = 'w' + window + '-c' + handle;
    control.dataset.control = id;
    // Tab is the window system's: the page only keeps the controls without a tab stop out of it.
    if (kind !== Kind.GROUP && kind !== Kind.ICON && !(style & WS_TABSTOP)) control.tabIndex = -1;
    Object.assign(control.style, {left: x + 'px', top: y + 'px', width: cx + 'px',
                                  height: cy + 'px'});
    frame.client.insertBefore(control, frame.canvas);
    byHandle.set(handle, control);
    if (text) setText(handle, text);
  }

  // Labels name the field they stand before on its row; the unit after a field describes it.
  function bindLabels(frame) {
    const all = [...frame.client.querySelectorAll('[data-control]')];
    const statics = all.filter((e) => e.classList.contains('static'));
    for (const field of all.filter((e) => e.matches('input, select'))) {
      const at = field.area;
      const row = statics.filter((e) => e.isConnected && e.area.y === at.y);
      const before = row.filter((e) => e.area.x + e.area.cx <= at.x)
                        .sort((a, b) => b.area.x - a.area.x)[0];
      const after = row.filter((e) => e.area.x >= at.x + at.cx)
                       .sort((a, b) => a.area.x - b.area.x)[0];
      let label = null;
      if (before) {
        label = document.createElement('label');
        label.className = before.className;
        label.style.cssText = before.style.cssText;
        label.htmlFor = field.id;
        label.replaceChildren(...before.childNodes);
        Object.assign(label, {id: before.id, quarvelHandle: before.quarvelHandle,
                              area: before.area, order: before.order, noPrefix: before.noPrefix});
        label.dataset.control = before.dataset.control;
        before.replaceWith(label);
        byHandle.set(label.quarvelHandle, label);
      }
      if (after) field.setAttribute('aria-describedby', after.id);
      field.row = [label, field, after];
      for (const part of field.row) if (part) part.onRow = true;
      // A field with no label of its own is named by the title of its group.
      const group = field.parentElement;
      if (!before && group.tagName === 'FIELDSET') {
        group.firstChild.id = field.id + '-group';
        field.setAttribute('aria-labelledby', group.firstChild.id);
      }
    }
  }

  function setText(handle, text) {
    const element = byHandle.get(handle);
    if (!element) return;
    if (element.tagName === 'DIALOG') {
      element.querySelector('.title').textContent = text;
    } else if (element.tagName === 'INPUT') {
      if (element.value !== text) {
        element.value = text;
        if (shown.includes(element.closest('dialog'))) changed.add(element);
      }
    } else if (element.tagName === 'FIELDSET') {
      setMnemonicText(element.firstChild, text);
    } else if (element.tagName === 'BUTTON') {
      setMnemonicText(element, text);
    } else if (element.tagName !== 'SELECT' && element.tagName !== 'IMG') {
      if (element.noPrefix) element.textContent = text; else setMnemonicText(element, text);
      if (element.classList.contains('figure')) speak(element.closest('dialog'));
    }
  }

  // A screen reader hears a figure's texts as one: left to right, and where the program painted a
  // bar between two texts stacked one over the other, a fraction ("A, divided by B"). A figure
  // with no fraction is read as its texts are.
  function speak(frame) {
    for (const figure of frame.figures || []) {
      const texts = figure.members.filter((e) => e.textContent.trim())
                                  .sort((a, b) => a.area.x - b.area.x || a.area.y - b.area.y);
      const beside = (a, b) => a.area.x < b.area.x + b.area.cx && b.area.x < a.area.x + a.area.cx;
      const barBetween = (a, b) => (frame.bars || []).some(([x1, y, x2]) =>
          y >= a.area.y + a.area.cy - 1 && y <= b.area.y + 1 && x1 < a.area.x + a.area.cx &&
          a.area.x < x2);
      let reading = '', fraction = false;
      for (let i = 0; i < texts.length; ++i) {
        const [a, b] = [texts[i], texts[i + 1]];
        if (b && beside(a, b) && a.area.y < b.area.y && barBetween(a, b)) {
          reading += ` ${a.textContent}, divided by ${b.textContent}`;
          fraction = true;
          ++i;
        } else {
          reading += ' ' + a.textContent;
        }
      }
      for (const e of figure.members) e.toggleAttribute('aria-hidden', fraction);
      if (!figure.spoken) {
        figure.spoken = el('span', 'spoken');
        figure.spoken.setAttribute('role', 'img');
        figure.holder.insertBefore(figure.spoken, figure.members[0]);
      }
      figure.spoken.hidden = !fraction;
      figure.spoken.setAttribute('aria-label', reading.replace(/\s*=\s*/g, ' equals ')
          .replace(/\s+x\s+/g, ' times ').replace(/\s+/g, ' ').trim());
    }
  }

  // A field the program changed while the user waited, a new result say, is announced once the
  // program waits again, politely and once: its label, its text and its unit, as the screen shows
  // them. A disabled field, the quantity solved for, says nothing the result does not.
  function announce() {
    const said = [...changed].filter((e) => e.isConnected && !e.disabled)
                             .map((e) => (e.row || [e]).map((part) => !part ? '' :
                                  part === e ? e.value : part.textContent).join(''));
    changed.clear();
    if (!said.length) return;
    let region = document.getElementById('announced');
    if (!region) {
      region = el('div', 'spoken', desktop());
      region.id = 'announced';
      region.setAttribute('role', 'status');
      region.setAttribute('aria-live', 'polite');
    }
    region.textContent = said.join(', ');
  }

  function setEnabled(handle, enabled) {
    const element = byHandle.get(handle);
    if (element && 'disabled' in element) element.disabled = !enabled;
  }

  // Entry `index` of a list; entry 0 starts the list anew, -1 empties it.
  function listItem(handle, index, text) {
    const list = byHandle.get(handle);
    if (index <= 0) list.replaceChildren();
    if (index >= 0) el('option', '', list).textContent = text;
  }

  function setSelection(handle, index) {
    byHandle.get(handle).selectedIndex = index;
  }

  function focus(handle, from, to) {
    const element = byHandle.get(handle);
    if (!element) return;
    element.focus();
    if (element.tagName === 'INPUT') element.setSelectionRange(from, to);
  }

  // The icon of an icon control, or the one in a window's caption, which opens its system menu.
  function setIcon(handle, iconId) {
    const element = byHandle.get(handle);
    if (element.tagName === 'IMG') {
      element.src = iconUrl(iconId);
      return;
    }
    const icon = element.querySelector('.system-menu');
    icon.hidden = iconId === 0;
    if (iconId) icon.firstChild.src = iconUrl(iconId);
  }

  // The module's icon is the page's.
  function iconUrl() {
    return document.querySelector('link[rel=icon]').href;
  }

  function showWindow(handle, modal) {
    const frame = byHandle.get(handle);
    group(frame);
    bindLabels(frame);
    arrange(frame);
    // The program puts the focus where it belongs: the window needs no focusing of its own.
    frame.modal = modal;
    if (modal) frame.showModal(); else frame.setAttribute('open', '');
    shown.push(frame);
    layOut();
    speak(frame);
  }

  // --- narrow screens: where a window's template does not fit the page, as on a phone or at a
  // high zoom, every window is laid out in one column (page.css), in template order: each group a
  // section, each field on a line with its label and unit, each button a line of its own. The
  // texts that belong to no field (the equation, the About box's) stay a figure, placed as in
  // the template and scaled to the column; the program's painting is scaled with them.

  // Each control's line in its group or window, and the figures' places in the template.
  function arrange(frame) {
    frame.figures = [];
    for (const holder of [frame.client, ...frame.client.querySelectorAll('fieldset')]) {
      const lines = [], figure = [];
      for (const e of holder.querySelectorAll(':scope > [data-control]')) {
        if (e.row) lines.push(e.row);
        else if (e.matches('.static, .icon') && !e.onRow) figure.push(e);
        else if (!e.onRow) lines.push([e]);
      }
      const first = (line) => Math.min(...line.filter(Boolean).map((e) => e.order));
      if (figure.length) {
        const x = Math.min(...figure.map((e) => e.area.x));
        const y = Math.min(...figure.map((e) => e.area.y));
        const cx = Math.max(...figure.map((e) => e.area.x + e.area.cx)) - x;
        const cy = Math.max(...figure.map((e) => e.area.y + e.area.cy)) - y;
        for (const e of figure) {
          e.classList.add('figure');
          for (const [name, value] of [['--fx', e.area.x - x], ['--fy', e.area.y - y],
                                       ['--cx', e.area.cx], ['--cy', e.area.cy]]) {
            e.style.setProperty(name, value + 'px');
          }
        }
        // A figure reads before the lines that lie below it in the window.
        const below = lines.filter((line) => line.every((e) => !e || e.area.y >= y + cy));
        figure.order = Math.min(first(figure), ...below.map(first)) - 0.5;
        frame.figures.push({members: figure, holder, x, y, cx, cy});
        lines.push(figure);
      }
      lines.sort((a, b) => (a.order ?? first(a)) - (b.order ?? first(b)));
      lines.forEach((line, at) => {
        // A field's label, the field and its unit share the three columns; the rest spans them.
        const [label, field, unit] = line;
        const row = field && field.row === line;
        const columns = [1, `${label ? 2 : 1} / ${unit ? 3 : -1}`, 3];
        line.forEach((e, part) => {
          if (!e) return;
          e.style.setProperty('--line', at + 1);
          e.style.setProperty('--column', row ? columns[part] : '1 / -1');
        });
      });
    }
  }

  let widest = 0;  // the widest window's template so far, in CSS pixels
  const narrow = () => document.documentElement.classList.contains('narrow');

  // The page's layout for the screen it has now: the windows as the templates place them while
  // the widest fits, else one column; called as a window shows and as the screen changes. The
  // windows are measured only as the templates place them: a window shown in one column cannot
  // make the page wider.
  function layOut() {
    const page = document.documentElement;
    for (const frame of shown) {
      frame.style.overflow = frame.style.maxWidth = frame.style.maxHeight = '';
      frame.style.boxSizing = '';
      if (!narrow()) widest = Math.max(widest, frame.getBoundingClientRect().width);
    }
    page.classList.toggle('narrow', widest > page.clientWidth);
    for (const frame of shown) {
      if (narrow()) {
        for (const figure of frame.figures || []) scaleFigure(figure);
      } else if (frame.matches(':modal') &&
                 frame.getBoundingClientRect().height > page.clientHeight) {
        // A modal window is fixed to the screen, where the page's scrolling cannot reach what
        // lies past its edge: one taller than the screen scrolls in itself.
        frame.style.maxWidth = frame.style.maxHeight = '100%';
        frame.style.boxSizing = 'border-box';
        frame.style.overflow = 'auto';
      }
    }
  }
  window.addEventListener('resize', layOut);

  // A figure's texts are drawn as large as the window's, where the column has the room, and
  // never under 14 pixels.
  function scaleFigure(figure) {
    const style = getComputedStyle(figure.holder);
    const room = figure.holder.clientWidth - parseFloat(style.paddingLeft) -
                 parseFloat(style.paddingRight);
    const probe = el('span', 'measure', document.body);
    const natural = parseFloat(getComputedStyle(probe).fontSize);
    probe.remove();
    const font = parseFloat(getComputedStyle(figure.holder).fontSize);
    figure.scale = Math.max(Math.min(room / figure.cx, font / natural), 14 / natural, 1);
    figure.holder.style.setProperty('--scale', figure.scale);
    figure.holder.style.setProperty('--natural', natural + 'px');
  }

  function closeWindow(handle) {
    const frame = byHandle.get(handle);
    closeMenu(false);
    shown.splice(shown.indexOf(frame), 1);
    for (const element of frame.querySelectorAll('*')) {
      if (element.quarvelHandle) byHandle.delete(element.quarvelHandle);
    }
    byHandle.delete(handle);
    frame.close();
    frame.remove();
  }

  // --- painting: the program's lines and icons, in client pixels, on the window's canvas

  // The canvas has a pixel for each of the screen's; the program draws in its client pixels. In
  // one column, each figure shows the program's painting that lies within the figure's place in
  // the template, at the figure's place and scale.
  function beginPaint(handle) {
    const frame = byHandle.get(handle);
    const canvas = frame.canvas, box = canvas.getBoundingClientRect();
    const scale = window.devicePixelRatio || 1;
    canvas.width = Math.round(box.width * scale);
    canvas.height = Math.round(box.height * scale);
    const context = canvas.getContext('2d');
    context.setTransform(canvas.width / parseFloat(frame.client.style.width), 0, 0,
                         canvas.height / parseFloat(frame.client.style.height), 0, 0);
    const pixel = canvas.width / box.width;
    frame.bars = [];
    frame.paintAreas = !narrow() ? null : (frame.figures || []).map((figure) => {
      const e = figure.members[0], at = e.getBoundingClientRect(), k = figure.scale;
      const left = at.left - box.left - e.area.x * k, top = at.top - box.top - e.area.y * k;
      return {...figure, matrix: [pixel * k, 0, 0, pixel * k, pixel * left, pixel * top]};
    });
    return context;
  }

  function drawLine(handle, x1, y1, x2, y2, width, color) {
    const frame = byHandle.get(handle);
    if (y1 === y2) {
      frame.bars.push([Math.min(x1, x2), y1, Math.max(x1, x2)]);
      speak(frame);
    }
    const context = frame.canvas.getContext('2d');
    context.strokeStyle = `rgb(${color & 255}, ${(color >> 8) & 255}, ${(color >> 16) & 255})`;
    context.lineWidth = width;
    context.lineCap = 'butt';
    // A pen of even width covers as many pixels above its line as below.
    const offset = width % 2 ? 0.5 : 0;
    const line = () => {
      context.beginPath();
      context.moveTo(x1, y1 + offset);
      context.lineTo(x2, y2 + offset);
      context.stroke();
    };
    if (!frame.paintAreas) return line();
    // A line is drawn with the figure it lies in.
    const within = ({x, y, cx, cy}) => [[x1, y1], [x2, y2]].every(([px, py]) =>
        px >= x && px <= x + cx && py >= y && py <= y + cy);
    const figure = frame.paintAreas.find(within);
    if (!figure) return;
    context.setTransform(...figure.matrix);
    line();
  }

  // --- menus: the menu bar, the system menu, and the keyboard in them

  function addMenu(window, popupIndex, itemIndex, command, flags, text) {
    const frame = byHandle.get(window);
    frame.menuBar.hidden = false;
    if (itemIndex < 0) {
      const opener = el('button', 'menu-title', frame.menuBar);
      opener.type = 'button';
      opener.tabIndex = -1;
      opener.setAttribute('role', 'menuitem');
      opener.setAttribute('aria-haspopup', 'menu');
      opener.setAttribute('aria-expanded', 'false');
      setMnemonicText(opener, text);
      opener.popup = el('div', 'menu', frame);
      opener.popup.setAttribute('role', 'menu');
      opener.popup.setAttribute('aria-label', plainText(text));
      opener.popup.hidden = true;
      opener.addEventListener('click', () => {
        if (menu && menu.opener === opener) closeMenu(true); else openMenu(opener, false);
      });
      return;
    }
    const opener = frame.menuBar.querySelectorAll('.menu-title')[popupIndex];
    const item = addMenuItem(opener.popup, flags, text,
                             () => post(Input.MENU, window, popupIndex, itemIndex));
    if (item) item.dataset.command = command;
  }

  function addMenuItem(popup, flags, text, choose) {
    if (flags & MF_SEPARATOR) {
      el('div', 'separator', popup).setAttribute('role', 'separator');
      return;
    }
    const item = el('button', 'menu-item', popup);
    item.type = 'button';
    item.tabIndex = -1;
    item.setAttribute('role', 'menuitem');
    setMnemonicText(item, text);
    item.disabled = (flags & MF_DISABLED) !== 0;
    item.addEventListener('click', () => {
      closeMenu(true);
      choose();
    });
    return item;
  }

  // Item `index` of a window's system menu; item 0 starts the menu anew.
  function systemMenuItem(window, index, id, flags, text) {
    const frame = byHandle.get(window);
    if (index === 0) frame.systemMenu = [];
    frame.systemMenu.push({id, flags, text});
  }

  function openSystemMenu(frame) {
    const opener = frame.querySelector('.system-menu');
    if (menu && menu.opener === opener) return closeMenu(true);
    const popup = el('div', 'menu system', frame);
    popup.setAttribute('role', 'menu');
    popup.setAttribute('aria-label', 'System');
    frame.systemMenu.forEach((entry, index) => {
      const item = addMenuItem(popup, entry.flags, entry.text,
                               () => post(Input.SYSTEM_MENU, frame.quarvelHandle, index));
      if (item) item.dataset.command = entry.id;
    });
    opener.popup = popup;
    openMenu(opener, true);
  }

  function openMenu(opener, focusFirst) {
    const returnTo = menu ? menu.returnTo : document.activeElement;
    closeMenu(false);
    menu = {opener, popup: opener.popup, returnTo};
    opener.popup.hidden = false;
    opener.setAttribute('aria-expanded', 'true');
    opener.classList.add('open');
    // Below its opener, in the window's own pixels, whatever the window's scale.
    let x = 0, y = opener.offsetHeight;
    for (let e = opener; e && e !== opener.popup.parentElement; e = e.offsetParent) {
      x += e.offsetLeft;
      y += e.offsetTop;
    }
    // In one column the menu stays within the window.
    if (narrow()) x = Math.max(0, Math.min(x, opener.popup.parentElement.clientWidth -
                                          opener.popup.offsetWidth));
    opener.popup.style.left = x + 'px';
    opener.popup.style.top = y + 'px';
    const items = menuItems();
    (focusFirst && items[0] ? items[0] : opener).focus();
  }

  function closeMenu(restoreFocus) {
    if (!menu) return;
    const {opener, popup, returnTo} = menu;
    menu = null;
    opener.setAttribute('aria-expanded', 'false');
    opener.classList.remove('open');
    if (popup.classList.contains('system')) popup.remove(); else popup.hidden = true;
    if (restoreFocus && returnTo && returnTo.isConnected) returnTo.focus();
  }

  const menuItems = () => [...menu.popup.querySelectorAll('.menu-item:not(:disabled)')];

  function menuKey(event) {
    const items = menuItems();
    const at = items.indexOf(document.activeElement);
    const titles = [...menu.opener.parentElement.querySelectorAll('.menu-title')];
    const title = titles.indexOf(menu.opener);
    if (event.key === 'Escape' || event.key === 'Tab' || event.key === 'Alt') {
      closeMenu(true);
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      const step = event.key === 'ArrowDown' ? 1 : -1;
      const next = at >= 0 ? at + step : step > 0 ? 0 : -1;
      if (items.length) items[(next + items.length) % items.length].focus();
    } else if ((event.key === 'ArrowLeft' || event.key === 'ArrowRight') && title >= 0) {
      const step = event.key === 'ArrowRight' ? 1 : titles.length - 1;
      openMenu(titles[(title + step) % titles.length], true);
    } else if (event.key === 'Enter' || event.key === ' ') {
      if (at >= 0) items[at].click(); else if (items[0]) items[0].focus();
    } else if (event.key.length === 1) {
      const chosen = items.find((item) => item.dataset.mnemonic === event.key.toLowerCase());
      if (chosen) chosen.click();
    } else {
      return;
    }
    event.preventDefault();
  }

  // --- the keyboard: what a dialog manager does with Tab, Enter and Esc is the program's
  // window system's; the page only tells it which key.

  function onKey(event) {
    const frame = top();
    if (stopped || !frame) return;
    if (menu) return menuKey(event);
    if (frame.box) return boxKey(frame, event);
    const chord = event.ctrlKey || event.metaKey || event.altKey;
    // Esc with a modifier is the system's, not the window's: it closes nothing.
    if (event.key === 'Escape' && chord) return event.preventDefault();
    const titles = [...frame.menuBar.querySelectorAll('.menu-title')];
    if (event.altKey && !event.ctrlKey && !event.metaKey && event.key !== 'Alt') {
      const title = titles.find((t) => t.dataset.mnemonic === event.key.toLowerCase());
      if (event.key === ' ' && frame.systemMenu.length) openSystemMenu(frame);
      else if (title) openMenu(title, true);
      else return;
      return event.preventDefault();
    }
    if (event.key === 'F10' && titles.length) {
      openMenu(titles[0], true);
      return event.preventDefault();
    }
    if (!(event.key in Keys) || chord) return;
    event.preventDefault();
    post(Input.KEY, frame.quarvelHandle, Keys[event.key], event.shiftKey ? 1 : 0);
  }

  document.addEventListener('keydown', onKey, true);
  document.addEventListener('focusin', (event) => {
    const handle = handleOf(event.target);
    const frame = top();
    if (handle && frame && !frame.box && frame.contains(event.target)) post(Input.FOCUS, handle);
  });
  document.addEventListener('pointerdown', (event) => {
    if (menu && !menu.popup.contains(event.target) && !menu.opener.contains(event.target)) {
      closeMenu(false);
    }
  }, true);
  // Another colour scheme or scale: the windows paint again, in the new text colour and at the
  // new resolution.
  const repaint = () => {
    for (const frame of shown) if (!frame.box) post(Input.REPAINT, frame.quarvelHandle);
  };
  for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)']) {
    matchMedia(query).addEventListener('change', repaint);
  }
  const resized = new ResizeObserver(repaint);
  // The canvas's own device pixels, where the engine observes them. WebKit does not (asking
  // throws): there the content box, and the scale watched by itself, anew at each scale, since a
  // zoom alone changes no content box.
  let canvasBox = 'device-pixel-content-box';
  try {
    resized.observe(document.documentElement, {box: canvasBox});
    resized.unobserve(document.documentElement);
  } catch {
    canvasBox = 'content-box';
    const watchScale = () => matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener(
        'change', () => { repaint(); watchScale(); }, {once: true});
    watchScale();
  }

  // --- message boxes

  function showBox(id, text, caption, style) {
    const frame = el('dialog', 'window box', desktop());
    frame.box = id;
    frame.dataset.dialog = 'box';
    frame.setAttribute('role', 'alertdialog');
    frame.setAttribute('aria-labelledby', 'box' + id + '-caption');
    frame.setAttribute('aria-describedby', 'box' + id + '-text');
    const bar = el('div', 'caption', frame);
    const title = el('span', 'title', bar);
    title.id = 'box' + id + '-caption';
    title.dataset.part = 'caption';
    title.textContent = caption;
    const buttons = BOX_BUTTONS[style & 0xF] || BOX_BUTTONS[0];
    // The close box answers as Esc does: Cancel, or OK where OK is the only button.
    const cancel = buttons.includes(2) ? 2 : buttons.length === 1 ? buttons[0] : 0;
    if (cancel) addCloseBox(bar, () => post(Input.ANSWER, id, cancel));
    const body = el('div', 'box-body', frame);
    const icon = BOX_ICONS[style & 0xF0];
    if (icon) el('span', 'box-icon ' + icon, body).setAttribute('aria-hidden', 'true');
    const message = el('p', 'box-text', body);
    message.id = 'box' + id + '-text';
    message.dataset.part = 'text';
    message.textContent = text;
    const row = el('div', 'box-buttons', frame);
    for (const answer of buttons) {
      const button = el('button', '', row);
      button.type = 'button';
      button.dataset.command = answer;
      setMnemonicText(button, BUTTON_LABELS[answer]);
      button.addEventListener('click', () => post(Input.ANSWER, id, answer));
    }
    frame.returnTo = document.activeElement;
    keepOpen(frame, () => cancel && post(Input.ANSWER, id, cancel));
    frame.modal = true;
    frame.showModal();
    shown.push(frame);
    layOut();
    row.firstChild.focus();
  }

  // A box takes its keys whatever modifiers they carry; Alt and F10 open nothing behind it. Other
  // keys are the browser's, to copy the box's text say.
  function boxKey(frame, event) {
    const buttons = [...frame.querySelectorAll('.box-buttons button')];
    const at = buttons.indexOf(document.activeElement);
    if (event.key === 'Tab') {
      const step = event.shiftKey ? buttons.length - 1 : 1;
      buttons[(Math.max(at, 0) + step) % buttons.length].focus();
    } else if (event.key === 'Enter') {
      (buttons[at] || buttons[0]).click();
    } else if (event.key === 'Escape') {
      frame.escape();
    } else if (!event.altKey && event.key !== 'F10') {
      return;
    }
    event.preventDefault();
  }

  function closeBox(id) {
    const frame = shown.find((f) => f.box === id);
    shown.splice(shown.indexOf(frame), 1);
    frame.close();
    frame.remove();
    if (frame.returnTo && frame.returnTo.isConnected) frame.returnTo.focus();
  }

  // --- the rest of the system: the browser for online help, and the program's end

  function openUrl(url) {
    if (!stopped) window.open(url, '_blank', 'noopener,noreferrer');
  }

  // A fault in the page's scripts or in the program stops Quarvel: the page says so in the
  // windows' place, with the reason, rather than standing blank or unanswering. Nothing the user
  // does reaches the program after that, and nothing the program asks for reaches the browser.
  function showFailure(reason) {
    if (stopped) return;
    stopped = true;
    queue.length = 0;
    closeMenu(false);
    const started = byHandle.size > 0;
    for (const frame of document.querySelectorAll('dialog')) frame.remove();
    const page = el('section', 'ended', desktop());
    page.dataset.failed = '';
    page.setAttribute('role', 'alert');
    el('h1', '', page).textContent = started ? 'Quarvel has stopped.' : 'Quarvel could not start.';
    el('p', '', page).textContent = String(reason && reason.message || reason);
  }
  addEventListener('error', (event) => showFailure(event.error || event.message));
  addEventListener('unhandledrejection', (event) => showFailure(event.reason));

  // The site's page names its manifest: served over http(s), Quarvel is a web app there, whose
  // worker keeps the site for use offline. From the disk, or where the browser keeps no workers
  // (an address that is not secure), there is nothing to keep. A worker refused leaves the
  // calculator as it is, not working offline, and the console says why.
  if (document.querySelector('link[rel=manifest]') && /^https?:$/.test(location.protocol) &&
      navigator.serviceWorker) {
    addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(
        (error) => console.warn('Quarvel will not be kept for use offline:', error)));
  }

  function showEnded() {
    const page = el('section', 'ended', desktop());
    page.dataset.ended = '';
    el('h1', '', page).textContent = 'Quarvel has ended.';
    const again = el('button', '', page);
    again.type = 'button';
    again.textContent = 'Start Quarvel again';
    again.addEventListener('click', () => {
      page.remove();
      post(Input.RESTART, 0);
    });
    again.focus();
  }

  return {nextEvent, writeText, readText, baseUnits, textColor, openWindow, addControl, setText,
          setEnabled, listItem, setSelection, focus, setIcon, showWindow, closeWindow, beginPaint,
          drawLine, addMenu, systemMenuItem, showBox, closeBox, openUrl, showEnded};
})();
