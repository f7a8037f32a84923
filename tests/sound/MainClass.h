#pragma once

#include "../support/QuietApp.h"

// The sound tests' application: only the application base class may create the sound manager.
class MainClass : public QuietApp {
public:
    explicit MainClass(const char* argv0) : QuietApp(argv0, "Sound tests", 160, 120) {}
};
