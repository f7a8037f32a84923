#include "Core.h"

#include <algorithm>
#include <cmath>

const Color colorBlack(0, 0, 0, 255);
const Color colorGrey(128, 128, 128, 255);
const Color colorWhite(255, 255, 255, 255);
const Color colorSemiTransparent(255, 255, 255, 128);
const Color colorTransparent(255, 255, 255, 0);
const Color colorBlue(0, 0, 255, 255);
const Color colorRed(255, 0, 0, 255);
const Color colorYellow(255, 255, 0, 255);

namespace Core {

float distanceBetweenInt2(const Int2& first, const Int2 second) {
    int dx = first.x() - second.x();
    int dy = first.y() - second.y();
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

Float3 crossProduct(const Float3& a, const Float3& b) {
    return Float3(a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(),
                  a.x() * b.y() - a.y() * b.x());
}

Float3 crossProduct(const Float2& a, const Float2& b) {
    return crossProduct(Float3(a.x(), a.y(), 0.0f), Float3(b.x(), b.y(), 0.0f));
}

float dotProduct(const Float3& a, const Float3& b) {
    return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

Float3 middleBetweenTwoPoints(const Float3& pt1, const Float3& pt2) {
    return (pt1 + pt2) / 2.0f;
}

float distanceBetween(const Float3& a, const Float3& b) {
    Float3 d = a - b;
    return sqrtf(d.x() * d.x() + d.y() * d.y() + d.z() * d.z());
}

Float3 get3DCoordinatesFromSphericalCoordinates(float radius, float anglePhi, float angleTheta) {
    double sinPhi = std::sin(static_cast<double>(anglePhi));
    double cosPhi = std::cos(static_cast<double>(anglePhi));
    double sinTheta = std::sin(static_cast<double>(angleTheta));
    double cosTheta = std::cos(static_cast<double>(angleTheta));
    return Float3(static_cast<float>(radius * cosTheta * cosPhi),
                  static_cast<float>(radius * sinPhi),
                  static_cast<float>(radius * sinTheta * cosPhi));
}

Float3 getSphericalCoordinatesFrom3DCoordinates(const Float3& pos) {
    float x = pos.x(), y = pos.y(), z = pos.z();
    float r = sqrtf(x * x + y * y + z * z);
    float h = sqrtf(x * x + z * z);
    // The origin has no direction.
    if (r == 0.0f) {
        return Float3(0.0f, 0.0f, 0.0f);
    }

    // On the y axis the heading is undefined: 0 is as good as any.
    float azimuth = 0.0f;
    if (h > 0.0f) {
        // Rounding may push a ratio a hair past 1, where the arc cosine has no value.
        float cosAzimuth = std::min(1.0f, std::max(-1.0f, x / h));
        azimuth = static_cast<float>(std::acos(static_cast<double>(cosAzimuth)));
        if (z < 0.0f) {
            azimuth = 6.2831855f - azimuth;
        }
    }
    float cosPolar = std::min(1.0f, std::max(-1.0f, y / r));
    float polar = acosf(cosPolar);
    return Float3(r, polar, azimuth);
}

}  // namespace Core
