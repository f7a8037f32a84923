// The web platform's holding of textured quads (source/web/tovrik_quads.js), run by node
// over GL entry points that only note what reaches them. Each row is a scene and the draws
// it must come to: "T:n" is one draw of n quads of texture T, "polyT" a polygon drawn as
// given with texture T bound, "clear" a call that is neither.
const path = require('path');
global.window = global;
global.LibraryManager = {library: {}};
global.mergeInto = (library, entries) => Object.assign(library, entries);
let calls = [];
for (const name of ['_glBegin', '_glEnd', '_glVertex2i', '_glVertex2f', '_glTexCoord2i',
                    '_glTexCoord2f', '_glBindTexture', '_glEnable', '_glDisable', '_glColor4f',
                    '_glMatrixMode', '_tovrikBegin', '_tovrikEnd', '_glClear'])
  global[name] = (...args) => calls.push([name, ...args]);
require(path.join(process.env.TOVRIK_SOURCE_DIR, 'source/web/tovrik_quads.js'));
const quads = LibraryManager.library.$tovrikQuads;
quads.install();

const TEXTURE = 0x0DE1;
const quad = (x, y, corners = 4) => {
  _glBegin(0x9);
  for (const [dx, dy] of [[10, 10], [0, 10], [0, 0], [10, 0], [5, 5]].slice(0, corners)) {
    _glTexCoord2f(dx / 10, dy / 10);
    _glVertex2i(x + dx, y + dy);
  }
  _glEnd();
};
const bind = (texture) => _glBindTexture(TEXTURE, texture);

// What reached GL, one word a draw.
function draws() {
  const words = [];
  let texture = 0, count = 0;
  for (const [name, ...args] of calls) {
    if (name === '_glBindTexture') texture = args[1];
    if (name === '_glVertex2f') count++;
    if (name === '_tovrikBegin') count = 0;
    if (name === '_tovrikEnd') words.push(texture + ':' + count / 6);
    if (name === '_glBegin') words.push('poly' + texture);
    if (name === '_glClear') words.push('clear');
  }
  return words.join(' ');
}

const rows = [
  ['quads of one texture are one draw', () => { bind(1); quad(0, 0); quad(20, 0); }, '1:2'],
  ['textures apart are one draw each', () => { bind(1); quad(0, 0); bind(2); quad(20, 0);
    bind(1); quad(40, 0); }, '1:2 2:1'],
  ['quads that touch on any side do not overlap', () => { bind(1); quad(10, 10); bind(2);
    quad(0, 10); quad(20, 10); quad(10, 0); quad(10, 20); bind(1); quad(40, 40); }, '1:2 2:4'],
  ['overlapping quads of one texture are one draw', () => { bind(1); quad(0, 0); quad(5, 5); },
    '1:2'],
  ['an overlap keeps the order', () => { bind(1); quad(0, 0); bind(2); quad(5, 5);
    bind(1); quad(40, 0); }, '1:1 2:1 1:1'],
  ['a new colour or matrix draws what is held', () => { bind(1); quad(0, 0);
    _glColor4f(1, 0, 0, 1); quad(20, 0); _glMatrixMode(0x1701); quad(40, 0);
    _glMatrixMode(0x1700); }, '1:1 1:1 1:1'],
  ['the same state again holds on', () => { bind(1); quad(0, 0); _glColor4f(1, 1, 1, 1);
    _glEnable(TEXTURE); _glMatrixMode(0x1700); quad(20, 0); }, '1:2'],
  ['any other call draws what is held first', () => { bind(1); quad(0, 0); _glClear(0x4000);
    quad(20, 0); }, '1:1 clear 1:1'],
  ['other polygons are drawn as given', () => { bind(1); quad(0, 0); quad(20, 0, 3);
    quad(40, 0, 5); }, '1:1 poly1 poly1'],
  ["the program's texture is bound again", () => { bind(1); quad(0, 0); bind(2);
    _glClear(0x4000); quad(20, 0, 3); }, '1:1 clear poly2'],
  ['untextured polygons are drawn as given', () => { bind(1); quad(0, 0);
    _glDisable(TEXTURE); quad(20, 0); _glEnable(TEXTURE); }, '1:1 poly1'],
];
let failed = 0;
for (const [name, scene, want] of rows) {
  _glEnable(TEXTURE);
  _glColor4f(1, 1, 1, 1);
  calls = [];
  scene();
  quads.drawHeld();  // the frame's end
  const got = draws();
  if (got !== want) {
    console.log(`FAIL: ${name}: got "${got}", want "${want}"`);
    failed++;
  }
}
console.log(`${rows.length - failed} of ${rows.length} scenes drawn as they must be`);
process.exit(failed ? 1 : 0);
