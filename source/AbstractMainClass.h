#pragma once

#include "WindowIdentity.h"

class KeyboardManager;
class MouseManager;
class SoundManager;
class OpenGL;
class Display;

/// The base of every program built on the library. A program provides exactly one class
/// named MainClass, derived from this one, with a constructor taking the program path; the
/// library creates it itself (see OpenGLApp) and calls its handlers from the main loop.
///
/// This class opens the window and owns the window object, the Display facade and the
/// keyboard, mouse and sound managers; the application owns what it creates. The
/// application's destructor runs first, so its sounds go before the audio system stops.
///
/// Everything runs on one thread: handlers never run concurrently with update or render.
class AbstractMainClass {
public:
    /// Sets the instance, then creates the window (GLUT starts and the window opens here,
    /// with the game's name and icon when it gives them: see WindowIdentity), the Display,
    /// the keyboard manager, the mouse manager and the sound manager (audio starts here), in
    /// that order.
    AbstractMainClass(const char* argv0, const char* windowTitle, int windowWidth, int windowHeight,
                      bool isFullscreen, const WindowIdentity& identity = WindowIdentity());
    /// Frees the sound manager, the keyboard manager, the mouse manager, the Display and the
    /// window object, in that order.
    virtual ~AbstractMainClass();

    /// Advances by one step. True while the application wants continuous frames (an
    /// animation runs); false lets the loop idle until an input event or a resize.
    virtual bool update() = 0;
    /// Draws one frame with the Display; the next frame step shows it.
    virtual void render() = 0;
    ///@{
    /// GLUT's button number (0 left, 1 middle, 2 right, 3 and 4 the wheel, higher the extra
    /// buttons) and the position in window pixels. The mouse manager already knows.
    virtual void onPointerPressed(int button, int x, int y) = 0;
    virtual void onPointerReleased(int button, int x, int y) = 0;
    ///@}
    ///@{
    /// A key code of KeyboardManager. The keyboard manager already knows.
    virtual void onKeyPressed(int virtualKey) = 0;
    virtual void onKeyReleased(int virtualKey) = 0;
    ///@}
    /// The window has adopted a new size: read it with getDisplay()->getWindowSize().
    virtual void onWindowResize() = 0;
    /// False when the application wants to end; the loop stops before its next step.
    virtual bool isRunning() = 0;

    /// One frame step of the window: pacing, buffer swap (only if `present`: a frame was
    /// drawn since the last one), input callbacks. Returns the microseconds the swap took.
    int manageOpenGL(bool present = true);

    /// The one application object; null before it is built.
    static AbstractMainClass* getInstance() { return instance; }
    ///@{
    /// What this object owns and the application uses: the drawing facade, the key state,
    /// the pointer state and the sound loader.
    Display* getDisplay() { return display; }
    KeyboardManager* getKeyboardManager() { return keyboardManager; }
    MouseManager* getMouseManager() { return mouseManager; }
    const SoundManager* getSoundManager() { return soundManager; }
    ///@}

private:
    /// The GLUT callback layer feeds the managers and the window through these.
    friend void OpenGLApp_onKeyDown(int key, int x, int y);
    friend void OpenGLApp_onKeyUp(int key, int x, int y);
    friend void OpenGLApp_onPointerPressedOrReleased(int button, int state, int x, int y);
    friend void OpenGLApp_onPointerMovingActive(int x, int y);
    friend void OpenGLApp_onPointerMovingPassive(int x, int y);
    friend void OpenGLApp_onResizeWindow(int width, int height);

    AbstractMainClass(const AbstractMainClass&) = delete;
    AbstractMainClass& operator=(const AbstractMainClass&) = delete;

    void onPointerPressedInternals(int button, int x, int y);
    void onPointerReleasedInternals(int button, int x, int y);
    void onPointerMovingInternals(bool isClicking, int x, int y);
    void onKeyPressedInternals(int virtualKey);
    void onKeyReleasedInternals(int virtualKey);
    void onResizeWindowInternals(int width, int height);

    KeyboardManager* keyboardManager;
    MouseManager* mouseManager;
    SoundManager* soundManager;
    OpenGL* openGL;
    Display* display;

    static AbstractMainClass* instance;
};
