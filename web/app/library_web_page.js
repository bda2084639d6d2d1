// The page side of the browser's entry point.
mergeInto(LibraryManager.library, {
  // Shows why the game could not start, where the page put its canvas.
  plombrixShowGameError: function (message) {
    var text = UTF8ToString(message);
    if (typeof Module['plombrixShowError'] === 'function') Module['plombrixShowError'](text);
  },
});
