// What Emscripten's GLUT and its emulation of the fixed pipeline miss, for the library's
// window and textures. Added to the program with --js-library.
mergeInto(LibraryManager.library, {
  // WebGL cannot be asked for a texture's size: level 0's size is noted on the texture
  // object as it is given. WebGL 1 also takes no sized internal format (GL_RGBA8), only
  // the unsized one the pixels come in.
  $tovrikTextures__postset:
    'var texImage2D = WebGLRenderingContext.prototype.texImage2D;' +
    'WebGLRenderingContext.prototype.texImage2D = function(target, level, internalFormat,' +
    ' width, height, border, format) {' +
    '  var args = Array.prototype.slice.call(arguments);' +
    '  if (args.length >= 9 && level === 0) {' +
    '    var texture = this.getParameter(this.TEXTURE_BINDING_2D);' +
    '    if (texture) { texture.tovrikWidth = width; texture.tovrikHeight = height; }' +
    '  }' +
    '  if (args.length >= 9 && internalFormat === 0x8058 /* GL_RGBA8 */) args[2] = format;' +
    '  return texImage2D.apply(this, args);' +
    '};',
  $tovrikTextures: {},

  glGetTexLevelParameteriv__deps: ['$tovrikTextures'],
  glGetTexLevelParameteriv: function(target, level, pname, params) {
    var texture = GLctx.getParameter(GLctx.TEXTURE_BINDING_2D);
    var value = 0;
    if (texture && level === 0) {
      if (pname === 0x1000 /* GL_TEXTURE_WIDTH */) value = texture.tovrikWidth || 0;
      if (pname === 0x1001 /* GL_TEXTURE_HEIGHT */) value = texture.tovrikHeight || 0;
    }
    HEAP32[params >> 2] = value;
  },

  // A convex polygon, which is all the library draws, is a triangle fan; the emulation
  // knows only the latter. WebGL draws lines one pixel wide whatever the width asked: wider
  // lines, loops and strips are collected and drawn as triangles, each segment a rectangle
  // of that width centred on it.
  $tovrikLines: {width: 1, mode: 0, points: []},
  tovrikBegin__deps: LibraryManager.library.glBegin__deps,
  tovrikBegin: LibraryManager.library.glBegin,
  tovrikEnd__deps: LibraryManager.library.glEnd__deps,
  tovrikEnd: LibraryManager.library.glEnd,
  tovrikLineWidth: LibraryManager.library.glLineWidth,
  glBegin__deps: ['tovrikBegin', '$tovrikLines'],
  glBegin: function(mode) {
    var isLine = mode === 0x1 || mode === 0x2 || mode === 0x3;  // lines, loop, strip
    if (isLine && tovrikLines.width > 1) {
      tovrikLines.mode = mode;
      tovrikLines.points = [];
      return;
    }
    _tovrikBegin(mode === 0x9 /* GL_POLYGON */ ? 0x6 /* GL_TRIANGLE_FAN */ : mode);
  },
  glVertex2i__deps: ['glVertex2f', '$tovrikLines'],
  glVertex2i: function(x, y) {
    if (tovrikLines.mode) tovrikLines.points.push(x, y);
    else _glVertex2f(x, y);
  },
  glEnd__deps: ['tovrikBegin', 'tovrikEnd', 'glVertex2f', '$tovrikLines'],
  glEnd: function() {
    var mode = tovrikLines.mode;
    if (!mode) {
      _tovrikEnd();
      return;
    }
    tovrikLines.mode = 0;
    var p = tovrikLines.points, n = p.length / 2, half = tovrikLines.width / 2;
    var segments = [];
    for (var i = 0; i + 1 < n; i += mode === 0x1 ? 2 : 1) segments.push([i, i + 1]);
    if (mode === 0x2 && n > 2) segments.push([n - 1, 0]);
    _tovrikBegin(0x4 /* GL_TRIANGLES */);
    segments.forEach(function(s) {
      var x0 = p[2 * s[0]], y0 = p[2 * s[0] + 1], x1 = p[2 * s[1]], y1 = p[2 * s[1] + 1];
      var length = Math.hypot(x1 - x0, y1 - y0) || 1;
      var nx = -(y1 - y0) / length * half, ny = (x1 - x0) / length * half;
      var corners = [x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny];
      [0, 1, 2, 0, 2, 3].forEach(function(c) { _glVertex2f(corners[2 * c], corners[2 * c + 1]); });
    });
    _tovrikEnd();
  },
  glLineWidth__deps: ['tovrikLineWidth', '$tovrikLines'],
  glLineWidth: function(width) {
    tovrikLines.width = width;
    _tovrikLineWidth(width);
  },

  // The main loop's waits (Glut_web.cpp). Input and new sizes are heard on the window,
  // ahead of GLUT's own handlers; a wait ends once those have run.
  $tovrikInput__deps: ['$tovrikAudio'],
  $tovrikInput: {heard: false, wake: null},
  $tovrikInput__postset:
    "['keydown', 'keyup', 'mousedown', 'mouseup', 'touchstart', 'touchend', 'resize']" +
    '.forEach(function(kind) { window.addEventListener(kind, function() {' +
    '  tovrikAudio.resume();' +
    '  tovrikInput.heard = true;' +
    '  var wake = tovrikInput.wake;' +
    '  tovrikInput.wake = null;' +
    '  if (wake) setTimeout(wake, 0);' +
    '}, true); });',
  tovrikTakeInput__deps: ['$tovrikInput'],
  tovrikTakeInput: function() {
    var heard = tovrikInput.heard;
    tovrikInput.heard = false;
    return heard ? 1 : 0;
  },
  tovrikWaitForInput__deps: ['$tovrikInput', '$tovrikAudio', '$Asyncify'],
  tovrikWaitForInput: function() {
    Asyncify.handleSleep(function(wakeUp) {
      if (tovrikInput.heard) {
        wakeUp();
        return;
      }
      tovrikAudio.pauseWhenQuiet();
      tovrikInput.wake = function() { wakeUp(); };
    });
  },

  // A running audio context renders silence all the time, and the OpenAL emulation looks
  // at its sources 40 times a second: waiting for input, the device is paused once no
  // sound plays. Input resumes it before GLUT's handlers run, so what they play is heard.
  $tovrikAudio__deps: ['$AL', 'emscripten_alcDevicePauseSOFT', 'emscripten_alcDeviceResumeSOFT'],
  $tovrikAudio: {
    timer: 0,
    devices: function() {
      return Object.keys(AL.deviceRefCounts).map(Number);
    },
    isPlaying: function() {
      for (var id in AL.contexts) {
        var sources = AL.contexts[id].sources;
        for (var name in sources)
          if (sources[name].state === 0x1012 /* AL_PLAYING */) return true;
      }
      return false;
    },
    pauseWhenQuiet: function() {
      clearTimeout(tovrikAudio.timer);
      if (AL.paused) return;
      if (tovrikAudio.isPlaying()) {
        tovrikAudio.timer = setTimeout(tovrikAudio.pauseWhenQuiet, 100);
        return;
      }
      tovrikAudio.devices().forEach(function(device) { _emscripten_alcDevicePauseSOFT(device); });
    },
    resume: function() {
      clearTimeout(tovrikAudio.timer);
      if (AL.paused)
        tovrikAudio.devices().forEach(function(device) { _emscripten_alcDeviceResumeSOFT(device); });
    },
  },

  // The emulation streams each glEnd's vertices through rings of buffers, two sets that
  // change places at every frame: told of each frame, and with rings longer than a frame's
  // draws (glutCreateWindow below), it never rewrites a buffer a pending draw still reads,
  // which would make the GPU finish that draw first.
  tovrikWaitForFrame__deps: ['$Asyncify', '$GL', '$tovrikQuads'],
  tovrikWaitForFrame: function() {
    tovrikQuads.drawHeld();
    Asyncify.handleSleep(function(wakeUp) {
      requestAnimationFrame(function() {
        GL.newRenderingFrameStarted();
        wakeUp();
      });
    });
  },

  // The window is the page: once it exists, the page takes its title and fits it to the
  // viewport. The browser's window is opaque, as a desktop window is, and has one sample
  // a pixel: the library draws upright rectangles on whole pixels, where more samples
  // change nothing but the cost of every pixel (fourfold in a software renderer).
  tovrikCreateWindow__deps: LibraryManager.library.glutCreateWindow__deps,
  tovrikCreateWindow: LibraryManager.library.glutCreateWindow,
  glutCreateWindow__deps: ['tovrikCreateWindow', '$tovrikTextures', '$GL'],
  glutCreateWindow: function(name) {
    GL.numTempVertexBuffersPerSize = 1024;
    var getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(kind, attributes) {
      if (attributes) {
        attributes.alpha = false;
        attributes.antialias = false;
      }
      return getContext.call(this, kind, attributes);
    };
    var window = _tovrikCreateWindow(name);
    HTMLCanvasElement.prototype.getContext = getContext;
    if (Module['onWindowCreated']) Module['onWindowCreated'](UTF8ToString(name));
    return window;
  },
});
