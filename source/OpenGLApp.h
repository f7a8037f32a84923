#pragma once

/// \file
/// The GLUT binding and its callbacks. A program never calls the callbacks; it may call
/// OpenGLApp_checkWindowSize().

/// The GLUT binding: creates the one application object (the program's MainClass), turns
/// GLUT callbacks into calls of its handlers, and runs the main loop until it stops.
/// This unit is compiled into each program against that program's MainClass.h.
class OpenGLApp {
public:
    /// Creates the application, then registers the input callbacks: no input can reach the
    /// application before its constructor has finished.
    explicit OpenGLApp(const char* argv0);
    /// Destroys the application (its destructor first, then AbstractMainClass's).
    ~OpenGLApp();

    /// The main loop, until the application's isRunning() is false or Alt+F4 was pressed.
    /// While update() returns true it renders every frame step (at most 100 per second);
    /// otherwise it renders once and then polls every 20 ms, running frame steps and
    /// looking for a new window size, until a key, a pointer button, a resize or the window
    /// system's request for the window's contents wakes it. Pointer motion does not wake
    /// it; window resizes are noticed only while idle. A step swaps buffers only to show a
    /// frame rendered since the last swap: waiting costs no drawing and no swaps.
    void run();

private:
    OpenGLApp(const OpenGLApp&) = delete;
    OpenGLApp& operator=(const OpenGLApp&) = delete;
};

///@{
/// The callbacks registered with GLUT. Each records the input in the keyboard or mouse
/// manager, then calls the application's handler, then marks that the idle loop must wake.
void OpenGLApp_onKeyDown(unsigned char key, int x, int y);
void OpenGLApp_onKeyUp(unsigned char key, int x, int y);
///@}
///@{
/// Special keys: F1..F12, the arrows and the page keys are translated to their
/// KeyboardManager codes; every other special key (Home, End, Insert...) is ignored.
void OpenGLApp_onKeyDownSpecial(int key, int x, int y);
void OpenGLApp_onKeyUpSpecial(int key, int x, int y);
///@}
/// state 0 is a press, 1 a release; any other state reaches no handler but still wakes.
void OpenGLApp_onPointerPressedOrReleased(int button, int state, int x, int y);
///@{
/// Motion only moves the mouse manager's positions: no handler, no wake.
void OpenGLApp_onPointerMovingActive(int x, int y);
void OpenGLApp_onPointerMovingPassive(int x, int y);
///@}

///@{
/// A key code (0..267) as the callbacks above deliver it. A press of F4 with Alt held ends
/// the main loop after the press has been delivered.
void OpenGLApp_onKeyDown(int key, int x, int y);
void OpenGLApp_onKeyUp(int key, int x, int y);
///@}
/// The display callback: the window system needs the window's contents again (the window
/// was mapped, uncovered or resized). Wakes the idle loop, which draws and shows a frame.
void OpenGLApp_onRedisplay();
/// The idle loop's size check, for an application whose update() keeps returning true (the
/// loop looks at the window size only while idle): called from update(), it adopts the
/// window's current size if it differs from the one in effect, through the function below.
void OpenGLApp_checkWindowSize();
/// Used by the main loop when it finds a new window size: the window adopts it (sizes with
/// no width or no height are ignored), then the application's onWindowResize() runs.
void OpenGLApp_onResizeWindow(int width, int height);
