#include "FontImage.h"

#include <algorithm>
#include <climits>

namespace FontImage {

namespace {

// Coverage this faint is never drawn (the library's alpha test drops alpha up to
// 0.1); dropping it keeps glyph runs tight.
constexpr int NOISE_ALPHA = 24;
// An outermost ink column no stronger than this is dropped (see renderGlyph).
constexpr int EDGE_TRIM_ALPHA = 100;
// The faint alpha of padding and bridges: counts as ink for the scan, never drawn.
constexpr uint8_t FAINT_ALPHA = 3;

// The roller's widest caption, drawn at 1.5 times the image size 10 pixels inside a
// 204-pixel button, must end 10 pixels before the button's edge.
const char* const LONGEST_CAPTION = "Clear dice heap (c)";
constexpr int LONGEST_CAPTION_WIDTH = 184;

constexpr int SCRATCH_SIZE = 64;
constexpr int SCRATCH_PEN_X = 20;
constexpr int SCRATCH_BASELINE = 44;

struct Glyph {
    Raster pixels;  // scratch picture, pen at (SCRATCH_PEN_X, SCRATCH_BASELINE)
    int inkLeft = INT_MAX, inkRight = INT_MIN, inkTop = INT_MAX, inkBottom = INT_MIN;
    int advance = 0;
};

Glyph renderGlyph(const Typefaces& faces, char c, double pixelSize) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SCRATCH_SIZE, SCRATCH_SIZE);
    cairo_t* cr = cairo_create(surface);
    cairo_set_font_face(cr, faces.regular);
    applyFontOptions(cr, true);
    cairo_set_font_size(cr, pixelSize);
    const char text[2] = {c, 0};
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, SCRATCH_PEN_X, SCRATCH_BASELINE);
    cairo_show_text(cr, text);
    cairo_destroy(cr);

    Glyph glyph;
    glyph.pixels = Raster::fromSurface(surface);
    cairo_surface_destroy(surface);
    glyph.advance = static_cast<int>(extents.x_advance + 0.5);
    for (int y = 0; y < SCRATCH_SIZE; ++y) {
        for (int x = 0; x < SCRATCH_SIZE; ++x) {
            uint8_t* p = glyph.pixels.pixel(x, y);
            if (p[3] < NOISE_ALPHA) {
                p[3] = 0;
                continue;
            }
            glyph.inkLeft = std::min(glyph.inkLeft, x);
            glyph.inkRight = std::max(glyph.inkRight, x);
            glyph.inkTop = std::min(glyph.inkTop, y);
            glyph.inkBottom = std::max(glyph.inkBottom, y);
        }
    }
    // The library puts two columns between the ink of neighbours, more than the
    // typeface's own side bearings at this size once antialiasing widens the ink: a
    // faint outermost column on either side is dropped, which spaces text as the
    // typeface does at the cost of a slightly harder edge.
    auto columnMax = [&glyph](int x) {
        int strongest = 0;
        for (int y = 0; y < SCRATCH_SIZE; ++y) {
            strongest = std::max<int>(strongest, glyph.pixels.pixel(x, y)[3]);
        }
        return strongest;
    };
    auto clearColumn = [&glyph](int x) {
        for (int y = 0; y < SCRATCH_SIZE; ++y) {
            glyph.pixels.pixel(x, y)[3] = 0;
        }
    };
    if (glyph.inkRight > glyph.inkLeft + 1 && columnMax(glyph.inkLeft) < EDGE_TRIM_ALPHA) {
        clearColumn(glyph.inkLeft++);
    }
    if (glyph.inkRight > glyph.inkLeft + 1 && columnMax(glyph.inkRight) < EDGE_TRIM_ALPHA) {
        clearColumn(glyph.inkRight--);
    }
    return glyph;
}

// The columns a glyph occupies in the image: the typeface's advance (less the two
// columns the library adds) or the ink, whichever is wider.
struct Run {
    int left, right;
};

Run runOf(const Glyph& glyph) {
    return {std::min(SCRATCH_PEN_X + 1, glyph.inkLeft),
            std::max(SCRATCH_PEN_X + glyph.advance - 2, glyph.inkRight)};
}

