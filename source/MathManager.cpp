#include "MathManager.h"

#include <cmath>

#include "Utils.h"

namespace {
const float PI = 3.14159274f;
const float PI2 = 6.28318548f;
const float PID2 = 1.57079637f;
const float PI_SQR = 9.86960411f;

// The sine parabola through (0, 0), (pi/2, 1) and (pi, 0), odd-extended.
const float B = 4.0f / PI;       // 1.27323949
const float C = -4.0f / PI_SQR;  // -0.405284733
const float P = 0.225f;          // weight of the refinement step

// Folds an angle into [-halfTurn, halfTurn). The arithmetic runs in double: in float, the
// float nearest three pi would count two turns and fold onto +pi, outside the range.
float foldIntoHalfTurn(float angle, float halfTurn, float turn) {
    UTILS_ASSERT(!std::isinf(angle));
    double a = angle;
    // The turn count is truncated toward zero; truncating in double keeps angles too large
    // for an int from overflowing a conversion.
    if (a >= halfTurn) {
        a = a - turn * std::trunc((a + halfTurn) / turn);
    } else if (a < -halfTurn) {
        a = a + turn * std::trunc((halfTurn - a) / turn);
    }
    float result = static_cast<float>(a);
    if (result >= -halfTurn && result < halfTurn) {
        return result;
    }
    return 0.0f;  // the reduction landed on +halfTurn, or the angle is NaN
}
}  // namespace

float MathManager::accurateSqrt(float number) {
    return std::sqrt(number);
}

float MathManager::fastInverseSqrt(float) {
    UTILS_ASSERT(false);
    return 0.0f;
}

// Evaluated in double and delivered as float, which keeps pi/6 at 0.5555555.
float MathManager::fastSin(float x) {
    double xd = x;
    return static_cast<float>(B * xd + C * xd * std::fabs(xd));
}

float MathManager::fastSinMorePrecise(float x) {
    double y = fastSin(x);
    return static_cast<float>(y + P * (y * std::fabs(y) - y));
}

float MathManager::fastCos(float x) {
    return fastSin(x + PID2);
}

float MathManager::getAngleInPiRange(float angleInRadians) {
    return foldIntoHalfTurn(angleInRadians, PI, PI2);
}

float MathManager::getAngleIn180Range(float angleInDegree) {
    return foldIntoHalfTurn(angleInDegree, 180.0f, 360.0f);
}
