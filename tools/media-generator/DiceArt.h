// The dice: one silhouette and one colour per die type, bevelled facets, soft
// light from the upper left, and the face value large in the middle.
#pragma once

#include "Raster.h"
#include "Typeface.h"

#include <cairo.h>

// Draws a die with `sides` faces showing `value`, in unit coordinates: the die is
// one unit high, centred on the origin (the caller's transform sizes and places it).
void drawDie(cairo_t* cr, const Typefaces& faces, int sides, int value);

// Width of the die drawn by drawDie, in the same units.
double dieWidth(int sides);

// The face picture: 512 x 512, the die in the band below the caption strip.
Raster renderFace(const Typefaces& faces, int sides, int value);

// The roller's icon: a d20 showing 20, filling a square of `size` pixels but for a margin.
Raster renderIcon(const Typefaces& faces, int size);
