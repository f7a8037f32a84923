#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "ChildProcess.h"
#include "MathManager.h"

namespace {

TEST(MathManager, AnglesFoldIntoOneTurnCentredOnZero) {
    struct Case {
        float in, out;
    };
    // The upper end belongs to the next turn down; -540 reduces onto +180, which is outside.
    for (Case c : {Case{179, 179}, Case{180, -180}, Case{190, -170}, Case{540, -180},
                   Case{539, 179}, Case{-180, -180}, Case{-181, 179}, Case{-539, -179},
                   Case{-540, 0}, Case{725, 5}, Case{-725, -5}}) {
        EXPECT_EQ(c.out, MathManager::getAngleIn180Range(c.in)) << c.in;
    }
    const float pi = MathManager::PI;
    EXPECT_EQ(-pi, MathManager::getAngleInPiRange(pi));
    EXPECT_EQ(-pi, MathManager::getAngleInPiRange(-pi));
    EXPECT_EQ(1.0f, MathManager::getAngleInPiRange(1.0f));
    // The float nearest three pi counts one turn, not two.
    EXPECT_FLOAT_EQ(3.1415925f, MathManager::getAngleInPiRange(9.424778f));
    EXPECT_FLOAT_EQ(-3.1415925f, MathManager::getAngleInPiRange(-9.424778f));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(0.0f, MathManager::getAngleIn180Range(nan));
    EXPECT_EQ(0.0f, MathManager::getAngleInPiRange(nan));
    // Far beyond an int's worth of turns: still a value inside the range, no overflow.
    float huge = MathManager::getAngleIn180Range(1e30f);
    EXPECT_TRUE(huge >= -180.0f && huge < 180.0f) << huge;
}

TEST(MathManager, ParabolicSineAndCosine) {
    const float pi = MathManager::PI;
    EXPECT_FLOAT_EQ(1.0f, MathManager::fastSin(pi / 2));
    EXPECT_FLOAT_EQ(-1.0f, MathManager::fastSin(-pi / 2));
    EXPECT_EQ(0.0f, MathManager::fastSin(0.0f));
    EXPECT_NEAR(0.0f, MathManager::fastSin(pi), 1e-6f);
    EXPECT_FLOAT_EQ(0.5555555f, MathManager::fastSin(pi / 6));
    EXPECT_FLOAT_EQ(0.49999997f, MathManager::fastSinMorePrecise(pi / 6));
    EXPECT_NEAR(0.8421677f, MathManager::fastSinMorePrecise(1.0f), 2e-7f);
    EXPECT_FLOAT_EQ(1.0f, MathManager::fastCos(0.0f));
    // No wrap-around: beyond pi/2 the parabola, not the cosine.
    EXPECT_NEAR(-3.0f, MathManager::fastCos(pi), 1e-5f);
    // Across the domain the refined sine stays within a thousandth of the real one.
    for (float x = -pi; x <= pi; x += 0.01f)
        EXPECT_NEAR(std::sin(x), MathManager::fastSinMorePrecise(x), 1.1e-3f) << x;
    EXPECT_FLOAT_EQ(1.5f, MathManager::accurateSqrt(2.25f));
}

TEST(MathManager, InfiniteAnglesAndInverseSqrtEndTheProgram) {
    const std::regex assertionLine("ASSERTION FAILED: .*MathManager\\.cpp:[0-9]+\n");
    const float inf = std::numeric_limits<float>::infinity();
    for (auto body : {std::function<void()>([&] { MathManager::getAngleIn180Range(inf); }),
                      std::function<void()>([&] { MathManager::getAngleIn180Range(-inf); }),
                      std::function<void()>([&] { MathManager::getAngleInPiRange(inf); }),
                      std::function<void()>([] { MathManager::fastInverseSqrt(4.0f); })}) {
        ChildResult child = runInChild(body);
        EXPECT_TRUE(child.exited);
        EXPECT_EQ(1, child.status);
        EXPECT_TRUE(std::regex_match(child.output, assertionLine)) << child.output;
    }
}

}  // namespace
