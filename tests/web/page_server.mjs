// A static server for the web build, as a plain web server would serve it:
// gzip where the browser asks for it. It counts the bytes it sends, so the
// tests can weigh the page as served.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.woff2': 'font/woff2',
  '.webmanifest': 'application/manifest+json',
};

export async function startServer(root) {
  const sent = new Map(); // path to bytes sent
  const zipped = new Map(); // file to its gzip
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
    let plain;
    try {
      plain = await readFile(file);
    } catch {
      response.writeHead(404).end('not found');
      return;
    }
    const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream' };
    let body = plain;
    if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
      // Compressed once, as a server with precompressed files would, and
      // again when the file changes (a new build served).
      const key = `${file} ${(await stat(file)).mtimeMs}`;
      if (!zipped.has(key)) zipped.set(key, gzipSync(plain, { level: 6 }));
      body = zipped.get(key);
      headers['Content-Encoding'] = 'gzip';
    }
    sent.set(path, body.length);
    response.writeHead(200, headers).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    sent,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}
