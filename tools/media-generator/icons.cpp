// kelvarro-icons: writes the dice roller's icons that the program itself does not read, a
// d20 as the roller draws it: the 256-pixel picture for the desktop's icon theme, and
// kelvarro.ico, the Windows program's icon, with the 16, 32, 48 and 256 pixel images.
// (The smaller pictures for the icon theme are the window icons in media/icons/.)
//
//   kelvarro-icons <folder>

#include "DiceArt.h"
#include "Typeface.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <lodepng.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(value & 0xff);
    out.push_back((value >> 8) & 0xff);
}

void put32(std::vector<uint8_t>& out, unsigned value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// An icon image as Windows reads it at every version: a 32-bit bottom-up DIB (twice the
// height, for the AND mask that follows it) with straight alpha, and an all-zero mask.
std::vector<uint8_t> dib(const Raster& picture) {
    const int size = picture.width();
    const int maskRowBytes = (size + 31) / 32 * 4;
    std::vector<uint8_t> out;
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, size);
    put32(out, size * 2);
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, size * size * 4 + maskRowBytes * size);
    for (int i = 0; i < 4; ++i) {
        put32(out, 0);  // resolution and palette: unused
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = picture.pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    out.insert(out.end(), static_cast<size_t>(maskRowBytes) * size, 0);
    return out;
}

// The .ico container: a directory of images, the small ones as DIBs and the 256-pixel one
// as PNG (as Windows stores large icons), each entry naming its size and offset.
bool saveIco(const std::vector<Raster>& pictures, const std::string& path, std::string& errorText) {
    std::vector<std::vector<uint8_t>> images;
    for (const Raster& picture : pictures) {
        if (picture.width() < 256) {
            images.push_back(dib(picture));
            continue;
        }
        unsigned char* png = nullptr;
        size_t pngSize = 0;
        const unsigned error = lodepng_encode32(&png, &pngSize, picture.pixel(0, 0),
                                                picture.width(), picture.height());
        if (error) {
            errorText = std::string("cannot encode the icon: ") + lodepng_error_text(error);
            return false;
        }
        images.emplace_back(png, png + pngSize);
        free(png);
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = pictures[i].width();
        out.push_back(size >= 256 ? 0 : size);  // 0 stands for 256
        out.push_back(size >= 256 ? 0 : size);
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<unsigned>(images[i].size()));
        put32(out, offset);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const std::vector<uint8_t>& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        errorText = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvarro-icons <folder>\n");
        return 1;
    }
    std::string errorText;
    bool done = true;
    {
        Typefaces faces;
        std::error_code error;
        std::filesystem::create_directories(argv[1], error);
        const std::string folder(argv[1]);
        done = faces.load(errorText);
        std::vector<Raster> windowsSizes;
        for (int size : {16, 32, 48, 256}) {
            windowsSizes.push_back(done ? renderIcon(faces, size) : Raster());
        }
        done = done && windowsSizes.back().save(folder + "/kelvarro-256.png", errorText) &&
               saveIco(windowsSizes, folder + "/kelvarro.ico", errorText);
    }
    // Release the libraries' caches so leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    if (!done) {
        std::fprintf(stderr, "kelvarro-icons: %s\n", errorText.c_str());
        return 1;
    }
    return 0;
}
