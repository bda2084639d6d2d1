// The page's side of WebAudioBackend (linked with --js-library): the
// AudioContext, the wait for the player's first press, the worklet that plays
// the mix, and the browser's decoders. Every failure ends in silence, never in
// an exception or a console message: a browser without Web Audio or without
// AudioWorklet (an old one, or a page served neither from https nor from
// localhost), a worklet that does not load, a file the decoder refuses, a
// player who never presses anything.
//
// The worklet script is served beside the game's script, as
// mix-output.worklet.js; a page may point Module.plombrixWorkletUrl elsewhere.
var LibraryPlombrixAudio = {
  $PlombrixAudio: {
    outputs: {},  // by handle, for the game's calls
    nextHandle: 1,
    // The events that let a page start its audio, listened to on the window
    // before anything on the page can stop them.
    gestures: ['pointerdown', 'mousedown', 'keydown', 'touchend'],
    processorName: 'plombrix-mix-output',

    ignore: function() {},

    listen: function(output, on) {
      PlombrixAudio.gestures.forEach(function(name) {
        if (on) window.addEventListener(name, output.start, true);
        else window.removeEventListener(name, output.start, true);
      });
    },

    // Mixes the next stretch into a block the worklet has played and sends it
    // back to the end of the queue.
    refill: function(output, block) {
      if (output.closed) return;
      var frames = block.length >> 1;
      var mixed = _plombrix_audio_render(output.owner, frames);
      if (mixed) block.set(HEAPF32.subarray(mixed >>> 2, (mixed >>> 2) + block.length));
      else block.fill(0);
      output.node.port.postMessage(block, [block.buffer]);
    },

    startWorklet: function(output, blockFrames, queuedBlocks) {
      var url = Module['plombrixWorkletUrl'] || locateFile('mix-output.worklet.js');
      // Started inside the chain, so that even a synchronous refusal ends in the catch.
      Promise.resolve().then(function() {
        return output.ctx.audioWorklet.addModule(url);
      }).then(function() {
        if (output.closed) return;
        var node = new AudioWorkletNode(output.ctx, PlombrixAudio.processorName,
                                        {'numberOfInputs': 0, 'numberOfOutputs': 1, 'outputChannelCount': [2]});
        node.port.onmessage = function(event) { PlombrixAudio.refill(output, event.data); };
        node.connect(output.ctx.destination);
        output.node = node;
        for (var i = 0; i < queuedBlocks; ++i) PlombrixAudio.refill(output, new Float32Array(2 * blockFrames));
      }).catch(PlombrixAudio.ignore);
    },
  },

  plombrix_audio_open__deps: ['$PlombrixAudio'],
  plombrix_audio_open: function(owner, blockFrames, queuedBlocks) {
    if (typeof AudioContext == 'undefined' || typeof AudioWorkletNode == 'undefined') return 0;
    var ctx;
    try {
      ctx = new AudioContext();
    } catch (e) {
      return 0;
    }
    var output = {owner: owner, ctx: ctx, node: null, closed: false};
    // The context starts suspended until the player's first gesture; the
    // worklet asks for nothing meanwhile, so nothing is mixed and the music
    // waits at its first frame. The listeners stay: a context the system
    // suspends later (a call on a phone) starts again at the next press.
    output.start = function() {
      if (ctx.state != 'running') ctx.resume().catch(PlombrixAudio.ignore);
    };
    PlombrixAudio.listen(output, true);
    PlombrixAudio.startWorklet(output, blockFrames, queuedBlocks);
    var handle = PlombrixAudio.nextHandle++;
    PlombrixAudio.outputs[handle] = output;
    return handle;
  },

  plombrix_audio_rate__deps: ['$PlombrixAudio'],
  plombrix_audio_rate: function(handle) {
    return PlombrixAudio.outputs[handle].ctx.sampleRate;
  },

  // Decodes a copy of the bytes; once decoded, the game gets the first two
  // channels at the context's rate, unless a newer load took the slot.
  plombrix_audio_decode__deps: ['$PlombrixAudio'],
  plombrix_audio_decode: function(handle, slot, load, bytes, size) {
    var output = PlombrixAudio.outputs[handle];
    var copy = HEAPU8.slice(bytes, bytes + size).buffer;
    var decoded = function(buffer) {
      if (output.closed) return;
      var channels = Math.min(buffer.numberOfChannels, 2), frames = buffer.length;
      var room = _plombrix_audio_decoded_storage(output.owner, slot, load, channels, frames);
      if (!room) return;
      for (var c = 0; c < channels; ++c) HEAPF32.set(buffer.getChannelData(c), (room >>> 2) + c * frames);
      _plombrix_audio_decoded(output.owner, slot, load);
    };
    try {
      output.ctx.decodeAudioData(copy).then(decoded).catch(PlombrixAudio.ignore);
    } catch (e) {
      // A browser that refuses the bytes outright: silence, as for a rejection.
    }
  },

  plombrix_audio_close__deps: ['$PlombrixAudio'],
  plombrix_audio_close: function(handle) {
    var output = PlombrixAudio.outputs[handle];
    delete PlombrixAudio.outputs[handle];
    output.closed = true;
    PlombrixAudio.listen(output, false);
    if (output.node) output.node.disconnect();
    output.ctx.close().catch(PlombrixAudio.ignore);
  },
};

mergeInto(LibraryManager.library, LibraryPlombrixAudio);
