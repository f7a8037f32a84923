// Where the roller puts its buttons in three reference windows, and how a face picture
// shows in the dice area: shared by the window tests and the end-to-end tests.
#pragma once

#include <lodepng.h>

#include <cstdlib>
#include <string>
#include <vector>

struct At {
    int x, y;
};

struct Layout {
    int width, height;
    int buttonWidth, buttonHeight;
    At simple, multi, clear, reroll, label;
    At entries[6];  // 4, 6, 8, 10, 12, 20 sides
};

// clang-format off
const Layout LAYOUTS[] = {
    {1024, 768, 204, 153, {10, 605}, {224, 605}, {596, 10}, {810, 10}, {596, 183},
     {{596, 223}, {596, 386}, {596, 549}, {810, 223}, {810, 386}, {810, 549}}},
    {800, 600, 102, 76, {10, 514}, {122, 514}, {576, 10}, {688, 10}, {576, 106},
     {{576, 146}, {576, 232}, {576, 318}, {688, 146}, {688, 232}, {688, 318}}},
    {500, 700, 102, 76, {10, 614}, {122, 614}, {276, 269}, {388, 269}, {276, 365},
     {{276, 405}, {276, 491}, {276, 577}, {388, 405}, {388, 491}, {388, 577}}},
};
// clang-format on

// How many sampled pixels of the dice area (a frame read back or a capture, either with
// at(x, y)) differ clearly from the picture at `path` drawn 512 pixels wide at (10, 50)
// over the background, as the roller draws one die.
template <class Picture>
int mismatchToFace(const Picture& picture, const std::string& path) {
    std::vector<unsigned char> face;
    unsigned w = 0, h = 0;
    if (lodepng::decode(face, w, h, path) != 0)
        return -1;
    const double scale = w / 512.0;
    int mismatched = 0;
    for (int y = 58; y < 426; y += 2)
        for (int x = 18; x < 514; x += 2) {
            const unsigned sx = unsigned((x - 10 + 0.5) * scale);
            const unsigned sy = unsigned((y - 50 + 0.5) * scale);
            if (sx >= w || sy >= h)
                continue;
            const unsigned char* p = &face[(sy * w + sx) * 4];
            const double alpha = p[3] / 255.0;
            const auto c = picture.at(x, y);
            const int drawn[] = {c.r, c.g, c.b};
            double difference = 0;
            for (int k = 0; k < 3; ++k)
                difference +=
                    std::abs((alpha > 0.1 ? p[k] * alpha + 200 * (1 - alpha) : 200) - drawn[k]);
            mismatched += difference > 120;
        }
    return mismatched;
}
