// PNG bytes to an Image, decoded at once or checked and decoded at first use: the header
// check, the chunk check, decoding, mipmaps and the texture's input.
#include <climits>
#include <cstddef>
#include <cstdint>

#include "Fuzz.h"
#include "Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Pictures that pass the size check but take gigabytes would only measure the memory
    // limit; larger ones are refused before decoding and stay in.
    if (size >= 24) {  // the header's width and height, big-endian at 16 and 20
        auto word = [data](int at) {
            return 1ULL * data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3];
        };
        const unsigned long long pixels = word(16) * word(20);
        if (pixels > (1 << 22) && pixels <= INT_MAX / 4)
            return 0;
    }
    PreparedPicture checked;
    try {
        if (Image::check(std::vector<unsigned char>(data, data + size), &checked))
            Image(std::move(checked)).getDataPixels();  // decoded at the first use, or fatally
        Image image(const_cast<uint8_t*>(data), size);
        image.getIdTexture();
        image.freeUselessMemory();
    } catch (const FatalExit&) {
    }
    return 0;
}
