// The browser's GLUT is Emscripten's: its standard entry points, plus the single-pass
// event pump that freeglut adds and the browser lacks (written in Glut_web.cpp).
#pragma once

#include <GL/freeglut_std.h>

#ifdef __cplusplus
extern "C" {
#endif

void glutMainLoopEvent(void);

#ifdef __cplusplus
}
#endif
