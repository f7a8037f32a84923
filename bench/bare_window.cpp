// A bare freeglut window with the roller's size and main loop: at most 100 steps per
// second, swap, event pump; busy for 200 ms after a space key, otherwise idle in
// 20 ms sleeps. A frame is only a clear to the roller's background. Escape quits.
// Built twice: with the loop that swaps in every step, drawn or not (the reference), and
// with PRESENT_NEW_FRAMES_ONLY set to 1, the library's loop that swaps only to show a new frame
// and draws again when the window system asks (the floor for the roller).
#include <GL/freeglut.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

namespace {

bool running = true;
bool eventHappened = false;
long long busyUntilMs = 0;
long long lastStepUs = 0;

long long nowUs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

void onKey(unsigned char key, int, int) {
    eventHappened = true;
    if (key == 27) {
        running = false;
    } else if (key == ' ') {
        busyUntilMs = nowUs() / 1000 + 200;
    }
}

void onMouse(int, int, int, int) {
    eventHappened = true;
}

const bool presentNewFramesOnly = PRESENT_NEW_FRAMES_ONLY;
bool frameDrawn = false;

void onDisplay() {
    eventHappened = eventHappened || presentNewFramesOnly;
}

// The roller's frame step: hand the frame to the renderer, pace to 10 ms, swap, pump
// events.
void step() {
    glFlush();
    const long long elapsed = nowUs() - lastStepUs;
    if (elapsed >= 0 && elapsed < 10000) {
        usleep(static_cast<unsigned>((10 - elapsed / 1000) * 1000));
    }
    if (frameDrawn || !presentNewFramesOnly) {
        glutSwapBuffers();
    }
    frameDrawn = false;
    glutMainLoopEvent();
    lastStepUs = nowUs();
}

void render() {
    glClearColor(200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameDrawn = true;
}

bool busy() {
    return nowUs() / 1000 < busyUntilMs;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_MULTISAMPLE);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("Bare freeglut window");
    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKey);
    glutMouseFunc(onMouse);
    glViewport(0, 0, 1024, 768);
    while (running) {
        if (busy()) {
            step();
            render();
            continue;
        }
        step();
        render();
        eventHappened = false;
        while (!eventHappened) {
            usleep(20000);
            step();
        }
        step();
        render();
    }
    return 0;
}
