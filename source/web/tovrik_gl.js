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
  // knows only the latter.
  tovrikBegin__deps: LibraryManager.library.glBegin__deps,
  tovrikBegin: LibraryManager.library.glBegin,
  glBegin__deps: ['tovrikBegin'],
  glBegin: function(mode) {
    _tovrikBegin(mode === 0x9 /* GL_POLYGON */ ? 0x6 /* GL_TRIANGLE_FAN */ : mode);
  },

  // The window is the page: once it exists, the page takes its title and fits it to the
  // viewport. The browser's window is opaque, as a desktop window is.
  tovrikCreateWindow__deps: LibraryManager.library.glutCreateWindow__deps,
  tovrikCreateWindow: LibraryManager.library.glutCreateWindow,
  glutCreateWindow__deps: ['tovrikCreateWindow', '$tovrikTextures'],
  glutCreateWindow: function(name) {
    var getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(kind, attributes) {
      if (attributes) attributes.alpha = false;
      return getContext.call(this, kind, attributes);
    };
    var window = _tovrikCreateWindow(name);
    HTMLCanvasElement.prototype.getContext = getContext;
    if (Module['onWindowCreated']) Module['onWindowCreated'](UTF8ToString(name));
    return window;
  },
});
