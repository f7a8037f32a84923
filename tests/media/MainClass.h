#pragma once

#include "../support/QuietApp.h"

// The media tests' application: pictures, the font and the sound load exactly as the roller
// loads them.
class MainClass : public QuietApp {
public:
    explicit MainClass(const char* argv0) : QuietApp(argv0, "media tests", 640, 480) {}
};
