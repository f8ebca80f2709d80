// Runs before the game: the player's files (the page's home folder, where the game keeps its
// camera file, progress and settings under .local/share and .config) come from the browser's
// IndexedDB, and Module.persistStorage copies them back after each change.
(function() {
  var home = '/home/web_user';
  var hooks = Module['preRun'] || [];
  if (typeof hooks === 'function') hooks = [hooks];
  hooks.push(function() {
    FS.mkdirTree(home);
    FS.mount(IDBFS, {}, home);
    addRunDependency('tracklet-storage');
    FS.syncfs(true, function(error) {
      if (error) console.warn('Tracklet: the browser storage cannot be read: ' + error);
      removeRunDependency('tracklet-storage');
    });
  });
  Module['preRun'] = hooks;

  // One copy at a time; changes made during a copy are copied once it ends.
  var copying = false, again = false;
  Module['persistStorage'] = function() {
    if (copying) { again = true; return; }
    copying = true;
    FS.syncfs(false, function(error) {
      if (error) console.warn('Tracklet: the browser storage cannot be written: ' + error);
      copying = false;
      if (again) { again = false; Module['persistStorage'](); }
    });
  };
})();
