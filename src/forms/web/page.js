// The little JavaScript the browser's platform needs, where C++ cannot say it through val.

// A DOM listener must be a JavaScript function: it leaves the event where C++ reads it
// (Module.event) and calls the C++ handler by its number.
Module['listener'] = (handler) => (event) => {
  Module['event'] = event;
  Module['_janken_dispatch'](handler);
};

// The exit question is answered later, through a Promise that C++ awaits (val::await).
Module['ask'] = (dialog) => new Promise((resolve) => {
  dialog.addEventListener('close', () => resolve(dialog.returnValue), { once: true });
  dialog.showModal();
});

// A copy as text, as an HTML table and, with a canvas, as its picture; as text alone where the
// browser has no ClipboardItem or refuses the rest. Only where the page may write to the
// clipboard (a secure context; file: pages are).
Module['copy'] = (text, html, canvas) => {
  const clipboard = navigator.clipboard;
  if (!clipboard) return;
  const asText = () => clipboard.writeText(text).catch(() => {});
  if (!clipboard.write || typeof ClipboardItem === 'undefined') {
    asText();
    return;
  }
  const types = {
    'text/plain': new Blob([text], { type: 'text/plain' }),
    'text/html': new Blob([html], { type: 'text/html' }),
  };
  // A promise, so that Safari sees the write within the key press.
  if (canvas) types['image/png'] = new Promise((resolve) => canvas.toBlob(resolve));
  clipboard.write([new ClipboardItem(types)]).catch(asText);
};

// Gives a control's element its id, place and font and puts it in its window in one call: the
// dozen calls through embind that it took for each of the main window's seventy controls held its
// first frame back by about 8 ms.
Module['place'] = (element, id, left, top, width, height, font, tabIndex, client) => {
  element.id = id;
  Object.assign(element.style, {
    left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px`,
  });
  if (font) element.style.font = font;
  if (tabIndex !== undefined) element.tabIndex = tabIndex;
  client.append(element);
};

// Web Audio decodes a file asynchronously: a chime is decoded when it is opened and starts as
// soon as it is ready. Stopping ends the one that is sounding.
Module['chimes'] = {
  context: null,
  decoding: null,
  source: null,
  open(bytes) {
    this.context = this.context || new AudioContext();
    this.decoding = this.context.decodeAudioData(bytes.slice().buffer);
  },
  play() {
    const decoding = this.decoding;
    if (!decoding) return;
    decoding.then((buffer) => {
      if (this.decoding !== decoding) return;  // closed, or another opened, meanwhile
      this.stop();
      this.source = this.context.createBufferSource();
      this.source.buffer = buffer;
      this.source.connect(this.context.destination);
      this.source.start();
    }, () => {});
  },
  stop() {
    if (this.source) {
      this.source.stop();
      this.source = null;
    }
  },
  close() {
    this.decoding = null;
  },
};

// The canvases measure and draw text in the page's own face: the program starts once it is
// loaded. Added to the steps before the start, one of which puts the chimes in their files.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(() => {
  addRunDependency('font');
  const loaded = () => removeRunDependency('font');
  document.fonts.load('15px "Ume P Gothic"').then(loaded, loaded);
});
