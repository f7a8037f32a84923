#include "DiceArt.h"

#include "MediaLayout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Point {
    double x, y;
};
using Polygon = std::vector<Point>;

struct Colour {
    double r, g, b;
};

Colour mix(const Colour& a, const Colour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

const Colour WHITE = {1, 1, 1};
const Colour INK = {0.12, 0.11, 0.14};

// Okabe-Ito colours: told apart also with the common colour vision deficiencies.
// Light dice carry dark numerals, dark dice white ones.
struct DieStyle {
    int sides;
    Colour body;
    bool darkNumerals;
};

const DieStyle STYLES[] = {
    {4, {213 / 255.0, 94 / 255.0, 0 / 255.0}, false},     // vermillion
    {6, {0 / 255.0, 114 / 255.0, 178 / 255.0}, false},    // blue
    {8, {0 / 255.0, 158 / 255.0, 115 / 255.0}, false},    // bluish green
    {10, {230 / 255.0, 159 / 255.0, 0 / 255.0}, true},    // orange
    {12, {204 / 255.0, 121 / 255.0, 167 / 255.0}, true},  // reddish purple
    {20, {240 / 255.0, 228 / 255.0, 66 / 255.0}, true},   // yellow
};

const DieStyle& styleFor(int sides) {
    for (const DieStyle& style : STYLES) {
        if (style.sides == sides) {
            return style;
        }
    }
    return STYLES[0];
}

void setColour(cairo_t* cr, const Colour& c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// Shade of a facet facing `direction` (from the die's centre) under light from the upper left.
Colour litColour(const Colour& base, Point direction) {
    const double length = std::hypot(direction.x, direction.y);
    if (length < 1e-9) {
        return mix(base, WHITE, 0.08);
    }
    const double lx = -0.55, ly = -0.83;  // towards the light
    const double facing = (direction.x * lx + direction.y * ly) / length;
    return facing >= 0 ? mix(base, WHITE, 0.36 * facing)
                       : mix(base, Colour{0, 0, 0}, -0.36 * facing);
}

void polygonPath(cairo_t* cr, const Polygon& points) {
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(cr, points[i].x, points[i].y);
    }
    cairo_close_path(cr);
}

// A polygon whose corners are rounded off by about `radius`.
void roundedPolygonPath(cairo_t* cr, const Polygon& points, double radius) {
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const Point& prev = points[(i + n - 1) % n];
        const Point& corner = points[i];
        const Point& next = points[(i + 1) % n];
        const double lenIn = std::hypot(prev.x - corner.x, prev.y - corner.y);
        const double lenOut = std::hypot(next.x - corner.x, next.y - corner.y);
        const double cut = std::min(radius, 0.45 * std::min(lenIn, lenOut));
        const Point a = {corner.x + (prev.x - corner.x) * cut / lenIn,
                         corner.y + (prev.y - corner.y) * cut / lenIn};
        const Point b = {corner.x + (next.x - corner.x) * cut / lenOut,
                         corner.y + (next.y - corner.y) * cut / lenOut};
        if (i == 0) {
            cairo_move_to(cr, a.x, a.y);
        } else {
            cairo_line_to(cr, a.x, a.y);
        }
        const double k = 0.55;  // control points towards the corner: a near-circular arc
        cairo_curve_to(cr, a.x + (corner.x - a.x) * k, a.y + (corner.y - a.y) * k,
                       b.x + (corner.x - b.x) * k, b.y + (corner.y - b.y) * k, b.x, b.y);
    }
    cairo_close_path(cr);
}

