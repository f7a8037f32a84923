#pragma once

#include "Core.h"

class OpenGL;

/// What the application draws with: the screen clear, untextured lines and rectangles, and
/// the window size. Positions are window pixels, origin top-left, y down. AbstractMainClass
/// creates the one facade over its window; the application reaches it with getDisplay().
class Display {
public:
    /// Current window client size, (width, height).
    Int2 getWindowSize();

    /// An axis-aligned rectangle between the two corners, filled or outlined. The corner
    /// radius and the border size are accepted for the callers' sake but not applied: the
    /// shape is a plain rectangle, and an outline uses the width of the last line drawn.
    void drawRoundedRectangle(const Int2& posLeftTop, const Int2& posRightBottom,
                              const Color& color, float round, float borderSize, bool fill);

    /// A straight line; the thickness stays in effect for later outlines.
    void drawLine(const Int2& pos1, const Int2& pos2, const Color& color, float thickness);

    /// Fills the whole window with the colour (depth too).
    void clearScreen(const Color& color);

private:
    friend class AbstractMainClass;

    explicit Display(OpenGL* openGL);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    OpenGL* m_openGL;  ///< not owned
};
