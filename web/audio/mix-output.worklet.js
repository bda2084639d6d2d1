// The audio thread's end of WebAudioBackend: plays the blocks of mixed audio
// the page posts, in order, and posts each one back once played, so the page
// mixes the next stretch into it. Blocks are interleaved stereo Float32Arrays
// and travel as transferred buffers, so the same few go round and nothing is
// allocated on the way. When the page falls behind, the output is silence until the next block
// comes, never stale audio.
class PlombrixMixOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.queue = [];  // blocks waiting, the one playing first
    this.played = 0;  // frames of the first block already played
    this.port.onmessage = (event) => this.queue.push(event.data);
  }

  process(inputs, outputs) {
    const left = outputs[0][0];
    const right = outputs[0][1] || left;
    let frame = 0;
    while (frame < left.length && this.queue.length > 0) {
      const block = this.queue[0];
      const count = Math.min(left.length - frame, block.length / 2 - this.played);
      for (let i = 0; i < count; ++i, ++frame) {
        left[frame] = block[2 * (this.played + i)];
        right[frame] = block[2 * (this.played + i) + 1];
      }
      this.played += count;
      if (this.played === block.length / 2) {
        this.queue.shift();
        this.played = 0;
        this.port.postMessage(block, [block.buffer]);
      }
    }
    left.fill(0, frame);
    right.fill(0, frame);
    return true;  // the output runs for the page's whole life
  }
}

registerProcessor('plombrix-mix-output', PlombrixMixOutput);
