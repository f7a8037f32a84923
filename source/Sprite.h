#pragma once

#include "Core.h"

class Image;

/// A picture file drawn at a position with a uniform scale. The file is read and turned
/// into a texture once, at construction (an OpenGL context must exist); the sprite owns
/// that image until it is destroyed. Created with new by its owner, never copied.
class Sprite {
public:
    /// Reads the PNG file at that path (relative to the working directory). A missing
    /// file or bytes that are not a PNG end the program.
    explicit Sprite(const char* filename);
    ~Sprite();

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    ///@{
    /// Top-left corner of the drawn rectangle, in window pixels.
    void setPosition(const Int2& newPos);
    const Int2& getPosition();
    ///@}
    /// Factor applied to the picture's pixel size on both axes.
    void setScale(float newScale);

    /// True once constructed: a picture that fails to load ends the program instead.
    bool isLoaded();
    /// The picture's size in pixels; (100, 100) without a picture.
    Int2 getOriginalSize();
    /// The size draw() uses: each axis of the original size times the scale, truncated.
    Int2 getScaledSize();

    /// Draws in the picture's own colours (relies on the current colour being white).
    void draw();
    /// Draws with an opacity (1 opaque, 0 invisible), then restores white.
    void draw(float opacity);
    /// Per-frame hook; the picture is complete once constructed, so nothing to do.
    void updateImage();

private:
    Int2 pos;
    float scale;
    Image* image;
    bool m_isLoaded;
};