Polygon regularPolygon(int corners, double radius, double startDegrees, Point centre,
                       double stretchX = 1) {
    Polygon points;
    for (int i = 0; i < corners; ++i) {
        const double angle = (startDegrees + 360.0 * i / corners) * M_PI / 180;
        points.push_back(
            {centre.x + stretchX * radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return points;
}

Polygon shrunk(const Polygon& points, Point centre, double factor) {
    Polygon out;
    for (const Point& p : points) {
        out.push_back({centre.x + (p.x - centre.x) * factor, centre.y + (p.y - centre.y) * factor});
    }
    return out;
}

Point centroid(const Polygon& points) {
    Point sum = {0, 0};
    for (const Point& p : points) {
        sum.x += p.x;
        sum.y += p.y;
    }
    return {sum.x / points.size(), sum.y / points.size()};
}

// The geometry of one die type, one unit high, centred on the origin.
struct DieShape {
    Polygon outline;
    double cornerRadius;
    Polygon face;                 // the face that carries the value
    std::vector<Polygon> facets;  // the other visible sides, around the face
    Point valueCentre;
    double digitHeight;   // cap height of a one-digit value
    double numberHeight;  // cap height of a two-digit value
    double numberWidth;   // widest a two-digit value may be
};

// Facets of a bevelled polygon: quads between the outline and the inset face.
std::vector<Polygon> bevels(const Polygon& outline, const Polygon& face) {
    std::vector<Polygon> out;
    for (size_t i = 0; i < outline.size(); ++i) {
        const size_t j = (i + 1) % outline.size();
        out.push_back({outline[i], outline[j], face[j], face[i]});
    }
    return out;
}

DieShape shapeFor(int sides) {
    // Values are as large as the die allows, spilling over facet edges where needed:
    // they must still read when a die is drawn only 34 pixels wide.
    DieShape s;
    switch (sides) {
        case 4: {
            s.outline = {{0, -0.5}, {0.74, 0.5}, {-0.74, 0.5}};
            s.cornerRadius = 0.10;
            s.face = shrunk(s.outline, {0, 0.17}, 0.80);
            s.facets = bevels(s.outline, s.face);
            s.valueCentre = {0, 0.18};
            s.digitHeight = 0.54;
            break;
        }
        case 6: {
            s.outline = {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}};
            s.cornerRadius = 0.16;
            s.face = shrunk(s.outline, {0, 0}, 0.86);
            s.facets = bevels(s.outline, s.face);
            s.valueCentre = {0, 0};
            break;
        }
        case 8: {
            s.outline = {{0, -0.5}, {0.66, 0}, {0, 0.5}, {-0.66, 0}};
            s.cornerRadius = 0.07;
            s.face = shrunk(s.outline, {0, 0}, 0.82);
            s.facets = bevels(s.outline, s.face);
            s.valueCentre = {0, 0.01};
            s.digitHeight = 0.58;
            break;
        }
        case 10: {
            // Shoulders high and a long lower point: a kite, not the d8's diamond.
            s.outline = {{0, -0.5}, {0.74, -0.1}, {0, 0.5}, {-0.74, -0.1}};
            s.cornerRadius = 0.06;
            s.face = {{0, -0.44}, {0.64, -0.1}, {0, 0.3}, {-0.64, -0.1}};
            s.facets = bevels(s.outline, s.face);
            s.valueCentre = {0, -0.04};
            s.digitHeight = 0.52;
            s.numberHeight = 0.48;
            s.numberWidth = 0.72;
            break;
        }
        case 12: {
            const double radius = 1 / (1 + std::cos(M_PI / 5));
            const Point c = {0, -0.5 + radius};
            s.outline = regularPolygon(5, radius, -90, c, 1.14);
            s.cornerRadius = 0.06;
            s.face = shrunk(s.outline, c, 0.78);
            s.facets = bevels(s.outline, s.face);
            s.valueCentre = {0, c.y + 0.01};
            s.digitHeight = 0.56;
            s.numberHeight = 0.52;
            s.numberWidth = 0.78;
            break;
        }
        default: {  // 20: a hexagon of facets around the upright triangle face
            const Point c = {0, 0};
            const double stretch = 1.3;
            const Polygon h = regularPolygon(6, 0.5, -90, c, stretch);
            const Polygon t = regularPolygon(3, 0.42, -90, {0, 0.04}, stretch);
            s.outline = h;
            s.cornerRadius = 0.05;
            s.face = t;
            // h: 0 top, 1 upper right, 2 lower right, 3 bottom, 4 lower left, 5 upper left;
            // t: 0 top, 1 lower right, 2 lower left.
            s.facets = {{t[0], h[5], h[0]}, {t[0], h[0], h[1]}, {t[0], h[1], t[1]},
                        {t[1], h[1], h[2]}, {t[1], h[2], h[3]}, {t[1], h[3], t[2]},
                        {t[2], h[3], h[4]}, {t[2], h[4], h[5]}, {t[2], h[5], t[0]}};
            s.valueCentre = {0, 0.06};
            s.digitHeight = 0.52;
            s.numberHeight = 0.5;
            s.numberWidth = 0.84;
            break;
        }
    }
    return s;
}

void drawPips(cairo_t* cr, int value, const Colour& body) {
    const double d = 0.27, r = 0.1;
    std::vector<Point> pips;
    if (value % 2 == 1) {
        pips.push_back({0, 0});
    }
    if (value >= 2) {
        pips.push_back({-d, d});
        pips.push_back({d, -d});
    }
    if (value >= 4) {
        pips.push_back({-d, -d});
        pips.push_back({d, d});
    }
    if (value == 6) {
        pips.push_back({-d, 0});
        pips.push_back({d, 0});
    }
    for (const Point& p : pips) {
        // A pip is a small dip in the face: dark rim on the lit side, white inside.
        cairo_arc(cr, p.x, p.y, r + 0.014, 0, 2 * M_PI);
        setColour(cr, mix(body, Colour{0, 0, 0}, 0.45));
        cairo_fill(cr);
        cairo_arc(cr, p.x + 0.006, p.y + 0.008, r, 0, 2 * M_PI);
        cairo_pattern_t* g =
            cairo_pattern_create_radial(p.x + 0.03, p.y + 0.03, 0.0, p.x, p.y, r * 1.2);
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.86, 0.88, 0.92);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

// The value, centred on the face; 6 and 9 are underlined so that they read the
// same way up as the die shows them.
void drawValue(cairo_t* cr, const Typefaces& faces, const DieShape& shape, const DieStyle& style,
               int value) {
    const std::string text = std::to_string(value);
    const bool twoDigits = text.size() > 1;
    cairo_set_font_face(cr, twoDigits ? faces.condensed : faces.bold);
    applyFontOptions(cr, false);
    cairo_set_font_size(cr, 1.0);
    cairo_text_extents_t unit;
    cairo_text_extents(cr, text.c_str(), &unit);
    double size = (twoDigits ? shape.numberHeight : shape.digitHeight) / unit.height;
    if (twoDigits) {
        size = std::min(size, shape.numberWidth / unit.width);
    }
    const bool underlined = value == 6 || value == 9;
    const double inkHeight = unit.height * size;
    const double barGap = 0.04, barHeight = 0.055;
    const double groupHeight = inkHeight + (underlined ? barGap + barHeight : 0);
    const double top = shape.valueCentre.y - groupHeight / 2;
    const double x = shape.valueCentre.x - (unit.x_bearing + unit.width / 2) * size;
    const double y = top - unit.y_bearing * size;

    cairo_set_font_size(cr, size);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (underlined) {
        const double barWidth = unit.width * size * 0.9;
        cairo_rectangle(cr, shape.valueCentre.x - barWidth / 2, top + inkHeight + barGap, barWidth,
                        barHeight);
    }
    const Colour fill = style.darkNumerals ? INK : WHITE;
    const Colour rim =
        style.darkNumerals ? mix(style.body, WHITE, 0.55) : mix(style.body, Colour{0, 0, 0}, 0.55);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, style.darkNumerals ? 0.024 : 0.042);
    setColour(cr, rim);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
}

}  // namespace

double dieWidth(int sides) {
    const DieShape shape = shapeFor(sides);
    double left = 0, right = 0;
    for (const Point& p : shape.outline) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
    }
    return right - left;
}

