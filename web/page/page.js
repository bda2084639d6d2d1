// Starts Plombrix! in the page: checks that the browser can draw it, then
// loads the game's script, which fetches the game and its files. Whatever
// stops the game from starting is said in the page instead of a blank canvas.
(function () {
  'use strict';
  var canvas = document.getElementById('canvas');
  var message = document.getElementById('message');

  function showMessage(text) {
    message.textContent = text;
    message.hidden = false;
    canvas.hidden = true;
  }

  function hasWebGl() {
    try {
      var probe = document.createElement('canvas');
      return !!(window.WebGLRenderingContext && (probe.getContext('webgl2') || probe.getContext('webgl')));
    } catch (e) {
      return false;
    }
  }

  if (!hasWebGl()) {
    showMessage('Plombrix! draws with WebGL, which this browser does not offer or has turned off. ' +
                'Try another browser, or turn on hardware acceleration in this one.');
    return;
  }

  window.Module = {
    canvas: canvas,
    // The game prints its loading lines and the pointer line; each begins
    // with its own line break, which leaves empty lines behind.
    print: function (text) {
      if (text !== '') console.log(text);
    },
    printErr: function (text) {
      if (text !== '') console.warn(text);
    },
    plombrixShowError: function (text) {
      showMessage('Plombrix! could not start: ' + text);
    },
    onAbort: function (what) {
      showMessage('Plombrix! stopped: ' + what);
    },
  };

  var script = document.createElement('script');
  script.src = 'plombrix.js';
  script.onerror = function () {
    showMessage('Plombrix! could not be loaded. Reload the page to try again.');
  };
  document.body.appendChild(script);
  canvas.focus();
})();
