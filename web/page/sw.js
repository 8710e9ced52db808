// The page kept for playing offline: every file the build serves, in one
// cache named after the build. The build writes the list below, each file
// with the SHA-256 of its content (web/assets/offline.py); a new build is a
// new list, hence a new worker, which fills a cache of its own and takes over
// only once no page of the old build is open, so that a page never mixes
// files of two builds.
const BUILD = '@BUILD@';
const FILES = '@FILES@';
// The solver worker keeps its tables in caches of its own (tembira-tables-…).
const CACHE = 'tembira-build-' + BUILD;

function hex(buffer) {
  return [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
}

// A file as this build made it, or an error: a server already serving the
// next build must not slip its files into this one's cache.
async function fetchChecked(path) {
  const response = await fetch(path, { cache: 'no-cache' });
  if (!response.ok) throw new Error(`${path}: ${response.status}`);
  const digest = await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer());
  if (hex(digest) !== FILES[path]) throw new Error(`${path} is not this build's`);
  return response;
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    try {
      const responses = await Promise.all(Object.keys(FILES).map(fetchChecked));
      const cache = await caches.open(CACHE);
      await Promise.all(Object.keys(FILES).map((path, i) => cache.put(path, responses[i])));
    } catch (error) {
      await caches.delete(CACHE); // never half a build; the browser tries again later
      throw error;
    }
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('tembira-build-') && name !== CACHE) await caches.delete(name);
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) return;
  let path = url.pathname.slice(scope.pathname.length);
  if (request.mode === 'navigate' && path === '') path = 'index.html';
  if (!(path in FILES)) return;
  event.respondWith((async () => {
    const kept = await (await caches.open(CACHE)).match(path);
    return kept || fetch(request);
  })());
});
