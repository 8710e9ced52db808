// Starts the game, or says in one sentence why it cannot, instead of
// leaving the page blank.
(function () {
  var game = document.getElementById('game');

  function problem(text) {
    var p = document.createElement('p');
    p.className = 'problem';
    p.setAttribute('role', 'alert');
    p.textContent = text;
    game.replaceChildren(p);
  }

  function missing(file) {
    problem('ゲームのファイル ' + file + ' を読み込めなかったため、ゲームを始められません。');
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    problem('このブラウザーは WebAssembly を使えないため、ゲームを始められません。');
    return;
  }

  window.Module = {
    onAbort: function (what) {
      if (/wasm/i.test(String(what))) missing('tembira.wasm');
      else problem('ゲームの途中で問題が起きたため、続けられません。');
    },
  };
  var script = document.createElement('script');
  script.src = 'tembira.js';
  script.onerror = function () { missing('tembira.js'); };
  document.body.appendChild(script);
})();
