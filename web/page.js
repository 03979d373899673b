// SPDX-License-Identifier: GPL-3.0-or-later
// The page side of the calculator window, appended to the WebAssembly module's own script.
// It holds no control, text or rule: it makes one HTML control per row of the exported layout
// table, reports every click to the C++ form (Module.WebForm), and shows the state the form
// returns, keyed by the controls' names. User text only ever reaches the page as textContent
// or an input's value.
'use strict';

(function () {
  const controls = new Map();  // control name -> its element
  let form = null;

  // The user's number settings, as the browser's language writes numbers.
  function numberSeparators() {
    const parts = new Intl.NumberFormat(undefined, { useGrouping: true }).formatToParts(12345.5);
    const part = (type) => (parts.find((p) => p.type === type) || { value: '' }).value;
    return { decimal: part('decimal') || '.', group: part('group') };
  }

  function domId(name) { return 'c-' + name.replace(/[()]/g, '-'); }

  function place(element, control) {
    element.classList.add('control');
    element.id = domId(control.name);
    element.dataset.name = control.name;
    const style = element.style;
    style.left = control.left + 'px';
    style.top = control.top + 'px';
    style.width = control.width + 'px';
    style.height = control.height + 'px';
    if (control.background) style.backgroundColor = control.background;
    if (control.centred) element.classList.add('centred');
    if (control.bold) element.classList.add('bold');
    if (control.tooltip) element.title = control.tooltip;
    element.hidden = control.hidden;
  }

  function makeFrame(control) {
    const frame = document.createElement('div');
    frame.classList.add('frame');
    const caption = document.createElement('span');
    caption.textContent = control.caption;
    if (control.drawsBorder) {
      frame.classList.add('border');
      caption.className = 'frame-caption';
      caption.style.backgroundColor = control.background;
    } else {
      caption.className = 'sr-only';  // not drawn, but a screen reader reads it
    }
    frame.append(caption);
    return frame;
  }

  function makeTextBox(control) {
    const box = document.createElement(control.multiLine ? 'textarea' : 'input');
    if (!control.multiLine) box.type = 'text';
    box.setAttribute('aria-label', control.label);
    box.readOnly = control.readOnly;
    box.value = control.caption;
    box.spellcheck = false;
    box.autocomplete = 'off';
    if (control.maxLength > 0) box.maxLength = control.maxLength;
    return box;
  }

  function makeListBox(control) {
    const list = document.createElement('div');
    list.className = 'listbox';
    list.setAttribute('role', 'listbox');
    list.setAttribute('aria-label', control.label);
    list.tabIndex = control.hidden ? -1 : 0;
    list.rows = [];
    list.selected = -1;
    list.addEventListener('mousedown', (event) => {
      const row = event.target.closest('[role="option"]');
      if (row === null || !list.contains(row)) return;
      list.focus();
      click(control.name, Number(row.dataset.row));
    });
    list.addEventListener('keydown', (event) => {
      const row = movedRow(list, event.key);
      if (row === null) return;
      event.preventDefault();
      click(control.name, row);
    });
    return list;
  }

  // The row a key moves a list to, or null for a key that does not move through the list.
  function movedRow(list, key) {
    const count = list.rows.length;
    if (count === 0) return null;
    const page = Math.max(1, Math.floor(list.clientHeight / rowHeight(list)) - 1);
    const from = list.selected;
    const moves = {
      ArrowDown: from + 1, ArrowUp: from - 1, Home: 0, End: count - 1,
      PageDown: from + page, PageUp: from - page,
    };
    if (!(key in moves)) return null;
    return Math.min(count - 1, Math.max(0, from < 0 && key === 'ArrowUp' ? 0 : moves[key]));
  }

  function rowHeight(list) {
    const first = list.firstElementChild;
    return first ? first.offsetHeight || 19 : 19;
  }

  function makeOption(control) {
    const option = document.createElement('label');
    option.className = 'option';
    const button = document.createElement('input');
    button.type = 'radio';
    button.name = control.name.replace(/\(.*$/, '');
    button.addEventListener('change', () => { if (button.checked) click(control.name, -1); });
    const caption = document.createElement('span');
    caption.textContent = control.caption;
    option.append(button, caption);
    option.input = button;
    return option;
  }

  function makeCommandButton(control) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = control.caption;
    button.addEventListener('click', () => click(control.name, -1));
    return button;
  }

  function makeLabel(control) {
    const label = document.createElement('div');
    label.className = 'label';
    label.textContent = control.caption;
    return label;
  }

  const makers = {
    label: makeLabel, frame: makeFrame, textBox: makeTextBox, listBox: makeListBox,
    optionButton: makeOption, commandButton: makeCommandButton,
  };

  // The boxes' typed texts, by name, for the form to read.
  function typedTexts() {
    const texts = {};
    // (No destructuring in loops: emscripten 3.1.6's JavaScript optimiser mangles it.)
    controls.forEach((element, name) => {
      if (element instanceof HTMLInputElement && !element.readOnly) texts[name] = element.value;
    });
    return texts;
  }

  function click(name, row) {
    show(form.click(name, row, typedTexts()));
  }

  function showList(list, content) {
    const same = list.rows.length === content.rows.length &&
      list.rows.every((text, k) => text === content.rows[k]);
    if (!same) {
      list.replaceChildren(...content.rows.map((text, k) => {
        const row = document.createElement('div');
        row.setAttribute('role', 'option');
        row.id = list.id + '-' + k;
        row.dataset.row = String(k);
        row.textContent = text;
        return row;
      }));
      list.rows = content.rows;
      list.selected = -1;
    }
    if (list.selected !== content.selected) {
      const before = list.children[list.selected];
      if (before) before.setAttribute('aria-selected', 'false');
      list.selected = content.selected;
    }
    for (const row of list.children) {
      row.setAttribute('aria-selected', String(Number(row.dataset.row) === content.selected));
    }
    const chosen = list.children[content.selected];
    if (chosen) {
      list.setAttribute('aria-activedescendant', chosen.id);
      // Scrolls the list alone, never the page.
      if (chosen.offsetTop < list.scrollTop) list.scrollTop = chosen.offsetTop;
      const bottom = chosen.offsetTop + chosen.offsetHeight - list.clientHeight;
      if (bottom > list.scrollTop) list.scrollTop = bottom;
    } else {
      list.removeAttribute('aria-activedescendant');
    }
  }

  // Writes each control only where it differs, so showing the state never disturbs typing.
  function show(state) {
    for (const name of Object.keys(state)) {
      const element = controls.get(name);
      const content = state[name];
      if (element === undefined) continue;
      if (element.classList.contains('listbox')) {
        showList(element, content);
      } else if (element.input) {
        if (element.input.checked !== content) element.input.checked = content;
      } else if (element.value !== content) {
        element.value = content;
      }
    }
  }

  // The fixed-size window scaled as a whole to fit the page below the switch of views, from a
  // phone to a projector.
  function fit(description) {
    const height = window.innerHeight - document.getElementById('stage').offsetTop;
    const scale = Math.min(document.documentElement.clientWidth / description.width,
      height / description.height);
    const box = document.getElementById('fit');
    box.style.width = description.width * scale + 'px';
    box.style.height = description.height * scale + 'px';
    document.getElementById('window').style.transform = 'scale(' + scale + ')';
  }

  // The switch between the window and the teaching bench. The bench's script (its view and its
  // calculation) is loaded when the bench is first opened, by a script element, which works
  // from file:// as from a web server, so the window's start-up does not wait for it.
  function buildViews() {
    const texts = Module.benchDescription().texts;
    const nav = document.getElementById('views');
    nav.setAttribute('aria-label', texts.views);
    const buttons = [document.getElementById('window-view'), document.getElementById('bench-view')];
    buttons[0].textContent = texts.windowView;
    buttons[1].textContent = texts.benchView;
    buttons.forEach((button, k) => button.addEventListener('click', () => {
      const bench = k === 1;
      buttons[0].setAttribute('aria-pressed', String(!bench));
      buttons[1].setAttribute('aria-pressed', String(bench));
      document.getElementById('stage').hidden = bench;
      document.getElementById('bench').hidden = !bench;
      if (bench && !document.getElementById('bench-script')) {
        const script = document.createElement('script');
        script.id = 'bench-script';
        script.src = 'mandati-bench.js';
        script.addEventListener('error', () => {
          document.getElementById('bench').textContent = texts.loadFailed;
        });
        document.body.append(script);
      }
    }));
    nav.hidden = false;
  }

  function build() {
    const description = Module.windowDescription();
    document.title = description.caption;
    const root = document.getElementById('window');
    root.dataset.name = description.name;
    root.setAttribute('aria-label', description.caption);
    const style = root.style;
    style.width = description.width + 'px';
    style.height = description.height + 'px';
    style.backgroundColor = description.background;
    style.fontFamily = description.fontFamilies.map((f) => JSON.stringify(f)).join(', ') +
      ', serif';
    style.fontSize = description.fontPointSize + 'pt';
    // In tab order: the page's own order of focus is the order of its elements. The browser's
    // arrow keys move through an option group in that order too, so the group, one tab stop,
    // is laid out from its top option down.
    const options = description.controls.filter((control) => control.kind === 'optionButton');
    const groupTab = Math.min(...options.map((control) => control.tab));
    const order = (control) =>
      control.kind === 'optionButton' ? groupTab + control.top / 10000 : control.tab;
    const rows = description.controls.slice().sort((a, b) => order(a) - order(b));
    for (const control of rows) {
      const element = makers[control.kind](control);
      place(element, control);
      controls.set(control.name, element);
      root.append(element);
    }
    const separators = numberSeparators();
    form = new Module.WebForm(separators.decimal, separators.group);
    show(form.state());
    buildViews();
    fit(description);
    window.addEventListener('resize', () => fit(description));
    const first = rows.find((control) => !control.hidden && control.kind !== 'label' &&
      control.kind !== 'frame');
    const focused = controls.get(first.name);
    // The help text opens at its beginning, with the caret there.
    if (focused.setSelectionRange) focused.setSelectionRange(0, 0);
    focused.focus({ preventScroll: true });
    focused.scrollTop = 0;
    document.body.dataset.ready = 'window';
  }

  if (typeof document !== 'undefined') {
    if (runtimeInitialized) build(); else Module.onRuntimeInitialized = build;
  }
})();
