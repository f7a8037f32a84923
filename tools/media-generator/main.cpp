// media-generator: writes every picture, the font image and the roll sound of the
// dice roller into a media folder, plus its licence note, and optionally a contact
// sheet of it all.
//
//   media-generator <media-folder> [<contact-sheet.png>]

#include "ButtonArt.h"
#include "ContactSheet.h"
#include "DiceArt.h"
#include "FontImage.h"
#include "MediaLayout.h"
#include "RollSound.h"
#include "Typeface.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* const LICENCE_NOTE = R"(Media of the Kelvarro dice roller

Every file in this folder was made by this project's own generator,
tools/media-generator (rerun it with tools/make-media): the dice faces and
button pictures are drawn with cairo, the roll sound is synthesized, and the
font image is rendered from a typeface. None is taken from anywhere else.
They may be used, copied, changed and distributed under the same terms as the
rest of this project.

The numerals on the dice and the glyphs of default_font.png are rendered from
DejaVu Sans (Debian package fonts-dejavu-core, https://dejavu-fonts.github.io/),
so default_font.png is a bitmap font derived from it and carries its licence:

Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved. Bitstream Vera is a
trademark of Bitstream, Inc. DejaVu changes are in public domain.

Permission is hereby granted, free of charge, to any person obtaining a copy of
the fonts accompanying this license ("Fonts") and associated documentation files
(the "Font Software"), to reproduce and distribute the Font Software, including
without limitation the rights to use, copy, merge, publish, distribute, and/or
sell copies of the Font Software, and to permit persons to whom the Font
Software is furnished to do so, subject to the following conditions:

The above copyright and trademark notices and this permission notice shall be
included in all copies of one or more of the Font Software typefaces.

The Font Software may be modified, altered, or added to, and in particular the
designs of glyphs or characters in the Fonts may be modified and additional
glyphs or characters may be added to the Fonts, only if the fonts are renamed to
names not containing either the words "Bitstream" or the word "Vera".

This License becomes null and void to the extent applicable to Fonts or Font
Software that has been modified and is distributed under the "Bitstream Vera"
names.

The Font Software may be sold as part of a larger software package but no copy
of one or more of the Font Software typefaces may be sold by itself.

THE FONT SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
IMPLIED, INCLUDING BUT NOT LIMITED TO ANY WARRANTIES OF MERCHANTABILITY, FITNESS
FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT OF COPYRIGHT, PATENT, TRADEMARK, OR
OTHER RIGHT. IN NO EVENT SHALL BITSTREAM OR THE GNOME FOUNDATION BE LIABLE FOR
ANY CLAIM, DAMAGES OR OTHER LIABILITY, INCLUDING ANY GENERAL, SPECIAL, INDIRECT,
INCIDENTAL, OR CONSEQUENTIAL DAMAGES, WHETHER IN AN ACTION OF CONTRACT, TORT OR
OTHERWISE, ARISING FROM, OUT OF THE USE OR INABILITY TO USE THE FONT SOFTWARE OR
FROM OTHER DEALINGS IN THE FONT SOFTWARE.

Except as contained in this notice, the names of Gnome, the Gnome Foundation,
and Bitstream Inc., shall not be used in advertising or otherwise to promote the
sale, use or other dealings in this Font Software without prior written
authorization from the Gnome Foundation or Bitstream Inc., respectively. For
further information, contact: fonts at gnome dot org.
)";

bool writeText(const std::string& path, const char* text, std::string& errorText) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        errorText = "cannot write " + path;
        return false;
    }
    return true;
}

bool generate(const std::string& mediaDir, const std::string& sheetPath, std::string& errorText) {
    Typefaces faces;
    if (!faces.load(errorText)) {
        return false;
    }
    std::error_code error;
    for (int sides : MediaLayout::DIE_TYPES) {
        const std::string dir = mediaDir + "/d" + std::to_string(sides);
        std::filesystem::create_directories(dir, error);
        if (error) {
            errorText = "cannot create " + dir + ": " + error.message();
            return false;
        }
        for (int value = 1; value <= sides; ++value) {
            const Raster face = renderFace(faces, sides, value);
            if (!face.save(dir + "/" + std::to_string(value) + ".png", errorText)) {
                return false;
            }
        }
    }
    // The roller gives its window these pictures as its icon, one per size a desktop
    // commonly shows (task bar, window switcher, title bar).
    const std::string iconDir = mediaDir + "/icons";
    std::filesystem::create_directories(iconDir, error);
    for (int size : {16, 32, 48, 128}) {
        const std::string path = iconDir + "/kelvarro-" + std::to_string(size) + ".png";
        if (!renderIcon(faces, size).save(path, errorText)) {
            return false;
        }
    }
    for (const char* name : BUTTON_NAMES) {
        if (!renderButton(faces, name).save(mediaDir + "/" + name + ".png", errorText)) {
            return false;
        }
    }
    Raster fontImage;
    if (!FontImage::render(faces, fontImage, errorText) ||
        !fontImage.save(mediaDir + "/default_font.png", errorText)) {
        return false;
    }
    if (!RollSound::writeWav(mediaDir + "/44061__marnik__dicewood.wav", RollSound::synthesize(),
                             errorText)) {
        return false;
    }
    if (!writeText(mediaDir + "/LICENSE", LICENCE_NOTE, errorText)) {
        return false;
    }
    if (!sheetPath.empty()) {
        const std::filesystem::path parent = std::filesystem::path(sheetPath).parent_path();
        if (!parent.empty()) {
            std::filesystem::create_directories(parent, error);
        }
        if (!writeContactSheet(faces, mediaDir, sheetPath, errorText)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: media-generator <media-folder> [<contact-sheet.png>]\n");
        return 1;
    }
    std::string errorText;
    const bool done = generate(argv[1], argc == 3 ? argv[2] : "", errorText);
    // Release the libraries' caches so leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    if (!done) {
        std::fprintf(stderr, "media-generator: %s\n", errorText.c_str());
        return 1;
    }
    std::printf(
        "media-generator: wrote 60 faces, 4 buttons, 4 window icons, the font image, the "
        "roll sound and the licence note to %s\n",
        argv[1]);
    return 0;
}
