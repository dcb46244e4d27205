// The C++ side's calls on the page: each goes to the page's own script
// (page/page.js sets Module.page), which owns the DOM.
mergeInto(LibraryManager.library, {
  duskPageCanvasWidth: function() { return Module.page.canvasSize()[0]; },
  duskPageCanvasHeight: function() { return Module.page.canvasSize()[1]; },
  duskPageSizeCanvas: function(width, height) { Module.page.sizeCanvas(width, height); },
  duskPageNextKey: function() { return Module.page.nextKey(); },
  duskPageQuitAsked: function() { return Module.page.quitAsked() ? 1 : 0; },
  duskPageKeepFrame: function(showTime) { Module.page.keepFrame(showTime); },
  duskPageFramesDone: function() { Module.page.framesDone(); },
  duskPageShowLauncher: function(aspects, multisampling, aspect, fullscreen, music) {
    Module.page.fillLauncher(UTF8ToString(aspects).split('\n'), UTF8ToString(multisampling).split('\n'),
                             aspect, fullscreen != 0, music != 0);
  },
  duskPageShowStarted: function() { Module.page.showStarted(); },
  duskPageFirstFrame: function() { Module.page.firstFrame(); },
  duskPageShowEnded: function() { Module.page.showEnded(); },
  duskPageShowFailed: function() { Module.page.showFailed(); },
  duskPageNoWebGl: function() { Module.page.noWebGl(); },
  duskPageMusicWait: function(on) { Module.page.musicWait(on != 0); },
});