void drawDie(cairo_t* cr, const Typefaces& faces, int sides, int value) {
    const DieStyle& style = styleFor(sides);
    const DieShape shape = shapeFor(sides);
    cairo_save(cr);

    roundedPolygonPath(cr, shape.outline, shape.cornerRadius);
    cairo_clip_preserve(cr);
    setColour(cr, style.body);
    cairo_fill(cr);

    // Facets, each lit by where it faces; the face itself slightly lit, as seen from above.
    const Point faceCentre = centroid(shape.face);
    for (const Polygon& facet : shape.facets) {
        const Point c = centroid(facet);
        polygonPath(cr, facet);
        setColour(cr, litColour(style.body, {c.x - faceCentre.x, c.y - faceCentre.y}));
        cairo_fill(cr);
    }
    roundedPolygonPath(cr, shape.face, shape.cornerRadius * 0.6);
    setColour(cr, mix(style.body, WHITE, 0.06));
    cairo_fill(cr);

    // Soft light: brighter towards the upper left of the face, darker lower right.
    cairo_pattern_t* light = cairo_pattern_create_radial(-0.25, -0.35, 0.02, -0.1, -0.1, 0.95);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(light, 0.45, 1, 1, 1, 0.06);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.22);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);

    // Thin light edges between facets, like worn bevels catching the light.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 0.008);
    for (const Polygon& facet : shape.facets) {
        polygonPath(cr, facet);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    cairo_stroke(cr);

    if (sides == 6) {
        drawPips(cr, value, style.body);
    } else {
        drawValue(cr, faces, shape, style, value);
    }
    cairo_restore(cr);

    // A darker rim keeps the silhouette clear against any background.
    roundedPolygonPath(cr, shape.outline, shape.cornerRadius);
    cairo_set_line_width(cr, 0.022);
    setColour(cr, mix(style.body, Colour{0, 0, 0}, 0.5));
    cairo_stroke(cr);
}

