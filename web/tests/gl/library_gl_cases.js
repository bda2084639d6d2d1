// The page side of the browser's conformance runner: keeps each case's
// picture and checks on the module, where the test reads them.
mergeInto(LibraryManager.library, {
  plombrixGlCaseDrawn: function (name, rgba, bytes, checks) {
    Module['glCases'].push({
      name: UTF8ToString(name),
      pixels: HEAPU8.slice(rgba, rgba + bytes),
      checks: UTF8ToString(checks),
    });
  },
  plombrixGlCasesFinished: function (windowMade) {
    Module['glCasesFinished'] = windowMade ? 'drawn' : 'no WebGL window';
  },
});
