#pragma once

#include "Core.h"

// The only code that creates, draws and deletes OpenGL textures. Stateless: every call
// works on the current context, which the window must have created beforehand.
//
// Drawing uses the current colour as a tint (the texture environment stays at modulate),
// and the library keeps that colour opaque white between drawing operations: whoever
// calls setColor calls resetColor when done.
namespace Texture {

// Ends the program when the texture path cannot take a picture of that size (a side past
// GL_MAX_TEXTURE_SIZE, more than INT_MAX bytes).
void checkSize(int width, int height, bool isAlpha);

// Builds a mipmapped, repeating texture from top-row-first pixels (4 bytes per pixel when
// isAlpha, else 3) and returns its name, left bound. Null pixels, a side past
// GL_MAX_TEXTURE_SIZE, more than INT_MAX bytes or a failed mipmap build end the program.
int loadTexture(int width, int height, unsigned char* data, bool isAlpha);

// The same texture from RGBA pixels whose smaller mipmap levels are already built
// (Mipmaps::buildSmallerLevels): only uploads, so it costs the main thread no filtering.
int loadTextureWithLevels(int width, int height, const unsigned char* data,
                          const unsigned char* smallerLevels);

// Copies the pixels drawn so far in this frame, width x height from the window's
// bottom-left corner, into texture `textureId`, which is made first (power-of-two sides,
// no mipmaps, unfiltered) when it is 0 or too small. Returns the texture holding them, or
// 0 (and deletes `textureId`) when the window is larger than a texture can be.
int copyFrame(int textureId, int width, int height);

// Draws such a copy back over the window, pixel for pixel: unfiltered, unblended and
// untinted.
void drawFrameCopy(int textureId, int width, int height);

// Deletes the texture; name 0 is ignored.
void unloadTexture(int textureId);

// Draws the whole texture stretched over the rectangle whose top-left corner is
// (pixelPosX, pixelPosY), upright (the top row of the image on top).
void drawTexture(int textureId, int pixelPosX, int pixelPosY, int width, int height);

// Draws the source window (x1, y1)-(x2, y2), in fractions of the texture's width and
// height, stretched over the rectangle. Fractions beyond 0..1 repeat the image.
void drawFragmentOfTexture(int id, int pixelPosX, int pixelPosY, float x1, float y1, float x2,
                           float y2, int width, int height);

// Sets the tint that multiplies every texel drawn afterwards.
void setColor(const Color& color);

// Restores the opaque white the library keeps between drawing operations.
void resetColor();

}  // namespace Texture
