// The typefaces the media are rendered with, all from Debian's fonts-dejavu-core.
// Each is found through fontconfig and refused unless it really is DejaVu Sans, so a
// machine without the font fails loudly instead of drawing the media in another face.
#pragma once

#include <cairo.h>

#include <string>

struct Typefaces {
    cairo_font_face_t* regular = nullptr;    // text: the font image, contact sheet labels
    cairo_font_face_t* bold = nullptr;       // numerals on the dice
    cairo_font_face_t* condensed = nullptr;  // two-digit numerals, bold and narrower

    Typefaces() = default;
    Typefaces(const Typefaces&) = delete;
    Typefaces& operator=(const Typefaces&) = delete;
    ~Typefaces();

    // False with errorText set when a face is missing.
    bool load(std::string& errorText);
};

// Glyph rendering options shared by everything the generator draws: grey
// antialiasing, no subpixel colour fringes, light hinting for crisp small text.
void applyFontOptions(cairo_t* cr, bool hinted);