Raster renderFace(const Typefaces& faces, int sides, int value) {
    using namespace MediaLayout;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, PICTURE_SIZE, PICTURE_SIZE);
    cairo_t* cr = cairo_create(surface);
    // Nothing may reach the caption strip or the hidden quarter, whatever the shape.
    cairo_rectangle(cr, 0, CAPTION_STRIP_HEIGHT, PICTURE_SIZE,
                    VISIBLE_HEIGHT - CAPTION_STRIP_HEIGHT);
    cairo_rectangle(cr, CAPTION_STRIP_WIDTH, 0, PICTURE_SIZE - CAPTION_STRIP_WIDTH,
                    CAPTION_STRIP_HEIGHT);
    cairo_clip(cr);
    const double height = DIE_BOTTOM - DIE_TOP;
    cairo_translate(cr, PICTURE_SIZE / 2.0, (DIE_TOP + DIE_BOTTOM) / 2);
    cairo_scale(cr, height, height);
    drawDie(cr, faces, sides, value);
    cairo_destroy(cr);
    Raster picture = Raster::fromSurface(surface);
    cairo_surface_destroy(surface);
    picture.bleedColours(32);
    return picture;
}

Raster renderIcon(const Typefaces& faces, int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    const double extent = size * 0.94 / std::max(1.0, dieWidth(20));
    cairo_translate(cr, size / 2.0, size / 2.0);
    cairo_scale(cr, extent, extent);
    drawDie(cr, faces, 20, 20);
    cairo_destroy(cr);
    Raster icon = Raster::fromSurface(surface);
    cairo_surface_destroy(surface);
    return icon;
}
