// Runs before the program: the player's files (settings, save game, options)
// live in /player, kept in the browser's IndexedDB across page loads. The
// program asks for a copy after each write (Module.vnSyncPlayerFolder).
Module.preRun = Module.preRun || [];
Module.preRun.push(() => {
  FS.mkdir('/player');
  FS.mount(IDBFS, {}, '/player');
  addRunDependency('player-files');
  FS.syncfs(true, (error) => {
    if (error) console.warn('Vornadel: the saved files could not be read', error);
    removeRunDependency('player-files');
  });
});

(() => {
  let running = false, again = false;
  Module.vnSyncPlayerFolder = () => {
    if (running) {
      again = true;
      return;
    }
    running = true;
    FS.syncfs(false, (error) => {
      if (error) console.warn('Vornadel: the files could not be kept', error);
      running = false;
      if (again) {
        again = false;
        Module.vnSyncPlayerFolder();
      }
    });
  };
  // For the browser test: true while a copy is still on its way.
  Module.vnSyncBusy = () => running;
})();
