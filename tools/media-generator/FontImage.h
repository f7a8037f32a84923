// The roller's bitmap font: glyphs "!" to "~" side by side in one row, white, with
// their shape in alpha, rendered from DejaVu Sans.
//
// The library finds glyphs by scanning for runs of columns holding any alpha, draws
// each glyph's cell from one column left of its run to three right of it, and
// advances the pen by the run's width plus two. So every glyph's run is padded with
// near-invisible alpha (below the drawing's alpha test) to span the typeface's own
// advance: text is spaced as the typeface spaces it. The same faint alpha bridges
// the gaps inside glyphs made of side-by-side parts, such as the double quote.
#pragma once

#include "Raster.h"
#include "Typeface.h"

#include <string>
#include <vector>

namespace FontImage {

constexpr int WIDTH = 2048;  // powers of two: mipmaps are built without rescaling
constexpr int HEIGHT = 16;
constexpr int FIRST_CODE = 33;
constexpr int LAST_CODE = 126;
constexpr int GLYPH_COUNT = LAST_CODE - FIRST_CODE + 1;

// Empty columns between neighbouring runs: the three a cell reaches to the right,
// plus room for the texture filter's reach.
constexpr int GAP = 6;

// False with errorText set when the glyphs do not fit the image.
bool render(const Typefaces& faces, Raster& image, std::string& errorText);

// A glyph cell as the library's scan finds it: start column (first ink column - 1)
// and width (ink run width + 4).
struct Cell {
    int start;
    int width;
};

// Scans like the library; returns the cells found, at most GLYPH_COUNT.
std::vector<Cell> scan(const Raster& image);

// True when the image fits the format: all glyphs found, none starting in column 0,
// no cell reaching a neighbour's ink. errorText says what is wrong otherwise.
bool check(const Raster& image, std::string& errorText);

}  // namespace FontImage
