#pragma once

#include <cstddef>

// The smaller mipmap levels of an RGBA picture whose sides are powers of two, built
// exactly as gluBuild2DMipmaps builds them (each texel the rounded mean of a 2x2 block;
// once a side is 1, the truncated mean of a pair), so the texture looks the same. Needs
// no OpenGL context: pictures can be prepared away from the main thread.
namespace Mipmaps {

bool canBuild(unsigned width, unsigned height);

// Bytes of levels 1 to the last (1x1), stored one after the other.
size_t smallerLevelsBytes(unsigned width, unsigned height);

// Fills out (smallerLevelsBytes long) from level 0 (width x height, rows packed).
void buildSmallerLevels(const unsigned char* level0, unsigned width, unsigned height,
                        unsigned char* out);

}  // namespace Mipmaps
