#include "ButtonArt.h"

#include "DiceArt.h"
#include "MediaLayout.h"

#include <cmath>

const char* const BUTTON_NAMES[4] = {"simple", "multi", "clear", "reroll"};

namespace {

const double SYMBOL_GREY[3] = {0.27, 0.29, 0.33};

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A light card filling the visible part; its corners stay transparent under the
// button's rounded frame.
void drawCard(cairo_t* cr) {
    using namespace MediaLayout;
    roundedRectangle(cr, 0, 0, PICTURE_SIZE, VISIBLE_HEIGHT, 22);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, VISIBLE_HEIGHT);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.975, 0.965, 0.945);
    cairo_pattern_add_color_stop_rgb(g, 0.3, 0.965, 0.955, 0.93);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.90, 0.885, 0.85);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A soft contact shadow under a die standing at (x, y) with the given width.
void drawShadow(cairo_t* cr, double x, double y, double width) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, width * 0.55, width * 0.09);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.2, 0.17, 0.1, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.2, 0.17, 0.1, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void placeDie(cairo_t* cr, const Typefaces& faces, int sides, int value, double x, double y,
              double height, double degrees, double alpha = 1) {
    drawShadow(cr, x, y + height * 0.5, height * dieWidth(sides));
    cairo_save(cr);
    if (alpha < 1) {
        cairo_push_group(cr);
    }
    cairo_translate(cr, x, y);
    cairo_rotate(cr, degrees * M_PI / 180);
    cairo_scale(cr, height, height);
    drawDie(cr, faces, sides, value);
    if (alpha < 1) {
        cairo_pop_group_to_source(cr);
        cairo_identity_matrix(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
}

void setSymbolColour(cairo_t* cr) {
    cairo_set_source_rgb(cr, SYMBOL_GREY[0], SYMBOL_GREY[1], SYMBOL_GREY[2]);
}

// A filled arrowhead at `tip`, pointing along `angle` (radians).
void arrowHead(cairo_t* cr, double tipX, double tipY, double angle, double size) {
    cairo_move_to(cr, tipX, tipY);
    cairo_line_to(cr, tipX - size * std::cos(angle - 0.5), tipY - size * std::sin(angle - 0.5));
    cairo_line_to(cr, tipX - size * std::cos(angle + 0.5), tipY - size * std::sin(angle + 0.5));
    cairo_close_path(cr);
    cairo_fill(cr);
}

void drawSimple(cairo_t* cr, const Typefaces& faces) {
    placeDie(cr, faces, 20, 20, 256, 246, 230, -6);
}

void drawMulti(cairo_t* cr, const Typefaces& faces) {
    placeDie(cr, faces, 8, 7, 150, 222, 150, -10);
    placeDie(cr, faces, 12, 11, 362, 222, 150, 8);
    placeDie(cr, faces, 6, 4, 106, 306, 116, 12);
    placeDie(cr, faces, 20, 17, 256, 290, 160, -4);
    placeDie(cr, faces, 4, 3, 408, 312, 118, -8);
}

void drawClear(cairo_t* cr, const Typefaces& faces) {
    // The heap, fading as it is swept away to the right.
    placeDie(cr, faces, 6, 2, 128, 250, 120, -8, 0.9);
    placeDie(cr, faces, 10, 8, 232, 258, 122, 10, 0.6);
    placeDie(cr, faces, 8, 5, 330, 246, 112, -14, 0.35);
    placeDie(cr, faces, 12, 3, 416, 258, 100, 16, 0.15);
    setSymbolColour(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 14);
    // Sweep: a long low arrow under the heap.
    cairo_move_to(cr, 70, 350);
    cairo_curve_to(cr, 180, 362, 320, 362, 420, 344);
    cairo_stroke(cr);
    arrowHead(cr, 466, 336, -0.17, 46);
    // Speed lines above the fading dice.
    cairo_set_line_width(cr, 8);
    for (int i = 0; i < 3; ++i) {
        const double y = 172 + 34 * i;
        cairo_move_to(cr, 452 - 14 * i, y);
        cairo_line_to(cr, 488 - 6 * i, y);
        cairo_stroke(cr);
    }
}

void drawReroll(cairo_t* cr, const Typefaces& faces) {
    const double cx = 256, cy = 246, r = 118;
    placeDie(cr, faces, 6, 3, cx, cy, 124, 14);
    // Two arrows chasing each other round the die: roll again.
    setSymbolColour(cr);
    cairo_set_line_width(cr, 15);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double gaps[2][2] = {{-2.6, -0.55}, {0.55, 2.6}};
    for (const auto& arc : gaps) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, arc[0], arc[1]);
        cairo_stroke(cr);
        const double end = arc[1] + 0.12;
        arrowHead(cr, cx + r * std::cos(end), cy + r * std::sin(end), end + M_PI / 2, 50);
    }
}

}  // namespace

Raster renderButton(const Typefaces& faces, const std::string& name) {
    using namespace MediaLayout;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, PICTURE_SIZE, PICTURE_SIZE);
    cairo_t* cr = cairo_create(surface);
    drawCard(cr);
    // The illustration keeps off the caption strip.
    cairo_rectangle(cr, 0, CAPTION_STRIP_HEIGHT + 6, PICTURE_SIZE,
                    VISIBLE_HEIGHT - CAPTION_STRIP_HEIGHT - 6);
    cairo_rectangle(cr, CAPTION_STRIP_WIDTH, 0, PICTURE_SIZE - CAPTION_STRIP_WIDTH,
                    CAPTION_STRIP_HEIGHT + 6);
    cairo_clip(cr);
    if (name == "simple") {
        drawSimple(cr, faces);
    } else if (name == "multi") {
        drawMulti(cr, faces);
    } else if (name == "clear") {
        drawClear(cr, faces);
    } else {
        drawReroll(cr, faces);
    }
    cairo_destroy(cr);
    Raster picture = Raster::fromSurface(surface);
    cairo_surface_destroy(surface);
    picture.bleedColours(32);
    return picture;
}
