// The page's side of the game's commands: the context menu (right click,
// the Menu key, a long press on touch), the hint's mark, the note beside the
// window, the records window, the browser's storage and the solver worker.
// Told texts and places only; nothing here knows the game.
mergeInto(LibraryManager.library, {
  $page__deps: ['malloc', 'free', '$dom'],
  $page: {
    items: [],
    menu: null,
    worker: null,
    // The solver's requests not yet answered, in the order sent.
    unanswered: [],
    // Hands the program a string it frees.
    copy: function(text) {
      var size = lengthBytesUTF8(text) + 1;
      var at = _malloc(size);
      stringToUTF8(text, at, size);
      return at;
    },
    // The game's window, and a place in its own pixels from page pixels.
    frame: function() { return document.querySelector('#game > .window'); },
    place: function(x, y) {
      var frame = page.frame();
      var r = frame.getBoundingClientRect();
      var scale = r.width ? frame.offsetWidth / r.width : 1;
      return [(x - r.left) * scale, (y - r.top) * scale];
    },
    closeMenu: function(refocus) {
      var menu = page.menu;
      if (!menu) return;
      page.menu = null;
      menu.remove();
      if (refocus && page.focusBefore && page.focusBefore.isConnected) page.focusBefore.focus();
    },
    // The commands' look, added once the game has painted: none of it
    // shows before the player asks.
    style: [
      '.context-menu, .note-beside, dialog.records { font: 14px "ＭＳ Ｐゴシック", sans-serif; color: #000; }',
      '.context-menu { position: absolute; z-index: 100; min-width: 12em; padding: 2px 0;',
      '  background: #efefef; border: 1px solid #767676; box-shadow: 2px 2px 4px rgba(0, 0, 0, 0.4);',
      '  user-select: none; -webkit-user-select: none; }',
      '.context-menu [role=menuitem] { padding: 4px 24px; white-space: nowrap; cursor: default; }',
      '.context-menu [role=menuitem]:focus { outline: none; background: #308cc6; color: #fff; }',
      '.context-menu [aria-disabled] { color: #808080; }',
      '.window > .hint-mark { left: 0; top: 0; width: 100%; height: 100%; z-index: 10000;',
      '  pointer-events: none; }',
      '.hint-mark .outline { border: 2px solid #000; box-shadow: 0 0 0 2px #fff, inset 0 0 0 2px #fff; }',
      '.hint-mark .note { padding: 4px; background: #ffffe0; color: #000; border: 1px solid #000;',
      '  font: bold 16px "ＭＳ Ｐゴシック", sans-serif; white-space: nowrap; }',
      '.note-beside { position: absolute; z-index: 100; max-width: 24em; padding: 4px;',
      '  background: #ffffe0; border: 1px solid #000; font-weight: bold; font-size: 16px;',
      '  white-space: pre-line; pointer-events: none; }',
      '.note-beside[hidden] { display: none; }',
      'dialog.records { padding: 12px; background: #efefef; border: 1px solid #767676; }',
      'dialog.records h2 { margin: 0 0 8px; font-size: 16px; }',
      'dialog.records table { border-collapse: collapse; background: #fff; }',
      'dialog.records th, dialog.records td { padding: 3px 8px; border: 1px solid #b8b8b8;',
      '  font-weight: normal; text-align: right; white-space: nowrap; }',
      'dialog.records th[scope=row], dialog.records thead th { text-align: left; }',
      'dialog.records thead th { background: #efefef; }',
      'dialog.records .buttons, dialog.records .confirm { margin-top: 10px; text-align: right; }',
      'dialog.records .confirm p { margin: 0 0 8px; text-align: left; }',
      'dialog.records button { min-width: 6em; margin-left: 8px; font: inherit; }',
    ].join('\n'),
    // Once listening: right clicks and long presses open the menu.
    listen: function() {
      document.head.appendChild(document.createElement('style')).textContent = page.style;
      var game = document.getElementById('game');
      game.addEventListener('contextmenu', function(e) {
        if (!page.frame() || !page.frame().contains(e.target)) return;
        e.preventDefault();
        if (page.menu) return; // a long press opened it already
        var at = page.place(e.clientX, e.clientY);
        _tembira_menu(at[0], at[1], 0);
      });
      var press = null;
      function forget() {
        if (press) clearTimeout(press.timer);
        press = null;
      }
      game.addEventListener('pointerdown', function(e) {
        forget();
        if (e.pointerType !== 'touch' || !page.frame()) return;
        press = {x: e.clientX, y: e.clientY, timer: setTimeout(function() {
          press = null;
          _tembira_pointer_cancel(); // the press opens the menu, and clicks nothing
          var at = page.place(e.clientX, e.clientY);
          _tembira_menu(at[0], at[1], 0);
        }, 500)};
      });
      game.addEventListener('pointermove', function(e) {
        if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > 10) forget();
      });
      game.addEventListener('pointerup', forget);
      game.addEventListener('pointercancel', forget);
      // A press outside the menu closes it, and goes on to what it pressed.
      document.addEventListener('pointerdown', function(e) {
        if (page.menu && !page.menu.contains(e.target)) page.closeMenu(false);
      }, true);
    },
  },

  page_menu_clear__deps: ['$page'],
  page_menu_clear: function() { page.items = []; },

  page_menu_add__deps: ['$page'],
  page_menu_add: function(text, enabled) {
    page.items.push({text: UTF8ToString(text), enabled: !!enabled});
  },

  page_menu_show__deps: ['$page'],
  page_menu_show: function(x, y, byKeyboard) {
    page.closeMenu(false);
    var frame = page.frame();
    if (!frame) return;
    var menu = document.createElement('div');
    menu.className = 'context-menu';
    menu.setAttribute('role', 'menu');
    page.items.forEach(function(item, index) {
      var line = menu.appendChild(document.createElement('div'));
      line.setAttribute('role', 'menuitem');
      line.textContent = item.text;
      line.tabIndex = -1;
      if (!item.enabled) line.setAttribute('aria-disabled', 'true');
      line.addEventListener('click', function() {
        if (!item.enabled) return;
        page.closeMenu(true);
        _tembira_menu_choose(index);
      });
      line.addEventListener('pointerenter', function() { if (item.enabled) line.focus(); });
    });
    menu.addEventListener('keydown', function(e) {
      e.stopPropagation();
      var lines = [...menu.querySelectorAll('[role=menuitem]:not([aria-disabled])')];
      var at = lines.indexOf(document.activeElement);
      if (e.key === 'Escape' || e.key === 'Tab' || e.key === 'ContextMenu') page.closeMenu(true);
      else if (e.key === 'ArrowDown') lines[(at + 1) % lines.length].focus();
      else if (e.key === 'ArrowUp') lines[(at - 1 + lines.length) % lines.length].focus();
      else if ((e.key === 'Enter' || e.key === ' ') && at >= 0) lines[at].click();
      else return;
      e.preventDefault();
    });
    page.focusBefore = document.activeElement;
    page.menu = menu;
    // Inside the window and the page, where the point leaves room.
    var r = frame.getBoundingClientRect();
    var scale = frame.offsetWidth ? r.width / frame.offsetWidth : 1;
    document.body.appendChild(menu);
    var left = Math.min(r.left + x * scale, window.innerWidth - menu.offsetWidth - 2);
    var top = Math.min(r.top + y * scale, window.innerHeight - menu.offsetHeight - 2);
    menu.style.left = Math.max(0, left) + window.scrollX + 'px';
    menu.style.top = Math.max(0, top) + window.scrollY + 'px';
    var first = menu.querySelector('[role=menuitem]:not([aria-disabled])');
    if (first) first.focus({preventScroll: true, focusVisible: !!byKeyboard});
    else menu.tabIndex = -1, menu.focus();
  },

  page_mark__deps: ['$page'],
  page_mark: function(x, y, width, height, note, ms) {
    var frame = page.frame();
    if (!frame) return;
    var mark = frame.querySelector(':scope > .hint-mark');
    if (!mark) {
      mark = frame.appendChild(document.createElement('div'));
      mark.className = 'hint-mark';
      mark.appendChild(document.createElement('div')).className = 'outline';
      var text = mark.appendChild(document.createElement('div'));
      text.className = 'note';
      text.setAttribute('role', 'status');
    }
    var outline = mark.firstChild, text = mark.lastChild;
    Object.assign(outline.style, {left: x + 'px', top: y + 'px', width: width + 'px',
                                  height: height + 'px'});
    text.textContent = UTF8ToString(note);
    mark.hidden = false;
    // Beside the tile, on whichever side has room, level with its middle.
    var w = text.offsetWidth, h = text.offsetHeight;
    var left = x + width + 5;
    if (left + w > frame.offsetWidth) left = x - 5 - w;
    text.style.left = Math.max(0, Math.min(left, frame.offsetWidth - w)) + 'px';
    text.style.top = Math.max(0, Math.min(y + height / 2 - h / 2, frame.offsetHeight - h)) + 'px';
    clearTimeout(page.markTimer);
    page.markTimer = setTimeout(function() { mark.hidden = true; }, ms);
  },

  page_note__deps: ['$page'],
  page_note: function(note, ms) {
    var frame = page.frame();
    if (!frame) return;
    var el = document.querySelector('.note-beside');
    if (!el) {
      el = document.body.appendChild(document.createElement('div'));
      el.className = 'note-beside';
      el.setAttribute('role', 'status');
    }
    el.textContent = UTF8ToString(note);
    el.hidden = false;
    // Beside the window where the page has room, else below or above it:
    // never over the reward; placed again as the window grows or shrinks.
    var place = function() {
      var r = frame.getBoundingClientRect();
      var w = el.offsetWidth, h = el.offsetHeight;
      var left = r.right + 8, top = r.top;
      if (left + w > window.innerWidth) {
        left = Math.max(0, Math.min(r.left, window.innerWidth - w));
        top = r.bottom + 8 + h <= window.innerHeight ? r.bottom + 8 : Math.max(0, r.top - 8 - h);
      }
      el.style.left = left + window.scrollX + 'px';
      el.style.top = top + window.scrollY + 'px';
    };
    place();
    if (!page.noteWatch && window.ResizeObserver) {
      page.noteWatch = new ResizeObserver(function() { if (!el.hidden) page.notePlace(); });
      page.noteWatch.observe(frame);
    }
    page.notePlace = place;
    clearTimeout(page.noteTimer);
    page.noteTimer = setTimeout(function() { el.hidden = true; }, ms);
  },

  page_records__deps: ['$page'],
  page_records: function(title, headings, rows, clear, question, yes, no, close) {
    var dialog = document.querySelector('dialog.records');
    if (!dialog) {
      dialog = document.body.appendChild(document.createElement('dialog'));
      dialog.className = 'records';
      dialog.addEventListener('keydown', function(e) { e.stopPropagation(); });
      dialog.addEventListener('close', function() {
        var before = page.recordsFocus;
        if (before && before.isConnected) before.focus();
      });
    }
    var heading = document.createElement('h2');
    heading.id = 'records-title';
    heading.textContent = UTF8ToString(title);
    dialog.setAttribute('aria-labelledby', heading.id);
    var table = document.createElement('table');
    var head = table.createTHead().insertRow();
    UTF8ToString(headings).split('\t').forEach(function(text) {
      var th = document.createElement('th');
      th.scope = 'col';
      th.textContent = text;
      head.appendChild(th);
    });
    var body = table.createTBody();
    UTF8ToString(rows).split('\n').forEach(function(row) {
      var tr = body.insertRow();
      row.split('\t').forEach(function(text, column) {
        var cell = document.createElement(column === 0 ? 'th' : 'td');
        if (column === 0) cell.scope = 'row';
        cell.textContent = text;
        tr.appendChild(cell);
      });
    });
    var buttons = document.createElement('div');
    buttons.className = 'buttons';
    function button(text, act) {
      var b = buttons.appendChild(document.createElement('button'));
      b.type = 'button';
      b.textContent = text;
      b.addEventListener('click', act);
      return b;
    }
    var texts = {question: UTF8ToString(question), yes: UTF8ToString(yes), no: UTF8ToString(no)};
    var clearButton = button(UTF8ToString(clear), function() {
      // Asked first, within the window.
      var ask = document.createElement('div');
      ask.className = 'confirm';
      ask.setAttribute('role', 'alertdialog');
      ask.setAttribute('aria-label', texts.question);
      ask.appendChild(document.createElement('p')).textContent = texts.question;
      var yesButton = ask.appendChild(document.createElement('button'));
      yesButton.type = 'button';
      yesButton.textContent = texts.yes;
      yesButton.addEventListener('click', function() { _tembira_records_clear(); });
      var noButton = ask.appendChild(document.createElement('button'));
      noButton.type = 'button';
      noButton.textContent = texts.no;
      noButton.addEventListener('click', function() { ask.replaceWith(buttons); clearButton.focus(); });
      buttons.replaceWith(ask);
      noButton.focus();
    });
    var closeButton = button(UTF8ToString(close), function() { dialog.close(); });
    dialog.replaceChildren(heading, table, buttons);
    if (!dialog.open) {
      page.recordsFocus = document.activeElement;
      dialog.showModal();
    }
    closeButton.focus();
  },

  page_storage_get__deps: ['$page'],
  page_storage_get: function(key, status) {
    try {
      var value = window.localStorage.getItem(UTF8ToString(key));
      HEAP32[status >> 2] = 0;
      return value === null ? 0 : page.copy(value);
    } catch (e) {
      HEAP32[status >> 2] = 1;
      return 0;
    }
  },

  page_storage_set: function(key, value) {
    try {
      window.localStorage.setItem(UTF8ToString(key), UTF8ToString(value));
      return 0;
    } catch (e) {
      return e && e.name === 'QuotaExceededError' ? 1 : 2;
    }
  },

  page_worker_start__deps: ['$page'],
  page_worker_start: function() {
    page.listen();
    // A worker that fails (its scripts not fetched: the network gone on a
    // first visit) is started again a little later, or once the browser is
    // back online, and gets every request not yet answered.
    var retryMs = 2000;
    function start() {
      if (page.worker) return;
      var worker = page.worker = new Worker('tembira-solver-worker.js');
      function failed(why) {
        console.error('tembira: the solver worker: ' + why);
        if (page.worker !== worker) return;
        worker.terminate();
        page.worker = null;
        setTimeout(start, retryMs);
        retryMs = Math.min(2 * retryMs, 60000);
      }
      worker.onmessage = function(e) {
        var m = e.data;
        if (m.failed) return failed(m.failed);
        if (m.tables) {
          retryMs = 2000;
          // For the tests and the README's figures.
          window.tembiraSolver = {tables: m.tables, ms: m.ms, since: performance.now() - m.ms};
          return;
        }
        page.unanswered = page.unanswered.filter(function(sent) { return sent.ticket !== m.ticket; });
        var at = _malloc(m.numbers.length * 4 + 4);
        HEAP32.set(m.numbers, at >> 2);
        _tembira_worker_answer(m.ticket, at, m.numbers.length);
        _free(at);
      };
      worker.onerror = function(e) {
        e.preventDefault();
        failed(e.message);
      };
      page.unanswered.forEach(function(m) { worker.postMessage(m); });
    }
    window.addEventListener('online', start);
    // After the first paint: a frame is drawn before a task queued from its
    // callback runs; a hidden page draws no frame.
    requestAnimationFrame(function() { setTimeout(start, 0); });
    setTimeout(start, 1000);
  },

  page_worker_post__deps: ['$page'],
  page_worker_post: function(ticket, numbers, count) {
    var m = {ticket: ticket, numbers: Int32Array.from(HEAP32.subarray(numbers >> 2, (numbers >> 2) + count))};
    page.unanswered.push(m);
    if (page.worker) page.worker.postMessage(m);
  },
});
