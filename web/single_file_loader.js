// SPDX-License-Identifier: GPL-3.0-or-later
// The loader of the one-file page (mandati.html, made by single_file.mjs): the window's and the
// bench's code travel inside the page gzip'd and in base64, in data blocks that never run. This
// unpacks a block with the browser's own DecompressionStream and runs it as an inline script,
// which the page's Content-Security-Policy admits by its hash: the window's code at once, the
// bench's when the bench is first opened (page.js asks through mandatiBundle.run).
'use strict';

(function () {
  const started = new Map();  // block id -> the promise of its run

  async function unpack(id) {
    const text = atob(document.getElementById(id).textContent);
    const packed = new Uint8Array(text.length);  // a plain loop: Uint8Array.from is far slower
    for (let k = 0; k < text.length; ++k) packed[k] = text.charCodeAt(k);
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).text();
  }

  function run(id) {
    if (!started.has(id)) {
      started.set(id, unpack(id).then((code) => {
        const script = document.createElement('script');
        script.textContent = code;
        document.body.append(script);
      }));
    }
    return started.get(id);
  }

  window.mandatiBundle = { run };
  run('mandati-window-code').catch(() => {
    // A browser without DecompressionStream: say what the page needs, as without scripts.
    document.getElementById('stage').textContent =
      document.querySelector('noscript').textContent;
  });
})();
