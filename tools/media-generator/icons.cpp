// kelvarro-icons: writes the dice roller's desktop icons, a d20 as the roller draws it, as
// kelvarro-<size>.png for each hicolor size the package installs.
//
//   kelvarro-icons <folder>

#include "DiceArt.h"
#include "Typeface.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <string>

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
        done = faces.load(errorText);
        for (int size : {48, 128, 256}) {
            const std::string path =
                std::string(argv[1]) + "/kelvarro-" + std::to_string(size) + ".png";
            done = done && renderIcon(faces, size).save(path, errorText);
        }
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
