#pragma once

#include "Core.h"

// The single GLUT window of the process and its fixed OpenGL state. Its state lives in
// file-scope variables of this unit: one window per process. AbstractMainClass creates the
// one object; applications draw through the Display facade instead.
//
// Coordinates are virtual pixels: origin at the top-left corner, x to the right, y down.
// The virtual space always has the window's size, so one unit is one window pixel and
// pointer positions from GLUT are already virtual positions.
class OpenGL {
public:
    // Initialises GLUT, opens the window with that title and client size (full screen if
    // asked) and sets blending, the alpha test (alpha 0.1 or less is discarded) and the
    // projection.
    OpenGL(const char* argv0, const char* windowTitle, int windowWidth, int windowHeight,
           bool isFullScreenMode);
    ~OpenGL() {}

    // One frame step: sleeps so that steps are about 10 ms apart (at most 100 per second,
    // counting the caller's own time since the previous step), swaps buffers if `present`
    // (a frame was drawn since the last swap; without one the window keeps what it
    // shows), then lets GLUT run the pending callbacks. The next frame's own GL calls then
    // start from white, the raster position at the bottom-left corner and byte-aligned
    // pixel rows. Returns the microseconds the swap took, 0 without one.
    int manage(bool present = true);

    const Int2& getWindowSize();

    // Untextured primitives. Colour channels are scaled by 1/256, so 255 gives 0.99609375.
    // The line width stays in effect after drawLine; an outlined rectangle uses it.
    void drawLine(const Int2& pos1, const Int2& pos2, const Color& color, float thickness);
    void drawRectangle(const Int2& pos1, const Int2& pos2, const Color& color, bool isFilled);
    // Clears colour and depth; channels are scaled by 1/255, so 255 gives 1.0.
    void clearScreen(const Color& color);

private:
    OpenGL(const OpenGL&) = delete;
    OpenGL& operator=(const OpenGL&) = delete;
};

// Adopts a new window client size: viewport, virtual size and projection. Sizes with a
// width or height of 0 or less are ignored (a minimised or collapsed window keeps its
// last size).
void OpenGL_onResizeWindow(int w, int h);

// Milliseconds the frame step sleeps when elapsedMicroseconds have passed since the end of
// the previous step: the rest of the 10 ms interval, truncated; none when the interval is
// already over, or when the clock went backwards.
unsigned int OpenGL_getPacingSleepMs(long long elapsedMicroseconds);

// Window and virtual spaces coincide: the position is returned unchanged.
Int2 convertPositionInWindowToVirtualPosition(const Int2& parWindowRealPosition);

// Enters GLUT full-screen mode when fullscreen is true and both sizes are -1; any other
// call does nothing.
void setMode(bool fullscreen, int width, int height);
