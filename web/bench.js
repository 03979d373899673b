// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench: appended to the bench's WebAssembly module (the factory MandatiBench),
// loaded when the bench is first opened. It builds the bench's controls from the texts,
// languages, methods, views and files the bench's module describes (benchDescription, asked of
// an instance of the module on the page, beside the one in the worker),
// hands what the controls say to the bench's C++ entry (runBench), and shows what it returns:
// the HTML writer's tables as they are (every text in them escaped by the writer), the chart as
// a picture, the summary and the messages one a line, the files as downloads named as it names
// them. The address's fragment holds the district (the module writes and checks its text; this
// script only compresses it), so that a link or a reload reopens it. It decides and computes
// nothing itself. When its language is switched it tells the page (the event
// 'mandati-language'), whose bar then speaks it too.
//
// The calculation runs in a Web Worker, so that a long sweep never freezes the page. A page
// opened from disk (file://) may not start a worker from a file, so the worker's script is made
// here from the factory's own text (Function.prototype.toString) as a blob: address, which
// works from disk and from a web server alike.
'use strict';

(function () {
  // The worker's whole program; it runs in the worker, from its text. The output goes back as
  // a file (a Blob, which crosses to the page without a copy), so that a large result never
  // holds up the page; the page's tests ask for it as text.
  function workerMain(factory) {
    const bench = factory();
    self.onmessage = (event) => {
      const request = event.data;
      bench.then((module) => {
        // Asked for first: a module that failed cannot be asked again.
        const failed = module.failedBench();
        let outcome;
        let broken = false;
        try {
          if (request.fields.language) module.setLanguage(request.fields.language);
          outcome = module.runBench(request.fields);
        } catch (error) {
          outcome = failed;
          broken = true;
        }
        outcome.size = outcome.out.length;
        outcome.file = new Blob([outcome.out], { type: outcome.mediaType });
        if (!request.asText) outcome.out = null;
        self.postMessage({ id: request.id, outcome, broken });
      });
    };
  }

  const workerSource = '"use strict";\nvar _scriptDir;\nvar MandatiBench = ' +
    MandatiBench.toString() + ';\n(' + workerMain.toString() + ')(MandatiBench);\n';

  // One worker at a time; a new calculation while one runs ends the old one, so the page
  // always shows the answer to what its controls say now. An ended run resolves to null.
  let worker = null;
  let pending = new Map();  // request id -> resolve
  let nextId = 1;

  function startWorker() {
    const url = URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' }));
    worker = new Worker(url);
    URL.revokeObjectURL(url);
    worker.onmessage = (event) => {
      const resolve = pending.get(event.data.id);
      pending.delete(event.data.id);
      if (resolve) resolve(event.data.outcome);
      // A module that failed (out of memory) cannot be trusted again: the runs still waiting
      // for it fail alike, and the next ones get a new one.
      if (event.data.broken) {
        pending.forEach((waiting) => waiting(event.data.outcome));
        pending = new Map();
        worker.terminate();
        startWorker();
      }
    };
  }

  function stopRunning() {
    if (pending.size === 0) return;
    worker.terminate();
    pending.forEach((resolve) => resolve(null));
    pending = new Map();
    startWorker();
  }

  // What the controls say -> {status, out, err, mediaType, fileName, summary, size, file, and
  // for the table view markup, partial}, from the worker.
  function run(fields, cancelRunning, asText) {
    if (cancelRunning) stopRunning();
    const id = nextId++;
    return new Promise((resolve) => {
      pending.set(id, resolve);
      worker.postMessage({ id, fields, asText: Boolean(asText) });
    });
  }

  // The link's text <-> the address's fragment: deflated and written in base64url, read back
  // inflated to at most `limit` bytes; null for what is not such a fragment.
  async function packed(text) {
    const stream = new Blob([text]).stream().pipeThrough(new CompressionStream('deflate-raw'));
    const bytes = new Uint8Array(await new Response(stream).arrayBuffer());
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  async function unpacked(fragment, limit) {
    try {
      if (fragment.length > limit * 2) return null;
      const binary = atob(fragment.replace(/-/g, '+').replace(/_/g, '/'));
      const bytes = Uint8Array.from(binary, (c) => c.charCodeAt(0));
      const reader = new Blob([bytes]).stream()
        .pipeThrough(new DecompressionStream('deflate-raw')).getReader();
      const parts = [];
      let length = 0;
      for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        length += value.length;
        if (length > limit) {
          reader.cancel();
          return null;
        }
        parts.push(value);
      }
      return new TextDecoder('utf-8', { fatal: true }).decode(await new Blob(parts).arrayBuffer());
    } catch (error) {
      return null;
    }
  }

  function element(tag, properties, children) {
    const made = document.createElement(tag);
    Object.assign(made, properties || {});
    if (children) made.append.apply(made, children);
    return made;
  }

  function labelled(input, text) {
    return element('label', { className: 'choice' }, [input, element('span', { textContent: text })]);
  }

  // The bench's view in the language of `description`, its controls holding `values` (the
  // fields of a link, or of the view it replaces).
  function build(root, bench, description, values) {
    const texts = description.texts;
    root.setAttribute('aria-label', texts.benchView);
    root.lang = description.language;
    const language = element('select', { id: 'bench-language' }, description.languages.map(
      (choice) => element('option', { value: choice.key, textContent: choice.label,
        lang: choice.key, selected: choice.key === description.language })));
    const parties = element('textarea', { id: 'bench-parties', rows: 9, spellcheck: false,
      value: values.parties });
    const seats = element('input', { id: 'bench-seats', type: 'text', spellcheck: false,
      autocomplete: 'off', inputMode: 'numeric', value: values.seats });
    const methods = description.methods.map((method) => {
      const box = element('input', { type: 'checkbox', value: method.keyword,
        checked: !values.methods || values.methods.includes(method.keyword) });
      box.dataset.keyword = method.keyword;
      return box;
    });
    const exact = element('input', { id: 'bench-exact', type: 'checkbox',
      checked: Boolean(values.exact) });
    const explain = element('input', { id: 'bench-explain', type: 'checkbox',
      checked: Boolean(values.explain) });
    const startView = description.views.some((view) => view.key === values.show) ?
      values.show : description.views[0].key;
    const views = description.views.map((view) =>
      element('input', { type: 'radio', name: 'bench-show', value: view.key,
        checked: view.key === startView }));
    const calculate = element('button', { id: 'bench-calculate', type: 'submit',
      textContent: texts.calculate });
    const copyLink = element('button', { id: 'bench-copy-link', type: 'button',
      textContent: texts.copyLink });
    const downloads = description.downloads.map((file) =>
      element('button', { type: 'button', textContent: file.label, value: file.key }));
    const stop = element('button', { id: 'bench-stop', type: 'button', textContent: texts.stop });
    const progress = element('div', { id: 'bench-progress', className: 'progress', hidden: true },
      [element('progress', {}), element('span', { textContent: texts.preparing }), stop]);
    progress.firstChild.setAttribute('aria-label', texts.preparing);
    // The status region announces every result and every refusal; it is replaced, never
    // emptied. That a calculation runs is shown beside it, without a word to announce.
    const messages = element('div', { id: 'bench-messages', className: 'messages' });
    messages.setAttribute('role', 'status');
    messages.setAttribute('aria-live', 'polite');
    messages.setAttribute('aria-label', texts.messages);
    const busy = element('p', { id: 'bench-busy', className: 'busy', textContent: texts.busy,
      hidden: true });
    busy.setAttribute('aria-hidden', 'true');
    const whole = element('button', { id: 'bench-whole', type: 'button',
      textContent: texts.wholeResult });
    const partial = element('div', { id: 'bench-partial', className: 'partial', hidden: true },
      [element('p', {}), whole]);
    // The tables, the HTML writer's own markup; a region of their own.
    const result = element('div', { id: 'bench-result', className: 'result' });
    result.setAttribute('role', 'region');
    result.setAttribute('aria-label', texts.result);
    const chart = element('img', { id: 'bench-chart', alt: texts.chartCaption, hidden: true });
    const output = element('div', { id: 'bench-output', className: 'output' },
      [messages, busy, progress, partial, result, chart]);

    const group = (legend, children) =>
      element('fieldset', {}, [element('legend', { textContent: legend })].concat(children));
    // A built-in election instead of the parties typed: chosen by its name, as C++ lists them.
    const election = element('select', { id: 'bench-election' },
      [element('option', { value: '', textContent: texts.noElection })].concat(
        description.elections.map((choice) =>
          element('option', { value: choice.key, textContent: choice.label }))));
    election.addEventListener('change', () => show());
    parties.addEventListener('input', () => { election.value = ''; });
    const form = element('form', { className: 'controls', noValidate: true }, [
      element('label', { htmlFor: 'bench-language', textContent: texts.language }), language,
      element('label', { htmlFor: 'bench-election', textContent: texts.elections }), election,
      element('label', { htmlFor: 'bench-parties', textContent: texts.parties }), parties,
      element('label', { htmlFor: 'bench-seats', textContent: texts.seats }), seats,
      group(texts.methods, methods.map((box, k) => labelled(box, description.methods[k].name))),
      labelled(exact, texts.exact), labelled(explain, texts.explain),
      group(texts.show, views.map((radio, k) => labelled(radio, description.views[k].label))),
      element('div', { className: 'actions' }, [calculate, copyLink]),
      group(texts.downloads, downloads),
    ]);
    root.replaceChildren(form, output);

    function chosenMethods() {
      return methods.filter((box) => box.checked).map((box) => box.dataset.keyword);
    }

    // What the controls say, for a view's key or a file's.
    function fields(show) {
      return { parties: parties.value, seats: seats.value, methods: chosenMethods(),
        exact: exact.checked, explain: explain.checked, show, language: language.value,
        election: election.value };
    }

    function chosenView() {
      return views.find((radio) => radio.checked).value;
    }

    function showMessages(lines) {
      messages.replaceChildren.apply(messages, lines.filter((line) => line !== '').map(
        (line) => element('p', { textContent: line })));
    }

    // A word about a file that a calculation stopped, said with that calculation's answer.
    let note = '';
    function showOutcome(outcome) {
      showMessages([outcome.summary, note].concat(outcome.err.split('\n')));
      note = '';
    }

    let chartUrl = null;
    function showChart(outcome) {
      if (chartUrl) URL.revokeObjectURL(chartUrl);
      chartUrl = outcome && outcome.size > 0 ? URL.createObjectURL(outcome.file) : null;
      if (chartUrl) chart.src = chartUrl; else chart.removeAttribute('src');
      chart.hidden = chartUrl === null;
    }

    function save(outcome) {
      const link = element('a', { download: outcome.fileName,
        href: URL.createObjectURL(outcome.file) });
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }

    function setBusy(state) {
      output.setAttribute('aria-busy', String(state));
      root.dataset.state = state ? 'busy' : 'done';
      busy.hidden = !state;
    }

    // The address's fragment reopens what the controls say; a reload keeps it.
    function remember() {
      const text = bench.benchLinkText(fields(chosenView()));
      if (text === '') return Promise.resolve(false);
      return packed(text).then((fragment) => {
        history.replaceState(null, '', '#' + fragment);
        return true;
      });
    }

    let shown = null;  // the outcome on show, for its whole file
    function show() {
      const view = chosenView();
      const picture = description.views.find((v) => v.key === view).picture;
      setBusy(true);
      if (preparing) preparing.replaced = true;
      Promise.all([run(fields(view), true), remember()]).then(([outcome]) => {
        if (outcome === null) return;  // replaced by a newer calculation
        shown = outcome;
        result.innerHTML = outcome.markup;
        result.hidden = outcome.markup === '';
        partial.firstChild.textContent = outcome.partial;
        partial.hidden = outcome.partial === '';
        showChart(picture && outcome.partial === '' ? outcome : null);
        setBusy(false);
        showOutcome(outcome);
        root.dataset.status = String(outcome.status);
      });
    }

    // The file, named as the calculation names it; one at a time, which Stop ends.
    let preparing = null;
    function download(key) {
      if (preparing) return;
      const request = { replaced: false };
      preparing = request;
      progress.hidden = false;
      downloads.forEach((button) => { button.disabled = true; });
      run(fields(key), false).then((outcome) => {
        preparing = null;
        progress.hidden = true;
        downloads.forEach((button) => { button.disabled = false; });
        if (outcome === null) {
          if (request.replaced) note = texts.fileReplaced;
          showMessages([request.replaced ? texts.fileReplaced : texts.fileStopped]);
          return;
        }
        showOutcome(outcome);
        if (outcome.size > 0) save(outcome);
      });
    }

    form.addEventListener('submit', (event) => {
      event.preventDefault();
      show();
    });
    views.forEach((radio) => radio.addEventListener('change', show));
    downloads.forEach((button) => button.addEventListener('click', () => download(button.value)));
    stop.addEventListener('click', stopRunning);
    whole.addEventListener('click', () => { if (shown) save(shown); });
    copyLink.addEventListener('click', () => {
      remember().then((made) => {
        if (!made) return showMessages([texts.linkTooLong]);
        return navigator.clipboard.writeText(location.href).then(
          () => showMessages([texts.linkCopied]), () => showMessages([texts.linkNotCopied]));
      });
    });
    language.addEventListener('change', () => {
      speak(bench, language.value);
      build(root, bench, bench.benchDescription(), fields(chosenView())).show();
    });
    return { show, showMessages };
  }

  // The bench's words in `language` from now on, and the page's too.
  function speak(bench, language) {
    bench.setLanguage(language);
    document.dispatchEvent(new CustomEvent('mandati-language', { detail: language }));
  }

  // The district of the address's fragment, checked by the C++ reader: {fields} or {message}.
  async function linked(bench, limit) {
    const fragment = location.hash.slice(1);
    if (fragment === '') return null;
    const text = await unpacked(fragment, limit);
    return bench.readBenchLink(text === null ? '' : text);
  }

  startWorker();
  // For the page's tests: the same worker, as the bench uses it, the output as text.
  window.mandatiBench = { run: (fields) => run(fields, false, true) };
  const root = document.getElementById('bench');
  MandatiBench().then(async (bench) => {
    const start = bench.benchDescription();
    const link = await linked(bench, start.maxLinkBytes);
    if (link && link.message === undefined) {
      speak(bench, link.language);
      build(root, bench, bench.benchDescription(), link).show();
    } else if (link) {
      // A link that cannot be opened: its message, and an empty district.
      build(root, bench, start, { parties: '', seats: '' }).showMessages([link.message]);
      root.dataset.state = 'done';
    } else {
      build(root, bench, start, { parties: start.sampleParties, seats: start.sampleSeats }).show();
    }
    document.body.dataset.ready = 'bench';
  });
})();