// Width of a text drawn by the library at the roller's caption scale.
int captionWidth(const std::vector<Glyph>& glyphs, const std::string& text) {
    const double scale = 1.5;
    int width = 0;
    for (char c : text) {
        if (c == ' ') {
            width += static_cast<int>(6 * scale);
            continue;
        }
        const Run run = runOf(glyphs[c - FIRST_CODE]);
        width += static_cast<int>((run.right - run.left + 1 + 2) * scale);
    }
    return width;
}

bool columnHasInk(const Raster& image, int x) {
    if (x < 0 || x >= image.width()) {
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y)[3] != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool render(const Typefaces& faces, Raster& image, std::string& errorText) {
    // The largest size whose tallest glyphs ("|", brackets, "j") fit the image height
    // and whose longest caption fits its button.
    std::vector<Glyph> glyphs;
    int top = 0;
    for (double size = HEIGHT + 2; size >= 8; size -= 0.5) {
        glyphs.clear();
        top = INT_MAX;
        int bottom = INT_MIN;
        for (int code = FIRST_CODE; code <= LAST_CODE; ++code) {
            glyphs.push_back(renderGlyph(faces, static_cast<char>(code), size));
            top = std::min(top, glyphs.back().inkTop);
            bottom = std::max(bottom, glyphs.back().inkBottom);
        }
        if (bottom - top + 1 <= HEIGHT &&
            captionWidth(glyphs, LONGEST_CAPTION) <= LONGEST_CAPTION_WIDTH) {
            break;
        }
    }

    image = Raster(WIDTH, HEIGHT);
    const int faintRow = SCRATCH_BASELINE - 1 - top;  // just above the baseline
    int x = 2;                                        // column 0 stays empty
    for (const Glyph& glyph : glyphs) {
        const Run run = runOf(glyph);
        const int runLeft = run.left;
        const int runWidth = run.right - run.left + 1;
        if (x + runWidth + GAP > WIDTH) {
            errorText = "the glyphs do not fit a font image 2048 pixels wide";
            return false;
        }
        for (int column = 0; column < runWidth; ++column) {
            for (int row = 0; row < HEIGHT; ++row) {
                const uint8_t* from = glyph.pixels.pixel(runLeft + column, top + row);
                uint8_t* to = image.pixel(x + column, row);
                std::copy(from, from + 4, to);
            }
            if (!columnHasInk(image, x + column)) {
                image.pixel(x + column, faintRow)[3] = FAINT_ALPHA;
            }
        }
        x += runWidth + GAP;
    }
    image.whiten();
    return check(image, errorText);
}

std::vector<Cell> scan(const Raster& image) {
    std::vector<Cell> cells;
    int x = 0;
    while (x < image.width() && !columnHasInk(image, x)) {
        ++x;
    }
    while (x < image.width() && static_cast<int>(cells.size()) < GLYPH_COUNT) {
        const int first = x;
        while (columnHasInk(image, x)) {
            ++x;
        }
        cells.push_back({first - 1, x - first + 4});
        while (x < image.width() && !columnHasInk(image, x)) {
            ++x;
        }
    }
    return cells;
}

bool check(const Raster& image, std::string& errorText) {
    const std::vector<Cell> cells = scan(image);
    if (static_cast<int>(cells.size()) != GLYPH_COUNT) {
        errorText = "the font image holds " + std::to_string(cells.size()) + " glyphs, not 94";
        return false;
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        const char name = static_cast<char>(FIRST_CODE + i);
        if (cells[i].start < 0) {
            errorText = std::string("glyph '") + name + "' starts in column 0";
            return false;
        }
        for (int column = cells[i].start; column < cells[i].start + cells[i].width; ++column) {
            const int inkStart = cells[i].start + 1, inkEnd = cells[i].start + cells[i].width - 4;
            if ((column < inkStart || column > inkEnd) && columnHasInk(image, column)) {
                errorText = std::string("the cell of glyph '") + name + "' reaches other ink";
                return false;
            }
        }
    }
    return true;
}

}  // namespace FontImage
