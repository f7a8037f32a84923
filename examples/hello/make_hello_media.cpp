// make_hello_media: draws the hello example's picture and pixel font into a folder.
//
//   make_hello_media <folder>
//
// hello_picture.png is a 32 x 32 die face with transparent corners; hello_font.png is a
// small pixel font in the library's font format: the glyphs of "!" to "~" in one row,
// white, their shape in alpha, separated by fully transparent columns.
#include <lodepng.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Each glyph is drawn on a grid of 5 rows, '#' for a dot, and is as wide as its rows.
const char* const GLYPHS[94][5] = {
    {"#", "#", "#", ".", "#"},                      // !
    {"#.#", "#.#", "...", "...", "..."},            // "
    {"#.#", "###", "#.#", "###", "#.#"},            // #
    {".##", "##.", ".#.", ".##", "##."},            // $
    {"#.#", "..#", ".#.", "#..", "#.#"},            // %
    {".#.", "#.#", ".#.", "#.#", ".##"},            // &
    {"#", "#", ".", ".", "."},                      // '
    {".#", "#.", "#.", "#.", ".#"},                 // (
    {"#.", ".#", ".#", ".#", "#."},                 // )
    {"...", "#.#", ".#.", "#.#", "..."},            // *
    {"...", ".#.", "###", ".#.", "..."},            // +
    {"..", "..", "..", ".#", "#."},                 // ,
    {"...", "...", "###", "...", "..."},            // -
    {".", ".", ".", ".", "#"},                      // .
    {"..#", "..#", ".#.", "#..", "#.."},            // /
    {"###", "#.#", "#.#", "#.#", "###"},            // 0
    {".#", "##", ".#", ".#", ".#"},                 // 1
    {"##.", "..#", ".#.", "#..", "###"},            // 2
    {"##.", "..#", ".#.", "..#", "##."},            // 3
    {"#.#", "#.#", "###", "..#", "..#"},            // 4
    {"###", "#..", "##.", "..#", "##."},            // 5
    {".##", "#..", "###", "#.#", "###"},            // 6
    {"###", "..#", ".#.", ".#.", ".#."},            // 7
    {"###", "#.#", "###", "#.#", "###"},            // 8
    {"###", "#.#", "###", "..#", "##."},            // 9
    {".", "#", ".", "#", "."},                      // :
    {"..", ".#", "..", ".#", "#."},                 // ;
    {"..#", ".#.", "#..", ".#.", "..#"},            // <
    {"...", "###", "...", "###", "..."},            // =
    {"#..", ".#.", "..#", ".#.", "#.."},            // >
    {"##.", "..#", ".#.", "...", ".#."},            // ?
    {".#.", "#.#", "###", "#..", ".##"},            // @
    {".#.", "#.#", "###", "#.#", "#.#"},            // A
    {"##.", "#.#", "##.", "#.#", "##."},            // B
    {".##", "#..", "#..", "#..", ".##"},            // C
    {"##.", "#.#", "#.#", "#.#", "##."},            // D
    {"###", "#..", "##.", "#..", "###"},            // E
    {"###", "#..", "##.", "#..", "#.."},            // F
    {".##", "#..", "#.#", "#.#", ".##"},            // G
    {"#.#", "#.#", "###", "#.#", "#.#"},            // H
    {"###", ".#.", ".#.", ".#.", "###"},            // I
    {"..#", "..#", "..#", "#.#", ".#."},            // J
    {"#.#", "#.#", "##.", "#.#", "#.#"},            // K
    {"#..", "#..", "#..", "#..", "###"},            // L
    {"#...#", "##.##", "#.#.#", "#...#", "#...#"},  // M
    {"#..#", "##.#", "#.##", "#..#", "#..#"},       // N
    {".#.", "#.#", "#.#", "#.#", ".#."},            // O
    {"##.", "#.#", "##.", "#..", "#.."},            // P
    {".#.", "#.#", "#.#", "##.", ".##"},            // Q
    {"##.", "#.#", "##.", "#.#", "#.#"},            // R
    {".##", "#..", ".#.", "..#", "##."},            // S
    {"###", ".#.", ".#.", ".#.", ".#."},            // T
    {"#.#", "#.#", "#.#", "#.#", "###"},            // U
    {"#.#", "#.#", "#.#", "#.#", ".#."},            // V
    {"#...#", "#...#", "#.#.#", "##.##", "#...#"},  // W
    {"#.#", "#.#", ".#.", "#.#", "#.#"},            // X
    {"#.#", "#.#", ".#.", ".#.", ".#."},            // Y
    {"###", "..#", ".#.", "#..", "###"},            // Z
    {"##", "#.", "#.", "#.", "##"},                 // [
    {"#..", "#..", ".#.", "..#", "..#"},            // backslash
    {"##", ".#", ".#", ".#", "##"},                 // ]
    {".#.", "#.#", "...", "...", "..."},            // ^
    {"...", "...", "...", "...", "###"},            // _
    {"#.", ".#", "..", "..", ".."},                 // `
    {"...", ".##", "#.#", "#.#", ".##"},            // a
    {"#..", "##.", "#.#", "#.#", "##."},            // b
    {"...", ".##", "#..", "#..", ".##"},            // c
    {"..#", ".##", "#.#", "#.#", ".##"},            // d
    {"...", ".#.", "###", "#..", ".##"},            // e
    {".##", "#..", "###", "#..", "#.."},            // f
    {".##", "#.#", ".##", "..#", "##."},            // g
    {"#..", "##.", "#.#", "#.#", "#.#"},            // h
    {"#", ".", "#", "#", "#"},                      // i
    {".#", "..", ".#", ".#", "#."},                 // j
    {"#..", "#.#", "##.", "#.#", "#.#"},            // k
    {"#.", "#.", "#.", "#.", ".#"},                 // l
    {".....", "##.#.", "#.#.#", "#.#.#", "#.#.#"},  // m
    {"...", "##.", "#.#", "#.#", "#.#"},            // n
    {"...", ".#.", "#.#", "#.#", ".#."},            // o
    {"...", "##.", "#.#", "##.", "#.."},            // p
    {"...", ".##", "#.#", ".##", "..#"},            // q
    {"...", "#.#", "##.", "#..", "#.."},            // r
    {"...", ".##", "#..", "..#", "##."},            // s
    {".#.", "###", ".#.", ".#.", "..#"},            // t
    {"...", "#.#", "#.#", "#.#", ".##"},            // u
    {"...", "#.#", "#.#", "#.#", ".#."},            // v
    {".....", "#...#", "#.#.#", "#.#.#", ".#.#."},  // w
    {"...", "#.#", ".#.", ".#.", "#.#"},            // x
    {"...", "#.#", "#.#", ".#.", "#.."},            // y
    {"...", "###", ".#.", "#..", "###"},            // z
    {".##", ".#.", "##.", ".#.", ".##"},            // {
    {"#", "#", "#", "#", "#"},                      // |
    {"##.", ".#.", ".##", ".#.", "##."},            // }
    {"...", "##.", ".##", "...", "..."},            // ~
};

