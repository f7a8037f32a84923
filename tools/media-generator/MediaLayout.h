// Where things go in a 512 x 512 face or button picture. The roller shows the top
// 512 x 384 (4:3) part: its dice grid and its 204 x 153 buttons have that shape, and
// the transparent quarter below overlaps the next grid row invisibly. A button draws
// its caption 10 pixels inside its top-left corner, about 30 pixels high and up to
// 180 wide at 204 pixels: the caption strip below, in picture pixels.
#pragma once

namespace MediaLayout {

constexpr int PICTURE_SIZE = 512;
constexpr int VISIBLE_HEIGHT = 384;
constexpr int CAPTION_STRIP_WIDTH = 480;
constexpr int CAPTION_STRIP_HEIGHT = 104;

// The band a die is drawn in: below the caption strip, above the hidden quarter.
constexpr double DIE_TOP = 110;
constexpr double DIE_BOTTOM = 372;

constexpr int DIE_TYPES[] = {4, 6, 8, 10, 12, 20};

}  // namespace MediaLayout
