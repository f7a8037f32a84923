// Process entry of every Windows program built on the library: a windowed program, so
// WinMain. The application class is the program's MainClass, created by OpenGLApp.
#include <windows.h>

#include "OpenGLApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    // The text after the program name (empty without arguments) stands where the Linux
    // program passes its path: GLUT and ALUT take it as the program name.
    OpenGLApp* app = new OpenGLApp(lpCmdLine != nullptr ? lpCmdLine : "");
    app->run();
    delete app;
    return 0;
}