const int DOT = 2;       // image pixels per font dot
const int TOP = 2;       // image rows above the glyphs
const int HEIGHT = 16;   // a line of text
const int GAP = 5;       // empty columns between glyphs: a cell reaches three beyond the ink
const int WIDTH = 2048;  // a power of two: mipmaps are built without rescaling

struct Canvas {
    int width, height;
    std::vector<unsigned char> rgba;
    Canvas(int w, int h) : width(w), height(h), rgba(size_t(w) * h * 4, 0) {}
    void set(int x, int y, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
        unsigned char* p = &rgba[(size_t(y) * width + x) * 4];
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }
};

bool write(const std::string& path, const Canvas& canvas) {
    const unsigned error = lodepng::encode(path, canvas.rgba, canvas.width, canvas.height);
    if (error != 0) {
        std::fprintf(stderr, "make_hello_media: %s: %s\n", path.c_str(), lodepng_error_text(error));
    }
    return error == 0;
}

Canvas font() {
    Canvas canvas(WIDTH, HEIGHT);
    // Transparent white, so that filtering at glyph edges fades alpha, not colour.
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            canvas.set(x, y, 255, 255, 255, 0);
        }
    }
    int left = GAP;
    for (const auto& glyph : GLYPHS) {
        const int columns = static_cast<int>(std::string(glyph[0]).size());
        for (int col = 0; col < columns; ++col) {
            bool ink = false;
            for (int row = 0; row < 5; ++row) {
                if (glyph[row][col] != '#') {
                    continue;
                }
                ink = true;
                for (int d = 0; d < DOT * DOT; ++d) {
                    canvas.set(left + col * DOT + d % DOT, TOP + row * DOT + d / DOT, 255, 255, 255,
                               255);
                }
            }
            // A column of the glyph without a dot still belongs to it: a trace of alpha,
            // too faint to be drawn, keeps the glyph in one piece for the scan.
            for (int d = 0; d < DOT && !ink; ++d) {
                canvas.set(left + col * DOT + d, HEIGHT - 1, 255, 255, 255, 1);
            }
        }
        left += columns * DOT + GAP;
    }
    return canvas;
}

Canvas picture() {
    const int side = 32;
    Canvas canvas(side, side);
    const int pips[5][2] = {{9, 9}, {22, 9}, {16, 16}, {9, 22}, {22, 22}};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            // A rounded square: corners cut at radius 6.
            const int cx = x < 6 ? 6 - x : (x > side - 7 ? x - (side - 7) : 0);
            const int cy = y < 6 ? 6 - y : (y > side - 7 ? y - (side - 7) : 0);
            if (cx * cx + cy * cy > 36) {
                continue;
            }
            bool pip = false;
            for (const auto& p : pips) {
                const int dx = x - p[0];
                const int dy = y - p[1];
                pip = pip || dx * dx + dy * dy <= 8;
            }
            if (pip) {
                canvas.set(x, y, 200, 30, 40, 255);
            } else {
                const unsigned char shade = static_cast<unsigned char>(255 - y * 2);
                canvas.set(x, y, shade, shade, 240, 255);
            }
        }
    }
    return canvas;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hello_media <folder>\n");
        return 1;
    }
    const std::string folder = argv[1];
    return write(folder + "/hello_font.png", font()) &&
                   write(folder + "/hello_picture.png", picture())
               ? 0
               : 1;
}
