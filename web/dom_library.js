// The page's side of the binding: one element for each control, shown as
// the program says, and the page's input handed to the program. Nothing
// here knows the game.
mergeInto(LibraryManager.library, {
  $dom__deps: ['malloc', 'free'],
  $dom: {
    els: [],
    frame: null,
    // The page's key names as the program names keys (platform::keyNamed).
    keys: {ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down',
           Enter: 'Return', ' ': 'Space', h: 'H', H: 'H', s: 'S', S: 'S', ContextMenu: 'Menu'},
    // A key event's name for the program; '' for a key the game does not name.
    keyName: function(e) {
      var k = e.key.toUpperCase();
      if (e.ctrlKey && !e.altKey && !e.metaKey) {
        if (k === 'Z') return e.shiftKey ? 'Ctrl+Shift+Z' : 'Ctrl+Z';
        return k === 'Y' && !e.shiftKey ? 'Ctrl+Y' : '';
      }
      return e.ctrlKey || e.altKey || e.metaKey ? '' : dom.keys[e.key] || '';
    },
    // Hands a key by name, with the focused element, to the program: true
    // when the game took it.
    key: function(name, focused) {
      var size = lengthBytesUTF8(name) + 1;
      var text = _malloc(size);
      stringToUTF8(name, text, size);
      var taken = _tembira_key(text, focused);
      _free(text);
      return taken;
    },
    // The element of a control an event came from, or null.
    owner: function(target) {
      return target && target.closest ? target.closest('[data-id]') : null;
    },
    // A pointer event's place in the window's own pixels, whatever the
    // page's zoom or scaling.
    place: function(event) {
      var frame = dom.frame;
      var r = frame.getBoundingClientRect();
      var scale = r.width ? frame.offsetWidth / r.width : 1;
      return [(event.clientX - r.left) * scale, (event.clientY - r.top) * scale];
    },
    // A touch that travels this far (CSS pixels) is a swipe, not a tap.
    swipeLength: 24,
    // A swipe is the arrow key of its direction, handed with the focusable
    // element it began on, so that the game's key rule decides what it does.
    swiped: function(start, e) {
      var dx = e.clientX - start.x;
      var dy = e.clientY - start.y;
      if (Math.max(Math.abs(dx), Math.abs(dy)) < dom.swipeLength) return false;
      _tembira_pointer_cancel();
      var name = Math.abs(dx) > Math.abs(dy) ? (dx > 0 ? 'Right' : 'Left') : (dy > 0 ? 'Down' : 'Up');
      var el = dom.owner(start.on);
      dom.key(name, el ? +el.dataset.id : -1);
      return true;
    },
    listen: function(frame) {
      var touch = null;
      frame.addEventListener('pointerdown', function(e) {
        if (e.button !== 0) return;
        if (frame.setPointerCapture) frame.setPointerCapture(e.pointerId);
        touch = e.pointerType === 'mouse' ? null : {id: e.pointerId, x: e.clientX, y: e.clientY,
          on: e.target.closest ? e.target.closest('[tabindex]') : null};
        var at = dom.place(e);
        _tembira_pointer_down(at[0], at[1]);
      });
      frame.addEventListener('pointerup', function(e) {
        if (e.button !== 0) return;
        var start = touch && touch.id === e.pointerId ? touch : null;
        touch = null;
        if (start && dom.swiped(start, e)) return;
        var at = dom.place(e);
        _tembira_pointer_up(at[0], at[1]);
      });
      frame.addEventListener('pointercancel', function() { _tembira_pointer_cancel(); });
      // Only the controls that take the focus on the desktop take it from a
      // pointer press here.
      frame.addEventListener('mousedown', function(e) {
        var el = dom.owner(e.target);
        if (!el || el.dataset.clickFocus !== '1') e.preventDefault();
      });
      // A click with no pointer behind it is an assistive technology's press.
      frame.addEventListener('click', function(e) {
        var el = dom.owner(e.target);
        if (e.detail === 0 && el) _tembira_press(+el.dataset.id);
      });
      // Every key goes to the program: one it does not name still stops a
      // solution being played.
      document.addEventListener('keydown', function(e) {
        if (!dom.frame) return;
        var el = dom.owner(document.activeElement);
        if (dom.key(dom.keyName(e), el ? +el.dataset.id : -1)) e.preventDefault();
      });
    },
    // Puts the elements in the document in the program's tab order (the
    // lowest place within each element ranks it); keeps the focus where it was.
    order: function() {
      var focused = document.activeElement;
      var rank = function(el) {
        var own = el.dataset.tab ? +el.dataset.tab : Infinity;
        for (var c = el.firstElementChild; c; c = c.nextElementSibling)
          if (c.dataset.id) own = Math.min(own, rank(c));
        return own;
      };
      var sort = function(el) {
        var kids = Array.prototype.filter.call(el.children, function(c) { return c.dataset.id; });
        var ranks = new Map(kids.map(function(c) { return [c, rank(c)]; }));
        var sorted = kids.slice().sort(function(a, b) {
          return (ranks.get(a) - ranks.get(b)) || 0;
        });
        if (sorted.some(function(c, i) { return c !== kids[i]; }))
          sorted.forEach(function(c) { el.appendChild(c); });
        kids.forEach(sort);
      };
      if (!dom.frame) return;
      sort(dom.frame);
      if (focused && focused !== document.activeElement) focused.focus({preventScroll: true});
    },
    // A text box's line condensed to fit, down to 60 %; whether it fits so.
    // Measured from the box's own style, so a hidden box measures too.
    fit: function(el) {
      var span = el.lastChild;
      var s = el.style;
      var ctx = dom.measure || (dom.measure = document.createElement('canvas').getContext('2d'));
      ctx.font = s.fontWeight + ' ' + s.fontSize + ' ' + s.fontFamily;
      var width = ctx.measureText(span.textContent).width;
      var room = parseFloat(s.width) - 9;
      var scale = width > room && room > 0 ? Math.max(0.6, room / width) : 1;
      span.style.transform = scale < 1 ? 'scaleX(' + scale + ')' : '';
      return width * 0.6 <= room;
    },
  },

  dom_create__deps: ['$dom'],
  dom_create: function(id, kind, parent, picture, clickable) {
    var el = document.createElement(kind === 6 ? 'img' : 'div');
    el.dataset.id = id;
    el.className = ['window', 'label', 'button', 'option', 'textbox', 'picturebox', 'image'][kind];
    if (kind === 1 || kind === 2 || kind === 3 || kind === 4) {
      if (kind === 3) el.appendChild(document.createElement('span')).className = 'mark';
      el.appendChild(document.createElement('span')).className = 'text';
    }
    if (kind === 1 && clickable) el.setAttribute('role', 'button');
    if (kind === 1 && !clickable) el.setAttribute('aria-live', 'polite');
    if (kind === 2) el.setAttribute('role', 'button');
    if (kind === 3) el.setAttribute('role', 'radio');
    if (kind === 4) {
      el.setAttribute('role', 'textbox');
      el.setAttribute('aria-readonly', 'true');
    }
    if (kind === 5) el.setAttribute('role', 'group');
    if (kind === 6) {
      el.alt = '';
      el.draggable = false;
      el.src = UTF8ToString(picture);
      // Dense screens get the picture's drawing, as the desktop draws it afresh.
      if (el.getAttribute('src')) el.srcset = el.getAttribute('src') + ' 1x, ' +
        el.getAttribute('src').replace(/\.png$/, '.svg') + ' 2x';
    }
    dom.els[id] = el;
    if (kind === 0) {
      dom.frame = el;
      el.setAttribute('role', 'application');
      queueMicrotask(dom.order); // once the program has built every element
      dom.listen(el);
      document.getElementById('game').replaceChildren(el);
    } else {
      dom.els[parent].appendChild(el);
    }
  },

  dom_geometry__deps: ['$dom'],
  dom_geometry: function(id, x, y, width, height) {
    var s = dom.els[id].style;
    s.left = x + 'px';
    s.top = y + 'px';
    s.width = width + 'px';
    s.height = height + 'px';
  },

  dom_stacking__deps: ['$dom'],
  dom_stacking: function(id, z) { dom.els[id].style.zIndex = z; },

  dom_visible__deps: ['$dom'],
  dom_visible: function(id, visible) { dom.els[id].hidden = !visible; },

  dom_enabled__deps: ['$dom'],
  dom_enabled: function(id, enabled) {
    var el = dom.els[id];
    el.classList.toggle('disabled', !enabled);
    if (el.hasAttribute('role')) el.setAttribute('aria-disabled', enabled ? 'false' : 'true');
  },

  dom_text__deps: ['$dom'],
  dom_text: function(id, text) {
    var el = dom.els[id];
    var span = el.querySelector('.text');
    if (!span) return;
    span.textContent = UTF8ToString(text);
    if (el.className === 'textbox') dom.fit(el);
  },

  dom_colours__deps: ['$dom'],
  dom_colours: function(id, fore, back) {
    var s = dom.els[id].style;
    s.color = UTF8ToString(fore);
    s.setProperty('--back', UTF8ToString(back));
  },

  dom_alignment__deps: ['$dom'],
  dom_alignment: function(id, alignment) {
    dom.els[id].style.justifyContent = ['flex-start', 'flex-end', 'center'][alignment];
    dom.els[id].style.textAlign = ['left', 'right', 'center'][alignment];
  },

  dom_opaque__deps: ['$dom'],
  dom_opaque: function(id, opaque) { dom.els[id].classList.toggle('opaque', !!opaque); },

  dom_font__deps: ['$dom'],
  dom_font: function(id, family, pixels, weight) {
    var s = dom.els[id].style;
    s.fontFamily = UTF8ToString(family);
    s.fontSize = pixels + 'px';
    s.fontWeight = weight;
  },

  dom_checked__deps: ['$dom'],
  dom_checked: function(id, checked) {
    dom.els[id].setAttribute('aria-checked', checked ? 'true' : 'false');
  },

  dom_focus_policy__deps: ['$dom'],
  dom_focus_policy: function(id, tabIndex, clickFocus) {
    var el = dom.els[id];
    // A place in the tab order is a place in the document (dom.order), as a
    // positive tabindex would mislead assistive technologies.
    if (tabIndex > 0) el.dataset.tab = tabIndex;
    if (tabIndex === 0) el.removeAttribute('tabindex');
    else el.tabIndex = tabIndex > 0 ? 0 : -1;
    el.dataset.clickFocus = clickFocus ? '1' : '0';
  },

  dom_focus__deps: ['$dom'],
  dom_focus: function(id) { dom.els[id].focus(); },

  dom_accessible__deps: ['$dom'],
  dom_accessible: function(id, name, description) {
    var el = dom.els[id];
    var n = UTF8ToString(name);
    var d = UTF8ToString(description);
    if (el.className === 'image') return;
    if (n) el.setAttribute('aria-label', n);
    else el.removeAttribute('aria-label');
    if (d) el.setAttribute('aria-description', d);
    else el.removeAttribute('aria-description');
    // A marker that shows only its colour and takes no click is decoration.
    if (el.className === 'label' && !el.hasAttribute('role'))
      el.setAttribute('aria-hidden', n ? 'false' : 'true');
  },

  dom_fits__deps: ['$dom'],
  dom_fits: function(id, text) {
    var el = dom.els[id];
    var span = el.querySelector('.text');
    var shown = span.textContent;
    span.textContent = UTF8ToString(text);
    var fits = dom.fit(el);
    span.textContent = shown;
    dom.fit(el);
    return fits ? 1 : 0;
  },

  dom_title: function(text) { document.title = UTF8ToString(text); },

  dom_time_of_day__deps: ['malloc'],
  // The browser loads its locale data at the first time text of a page,
  // some 60 ms: paid while the program loads, not at the clock's first tick.
  dom_time_of_day__postset: 'new Date().toLocaleTimeString();',
  dom_time_of_day: function(numeric) {
    var now = new Date();
    var text = numeric ? now.toLocaleTimeString([], {
      hour: '2-digit', minute: '2-digit', second: '2-digit', hour12: false
    }) : now.toLocaleTimeString();
    var size = lengthBytesUTF8(text) + 1;
    var copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  dom_end__deps: ['$dom'],
  dom_end: function(text) {
    var end = document.createElement('p');
    end.className = 'end';
    end.setAttribute('role', 'status');
    end.textContent = UTF8ToString(text);
    document.getElementById('game').replaceChildren(end);
    dom.frame = null;
  },
});
