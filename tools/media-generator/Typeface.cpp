#include "Typeface.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <cstring>

namespace {

cairo_font_face_t* findFace(int weight, int width, const char* wanted, std::string& errorText) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    FcPatternAddInteger(pattern, FC_WIDTH, width);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch ||
        !std::strstr(reinterpret_cast<const char*>(file), wanted)) {
        errorText = std::string("the font ") + wanted +
                    " (Debian package fonts-dejavu-core) was not found through fontconfig";
        if (match) {
            FcPatternDestroy(match);
        }
        return nullptr;
    }
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);  // the face keeps its own reference
    return face;
}

}  // namespace

Typefaces::~Typefaces() {
    for (cairo_font_face_t* face : {regular, bold, condensed}) {
        if (face) {
            cairo_font_face_destroy(face);
        }
    }
}

bool Typefaces::load(std::string& errorText) {
    regular = findFace(FC_WEIGHT_REGULAR, FC_WIDTH_NORMAL, "DejaVuSans.ttf", errorText);
    if (regular) {
        bold = findFace(FC_WEIGHT_BOLD, FC_WIDTH_NORMAL, "DejaVuSans-Bold.ttf", errorText);
    }
    if (bold) {
        condensed =
            findFace(FC_WEIGHT_BOLD, FC_WIDTH_CONDENSED, "DejaVuSansCondensed-Bold.ttf", errorText);
    }
    return condensed != nullptr;
}

void applyFontOptions(cairo_t* cr, bool hinted) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options,
                                      hinted ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options,
                                        hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}
