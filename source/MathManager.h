#pragma once

/// Cheap trigonometry on float angles: a parabolic sine with an optional refinement step, a
/// cosine derived from it, and the folding of angles into one turn centred on zero. Static
/// only; never instantiated.
class MathManager {
public:
    static constexpr float PI = 3.14159274f;                 ///< pi as a float
    static constexpr float PI_OVER_180 = 0.0174532924f;      ///< degrees to radians
    static constexpr float ANGLE_180_OVER_PI = 57.2957764f;  ///< radians to degrees
    static constexpr float PI_X2 = 6.28318548f;              ///< two pi

    /// The square root as the standard library computes it.
    static float accurateSqrt(float number);
    /// Not provided: every call ends the program through a failed assertion.
    static float fastInverseSqrt(float number);
    /// x in radians within [-pi, pi]; no range reduction (see getAngleInPiRange). Exact at
    /// 0, +-pi/2 and +-pi, off by up to about 0.056 in between.
    static float fastSin(float x);
    /// One refinement step over fastSin, same domain.
    static float fastSinMorePrecise(float x);
    /// x in radians within [-3 pi/2, pi/2]; outside, a value of the parabola, not a cosine.
    static float fastCos(float x);
    /// The same angle in [-pi, pi); an infinite angle ends the program, NaN gives 0.
    static float getAngleInPiRange(float angleInRadians);
    /// The same angle in [-180, 180); an infinite angle ends the program, NaN gives 0.
    static float getAngleIn180Range(float angleInDegree);

private:
    MathManager() = delete;
};
