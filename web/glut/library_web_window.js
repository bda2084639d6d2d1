// The page side of the browser build's GLUT window: pointer, touch, wheel and
// key events on the page, turned into calls of the window's plombrix_window_*
// functions with positions in drawing-buffer pixels (the canvas may be shown
// smaller than its 1024 x 768 buffer).

mergeInto(LibraryManager.library, {
  plombrixWindowListen: function () {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    // GLUT's button numbers, by the DOM's bit in PointerEvent.buttons.
    var buttonBits = [[1, 0], [4, 1], [2, 2]];
    var heldBits = 0;
    // Keys the browser would otherwise use to scroll the page.
    var scrollingKeys = {' ': 1, 'ArrowUp': 1, 'ArrowDown': 1, 'ArrowLeft': 1, 'ArrowRight': 1,
                         'PageUp': 1, 'PageDown': 1, 'Home': 1, 'End': 1};
    var specialKeys = {'F1': 1, 'F2': 2, 'F3': 3, 'F4': 4, 'F5': 5, 'F6': 6, 'F7': 7, 'F8': 8, 'F9': 9,
                       'F10': 10, 'F11': 11, 'F12': 12, 'ArrowLeft': 100, 'ArrowUp': 101, 'ArrowRight': 102,
                       'ArrowDown': 103, 'PageUp': 104, 'PageDown': 105, 'Home': 106, 'End': 107,
                       'Insert': 108, 'NumLock': 0x6D, 'Shift': 0x70, 'Control': 0x72, 'Alt': 0x74};
    var controlKeys = {'Enter': 13, 'Escape': 27, 'Backspace': 8, 'Tab': 9, 'Delete': 127};

    function position(event) {
      var box = canvas.getBoundingClientRect();
      var x = box.width > 0 ? (event.clientX - box.left) * canvas.width / box.width : 0;
      var y = box.height > 0 ? (event.clientY - box.top) * canvas.height / box.height : 0;
      return [Math.floor(x), Math.floor(y)];
    }
    function modifiers(event) {
      return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    }
    // Reports every button whose state differs from what the window was
    // last told: the DOM sends one pointerdown for the first button only.
    function reportButtons(event, bits, at) {
      for (var i = 0; i < buttonBits.length; i++) {
        var bit = buttonBits[i][0];
        if ((bits & bit) !== (heldBits & bit)) {
          heldBits ^= bit;
          _plombrix_window_button(buttonBits[i][1], (bits & bit) ? 1 : 0, at[0], at[1], modifiers(event));
        }
      }
    }

    canvas.style.touchAction = 'none';
    canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
    canvas.addEventListener('pointerdown', function (event) {
      if (!event.isPrimary) return;
      event.preventDefault();
      canvas.focus && canvas.focus();
      try { canvas.setPointerCapture(event.pointerId); } catch (e) {}
      var at = position(event);
      // A finger has no hover: the pointer moves to the touched point first,
      // so what the press acts on is what lies under the finger.
      if (event.pointerType !== 'mouse') _plombrix_window_pointer_move(at[0], at[1]);
      reportButtons(event, event.pointerType === 'mouse' ? event.buttons : 1, at);
    });
    canvas.addEventListener('pointermove', function (event) {
      if (!event.isPrimary) return;
      var at = position(event);
      if (event.pointerType === 'mouse') reportButtons(event, event.buttons, at);
      _plombrix_window_pointer_move(at[0], at[1]);
    });
    function release(event) {
      if (!event.isPrimary) return;
      var at = position(event);
      reportButtons(event, event.pointerType === 'mouse' && event.type === 'pointerup' ? event.buttons : 0, at);
    }
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
    canvas.addEventListener('wheel', function (event) {
      event.preventDefault();
      if (event.deltaY === 0) return;
      // Like freeglut without a wheel callback: a turn is a press and release
      // of button 3 (up) or 4 (down).
      var button = event.deltaY < 0 ? 3 : 4;
      var at = position(event);
      _plombrix_window_button(button, 1, at[0], at[1], modifiers(event));
      _plombrix_window_button(button, 0, at[0], at[1], modifiers(event));
    }, {passive: false});

    function key(event, down) {
      // Shortcuts belong to the browser; Ctrl itself is a key like Shift and
      // Alt, its press reported as its release is.
      if ((event.ctrlKey || event.metaKey) && event.key !== 'Control') return;
      var code = -1, special = 0;
      if (event.key.length === 1 && event.key.charCodeAt(0) < 256) {
        code = event.key.charCodeAt(0);
      } else if (controlKeys[event.key] !== undefined) {
        code = controlKeys[event.key];
      } else if (specialKeys[event.key] !== undefined) {
        code = specialKeys[event.key];
        special = 1;
      }
      if (code < 0) return;
      if (scrollingKeys[event.key] || (event.key.length === 1 && !event.altKey)) event.preventDefault();
      _plombrix_window_key(code, special, down ? 1 : 0, event.repeat ? 1 : 0, modifiers(event));
    }
    window.addEventListener('keydown', function (event) { key(event, true); });
    window.addEventListener('keyup', function (event) { key(event, false); });
  },

  plombrixWindowHidden: function () {
    return document.hidden ? 1 : 0;
  },

  plombrixWindowSetTitle: function (title) {
    document.title = UTF8ToString(title);
  },
});

mergeInto(LibraryManager.library, {
  // Shows the unfinished line of standard output: through the file system's
  // terminal when the program has one, else through the plain write buffer.
  plombrixFlushConsole: function () {
    if (typeof FS !== 'undefined' && FS.streams && FS.streams[1] && FS.streams[1].tty) {
      var tty = FS.streams[1].tty;
      if (tty.ops.flush) tty.ops.flush(tty);
      return;
    }
    if (typeof SYSCALLS !== 'undefined' && SYSCALLS.buffers && SYSCALLS.buffers[1] && SYSCALLS.buffers[1].length) {
      out(UTF8ArrayToString(SYSCALLS.buffers[1], 0));
      SYSCALLS.buffers[1].length = 0;
    }
  },
});
