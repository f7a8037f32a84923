#pragma once

// Finds the glyph cells of a font image in its alpha channel. Kept apart from the font
// so that the scan, which walks raw pixel memory, can be checked without a window.
namespace GlyphScan {

// Scans the RGBA bitmap (width x height, rows top first) for the glyphs of the codes
// beginningAscii to endAscii, in order, from column x on. A glyph is a run of columns
// holding any pixel with non-zero alpha. For each glyph found, tabPos[code] gets its
// first ink column - 1 and tabWidth[code] its ink width + 4 (the cell spans one column
// left of the ink and three right of it); a glyph starting in column 0 has no room for
// its cell and gets -1 in both. Codes the image runs out of glyphs for are left as they
// were. x ends past the last glyph scanned. verbose prints each glyph's code and
// column. Nothing outside the bitmap is read; null pixels count as an empty image.
void scan(const unsigned char* rgba, int width, int height, int beginningAscii, int endAscii,
          int& x, int* tabPos, int* tabWidth, bool verbose);

}  // namespace GlyphScan
