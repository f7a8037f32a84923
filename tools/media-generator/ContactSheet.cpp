#include "ContactSheet.h"

#include "FontImage.h"
#include "MediaLayout.h"
#include "Raster.h"

#include <lodepng.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int SHEET_WIDTH = 1600;
constexpr int SHEET_HEIGHT = 2180;
constexpr int MARGIN = 32;

const Rgba BACKGROUND = {200 / 255.0, 200 / 255.0, 200 / 255.0, 1};  // the roller's window
const Rgba TEXT_DARK = {50 / 255.0, 50 / 255.0, 50 / 255.0, 1};      // button captions
const Rgba TEXT_ON_BACK = {150 / 255.0, 150 / 255.0, 150 / 255.0, 1};
const Rgba WHITE = {1, 1, 1, 1};

// A written PNG read back, or false with the reason.
bool readBack(const std::string& path, Raster& out, std::string& errorText) {
    unsigned char* pixels = nullptr;
    unsigned width = 0, height = 0;
    const unsigned error = lodepng_decode32_file(&pixels, &width, &height, path.c_str());
    if (error) {
        errorText = "cannot read back " + path + ": " + lodepng_error_text(error);
        return false;
    }
    out = Raster(width, height);
    std::copy(pixels, pixels + width * height * 4, out.pixel(0, 0));
    free(pixels);
    return true;
}

bool load(const std::string& path, std::unique_ptr<MipChain>& out, std::string& errorText) {
    Raster raster;
    if (!readBack(path, raster, errorText)) {
        return false;
    }
    out = std::make_unique<MipChain>(raster);
    return true;
}

// Text drawn glyph by glyph as the library's font draws it: cell from one column
// left of the ink to three right of it, advance = cell width - 2, space = 6, all
// multiplied by the effective scale (the font's 1.5 times the text size / 20).
class LibraryFont {
public:
    bool load(const std::string& path, std::string& errorText) {
        Raster raster;
        if (!readBack(path, raster, errorText)) {
            return false;
        }
        cells = FontImage::scan(raster);
        texture = std::make_unique<MipChain>(raster);
        w = raster.width();
        h = raster.height();
        return true;
    }

    void draw(Raster& canvas, int x, int y, const std::string& text, float textSize,
              const Rgba& colour) const {
        const float scale = 1.5f * (textSize / 20.0f);
        for (char c : text) {
            if (c == ' ') {
                x += static_cast<int>(6 * static_cast<double>(scale));
                continue;
            }
            const int index = static_cast<unsigned char>(c) - FontImage::FIRST_CODE;
            if (index < 0 || index >= static_cast<int>(cells.size())) {
                continue;
            }
            const FontImage::Cell& cell = cells[index];
            drawTextureLikeLibrary(canvas, *texture, x, y,
                                   static_cast<int>(cell.width * static_cast<double>(scale)),
                                   static_cast<int>(h * static_cast<double>(scale)),
                                   static_cast<float>(cell.start) / w, 0,
                                   static_cast<float>(cell.start + cell.width) / w, 1, colour);
            x += static_cast<int>((cell.width - 2) * static_cast<double>(scale));
        }
    }

private:
    std::vector<FontImage::Cell> cells;
    std::unique_ptr<MipChain> texture;
    int w = 1, h = 1;
};

struct Heading {
    int x, y;
    std::string text;
};

struct Frame {
    int x, y, w, h;
};

// A button as the roller draws it: picture scaled to the button width, caption 10
// pixels inside, grey frame (the frame is drawn later, over the raster).
void drawButton(Raster& canvas, const MipChain& picture, const LibraryFont& font, int x, int y,
                bool small, const std::string& caption, std::vector<Frame>& frames) {
    const int width = small ? 102 : 204, height = small ? 76 : 153;
    drawTextureLikeLibrary(canvas, picture, x, y, width, width, 0, 0, 1, 1, WHITE);
    font.draw(canvas, x + 10, y + 10, caption, small ? 13.0f : 20.0f, TEXT_DARK);
    frames.push_back({x, y, width, height});
}

}  // namespace

