// Link-time stand-ins of the fuzz build: the fatal exits throw instead of exiting, and the
// texture upload, which needs a window, only checks its input.
#include "Fuzz.h"
#include "Texture.h"
#include "Utils.h"

extern "C" [[noreturn]] void __wrap__ZN5Utils3dieEv() {
    throw FatalExit();
}

extern "C" [[noreturn]] void __wrap__ZN5Utils13failAssertionEPKci(const char*, int) {
    throw FatalExit();
}

namespace Texture {

int loadTexture(int, int, unsigned char* data, bool) {
    UTILS_ASSERT(data != nullptr);
    return 1;
}

void unloadTexture(int) {}

}  // namespace Texture
