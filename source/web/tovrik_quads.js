// Whole textured quads, as the library draws every picture and every glyph, are held and
// drawn together: one draw for all the held quads of a texture. A software renderer pays
// for each draw as for many pixels, and a heap of dice or a line of text is hundreds of
// quads but a few textures. Quads of different textures change order only where they do
// not overlap, so the frame is the same. Any other GL call, and the frame's end, draws
// what is held first. Added to the program with --js-library, after tovrik_gl.js.
mergeInto(LibraryManager.library, {
  $tovrikQuads__deps: ['$GLEmulation', '$GLImmediate', 'glBegin', 'glEnd', 'glVertex2i',
                       'glVertex2f', 'glTexCoord2i', 'glBindTexture', 'glEnable', 'glDisable',
                       'glColor4f', 'glMatrixMode', 'tovrikBegin', 'tovrikEnd'],
  // After the emulation has put its own entry points in place, before the program is
  // linked to them.
  $tovrikQuads__postset: 'tovrikQuads.install();',
  $tovrikQuads: {
    // texture -> its held quads: their vertices ([x, y, s, t] each) and their boxes
    groups: null,
    quad: null,         // the vertices given since a textured glBegin(GL_POLYGON)
    s: 0,
    t: 0,
    texture: 0,         // bound to GL_TEXTURE_2D
    enabled: {},        // capability -> state, as last set
    colour: [1, 1, 1, 1],
    matrixMode: 0x1700, // GL_MODELVIEW
    drawing: false,
    gl: {},             // the entry points as they were before

    hold: function(quad) {
      var xs = [quad[0], quad[4], quad[8], quad[12]], ys = [quad[1], quad[5], quad[9], quad[13]];
      var box = [Math.min.apply(null, xs), Math.min.apply(null, ys),
                 Math.max.apply(null, xs), Math.max.apply(null, ys)];
      var self = this, overlaps = false;
      this.groups.forEach(function(group, texture) {
        if (texture === self.texture) return;
        for (var i = 0; i < group.boxes.length && !overlaps; i += 4)
          overlaps = group.boxes[i] < box[2] && box[0] < group.boxes[i + 2] &&
                     group.boxes[i + 1] < box[3] && box[1] < group.boxes[i + 3];
      });
      if (overlaps) this.drawHeld();
      var group = this.groups.get(this.texture);
      if (!group) this.groups.set(this.texture, group = {vertices: [], boxes: []});
      // The polygon's fan as two triangles.
      [0, 1, 2, 0, 2, 3].forEach(function(v) {
        group.vertices.push(quad[4 * v], quad[4 * v + 1], quad[4 * v + 2], quad[4 * v + 3]);
      });
      group.boxes.push(box[0], box[1], box[2], box[3]);
    },

    drawHeld: function() {
      if (this.drawing || this.groups.size === 0) return;
      this.drawing = true;
      var gl = this.gl;
      this.groups.forEach(function(group, texture) {
        gl._glBindTexture(0x0DE1 /* GL_TEXTURE_2D */, texture);
        gl._tovrikBegin(0x4 /* GL_TRIANGLES */);
        var v = group.vertices;
        for (var i = 0; i < v.length; i += 4) {
          gl._glTexCoord2i(v[i + 2], v[i + 3]);
          gl._glVertex2f(v[i], v[i + 1]);
        }
        gl._tovrikEnd();
      });
      this.groups.clear();
      gl._glBindTexture(0x0DE1, this.texture);
      this.drawing = false;
    },

    // A primitive begun as a held quad that turns out not to be one: drawn as given.
    pass: function() {
      var quad = this.quad;
      this.quad = null;
      this.drawHeld();
      this.gl._glBegin(0x9 /* GL_POLYGON */);
      for (var i = 0; i < quad.length; i += 4) {
        this.gl._glTexCoord2i(quad[i + 2], quad[i + 3]);
        this.gl._glVertex2i(quad[i], quad[i + 1]);
      }
    },

    install: function() {
      var self = this, gl = this.gl;
      this.groups = new Map();  // made here: the library's objects are written out as text
      ['_glBegin', '_glEnd', '_glVertex2i', '_glVertex2f', '_glTexCoord2i', '_glBindTexture',
       '_glEnable', '_glDisable', '_glColor4f', '_glMatrixMode', '_tovrikBegin', '_tovrikEnd']
        .forEach(function(name) { gl[name] = window[name]; });
      var own = {
        _glBegin: function(mode) {
          if (mode === 0x9 && self.enabled[0x0DE1] && !self.drawing) {
            self.quad = [];
            return;
          }
          self.drawHeld();
          gl._glBegin(mode);
        },
        _glTexCoord2i: function(s, t) {
          if (self.quad) {
            self.s = s;
            self.t = t;
          } else {
            gl._glTexCoord2i(s, t);
          }
        },
        _glVertex2i: function(x, y) {
          if (self.quad) self.quad.push(x, y, self.s, self.t);
          else gl._glVertex2i(x, y);
        },
        _glVertex2f: function(x, y) {
          if (self.quad) self.quad.push(x, y, self.s, self.t);
          else gl._glVertex2f(x, y);
        },
        _glEnd: function() {
          if (self.quad && self.quad.length === 16) {
            var quad = self.quad;
            self.quad = null;
            self.hold(quad);
            return;
          }
          if (self.quad) self.pass();
          gl._glEnd();
        },
        _glBindTexture: function(target, texture) {
          if (target === 0x0DE1) self.texture = texture;
          gl._glBindTexture(target, texture);
        },
        _glColor4f: function(r, g, b, a) {
          var colour = [r, g, b, a].map(function(c) { return Math.max(Math.min(c, 1), 0); });
          if (self.quad) self.pass();
          if (colour.some(function(c, i) { return c !== self.colour[i]; })) self.drawHeld();
          self.colour = colour;
          gl._glColor4f(r, g, b, a);
        },
        _glMatrixMode: function(mode) {
          if (mode !== self.matrixMode) self.drawHeld();
          self.matrixMode = mode;
          gl._glMatrixMode(mode);
        },
      };
      own._glTexCoord2f = own._glTexCoord2i;
      [['_glEnable', true], ['_glDisable', false]].forEach(function(pair) {
        own[pair[0]] = function(cap) {
          if (self.enabled[cap] !== pair[1]) self.drawHeld();
          self.enabled[cap] = pair[1];
          gl[pair[0]](cap);
        };
      });
      // Every other entry point of GL and GLU.
      Object.keys(window).forEach(function(name) {
        var entry = window[name];
        if (!/^_glu?[A-Z]/.test(name) || typeof entry !== 'function' || name in own) return;
        window[name] = function() {
          if (self.quad) self.pass();
          self.drawHeld();
          return entry.apply(null, arguments);
        };
      });
      Object.keys(own).forEach(function(name) { window[name] = own[name]; });
    },
  },
});
