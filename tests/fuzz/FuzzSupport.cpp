// Link-time stand-ins of the fuzz build: the fatal exits throw instead of exiting, and the
// texture upload, which needs a window, only checks its input.
#include "Fuzz.h"
#include "ProcessEnd.h"
#include "Texture.h"
#include "Utils.h"

void Utils::endProcessWithFailure() {
    throw FatalExit();
}

namespace Texture {

void checkSize(int width, int height, bool) {
    UTILS_ASSERT(width <= 16384 && height <= 16384);  // llvmpipe's largest side
}

int loadTextureWithLevels(int, int, const unsigned char* data, const unsigned char*) {
    UTILS_ASSERT(data != nullptr);
    return 1;
}

int loadTexture(int, int, unsigned char* data, bool) {
    UTILS_ASSERT(data != nullptr);
    return 1;
}

void unloadTexture(int) {}

}  // namespace Texture
