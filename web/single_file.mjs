// SPDX-License-Identifier: GPL-3.0-or-later
// Makes mandati.html, the page in one file to hand out (opened from disk, sent by e-mail,
// copied to a USB stick), from the built page in OUTPUT_DIR:
//
//   node single_file.mjs OUTPUT_DIR LOADER.js
//
// index.html with mandati.css inline, and mandati.js (the window) and mandati-bench.js (the
// bench) gzip'd and in base64 in data blocks, which LOADER.js unpacks and runs. The page's
// policy admits exactly these scripts and this style, by their SHA-256 hashes; it still loads,
// stores and sends nothing, and the bench's worker still starts from a blob: address.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

const [outputDir, loaderPath] = process.argv.slice(2);
const read = (name) => readFileSync(join(outputDir, name), 'utf8');
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

// Replaces the one occurrence of `from` in `text`, or stops the build.
function replaceOnce(text, from, to) {
  const at = text.indexOf(from);
  if (at < 0 || text.indexOf(from, at + 1) >= 0) {
    throw new Error(`single_file.mjs: index.html must hold exactly one ${from}`);
  }
  return text.slice(0, at) + to + text.slice(at + from.length);
}

const style = read('mandati.css');
const loader = readFileSync(loaderPath, 'utf8');
const scripts = { 'mandati-window-code': read('mandati.js'), 'mandati-bench-code': read('mandati-bench.js') };
for (const text of [style, loader]) {
  if (/<\/(style|script)/i.test(text)) throw new Error('single_file.mjs: a closing tag inline');
}

const policy = [
  "default-src 'none'",
  `script-src ${[loader, ...Object.values(scripts)].map(hash).join(' ')} 'wasm-unsafe-eval'`,
  'worker-src blob:',
  `style-src ${hash(style)}`,
  'img-src data: blob:',
  'connect-src data:',
  "form-action 'none'",
  "base-uri 'none'",
].join('; ');

const blocks = Object.entries(scripts).map(([id, code]) =>
  `<script type="application/gzip" id="${id}">` +
  gzipSync(Buffer.from(code, 'utf8'), { level: 9 }).toString('base64') + '</script>\n');

let page = read('index.html');
page = page.replace(/(<meta http-equiv="Content-Security-Policy"\s+content=")[^"]*"/,
  (_, start) => `${start}${policy}"`);
if (!page.includes(policy)) throw new Error('single_file.mjs: index.html holds no policy');
page = replaceOnce(page, '<link rel="stylesheet" href="mandati.css">', `<style>${style}</style>`);
page = replaceOnce(page, '<script src="mandati.js"></script>\n',
  blocks.join('') + `<script>${loader}</script>\n`);
writeFileSync(join(outputDir, 'mandati.html'), page);
