// The browser's side of the web build's sound: its MP3 decoder and Web
// Audio output, as an Emscripten JS library (linked with --js-library).
// C++ reaches it through backends/web/audio.h.
//
// Decoding is the browser's and asynchronous: a file is handed over while
// the launcher is open and its PCM is taken once it is there. Output is the
// sound layer's own mix, made on the main thread a block at a time and
// queued ahead on the context's clock, so that a long frame or a throttled
// background tab leaves no gap.

mergeInto(LibraryManager.library, {
  $duskAudio: {
    // name -> {state: 1 decoding, 2 decoded, 3 failed; rate, left, right}
    decodes: {},
    out: null,
    blockFrames: 1024,
    // How far ahead of the context's clock the mix is queued. The main
    // thread tops it up, and a busy machine holds that thread back for up
    // to half a second at times (seen in a show's first seconds on two
    // shared cores), so 600 ms; the heard position follows the queue's
    // anchors, so the depth costs no sync, and a stop suspends the context
    // at once. A tab in the background gets its timers once a second at
    // worst.
    aheadSeconds: 0.6,
    hiddenAheadSeconds: 1.5,

    audioGlobal: function() {
      return typeof window !== 'undefined' ? window : globalThis;
    },

    // A context made while the launcher is open, suspended (a browser takes
    // a while to make one), resumed within the Launch press and taken by
    // the show's output.
    prepared: null,
    makeContext: function() {
      var g = duskAudio.audioGlobal();
      var Context = g.AudioContext || g.webkitAudioContext;
      if (!Context)
        return null;
      try {
        return new Context({sampleRate: 44100, latencyHint: 'interactive'});
      } catch (e) {
        try {
          return new Context();
        } catch (e2) {
          return null;
        }
      }
    },

    // Queues blocks of the mix until the queue reaches the context's clock
    // plus the lookahead. A queue that ran dry (a gap heard) starts again a
    // little ahead of the clock, and the frame-to-time mapping moves with it.
    pump: function() {
      var a = duskAudio.out;
      // A context still starting keeps its clock at the start and then
      // jumps: blocks queued before it runs would all start at once.
      if (!a || !a.running || a.context.state !== 'running')
        return;
      var context = a.context;
      var now = context.currentTime;
      var at = performance.now();
      if (a.lastPumpAt > 0)
        a.longestPause = Math.max(a.longestPause, at - a.lastPumpAt);
      a.lastPumpAt = at;
      var hidden = typeof document !== 'undefined' && document.hidden;
      var ahead = hidden ? duskAudio.hiddenAheadSeconds : duskAudio.aheadSeconds;
      while (a.sources.length && a.sources[0].end < now)
        a.sources.shift();
      if (a.dropped) {
        // After a seek the queue starts again a little ahead of the clock; no gap.
        a.dropped = false;
        a.nextTime = now + 0.01;
        a.anchors.push({frame: a.queuedFrames, time: a.nextTime});
      }
      if (a.blocks > 0) {
        a.lowestQueued = Math.min(a.lowestQueued, a.nextTime - now);
        if (a.nextTime <= now)
          a.gapsAt.push(Math.round((now - a.anchors[0].time) * 1000));
      }
      if (a.blocks === 0 || a.nextTime <= now) {
        a.nextTime = now + 0.01;
        a.anchors.push({frame: a.queuedFrames, time: a.nextTime});
      }
      var frames = duskAudio.blockFrames;
      while (a.nextTime < now + ahead) {
        var mixed = _webSoundMixBlock(frames) >> 2;
        var buffer = context.createBuffer(2, frames, 44100);
        var left = buffer.getChannelData(0);
        var right = buffer.getChannelData(1);
        for (var i = 0; i < frames; ++i) {
          left[i] = HEAPF32[mixed + 2 * i];
          right[i] = HEAPF32[mixed + 2 * i + 1];
        }
        var source = context.createBufferSource();
        source.buffer = buffer;
        source.connect(context.destination);
        source.start(a.nextTime);
        a.sources.push({node: source, end: a.nextTime + frames / 44100});
        a.nextTime += frames / 44100;
        a.queuedFrames += frames;
        ++a.blocks;
      }
    },
  },

  $duskAudio__postset: "Module['prepareAudio'] = function() { " +
                       "if (!duskAudio.prepared && (duskAudio.prepared = duskAudio.makeContext())) duskAudio.prepared.suspend(); };" +
                       "Module['unlockAudio'] = function() { var c = duskAudio.prepared || (duskAudio.out && duskAudio.out.context); " +
                       "if (c) c.resume(); };",

  duskAudioDecodeStart__deps: ['$duskAudio'],
  duskAudioDecodeStart: function(name, bytes, length, rate) {
    var entry = {state: 1};
    duskAudio.decodes[UTF8ToString(name)] = entry;
    var fail = function() { entry.state = 3; };
    var Offline = duskAudio.audioGlobal().OfflineAudioContext || duskAudio.audioGlobal().webkitOfflineAudioContext;
    var context;
    try {
      // At the file's own rate, so that the browser does not resample: the
      // shared resampler does, as it does for the other builds' decoders.
      context = new Offline(2, 1, rate);
    } catch (e) {
      fail();
      return;
    }
    var copy = HEAPU8.slice(bytes, bytes + length).buffer;
    var done = function(buffer) {
      if (entry.state !== 1)
        return;
      if (!buffer || buffer.length === 0 || buffer.numberOfChannels < 1) {
        fail();
        return;
      }
      entry.rate = buffer.sampleRate;
      entry.left = buffer.getChannelData(0);
      entry.right = buffer.numberOfChannels > 1 ? buffer.getChannelData(1) : entry.left;
      entry.state = 2;
    };
    var refused = function() {
      if (entry.state === 1)
        fail();
    };
    // The callback form: older engines return no promise.
    var promise = context.decodeAudioData(copy, done, refused);
    if (promise && promise.catch)
      promise.catch(refused);
  },

  duskAudioDecodeState__deps: ['$duskAudio'],
  duskAudioDecodeState: function(name) {
    var entry = duskAudio.decodes[UTF8ToString(name)];
    return entry ? entry.state : 0;
  },

  duskAudioDecodedFrames__deps: ['$duskAudio'],
  duskAudioDecodedFrames: function(name) {
    var entry = duskAudio.decodes[UTF8ToString(name)];
    return entry && entry.state === 2 ? entry.left.length : 0;
  },

  duskAudioDecodedRate__deps: ['$duskAudio'],
  duskAudioDecodedRate: function(name) {
    var entry = duskAudio.decodes[UTF8ToString(name)];
    return entry && entry.state === 2 ? entry.rate : 0;
  },

  // Frames first .. first + count - 1, interleaved stereo, to out.
  duskAudioDecodedCopy__deps: ['$duskAudio'],
  duskAudioDecodedCopy: function(name, first, count, out) {
    var entry = duskAudio.decodes[UTF8ToString(name)];
    var at = out >> 2;
    for (var i = 0; i < count; ++i) {
      HEAPF32[at + 2 * i] = entry.left[first + i];
      HEAPF32[at + 2 * i + 1] = entry.right[first + i];
    }
  },

  duskAudioDecodeForget__deps: ['$duskAudio'],
  duskAudioDecodeForget: function(name) {
    delete duskAudio.decodes[UTF8ToString(name)];
  },

  duskAudioOpen__deps: ['$duskAudio'],
  duskAudioOpen: function() {
    // Opened while the launcher is open, before any press: the context is
    // resumed within the Launch press (unlockAudio), the gesture that lets
    // a page make a sound, and a context that never runs counts as lost.
    var prepared = duskAudio.prepared;
    var context = prepared || duskAudio.makeContext();
    duskAudio.prepared = null;
    if (!context)
      return 0;
    var a = {
      context: context, running: false, nextTime: 0, queuedFrames: 0, blocks: 0, anchors: [], sources: [], dropped: false,
      heard: 0, gapsAt: [], lowestQueued: Infinity, longestPause: 0, lastPumpAt: 0, timer: 0, runAt: 0, timeAtRun: 0,
    };
    duskAudio.out = a;
    // The prepared one was resumed by the press; suspended again, it would
    // take a while to run once more.
    if (!prepared)
      context.suspend();
    a.onVisibility = function() { duskAudio.pump(); };
    if (typeof document !== 'undefined')
      document.addEventListener('visibilitychange', a.onVisibility);
    // What the queue went through, for anyone measuring it.
    Module['audioStats'] = function() {
      return {blocks: a.blocks, gapsAtMs: a.gapsAt, lowestQueuedMs: a.lowestQueued * 1000,
              longestPumpPauseMs: a.longestPause,
              contextRate: context.sampleRate, outputLatencyMs: (context.outputLatency || 0) * 1000,
              baseLatencyMs: (context.baseLatency || 0) * 1000, contextTime: context.currentTime};
    };
    return 1;
  },

  duskAudioRun__deps: ['$duskAudio'],
  duskAudioRun: function(run) {
    var a = duskAudio.out;
    if (!a)
      return;
    a.running = !!run;
    clearInterval(a.timer);
    a.timer = 0;
    if (!run) {
      a.context.suspend();
      return;
    }
    a.runAt = performance.now();
    a.timeAtRun = a.context.currentTime;
    a.context.resume();
    // The first block is queued from the timer, not here: the caller
    // starts its channel right after, and that block should hold it.
    a.timer = setInterval(duskAudio.pump, 10);
  },

  // A seek: the blocks not yet heard are stopped, so the next ones, from the
  // new place, follow at once; the frames dropped are never heard.
  duskAudioDropQueued__deps: ['$duskAudio'],
  duskAudioDropQueued: function() {
    var a = duskAudio.out;
    if (!a)
      return;
    a.sources.forEach(function(s) { try { s.node.stop(); } catch (e) {} });
    a.sources = [];
    a.dropped = true;
  },

  duskAudioClose__deps: ['$duskAudio'],
  duskAudioClose: function() {
    var a = duskAudio.out;
    if (!a)
      return;
    clearInterval(a.timer);
    if (typeof document !== 'undefined')
      document.removeEventListener('visibilitychange', a.onVisibility);
    a.running = false;
    a.context.close();
    duskAudio.out = null;
  },

  // The output frame being heard: the output timestamp says which moment of
  // the context's clock the speaker plays now, and the queue's anchors say
  // which mixed frame was queued for that moment.
  duskAudioHeardFrame__deps: ['$duskAudio'],
  duskAudioHeardFrame: function() {
    var a = duskAudio.out;
    if (!a)
      return 0;
    // The show asks once a frame: the queue is topped up then too, as timers
    // wait behind a busy frame's drawing.
    duskAudio.pump();
    if (a.anchors.length === 0)
      return 0;
    var context = a.context;
    var stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : null;
    var time;
    if (stamp && stamp.performanceTime > 0 && context.state === 'running')
      time = stamp.contextTime + Math.max(0, performance.now() - stamp.performanceTime) / 1000;
    else
      time = context.currentTime - (context.outputLatency || context.baseLatency || 0);
    time = Math.min(time, context.currentTime);
    var anchor = null;
    for (var i = a.anchors.length - 1; i >= 0 && !anchor; --i)
      if (a.anchors[i].time <= time)
        anchor = a.anchors[i];
    if (!anchor)
      return a.heard;
    var frame = anchor.frame + Math.floor((time - anchor.time) * 44100);
    // Never back: the stamp and the clock are read a moment apart.
    a.heard = Math.max(a.heard, Math.min(frame, a.queuedFrames));
    return a.heard;
  },

  // The context was closed or interrupted under us, or the browser never let
  // it run although it was asked to.
  duskAudioLost__deps: ['$duskAudio'],
  duskAudioLost: function() {
    var a = duskAudio.out;
    if (!a || !a.running)
      return 0;
    var state = a.context.state;
    if (state === 'closed' || state === 'interrupted')
      return 1;
    return a.context.currentTime === a.timeAtRun && performance.now() - a.runAt > 3000 ? 1 : 0;
  },
});
