// SPDX-License-Identifier: GPL-3.0-or-later
// The page side of the calculator window, appended to the WebAssembly module's own script.
// It holds no control, text or rule: it makes one HTML control per row of the exported layout
// table, reports every click to the C++ form (Module.WebForm), and shows the state the form
// returns, keyed by the controls' names; every element id, group, place in the focus order and
// word it shows comes from the C++. User text only ever reaches the page as textContent or an
// input's value.
'use strict';

(function () {
  const controls = new Map();  // control name -> its element
  let form = null;
  // The box whose shown text the user's typing replaces, and that text (see form_binding.cpp).
  let replacedWhenTyped = { box: null, text: '' };

  // The user's number settings, as the browser's language writes numbers.
  function numberSeparators() {
    const parts = new Intl.NumberFormat(undefined, { useGrouping: true }).formatToParts(12345.5);
    const part = (type) => (parts.find((p) => p.type === type) || { value: '' }).value;
    return { decimal: part('decimal') || '.', group: part('group') };
  }

  function place(element, control) {
    element.classList.add('control');
    element.id = control.id;
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
    box.addEventListener('beforeinput', (event) => {
      if (event.inputType.startsWith('insert') && box === replacedWhenTyped.box &&
          box.value === replacedWhenTyped.text) {
        box.value = '';
      }
    });
    return box;
  }

  function makeListBox(control) {
    const list = document.createElement('div');
    list.className = 'listbox';
    list.setAttribute('role', 'listbox');
    list.setAttribute('aria-label', control.label);
    list.tabIndex = control.hidden ? -1 : 0;
    list.group = control.group;
    list.scrolledTo = 0;
    list.rows = [];
    list.names = [];
    list.selected = -1;
    // The press chooses the row, as on the desktop; an assistive tool's action on a row comes
    // as a click alone. A row already chosen is not chosen again (the form ignores it).
    const choose = (event) => {
      const row = event.target.closest('[role="option"]');
      if (row === null || !list.contains(row)) return;
      list.focus();
      click(control.name, Number(row.dataset.row));
    };
    list.addEventListener('mousedown', choose);
    list.addEventListener('click', choose);
    list.addEventListener('scroll', () => scrollGroup(list));
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

  // The visible columns scroll together when the user scrolls one, so that a row stays level
  // with its neighbours. A column that cannot scroll as far stops at its end and does not pull
  // the others back: a scroll the page made itself is not passed on.
  function scrollAlone(list, top) {
    list.scrollTop = top;
    list.scrolledTo = list.scrollTop;
  }

  function scrollGroup(list) {
    if (list.group === '' || list.scrollTop === list.scrolledTo) return;
    list.scrolledTo = list.scrollTop;
    controls.forEach((other) => {
      if (other !== list && other.group === list.group) scrollAlone(other, list.scrollTop);
    });
  }

  // The radio button covers the whole option, a touch target 24 pixels high, and the drawn
  // circle beside the caption is its picture; the window looks as designed.
  function makeOption(control) {
    const option = document.createElement('label');
    option.className = 'option';
    const button = document.createElement('input');
    button.type = 'radio';
    button.name = control.group;
    button.addEventListener('change', () => { if (button.checked) click(control.name, -1); });
    const mark = document.createElement('span');
    mark.className = 'mark';
    const caption = document.createElement('span');
    caption.textContent = control.caption;
    option.append(button, mark, caption);
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
    const state = form.click(name, row, typedTexts());
    show(state);
    if (state.announcement) tell(state.announcement);
  }

  // A polite live region: a new paragraph each time, so that the same results are told again.
  function tell(text) {
    const paragraph = document.createElement('p');
    paragraph.textContent = text;
    document.getElementById('told').replaceChildren(paragraph);
  }

  function showList(list, content) {
    const equal = (a, b) => a.length === b.length && a.every((text, k) => text === b[k]);
    if (!equal(list.rows, content.rows) || !equal(list.names, content.names)) {
      list.replaceChildren.apply(list, content.rows.map((text, k) => {
        const row = document.createElement('div');
        row.setAttribute('role', 'option');
        row.id = list.id + '-' + k;
        row.dataset.row = String(k);
        row.textContent = text;
        if (k < content.names.length) row.setAttribute('aria-label', content.names[k]);
        return row;
      }));
      list.rows = content.rows;
      list.names = content.names;
      list.selected = -1;
      if (content.description) {
        list.setAttribute('aria-description', content.description);
      } else {
        list.removeAttribute('aria-description');
      }
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
      if (chosen.offsetTop < list.scrollTop) scrollAlone(list, chosen.offsetTop);
      const bottom = chosen.offsetTop + chosen.offsetHeight - list.clientHeight;
      if (bottom > list.scrollTop) scrollAlone(list, bottom);
    } else {
      list.removeAttribute('aria-activedescendant');
    }
  }

  // Writes each control only where it differs, so showing the state never disturbs typing.
  function show(state) {
    const replaced = state.replacedWhenTyped;
    replacedWhenTyped = { box: controls.get(replaced) || null, text: replaced ? state[replaced] : '' };
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

  // The fixed-size window, scaled as a whole. By default it fills the screen when the screen is
  // larger (a projector), and is never drawn smaller than designed: a phone pans it, and the
  // browser's zoom enlarges it as any page (the fill is reckoned in the screen's pixels at the
  // zoom the page opened with, so zooming in to 200 % doubles it). "Fit to the screen" shows it
  // whole in the view instead, smaller than designed where the view is smaller.
  const openingPixelRatio = window.devicePixelRatio || 1;
  let fitToScreen = false;

  function fit(description) {
    const width = document.documentElement.clientWidth;
    const top = document.getElementById('stage').offsetTop;  // below the bar
    const zoom = (window.devicePixelRatio || 1) / openingPixelRatio;
    const whole = Math.min(width / description.width,
      (window.innerHeight - top) / description.height);
    // What the view would hold at the opening zoom, the bar as it is now.
    const fill = Math.min(width * zoom / description.width,
      (window.innerHeight * zoom - top) / description.height);
    const scale = fitToScreen ? whole : Math.max(1, fill);
    const box = document.getElementById('fit');
    box.style.width = description.width * scale + 'px';
    box.style.height = description.height * scale + 'px';
    document.getElementById('window').style.transform = 'scale(' + scale + ')';
  }

  // The bench's script (its view and its calculation) is loaded when the bench is first opened,
  // so the window's start-up does not wait for it: from the one-file page out of that file's own
  // data (single_file_loader.js), otherwise by a script element, which works from file:// as
  // from a web server.
  function loadBench(failed) {
    if (window.mandatiBundle) {
      mandatiBundle.run('mandati-bench-code').catch(failed);
      return;
    }
    const script = document.createElement('script');
    script.src = 'mandati-bench.js';
    script.addEventListener('error', failed);
    document.body.append(script);
  }

  // The bar above the view: the switch between the window and the teaching bench, the switch
  // that fits the window to the screen, and the panel about the program. Its words are in the
  // bench's language: the bench tells the page when it is switched (the event
  // 'mandati-language', with the language's code).
  function buildBar(description) {
    const nav = document.getElementById('views');
    const buttons = [document.getElementById('window-view'), document.getElementById('bench-view')];
    const fitButton = document.getElementById('fit-view');
    const about = buildAbout(() => fit(description));
    let texts = null;
    function label(language) {
      const page = Module.pageDescription();
      texts = page.texts;
      nav.setAttribute('aria-label', texts.views);
      buttons[0].textContent = texts.windowView;
      buttons[1].textContent = texts.benchView;
      fitButton.textContent = texts.fit;
      about(page);
      if (language) {
        document.getElementById('bar').lang = language;
        document.getElementById('about').lang = language;
      }
    }
    label(null);
    document.addEventListener('mandati-language', (event) => {
      if (Module.setLanguage(event.detail)) label(event.detail);
    });
    let benchLoaded = false;
    buttons.forEach((button, k) => button.addEventListener('click', () => {
      const bench = k === 1;
      buttons[0].setAttribute('aria-pressed', String(!bench));
      buttons[1].setAttribute('aria-pressed', String(bench));
      fitButton.hidden = bench;
      document.getElementById('stage').hidden = bench;
      document.getElementById('bench').hidden = !bench;
      if (bench && !benchLoaded) {
        benchLoaded = true;
        loadBench(() => { document.getElementById('bench').textContent = texts.loadFailed; });
      }
    }));
    fitButton.addEventListener('click', () => {
      fitToScreen = !fitToScreen;
      fitButton.setAttribute('aria-pressed', String(fitToScreen));
      fit(description);
    });
    document.getElementById('bar').hidden = false;
    // A link to a district of the bench (its address's fragment) opens the bench.
    if (location.hash.length > 1) buttons[1].click();
  }

  // The licence, the version and where the source is: the archive beside the page when the
  // build made one, else the build's word on where it is. Returns what writes the panel's words
  // from a page description.
  function buildAbout(refit) {
    const panel = document.getElementById('about');
    const button = document.getElementById('about-button');
    const paragraph = (text) => {
      const made = document.createElement('p');
      made.textContent = text;
      return made;
    };
    button.addEventListener('click', () => {
      panel.hidden = !panel.hidden;
      button.setAttribute('aria-expanded', String(!panel.hidden));
      refit();
    });
    return (page) => {
      button.textContent = page.texts.about;
      const heading = document.createElement('h2');
      heading.textContent = page.texts.about;
      const source = paragraph(page.sourceArchive ? page.texts.source + ' ' : page.texts.noSource);
      if (page.sourceArchive) {
        const link = document.createElement('a');
        link.href = page.sourceArchive;
        link.textContent = page.sourceArchive;
        source.append(link);
      }
      panel.replaceChildren(heading, paragraph(page.texts.version), paragraph(page.texts.licence),
        source);
      panel.setAttribute('aria-label', page.texts.about);
    };
  }

  function build() {
    const description = Module.windowDescription();
    document.title = description.caption;
    document.getElementById('title').textContent = description.caption;
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
    // The page's order of focus is the order of its elements.
    const rows = description.controls.slice().sort((a, b) => a.focusOrder - b.focusOrder);
    for (const control of rows) {
      const element = makers[control.kind](control);
      place(element, control);
      controls.set(control.name, element);
      root.append(element);
    }
    const separators = numberSeparators();
    form = new Module.WebForm(separators.decimal, separators.group);
    show(form.state());
    buildBar(description);
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
