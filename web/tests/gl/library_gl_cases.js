// The page side of the browser's conformance runner: keeps each case's
// pixels and checks on the module, where the test reads them.
mergeInto(LibraryManager.library, {
  plombrixGlCaseDrawn: function (name, width, height, rgb, checks) {
    Module['glCases'].push({
      name: UTF8ToString(name), width: width, height: height,
      pixels: HEAPU8.slice(rgb, rgb + width * height * 3), checks: UTF8ToString(checks),
    });
  },
  plombrixGlCasesFinished: function (windowMade) {
    Module['glCasesFinished'] = windowMade ? 'drawn' : 'no WebGL window';
  },
});
