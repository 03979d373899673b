// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench: appended to the bench's WebAssembly module (the factory MandatiBench),
// loaded when the bench is first opened. It builds the bench's controls from the texts,
// methods, views and files the window's module exports (Module.benchDescription), hands what
// the controls say to the bench's C++ entry (runBench), and shows what it returns: the table as
// text, the chart as a picture, the summary and the messages one a line, the files as
// downloads named as it names them. It decides and computes nothing itself.
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
        // Asked for first: a module that failed cannot be asked again.
        const failed = module.failedBench();
        let outcome;
        let broken = false;
        try {
          outcome = module.runBench(request.fields);
        } catch (error) {
          outcome = failed;
          broken = true;
        }
        self.postMessage({ id: request.id, outcome, broken });
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

  // What the controls say -> {status, out, err, mediaType, fileName, summary}, from the worker.
  function run(fields, cancelRunning) {
    if (cancelRunning && pending.size > 0) {
      worker.terminate();
      pending.forEach((resolve) => resolve(null));
      pending = new Map();
      startWorker();
    }
    const id = nextId++;
    return new Promise((resolve) => {
      pending.set(id, resolve);
      worker.postMessage({ id, fields });
    });
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
    const views = description.views.map((view, k) =>
      element('input', { type: 'radio', name: 'bench-show', value: view.key, checked: k === 0 }));
    const calculate = element('button', { id: 'bench-calculate', type: 'submit',
      textContent: texts.calculate });
    const downloads = description.downloads.map((file) =>
      element('button', { type: 'button', textContent: file.label, value: file.key }));
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
      element('fieldset', {}, [element('legend', { textContent: legend })].concat(children));
    // A built-in election instead of the parties typed: chosen by its name, as C++ lists them.
    const election = element('select', { id: 'bench-election' },
      [element('option', { value: '', textContent: texts.noElection })].concat(
        description.elections.map((choice) =>
          element('option', { value: choice.key, textContent: choice.label }))));
    election.addEventListener('change', () => show());
    parties.addEventListener('input', () => { election.value = ''; });
    const form = element('form', { className: 'controls', noValidate: true }, [
      element('label', { htmlFor: 'bench-election', textContent: texts.elections }), election,
      element('label', { htmlFor: 'bench-parties', textContent: texts.parties }), parties,
      element('label', { htmlFor: 'bench-seats', textContent: texts.seats }), seats,
      group(texts.methods, methods.map((box, k) => labelled(box, description.methods[k].name))),
      labelled(exact, texts.exact), labelled(explain, texts.explain),
      group(texts.show, views.map((radio, k) => labelled(radio, description.views[k].label))),
      calculate,
      group(texts.downloads, downloads),
    ]);
    root.replaceChildren(form, output);

    function chosenMethods() {
      return methods.filter((box) => box.checked).map((box) => box.dataset.keyword);
    }

    // What the controls say, for a view's key or a file's.
    function fields(show) {
      return { parties: parties.value, seats: seats.value, methods: chosenMethods(),
        exact: exact.checked, explain: explain.checked, show, election: election.value };
    }

    function showMessages(lines) {
      messages.replaceChildren.apply(messages, lines.filter((line) => line !== '').map(
        (line) => element('p', { textContent: line })));
    }

    function showOutcome(outcome) {
      showMessages([outcome.summary].concat(outcome.err.split('\n')));
    }

    let chartUrl = null;
    function showChart(outcome) {
      if (chartUrl) URL.revokeObjectURL(chartUrl);
      chartUrl = outcome && outcome.out ?
        URL.createObjectURL(new Blob([outcome.out], { type: outcome.mediaType })) : null;
      if (chartUrl) chart.src = chartUrl; else chart.removeAttribute('src');
      chart.hidden = chartUrl === null;
    }

    function setBusy(busy) {
      output.setAttribute('aria-busy', String(busy));
      root.dataset.state = busy ? 'busy' : 'done';
      if (busy) showMessages([texts.busy]);
    }

    function show() {
      const k = views.findIndex((radio) => radio.checked);
      const picture = description.views[k].picture;
      setBusy(true);
      run(fields(views[k].value), true).then((outcome) => {
        if (outcome === null) return;  // replaced by a newer calculation
        table.textContent = picture ? '' : outcome.out;
        table.hidden = table.textContent === '';
        showChart(picture ? outcome : null);
        setBusy(false);
        showOutcome(outcome);
        root.dataset.status = String(outcome.status);
      });
    }

    // The file, named as the calculation names it.
    function download(key) {
      run(fields(key), false).then((outcome) => {
        if (outcome === null) return;  // ended by a newer calculation
        showOutcome(outcome);
        if (outcome.out === '') return;
        const link = element('a', { download: outcome.fileName,
          href: URL.createObjectURL(new Blob([outcome.out], { type: outcome.mediaType })) });
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
  window.mandatiBench = { run: (fields) => run(fields, false) };
  build(document.getElementById('bench'), Module.benchDescription());
  document.body.dataset.ready = 'bench';
})();
