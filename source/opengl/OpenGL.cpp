#include "OpenGL.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstring>

#include "Utils.h"

namespace {

const int MAX_FPS = 100;
const bool SAME_SIZE_WINDOW = true;
const long long MIN_FRAME_INTERVAL_US = 1000000 / MAX_FPS;
const long long MAX_FRAME_PERIOD_US = 200000;

// Primitives scale channels by 1/256; the clear uses 1/255.
const float PRIMITIVE_CHANNEL_SCALE = 0.00390625f;

Int2 windowSize(0, 0);
Int2 sizeOrtho2DWindow(0, 0);
Float2 ratioOrtho2DToWindowSize(1.0f, 1.0f);
bool modeFullscreenGlut = false;
bool fullscreenMode = false;
long long clockTime = 0;
long long timeLastFrame = 0;
long long periodFrame = 0;

// freeglut ends the program at the first redraw of a window without a display callback.
// The main loop draws and swaps itself, and registers its own once it runs.
void drawNothing() {}

void enterFullscreen() {
    glutFullScreen();
    modeFullscreenGlut = true;
    fullscreenMode = true;
}

void commonReshapeFunc() {
    UTILS_ASSERT(windowSize.x() > 0 && windowSize.y() > 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Bottom and top swapped: y grows downward.
    gluOrtho2D(0, sizeOrtho2DWindow.x(), sizeOrtho2DWindow.y(), 0);
    ratioOrtho2DToWindowSize =
        Float2(static_cast<float>(sizeOrtho2DWindow.x()) / static_cast<float>(windowSize.x()),
               static_cast<float>(sizeOrtho2DWindow.y()) / static_cast<float>(windowSize.y()));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setPrimitiveColor(const Color& color) {
    glColor4f(color.r() * PRIMITIVE_CHANNEL_SCALE, color.g() * PRIMITIVE_CHANNEL_SCALE,
              color.b() * PRIMITIVE_CHANNEL_SCALE, color.a() * PRIMITIVE_CHANNEL_SCALE);
}

}  // namespace

OpenGL::OpenGL(const char* argv0, const char* windowTitle, int windowWidth, int windowHeight,
               bool isFullScreenMode) {
    // GLUT may keep pointers into its argument vector: the copy lives until the process ends.
    const size_t length = std::strlen(argv0);
    char* argv0Copy = new char[length + 1];
    std::memcpy(argv0Copy, argv0, length + 1);
    static char* argvCustom[2] = {nullptr, nullptr};
    argvCustom[0] = argv0Copy;
    int argcCustom = 1;
    glutInit(&argcCustom, argvCustom);

    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_MULTISAMPLE);
    glutInitWindowSize(windowWidth, windowHeight);
    windowSize = Int2(windowWidth, windowHeight);
    glutCreateWindow(windowTitle);
    glutDisplayFunc(drawNothing);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_FOG);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    if (isFullScreenMode) {
        enterFullscreen();
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_FILL);
    glCullFace(GL_FRONT);

    if (windowHeight > 0) {
        OpenGL_onResizeWindow(windowWidth, windowHeight);
    }
}

unsigned int OpenGL_getPacingSleepMs(long long elapsedMicroseconds) {
    if (elapsedMicroseconds < 0 || elapsedMicroseconds >= MIN_FRAME_INTERVAL_US) {
        return 0;
    }
    const double rest = 1000.0 / MAX_FPS - static_cast<double>(elapsedMicroseconds) / 1000.0;
    return static_cast<unsigned int>(rest);
}

int OpenGL::manage(bool present) {
    // The frame goes to the renderer before the pacing sleep: a software renderer then
    // rasterises it while this thread waits, instead of inside the swap.
    glFlush();
    const long long elapsed = Utils::getMicrosecondTime() - clockTime;
    const unsigned int sleepMs = OpenGL_getPacingSleepMs(elapsed);
    if (sleepMs > 0) {
        Utils::sleepMs(sleepMs);
    }

    // Swapping again without a new frame would cost a copy or a flip of a back buffer
    // whose contents are undefined after the last swap.
    int swapDuration = 0;
    if (present) {
        const long long beforeSwap = Utils::getMicrosecondTime();
        glutSwapBuffers();
        swapDuration = static_cast<int>(Utils::getMicrosecondTime() - beforeSwap);
    }

    // Every input callback, and so every application handler, runs here.
    glutMainLoopEvent();

    const long long now = Utils::getMicrosecondTime();
    clockTime = now;
    periodFrame = now - timeLastFrame;
    if (periodFrame > MAX_FRAME_PERIOD_US) {
        periodFrame = MAX_FRAME_PERIOD_US;
    }
    timeLastFrame = now;

    glColor3f(1, 1, 1);
    glRasterPos2d(0, windowSize.y());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    return swapDuration;
}

const Int2& OpenGL::getWindowSize() {
    return windowSize;
}

void OpenGL::drawLine(const Int2& pos1, const Int2& pos2, const Color& color, float thickness) {
    glLineWidth(thickness);
    setPrimitiveColor(color);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_LINES);
    glVertex2i(pos1.x(), pos1.y());
    glVertex2i(pos2.x(), pos2.y());
    glEnd();
    glColor4f(1, 1, 1, 1);
}

void OpenGL::drawRectangle(const Int2& pos1, const Int2& pos2, const Color& color, bool isFilled) {
    setPrimitiveColor(color);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glBegin(isFilled ? GL_POLYGON : GL_LINE_LOOP);
    glVertex2i(pos1.x(), pos1.y());
    glVertex2i(pos2.x(), pos1.y());
    glVertex2i(pos2.x(), pos2.y());
    glVertex2i(pos1.x(), pos2.y());
    glEnd();
    glColor4f(1, 1, 1, 1);
}

void OpenGL::clearScreen(const Color& color) {
    glClearColor(color.r() / 255.0f, color.g() / 255.0f, color.b() / 255.0f, color.a() / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OpenGL_onResizeWindow(int w, int h) {
    // A collapsed window (no width or no height) keeps its last size, viewport and
    // projection, instead of failing the reshape check below.
    if (h <= 0 || w <= 0) {
        return;
    }
    windowSize = Int2(w, h);
    glViewport(0, 0, w, h);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    glutPostRedisplay();
    if (SAME_SIZE_WINDOW) {
        sizeOrtho2DWindow = windowSize;
    }
    commonReshapeFunc();
}

Int2 convertPositionInWindowToVirtualPosition(const Int2& parWindowRealPosition) {
    return parWindowRealPosition;
}

void setMode(bool fullscreen, int width, int height) {
    if (fullscreen && width == -1 && height == -1) {
        enterFullscreen();
    }
}
