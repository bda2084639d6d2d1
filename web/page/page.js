// Starts Plombrix! in the page: checks that the browser can draw it, then
// loads the scripts that fetch the game and its files. Whatever stops the
// game from starting is said in the page instead of a blank canvas.
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
    postRun: [function () { started = true; }],
  };

  // Until the game runs, an error means its files did not arrive whole (a
  // failed download of the packed files throws in their loader).
  var started = false;
  window.addEventListener('error', function (event) {
    if (!started) showMessage('Plombrix! could not be loaded (' + event.message + '). Reload the page to try again.');
  });

  // The game's files come with a script of their own, which must run before
  // the game's: inserted scripts that are not async run in insertion order.
  ['plombrix-data.js', 'plombrix.js'].forEach(function (name) {
    var script = document.createElement('script');
    script.src = name;
    script.async = false;
    script.onerror = function () {
      showMessage('Plombrix! could not be loaded. Reload the page to try again.');
    };
    document.body.appendChild(script);
  });
  canvas.focus();
})();
