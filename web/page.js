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

  // The program gives the canvas its own size (the game's picture) when it opens
  // its window; the page only chooses how large it is shown. No CSS size may be
  // set before that, or SDL would take the CSS size as the window's.
  let sized = false;
  function fit() {
    if (!sized) return;
    const scale = Math.min(stage.clientWidth / canvas.width, stage.clientHeight / canvas.height);
    canvas.style.width = Math.max(1, Math.floor(canvas.width * scale)) + 'px';
    canvas.style.height = Math.max(1, Math.floor(canvas.height * scale)) + 'px';
  }
  new MutationObserver(() => {
    sized = canvas.width > 1 && canvas.height > 1;
    fit();
  }).observe(canvas, {attributes: true, attributeFilter: ['width', 'height']});
  // After SDL's own handler, which may set the CSS size for high-density screens.
  const fitLater = () => requestAnimationFrame(fit);
  window.addEventListener('resize', fitLater);
  document.addEventListener('fullscreenchange', fitLater);

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
  // The game's own keys (save, load, screenshot) would otherwise also open the
  // browser's help, find bar or developer tools; the game still receives them.
  const gameKeys = new Set(['F1', 'F3', 'F12']);
  window.addEventListener('keydown', (event) => {
    if (gameKeys.has(event.key)) event.preventDefault();
  }, true);

  function unlockSound() {
    const context = Module.SDL2 && Module.SDL2.audioContext;
    if (context && context.state === 'suspended') context.resume();
  }
  for (const kind of ['keydown', 'mousedown', 'touchstart', 'pointerdown'])
    window.addEventListener(kind, unlockSound, true);
  canvas.addEventListener('mousedown', () => canvas.focus());
})();
