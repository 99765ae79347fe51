// The page around the game: the canvas scaled into the window with its aspect
// kept, fullscreen by F11 or the button, and sound unlocked by the first key
// press or click (browsers keep audio silent until the player has done either).
'use strict';

var Module = {
  canvas: document.getElementById('canvas'),
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
};

(() => {
  const stage = document.getElementById('stage');
  const canvas = Module.canvas;

  // The program sets the canvas's own size (the game's picture); the page only
  // chooses how large it is shown. A CSS size is set before the program starts,
  // so the program keeps its picture size when the window changes.
  function fit() {
    const width = canvas.width || 1600, height = canvas.height || 900;
    const scale = Math.min(stage.clientWidth / width, stage.clientHeight / height);
    canvas.style.width = Math.max(1, Math.floor(width * scale)) + 'px';
    canvas.style.height = Math.max(1, Math.floor(height * scale)) + 'px';
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  new MutationObserver(fit).observe(canvas, {attributes: true, attributeFilter: ['width', 'height']});
  fit();

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
    canvas.focus();
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  // Taken before the game sees it: the page, not the program, owns fullscreen.
  window.addEventListener('keydown', (event) => {
    if (event.key !== 'F11') return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (!event.repeat) toggleFullscreen();
  }, true);
  window.addEventListener('keyup', (event) => {
    if (event.key === 'F11') event.stopImmediatePropagation();
  }, true);

  function unlockSound() {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (context && context.state === 'suspended') context.resume();
  }
  for (const kind of ['keydown', 'mousedown', 'touchstart', 'pointerdown'])
    window.addEventListener(kind, unlockSound, true);
  canvas.addEventListener('mousedown', () => canvas.focus());
})();
