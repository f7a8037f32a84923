// The window tests share one application and its window (one GLUT window per process).
#include <gtest/gtest.h>

#include "Harness.h"
#include "OpenGLApp.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OpenGLApp* app = new OpenGLApp(argv[0]);
    setTheOpenGLApp(app);
    const int status = RUN_ALL_TESTS();
    delete app;
    return status;
}
