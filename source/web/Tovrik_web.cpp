// Process entry of every program in the browser. The main loop sleeps through Asyncify, so
// the browser sees `main` return at its first sleep: the end of the program is told to the
// page explicitly, with its status, once the application is destroyed.
#include <emscripten.h>

#include "OpenGLApp.h"

int main(int argc, char** argv) {
    OpenGLApp* app = new OpenGLApp(argc > 0 && argv[0] != nullptr ? argv[0] : "");
    app->run();
    delete app;
    emscripten_force_exit(0);
    return 0;
}
