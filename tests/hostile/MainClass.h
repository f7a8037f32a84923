#pragma once

#include "../support/QuietApp.h"

// The probe's application: a window and the audio system, nothing drawn.
class MainClass : public QuietApp {
public:
    explicit MainClass(const char* argv0) : QuietApp(argv0, "hostile probe", 64, 64) {}
};
