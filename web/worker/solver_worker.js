// The page's solver worker: takes the solver's tables from the browser's
// cache, or fetches them (gzip) and keeps them there for the next visit,
// then answers the page's requests one by one, in the order sent. The page
// starts it only after its first paint.
'use strict';
var tablesFile = '@TABLES_FILE@';
var tablesCache = 'tembira-tables-@TABLES_HASH@';
var waiting = [];
var ready = false;

// The tables' bytes, from the cache or else the network; null when neither
// gives them (the solver then computes them at its first search).
async function tableBytes() {
  var cache = null;
  try {
    cache = await caches.open(tablesCache);
  } catch (e) {} // no cache storage here (an opaque origin)
  var response = cache && await cache.match(tablesFile);
  var from = 'cache';
  if (!response) {
    from = 'network';
    response = await fetch(tablesFile);
    if (!response.ok) throw new Error(tablesFile + ': ' + response.status);
    if (cache) {
      await cache.put(tablesFile, response.clone()).catch(function () {});
      // The tables of earlier versions are never asked for again.
      var names = await caches.keys();
      for (var name of names)
        if (name.startsWith('tembira-tables-') && name !== tablesCache) caches.delete(name);
    }
  }
  var plain = response.body.pipeThrough(new DecompressionStream('gzip'));
  return {bytes: new Uint8Array(await new Response(plain).arrayBuffer()), from: from};
}

function install(bytes) {
  var at = Module._malloc(bytes.length);
  HEAPU8.set(bytes, at);
  var taken = Module._tembira_tables(at, bytes.length);
  Module._free(at);
  return taken;
}

function answer(message) {
  var numbers = message.numbers;
  var at = Module._malloc(numbers.length * 4 + 4);
  HEAP32.set(numbers, at >> 2);
  var started = performance.now();
  var block = Module._tembira_work(at, numbers.length);
  Module._free(at);
  var count = HEAP32[block >> 2];
  var result = Int32Array.from(HEAP32.subarray((block >> 2) + 1, (block >> 2) + 1 + count));
  Module._free(block);
  postMessage({ticket: message.ticket, numbers: result, ms: performance.now() - started});
}

self.onmessage = function (e) {
  if (!ready) waiting.push(e.data);
  else answer(e.data);
};

// A promise of the runtime's that failed (its WebAssembly not fetched, or
// not started) leaves this worker of no use: the page starts another.
self.addEventListener('unhandledrejection', function (e) {
  e.preventDefault();
  postMessage({failed: String(e.reason && e.reason.message || e.reason)});
  close();
});

var Module = {
  onRuntimeInitialized: function () {
    var started = performance.now();
    tableBytes().then(function (got) {
      var taken = install(got.bytes);
      if (!taken && got.from === 'cache') caches.delete(tablesCache);
      return taken ? got.from : 'computed';
    }, function (e) {
      console.warn('tembira: the solver computes its tables (' + e.message + ')');
      return 'computed';
    }).then(function (from) {
      postMessage({tables: from, ms: performance.now() - started});
      ready = true;
      waiting.splice(0).forEach(answer);
    });
  },
};
importScripts('tembira-solver.js');
