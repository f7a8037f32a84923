#pragma once

#include <lodepng.h>

#include <string>
#include <vector>

// PNG files made by the tests themselves, with the colour type and depth they ask for.
namespace TestPng {

struct Rgba {
    unsigned char r, g, b, a;
};

// Encodes raw pixels of that colour type and depth as a PNG of exactly that type (no
// automatic conversion). A palette type takes the palette in `palette`.
std::vector<unsigned char> encode(const std::vector<unsigned char>& raw, unsigned width,
                                  unsigned height, LodePNGColorType type, unsigned bitDepth,
                                  const std::vector<Rgba>& palette = {});

// RGBA 8-bit file from pixels, rows top first.
std::vector<unsigned char> encodeRgba(const std::vector<Rgba>& pixels, unsigned width,
                                      unsigned height);

// A width x height picture of one colour.
std::vector<unsigned char> solid(unsigned width, unsigned height, Rgba colour);

// Colour type and depth written in a PNG's header.
void inspect(const std::vector<unsigned char>& png, LodePNGColorType* type, unsigned* bitDepth);

// A scratch directory for the files of one test program, removed at exit.
const std::string& scratchDir();
std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes);

}  // namespace TestPng
