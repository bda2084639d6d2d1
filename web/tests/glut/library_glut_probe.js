// Hands the GLUT probe's callbacks to the page: window.glutCalls, one entry a
// callback, stamped with the page's clock so a test can set GLUT's elapsed
// time beside the wall time.
mergeInto(LibraryManager.library, {
  plombrixProbeRecord: function (callback, count, a, b, c, d, modifiers) {
    window.glutCalls.push({
      callback: UTF8ToString(callback),
      args: [a, b, c, d].slice(0, count),
      modifiers: modifiers,
      at: performance.now(),
    });
  },
});
