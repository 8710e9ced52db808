// The page around the window: where the window stands and at what scale,
// and the service worker that keeps the page for offline play. Nothing here
// knows the game or the window's insides.
(function () {
  'use strict';
  var game = document.getElementById('game');
  var margin = 8; // CSS pixels kept free around a scaled window
  var frame = null;
  var opened = 0; // the window's height when first seen, in its own pixels
  var top = 0;

  // On a viewport narrower than this many window widths the window fills
  // its width; a wider one shows it at its designed size if it fits.
  var narrow = 1.6;

  function scale() {
    var room = document.documentElement.clientWidth - 2 * margin;
    var fitWidth = room / frame.offsetWidth;
    var fitHeight = (window.innerHeight - 2 * margin) / opened;
    var wanted = room < narrow * frame.offsetWidth ? fitWidth : 1;
    return Math.max(0.25, Math.min(wanted, fitWidth, fitHeight));
  }

  // The window's top stays where it was when its height changes, as a
  // desktop window grows downwards; only a new viewport places it anew.
  function place(anew) {
    if (!frame || !frame.offsetWidth) return;
    if (!opened) { opened = frame.offsetHeight; anew = true; }
    var s = scale();
    if (anew) top = Math.max(margin, (window.innerHeight - opened * s) / 2);
    game.style.alignSelf = 'flex-start';
    game.style.marginTop = top + 'px';
    game.style.marginBottom = margin + 'px';
    game.style.width = frame.offsetWidth * s + 'px';
    game.style.height = frame.offsetHeight * s + 'px';
    frame.style.transformOrigin = '0 0';
    frame.style.transform = s === 1 ? '' : 'scale(' + s + ')';
  }

  var sized = new ResizeObserver(function () { place(false); });
  new MutationObserver(function () {
    var now = game.querySelector('.window');
    if (now === frame) return;
    if (frame) sized.unobserve(frame);
    frame = now;
    opened = 0;
    if (frame) sized.observe(frame);
    else game.removeAttribute('style'); // the closing words stand alone
  }).observe(game, { childList: true });
  window.addEventListener('resize', function () { place(true); });

  // Registered once the page has loaded, so that filling the cache never
  // delays the opening.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js').catch(function () {});
    });
  }
})();
