#include "Display.h"

#include "opengl/OpenGL.h"

Display::Display(OpenGL* openGL) : m_openGL(openGL) {}

Display::~Display() {}

Int2 Display::getWindowSize() {
    return m_openGL->getWindowSize();
}

void Display::drawRoundedRectangle(const Int2& posLeftTop, const Int2& posRightBottom,
                                   const Color& color, float /*round*/, float /*borderSize*/,
                                   bool fill) {
    m_openGL->drawRectangle(posLeftTop, posRightBottom, color, fill);
}

void Display::drawLine(const Int2& pos1, const Int2& pos2, const Color& color, float thickness) {
    m_openGL->drawLine(pos1, pos2, color, thickness);
}

void Display::clearScreen(const Color& color) {
    m_openGL->clearScreen(color);
}
