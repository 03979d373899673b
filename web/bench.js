// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench: appended to the bench's WebAssembly module (the factory MandatiBench),
// loaded when the bench is first opened. It builds the bench's controls from the texts and
// methods the window's module exports (Module.benchDescription), turns them into mandati-cli's
// arguments, and shows what the companion's own code returns: the table as text, the chart as
// a picture, the messages one a line, the files as downloads. It computes nothing itself.
//
// The calculation runs in a Web Worker, so that a long sweep never freezes the page. A page
// opened from disk (file://) may not start a worker from a file, so the worker's script is made
// here from the factory's own text (Function.prototype.toString) as a blob: address, which
// works from disk and from a web server alike.
'use strict';

(function () {
  // The worker's whole program; it runs in the worker, from its text.
  function workerMain(factory) {
    const bench = factory();
    self.onmessage = (event) => {
      const request = event.data;
      bench.then((module) => {
        let outcome;
        try {
          outcome = module.run(request.args, request.parties);
        } catch (error) {
          outcome = { status: -1, out: '', err: String(error) + '\n' };
        }
        self.postMessage({ id: request.id, status: outcome.status, out: outcome.out,
          err: outcome.err });
      });
    };
  }

  const workerSource = '"use strict";\nvar _scriptDir;\nvar MandatiBench = ' +
    MandatiBench.toString() + ';\n(' + workerMain.toString() + ')(MandatiBench);\n';

  // One worker at a time; a new calculation while one runs ends the old one, so the page
  // always shows the answer to what its controls say now.
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
      if (resolve) resolve(event.data);
      // A module that failed (out of memory) cannot be trusted again: the runs still waiting
      // for it fail alike, and the next ones get a new one.
      if (event.data.status < 0) {
        pending.forEach((waiting) => waiting(event.data));
        pending = new Map();
        worker.terminate();
        startWorker();
      }
    };
  }

  // mandati-cli's arguments and the parties' text -> {status, out, err}, from the worker.
  function run(args, parties, cancelRunning) {
    if (cancelRunning && pending.size > 0) {
      worker.terminate();
      pending.forEach((resolve) => resolve(null));
      pending = new Map();
      startWorker();
    }
    const id = nextId++;
    return new Promise((resolve) => {
      pending.set(id, resolve);
      worker.postMessage({ id, args, parties });
    });
  }

  function element(tag, properties, children) {
    const made = document.createElement(tag);
    Object.assign(made, properties || {});
    if (children) made.append(...children);
    return made;
  }

  function labelled(input, text) {
    return element('label', { className: 'choice' }, [input, element('span', { textContent: text })]);
  }

  function build(root, description) {
    const texts = description.texts;
    root.setAttribute('aria-label', texts.benchView);
    const parties = element('textarea', { id: 'bench-parties', rows: 9, spellcheck: false,
      value: description.sampleParties });
    const seats = element('input', { id: 'bench-seats', type: 'text', spellcheck: false,
      autocomplete: 'off', value: description.sampleSeats });
    const methods = description.methods.map((method) => {
      const box = element('input', { type: 'checkbox', checked: true, value: method.keyword });
      box.dataset.keyword = method.keyword;
      return box;
    });
    const exact = element('input', { id: 'bench-exact', type: 'checkbox' });
    const explain = element('input', { id: 'bench-explain', type: 'checkbox' });
    const views = ['table', 'chart'].map((view, k) =>
      element('input', { type: 'radio', name: 'bench-show', value: view, checked: k === 0 }));
    const calculate = element('button', { id: 'bench-calculate', type: 'submit',
      textContent: texts.calculate });
    // Every format but the table, which the view shows, is offered as a file.
    const downloads = description.formats.filter((format) => format.keyword !== 'table').map(
      (format) => element('button', { type: 'button', textContent: format.keyword.toUpperCase(),
        value: format.keyword }));
    const explaining = new Set(description.formats.filter((format) => format.explains).map(
      (format) => format.keyword));
    const messages = element('div', { id: 'bench-messages', className: 'messages' });
    messages.setAttribute('role', 'status');
    messages.setAttribute('aria-label', texts.messages);
    // A region of its own, which the keyboard can scroll.
    const table = element('pre', { id: 'bench-table', tabIndex: 0 });
    table.setAttribute('role', 'region');
    table.setAttribute('aria-label', texts.result);
    const chart = element('img', { id: 'bench-chart', alt: texts.chartCaption, hidden: true });
    const output = element('div', { id: 'bench-output', className: 'output' },
      [messages, table, chart]);

    const group = (legend, children) =>
      element('fieldset', {}, [element('legend', { textContent: legend }), ...children]);
    const form = element('form', { className: 'controls', noValidate: true }, [
      element('label', { htmlFor: 'bench-parties', textContent: texts.parties }), parties,
      element('label', { htmlFor: 'bench-seats', textContent: texts.seats }), seats,
      group(texts.methods, methods.map((box, k) => labelled(box, description.methods[k].name))),
      labelled(exact, texts.exact), labelled(explain, texts.explain),
      group(texts.show, views.map((radio, k) => labelled(radio, texts[radio.value]))),
      calculate,
      group(texts.downloads, downloads),
    ]);
    root.replaceChildren(form, output);

    function chosenMethods() {
      return methods.filter((box) => box.checked).map((box) => box.dataset.keyword);
    }

    // mandati-cli's arguments for what the controls say, in the given format. --explain goes
    // only where the format can carry it.
    function args(format) {
      const list = ['--seats=' + seats.value, '--method=' + chosenMethods().join(','),
        '--format=' + format];
      if (exact.checked) list.push('--exact');
      if (explain.checked && explaining.has(format)) list.push('--explain');
      return list;
    }

    function showMessages(err) {
      messages.replaceChildren(...err.split('\n').filter((line) => line !== '').map(
        (line) => element('p', { textContent: line })));
    }

    let chartUrl = null;
    function showChart(svg) {
      if (chartUrl) URL.revokeObjectURL(chartUrl);
      chartUrl = svg ? URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' })) : null;
      if (chartUrl) chart.src = chartUrl; else chart.removeAttribute('src');
      chart.hidden = chartUrl === null;
    }

    function setBusy(busy) {
      output.setAttribute('aria-busy', String(busy));
      root.dataset.state = busy ? 'busy' : 'done';
      if (busy) showMessages(texts.busy);
    }

    function show() {
      const view = views.find((radio) => radio.checked).value;
      setBusy(true);
      run(args(view === 'chart' ? 'svg' : 'table'), parties.value, true).then((outcome) => {
        if (outcome === null) return;  // replaced by a newer calculation
        table.textContent = view === 'table' ? outcome.out : '';
        table.hidden = table.textContent === '';
        showChart(view === 'chart' ? outcome.out : '');
        setBusy(false);
        showMessages(outcome.err);
        root.dataset.status = String(outcome.status);
      });
    }

    // The file, named after what it holds: "mandati-7-seats-hare-dhondt.csv".
    function download(format) {
      const list = args(format);
      run(list, parties.value, false).then((outcome) => {
        if (outcome === null) return;  // ended by a newer calculation
        showMessages(outcome.err);
        if (outcome.out === '') return;
        const range = seats.value.trim().replace('..', '-');
        const name = 'mandati-' + range + '-seats-' + chosenMethods().join('-') +
          (exact.checked ? '-exact' : '') + '.' + format;
        const type = { csv: 'text/csv', json: 'application/json', svg: 'image/svg+xml',
          html: 'text/html' }[format];
        const link = element('a', { download: name,
          href: URL.createObjectURL(new Blob([outcome.out], { type: type + ';charset=utf-8' })) });
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      });
    }

    form.addEventListener('submit', (event) => {
      event.preventDefault();
      show();
    });
    views.forEach((radio) => radio.addEventListener('change', show));
    downloads.forEach((button) => button.addEventListener('click', () => download(button.value)));
    show();
  }

  startWorker();
  // For the page's tests: the same worker, as the bench uses it.
  window.mandatiBench = { run: (args, parties) => run(args, parties, false) };
  build(document.getElementById('bench'), Module.benchDescription());
  document.body.dataset.ready = 'bench';
})();
