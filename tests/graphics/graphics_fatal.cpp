// Runs one fatal path of the picture and text units, chosen on the command line, so a
// test can check the exact console output and exit status from outside.
//   graphics_fatal image|negative-size|sprite|font|null-text|null-width|null-element <path>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Font.h"
#include "FontImages.h"
#include "FontProbe.h"
#include "Image.h"
#include "Sprite.h"
#include "TestWindow.h"
#include "TextElement.h"
#include "Utils.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::string mode = argv[1];
    const char* path = argv[2];
    TestWindow::open();
    if (mode == "image") {
        std::ifstream in(path, std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        Image image(bytes.data(), bytes.size());
    } else if (mode == "negative-size") {
        Image image(-1, 4);
    } else if (mode == "sprite") {
        Sprite sprite(path);
    } else if (mode == "font") {
        Font font("", path, 1.5f, 6, 2);
    } else {
        Font font("", path, 1.5f, 6, 2);
        if (mode == "null-text") {
            FontProbe(font).draw(colorRed, Int2(0, 0), nullptr, Float2(1.0f));
        } else if (mode == "null-width") {
            FontProbe(font).width(nullptr, -1, 1.0f);
        } else if (mode == "null-element") {
            TextElement element(&font, nullptr, 20, colorWhite);
        } else {
            return 2;
        }
    }
    Utils::print("survived\n");
    return 0;
}
