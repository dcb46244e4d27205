// The page around the show: fetches the Data files into the program's file
// system while the launcher form is open, hosts the form and the canvas,
// and passes keys, quits and pictures between the browser and the program
// (backends/web/page_calls.js).
'use strict';
(function() {
  // The files the show reads, as make-data writes them. Fetched each time,
  // so that a Data folder swapped on the server is what plays.
  var dataFiles = ['overlay.p', 'dwl.p', 'text1.p', 'dot.p', 'greets1.p', 'greets2.p', 'credits.p', 'music.mp3'];
  // Windows virtual-key codes, as the native program reads its keys.
  var virtualKeys = { Escape: 0x1B, Enter: 0x0D, ' ': 0x20, Tab: 0x09, ArrowLeft: 0x25, ArrowUp: 0x26,
                      ArrowRight: 0x27, ArrowDown: 0x28 };

  var byId = function(id) { return document.getElementById(id); };
  var canvas = byId('canvas');
  var params = new URLSearchParams(location.search);
  var frameTimes = params.has('at') ? params.get('at').split(',').map(Number) : null;
  var keys = [];
  var quit = false;
  var contextLost = false;
  var inShow = false;
  var showing = false;
  var program = 0;
  var enterEarly = false;

  // The show's lines: over the picture for a few seconds, then out of the
  // way; the bar's Messages button shows them again.
  var messagesTimer = 0;
  function showMessages() {
    var box = byId('messages');
    if (!box.textContent) return;
    box.hidden = false;
    clearTimeout(messagesTimer);
    messagesTimer = setTimeout(function() { box.hidden = true; }, 6000);
  }

  function say(line) {
    var box = byId('messages');
    box.textContent += (box.textContent ? '\n' : '') + line;
    byId('show-messages').hidden = false;
    showMessages();
  }

  // The position bar: the show time and its length, play and pause, and the
  // bar itself to click or drag; it fades 2 s after the pointer stops.
  var showLength = 92000;
  var paused = false;
  var dragging = false;
  var barTimer = 0;

  function minutes(ms) {
    var s = Math.floor(ms / 1000);
    return Math.floor(s / 60) + ':' + String(s % 60).padStart(2, '0');
  }

  function showBar() {
    if (!showing) return;
    byId('bar').classList.remove('faded');
    clearTimeout(barTimer);
    barTimer = setTimeout(function() {
      if (!dragging && !byId('bar').contains(document.activeElement)) byId('bar').classList.add('faded');
      else showBar();
    }, 2000);
  }

  function showTime() {
    return program ? Module._duskShowTime(program) : -1;
  }

  function followBar() {
    if (!showing) return;
    var t = showTime();
    if (t >= 0) {
      if (!dragging) byId('position').value = t;
      byId('clock').textContent = minutes(dragging ? Number(byId('position').value) : t) + ' / ' +
                                  minutes(showLength);
    }
    requestAnimationFrame(followBar);
  }

  function setPaused(hold) {
    paused = hold;
    Module._duskPause(program, hold ? 1 : 0);
    byId('play-pause').textContent = hold ? 'Play' : 'Pause';
    byId('play-pause').setAttribute('aria-label', hold ? 'Play' : 'Pause');
    showBar();
  }

  function seekTo(ms) {
    Module._duskSeek(program, Math.max(0, Math.min(showLength - 1, Math.round(ms))));
    showBar();
  }

  // Space pauses, Left and Right step 5 s, Home goes to the start; true when taken.
  function barKey(event) {
    if (!showing) return false;
    if (event.key === ' ') setPaused(!paused);
    else if (event.key === 'ArrowLeft') seekTo(showTime() - 5000);
    else if (event.key === 'ArrowRight') seekTo(showTime() + 5000);
    else if (event.key === 'Home') seekTo(0);
    else return false;
    event.preventDefault();
    return true;
  }

  function notice(text, again) {
    byId('notice-text').textContent = text;
    byId('again').hidden = !again;
    byId('notice').hidden = false;
  }

  function fullscreenElement() {
    return document.fullscreenElement || document.webkitFullscreenElement || null;
  }

  // The Data files, requested at once beside the program, each file's bytes
  // kept as they come; data.json (written by make web) gives the whole
  // download's size first, so the progress only ever grows. Without it the
  // total is known once every file has answered. A missing file is left
  // out, and the program says what it misses as natively.
  var data = { files: {}, received: 0, total: 0, done: false, written: false, waiting: [] };

  function showProgress() {
    var shown = data.total > 0 ? Math.min(1, data.received / data.total) : null;
    ['progress', 'wait-progress'].forEach(function(id) {
      var bar = byId(id);
      if (shown === null) bar.removeAttribute('value');
      else bar.value = Math.max(bar.value || 0, shown);
    });
  }

  function fetchData() {
    var listed = false;
    var lengths = [];
    // Without the list, the total once every file has said its length.
    var answered = function(i, length) {
      lengths[i] = length;
      if (!listed && lengths.filter(function(l) { return l !== undefined; }).length === dataFiles.length) {
        data.total = lengths.reduce(function(a, b) { return a + b; }, 0);
        showProgress();
      }
    };
    fetch('data.json', { cache: 'no-cache' }).then(function(response) {
      return response.ok ? response.json() : null;
    }).then(function(list) {
      if (!list) return;
      listed = true;
      data.total = list.reduce(function(sum, file) { return sum + file.size; }, 0);
      showProgress();
    }).catch(function() {});
    return Promise.all(dataFiles.map(function(name, i) {
      return fetch('Data/' + name, { cache: 'no-cache' }).then(function(response) {
        answered(i, response.ok ? Number(response.headers.get('Content-Length')) || 0 : 0);
        if (!response.ok) return;
        var reader = response.body.getReader();
        var chunks = [];
        var pump = function() {
          return reader.read().then(function(part) {
            if (part.done) return;
            chunks.push(part.value);
            data.received += part.value.length;
            showProgress();
            return pump();
          });
        };
        return pump().then(function() {
          var length = chunks.reduce(function(sum, c) { return sum + c.length; }, 0);
          var bytes = new Uint8Array(length);
          var at = 0;
          chunks.forEach(function(c) { bytes.set(c, at); at += c.length; });
          data.files[name] = bytes;
        });
      }, function() { answered(i, 0); });
    })).then(function() {
      data.done = true;
      runWhenReady();
    });
  }

  // The Data files into the program's file system once both are there;
  // then what waited on them runs.
  function runWhenReady() {
    if (!data.done || !program) return;
    if (!data.written) {
      data.written = true;
      Module.FS.mkdir('/Data');
      Object.keys(data.files).forEach(function(name) { Module.FS.writeFile('/Data/' + name, data.files[name]); });
      data.files = {};
      byId('loading').hidden = true;
      Module._duskDataReady(program, frameTimes ? 0 : 1);
    }
    var waiting = data.waiting;
    data.waiting = [];
    waiting.forEach(function(run) { run(); });
  }

  function whenReady(run) {
    data.waiting.push(run);
    runWhenReady();
  }

  // index.html#t=SECONDS starts the show that far in; 0 when absent or out of range.
  function startTimeFromHash() {
    var match = /(?:^#|&)t=([0-9.]+)/.exec(location.hash);
    var ms = match ? Math.round(parseFloat(match[1]) * 1000) : 0;
    return ms > 0 && ms < 92000 ? ms : 0;
  }

  // Launch: the form's choices are taken at the press, and the show starts
  // as soon as the program and the Data files are there, the progress shown
  // over the stage until then.
  function launch() {
    if (inShow) return;
    inShow = true;
    performance.mark('duskwheel-launch');
    var fullscreen = byId('fullscreen').checked;
    var aspect = byId('aspect').selectedIndex;
    var music = byId('music').checked;
    byId('launcher').hidden = true;
    byId('stage').classList.add('showing');
    byId('waiting').hidden = data.written;
    canvas.focus();
    // Within the press, the gesture the browser asks for before fullscreen and sound.
    if (fullscreen && byId('stage').requestFullscreen)
      byId('stage').requestFullscreen().catch(function() {});
    if (Module.unlockAudio) Module.unlockAudio();
    var from = startTimeFromHash();
    whenReady(function() {
      byId('waiting').hidden = true;
      Module._duskLaunch(program, aspect, fullscreen ? 1 : 0, music ? 1 : 0, from);
    });
  }

  function leave() {
    byId('launcher').hidden = true;
    notice('The show was left.', false);
  }

  function launcherKeys(event) {
    // Enter before the form is there launches it with its first choices once it is.
    if (!program && !inShow && event.key === 'Enter' && !frameTimes) {
      event.preventDefault();
      enterEarly = true;
      return;
    }
    if (byId('launcher').hidden) return;
    if (event.key === 'Escape') {
      event.preventDefault();
      leave();
    } else if (event.key === 'Enter') {
      // Enter presses the focused button, and Launch, the default, anywhere else.
      event.preventDefault();
      if (document.activeElement === byId('quit')) leave(); else launch();
    }
  }

  function showKeys(event) {
    // The bar's own controls take their keys as any page's do; Escape still ends the show.
    if (!showing || event.key !== 'Escape' && byId('bar').contains(event.target) || barKey(event)) return;
    var code = virtualKeys[event.key] || (event.key.length === 1 ? event.key.toUpperCase().charCodeAt(0) : 0);
    if (code > 0 && code < 256) {
      keys.push(code);
      event.preventDefault();
    }
  }

  function wirePage() {
    byId('launcher').addEventListener('submit', function(event) { event.preventDefault(); launch(); });
    byId('quit').addEventListener('click', leave);
    byId('again').addEventListener('click', function() { location.reload(); });
    document.addEventListener('keydown', launcherKeys);
    document.addEventListener('keydown', showKeys);
    // In fullscreen the browser takes Escape to leave it: leaving ends the show as Escape would.
    document.addEventListener('fullscreenchange', function() { if (showing && !fullscreenElement()) quit = true; });
    // A touch shows a small control that ends the show.
    canvas.addEventListener('pointerdown', function(event) {
      if (showing && event.pointerType === 'touch') byId('end-show').hidden = false;
    });
    byId('end-show').addEventListener('click', function() { quit = true; });
    document.addEventListener('visibilitychange', function() {
      if (showing) Module._duskFollowVisibility(document.hidden ? 1 : 0);
    });
    ['pointermove', 'pointerdown'].forEach(function(type) { byId('stage').addEventListener(type, showBar); });
    byId('play-pause').addEventListener('click', function() { setPaused(!paused); });
    byId('show-messages').addEventListener('click', showMessages);
    byId('position').addEventListener('input', function() { dragging = true; showBar(); });
    byId('position').addEventListener('change', function() {
      dragging = false;
      seekTo(Number(byId('position').value));
      canvas.focus();
    });
    canvas.addEventListener('webglcontextlost', function(event) {
      contextLost = true;
      quit = true;
    });
  }

  function showEnded(text) {
    showing = false;
    byId('end-show').hidden = true;
    byId('bar').classList.add('faded');
    if (fullscreenElement() && document.exitFullscreen) document.exitFullscreen().catch(function() {});
    byId('stage').classList.remove('showing');
    notice(text, true);
  }

  var page = {
    canvasSize: function() {
      var ratio = window.devicePixelRatio || 1;
      return [Math.round(window.innerWidth * ratio), Math.round(window.innerHeight * ratio)];
    },
    sizeCanvas: function(width, height) {
      canvas.width = width;
      canvas.height = height;
    },
    nextKey: function() { return keys.length ? keys.shift() : 0; },
    quitAsked: function() { return quit; },
    keepFrame: function(showTime) {
      var kept = byId('frames').children.length + 1;
      byId('frames-progress').hidden = false;
      byId('frames-progress').textContent = 'Frame ' + kept + ' of ' + frameTimes.length + ' drawn';
      var img = document.createElement('img');
      img.id = 'frame-' + showTime;
      img.alt = 'the show at ' + showTime + ' ms';
      img.src = canvas.toDataURL('image/png');
      byId('frames').appendChild(img);
    },
    framesDone: function() { document.title = 'duskwheel frames done'; },
    fillLauncher: function(aspects, multisampling, aspect, fullscreen, music) {
      var fill = function(select, entries, chosen) {
        entries.forEach(function(text) { select.add(new Option(text)); });
        select.selectedIndex = chosen;
      };
      fill(byId('aspect'), aspects, aspect);
      fill(byId('multisampling'), multisampling, 0);
      byId('fullscreen').checked = fullscreen;
      byId('music').checked = music;
    },
    showStarted: function() {
      showing = true;
      showBar();
      requestAnimationFrame(followBar);
    },
    // Marks for whoever measures the start: the launcher shown, Launch pressed, the first frame.
    firstFrame: function() { performance.mark('duskwheel-first-frame'); },
    showEnded: function() {
      showEnded(contextLost ? 'The browser took the WebGL context away, so the show has ended.'
                            : 'The show has ended.');
    },
    showFailed: function() {
      showing = false;
      byId('stage').classList.remove('showing');
      byId('launcher').hidden = true;
      notice('The show could not start.', true);
    },
    start: function(show) {
      program = show;
      if (frameTimes) {
        whenReady(function() {
          var size = (params.get('size') || '320x200').split('x').map(Number);
          var times = new Uint8Array(new Int32Array(frameTimes).buffer);
          Module.ccall('duskShowFrames', null, ['number', 'array', 'number', 'number', 'number'],
                       [show, times, frameTimes.length, size[0], size[1]]);
        });
        return;
      }
      byId('starting').hidden = true;
      byId('launcher').hidden = false;
      byId('launch').focus();
      performance.mark('duskwheel-launcher');
      if (enterEarly) launch();
      runWhenReady();
      // The sound's context, made after the form is up.
      setTimeout(function() { if (Module.prepareAudio) Module.prepareAudio(); }, 0);
    },
    // A seek past what of the music has been decoded waits for it, shown over the stage.
    musicWait: function(on) {
      byId('waiting-text').textContent = on ? 'Decoding the music' : "Loading the show's data";
      byId('wait-progress').removeAttribute('value');
      byId('waiting').hidden = !on;
    },
    noWebGl: function() {
      byId('starting').hidden = true;
      byId('launcher').hidden = true;
      notice('This browser offers no WebGL 2, which the show needs to draw.', false);
    },
  };

  if (frameTimes) {
    document.body.classList.add('frames');
    byId('starting').hidden = true;
  }
  wirePage();
  window.Module = {
    canvas: canvas,
    page: page,
    print: function(line) { console.log(line); },
    printErr: function(line) { console.error(line); say(line); },
    onRuntimeInitialized: function() { Module.callMain([]); },
    // For whoever measures the start: true while Data files are still coming.
    dataPending: function() { return !data.written; },
  };
  fetchData();
})();
