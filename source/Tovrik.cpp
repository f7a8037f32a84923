// Process entry of every program built on the library: the application class is the
// program's MainClass, created by OpenGLApp. Only the program path is used.
#include "OpenGLApp.h"

int main(int argc, char** argv) {
    // A process may be started with no arguments at all: GLUT and ALUT then get an empty name.
    OpenGLApp* app = new OpenGLApp(argc > 0 && argv[0] != nullptr ? argv[0] : "");
    app->run();
    delete app;
    return 0;
}