bool writeContactSheet(const Typefaces& faces, const std::string& mediaDir, const std::string& path,
                       std::string& errorText) {
    using namespace MediaLayout;
    Raster canvas(SHEET_WIDTH, SHEET_HEIGHT);
    for (int y = 0; y < SHEET_HEIGHT; ++y) {
        for (int x = 0; x < SHEET_WIDTH; ++x) {
            uint8_t* p = canvas.pixel(x, y);
            p[0] = p[1] = p[2] = 200;
            p[3] = 255;
        }
    }
    std::vector<Heading> headings;
    std::vector<Frame> frames;
    LibraryFont font;
    if (!font.load(mediaDir + "/default_font.png", errorText)) {
        return false;
    }

    // Faces: the highest face of each die, at full size (the visible 512 x 384).
    int y = 70;
    headings.push_back(
        {MARGIN, y - 14, "Faces at full size: the visible 512 x 384 part (dashed: caption strip)"});
    for (int i = 0; i < 6; ++i) {
        const int sides = DIE_TYPES[i];
        std::unique_ptr<MipChain> face;
        if (!load(mediaDir + "/d" + std::to_string(sides) + "/" + std::to_string(sides) + ".png",
                  face, errorText)) {
            return false;
        }
        const int x = MARGIN + (i % 3) * (PICTURE_SIZE + 8),
                  top = y + (i / 3) * (VISIBLE_HEIGHT + 8);
        drawTextureLikeLibrary(canvas, *face, x, top, PICTURE_SIZE, VISIBLE_HEIGHT, 0, 0, 1, 0.75,
                               WHITE);
        frames.push_back({x, top, PICTURE_SIZE, VISIBLE_HEIGHT});
        frames.push_back({-x - 1, top, CAPTION_STRIP_WIDTH, CAPTION_STRIP_HEIGHT});  // dashed
    }
    y += 2 * (VISIBLE_HEIGHT + 8) + 40;

    // All 60 faces in the 15-column grid of a 200-dice heap, then the same enlarged.
    headings.push_back({MARGIN, y - 14,
                        "All 60 faces in the roller's 15-column grid (a die is 34 px wide), "
                        "and the same grid enlarged 3x"});
    Raster grid(PICTURE_SIZE, 120);
    for (int gy = 0; gy < grid.height(); ++gy) {
        for (int gx = 0; gx < grid.width(); ++gx) {
            uint8_t* p = grid.pixel(gx, gy);
            p[0] = p[1] = p[2] = 200;
            p[3] = 255;
        }
    }
    int index = 0;
    for (int sides : DIE_TYPES) {
        for (int value = 1; value <= sides; ++value, ++index) {
            std::unique_ptr<MipChain> face;
            if (!load(
                    mediaDir + "/d" + std::to_string(sides) + "/" + std::to_string(value) + ".png",
                    face, errorText)) {
                return false;
            }
            const int column = index % 15, row = index / 15;
            const int size = PICTURE_SIZE / 15;
            drawTextureLikeLibrary(grid, *face, (2 * 256 * column) / 15, 2 + (2 * 192 * row) / 15,
                                   size, size, 0, 0, 1, 1, WHITE);
        }
    }
    for (int gy = 0; gy < grid.height(); ++gy) {
        for (int gx = 0; gx < grid.width(); ++gx) {
            std::copy(grid.pixel(gx, gy), grid.pixel(gx, gy) + 4,
                      canvas.pixel(MARGIN + gx, y + gy));
            for (int zy = 0; zy < 3; ++zy) {
                for (int zx = 0; zx < 3; ++zx) {
                    std::copy(
                        grid.pixel(gx, gy), grid.pixel(gx, gy) + 4,
                        canvas.pixel(MARGIN + 3 * gx + zx, y + grid.height() + 16 + 3 * gy + zy));
                }
            }
        }
    }
    y += 4 * grid.height() + 66;

    // Buttons in the normal layout, then in small mode.
    headings.push_back({MARGIN, y - 14,
                        "Buttons as the roller draws them: 204 x 153 (text size 20), then small "
                        "mode 102 x 76 (text size 13)"});
    struct ButtonSpec {
        std::string picture, caption;
    };
    std::vector<ButtonSpec> buttons = {{"simple.png", "One die"},
                                       {"multi.png", "Multiple dice"},
                                       {"clear.png", "Clear dice heap (c)"},
                                       {"reroll.png", "Reroll (space)"}};
    for (int sides : DIE_TYPES) {
        buttons.push_back(
            {"d" + std::to_string(sides) + "/1.png", std::to_string(sides) + "-sided die"});
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
        std::unique_ptr<MipChain> picture;
        if (!load(mediaDir + "/" + buttons[i].picture, picture, errorText)) {
            return false;
        }
        const int column = static_cast<int>(i % 5), row = static_cast<int>(i / 5);
        drawButton(canvas, *picture, font, MARGIN + column * 214, y + row * 163, false,
                   buttons[i].caption, frames);
        drawButton(canvas, *picture, font, MARGIN + 1096 + static_cast<int>(i % 4) * 112,
                   y + static_cast<int>(i / 4) * 86, true, buttons[i].caption, frames);
    }
    y += 2 * 163 + 60;

    // Text at both scales, in both of the roller's text colours.
    headings.push_back(
        {MARGIN, y - 14, "The font at scale 1.5 (text size 20) and 0.975 (text size 13)"});
    std::string glyphs;
    for (int code = FontImage::FIRST_CODE; code <= FontImage::LAST_CODE; ++code) {
        glyphs += static_cast<char>(code);
    }
    const std::string sample = "Roll result   Roll a die:   Add a new die:   Multiple dice";
    const std::string pangram = "The quick brown fox jumps over the lazy dog. 0123456789";
    font.draw(canvas, MARGIN, y, sample, 20, TEXT_ON_BACK);
    font.draw(canvas, MARGIN, y + 30, pangram, 20, TEXT_DARK);
    font.draw(canvas, MARGIN, y + 60, glyphs.substr(0, 60), 20, TEXT_DARK);
    font.draw(canvas, MARGIN, y + 90, glyphs.substr(60), 20, TEXT_DARK);
    font.draw(canvas, MARGIN + 900, y, sample, 13, TEXT_ON_BACK);
    font.draw(canvas, MARGIN + 900, y + 22, pangram, 13, TEXT_DARK);
    font.draw(canvas, MARGIN + 900, y + 44, glyphs, 13, TEXT_DARK);

    // Frames and headings over the raster.
    cairo_surface_t* surface = canvas.toSurface();
    cairo_t* cr = cairo_create(surface);
    for (const Frame& f : frames) {
        if (f.x < 0) {
            const double dash[] = {6, 6};
            cairo_set_dash(cr, dash, 2, 0);
            cairo_set_line_width(cr, 1);
            cairo_rectangle(cr, -f.x - 1 + 0.5, f.y + 0.5, f.w - 1, f.h - 1);
            cairo_set_source_rgba(cr, 0.3, 0.3, 0.3, 0.6);
        } else {
            cairo_set_dash(cr, nullptr, 0, 0);
            cairo_set_line_width(cr, 3);
            cairo_rectangle(cr, f.x + 1.5, f.y + 1.5, f.w - 3, f.h - 3);
            cairo_set_source_rgb(cr, 150 / 255.0, 150 / 255.0, 150 / 255.0);
        }
        cairo_stroke(cr);
    }
    cairo_set_font_face(cr, faces.regular);
    applyFontOptions(cr, true);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.17);
    cairo_set_font_size(cr, 22);
    cairo_move_to(cr, MARGIN, 34);
    cairo_show_text(cr, "Kelvarro media, drawn and synthesized by tools/media-generator");
    cairo_set_font_size(cr, 15);
    for (const Heading& h : headings) {
        cairo_move_to(cr, h.x, h.y);
        cairo_show_text(cr, h.text.c_str());
    }
    cairo_destroy(cr);
    Raster sheet = Raster::fromSurface(surface);
    cairo_surface_destroy(surface);
    return sheet.save(path, errorText);
}
