#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "Core.h"
#include "MathManager.h"

template <unsigned int n, typename T>
std::ostream& operator<<(std::ostream& out, const BasicVector<n, T>& v) {
    out << "(";
    for (unsigned int i = 0; i < n; i++)
        out << (i ? ", " : "") << +v.data[i];
    return out << ")";
}

namespace {

void expectNear(const Float3& expected, const Float3& actual, float tolerance = 1e-6f) {
    for (int i = 0; i < 3; i++)
        EXPECT_NEAR(expected.data[i], actual.data[i], tolerance) << i;
}

TEST(BasicVector, ScalingFormsTheProductThenTruncatesTowardZero) {
    EXPECT_EQ(Int2(5, 1), Int2(10, 3) * 0.5f);
    EXPECT_EQ(Int2(-1, 1), Int2(-3, 3) * 0.5f);
    EXPECT_EQ(Int2(7, 9), Int2(7, 9) * 1.0f);
    EXPECT_EQ(Int2(4, 4), Int2(5, 5) * 0.99f);
    EXPECT_EQ(Int2(1, 1), Int2(1, 1) * 1.5f);
    // Multiplying by the float reciprocal of 25 lands just under 1 and would truncate to 0.
    EXPECT_EQ(Int2(1, -1), Int2(25, -25) / 25.0f);
    EXPECT_EQ(Float2(0.5f, 0.5f), Float2(0.5f));
    EXPECT_EQ(Color(4, 6, 8, 200), Color(2, 3, 4, 100) * 2.0f);
}

TEST(BasicVector, SumsDifferencesAndRemaindersStayDefined) {
    Int2 p(1, 2);
    p += Int2(10, 20);
    EXPECT_EQ(Int2(11, 22), p);
    p -= Int2(1, 1);
    EXPECT_EQ(Int2(10, 21), p);
    EXPECT_EQ(Int2(-9, -19), Int2(1, 2) - p);
    EXPECT_EQ(Int2(1, -1), Int2(7, -7) % 3);
    // Divisors that would fault or overflow give zeros instead.
    EXPECT_EQ(Int2(0, 0), Int2(7, -7) % 0);
    EXPECT_EQ(Int2(0, 0), Int2(INT_MIN, 5) % -1);
    // Values given to a longer vector fill its first elements; the rest are zero.
    EXPECT_EQ(Color(1, 2, 0, 0), Color(1, 2));
    int raw[3] = {4, 5, 6};
    EXPECT_EQ(Int2(4, 5), Int2(raw, 3));
}

TEST(BasicVector, ComparisonsHoldOnlyWhenTheyHoldForEveryElement) {
    EXPECT_TRUE(Int2(5, 1) < Int2(6, 9));
    EXPECT_FALSE(Int2(5, 10) < Int2(6, 9));
    EXPECT_TRUE(Int2(6, 9) >= Int2(6, 9));
    EXPECT_FALSE(Int2(6, 9) > Int2(6, 9));
    EXPECT_FALSE(Int2(7, 9) > Int2(6, 9));
    EXPECT_TRUE(Int2(1, 2) != Int2(1, 3));
    EXPECT_FALSE(Int2(1, 2) != Int2(1, 2));
    // Neither a < b nor a >= b: these are corner tests, not an ordering.
    EXPECT_FALSE(Int2(0, 10) < Int2(5, 5));
    EXPECT_FALSE(Int2(0, 10) >= Int2(5, 5));

    // The hit test as the buttons write it: corner (10, 20), size (30, 40).
    Int2 corner(10, 20), size(30, 40);
    auto inside = [&](Int2 p) { return p >= corner && p < corner + size; };
    EXPECT_TRUE(inside(Int2(10, 20)));
    EXPECT_TRUE(inside(Int2(39, 59)));
    EXPECT_FALSE(inside(Int2(40, 59)));
    EXPECT_FALSE(inside(Int2(39, 60)));
    EXPECT_FALSE(inside(Int2(9, 30)));
}

TEST(BasicVector, ValuesAreBareArraysOfTheirElements) {
    // Arrays of vectors are handed to OpenGL as arrays of their elements.
    EXPECT_EQ(4u, sizeof(Color));
    EXPECT_EQ(2 * sizeof(int), sizeof(Int2));
    EXPECT_EQ(3 * sizeof(float), sizeof(Float3));
    Int2 points[2] = {Int2(1, 2), Int2(3, 4)};
    EXPECT_EQ(3, reinterpret_cast<const int*>(points)[2]);
    EXPECT_EQ(Color(255, 255, 255, 0), colorTransparent);  // white, not black
    EXPECT_EQ(Color(255, 255, 255, 128), colorSemiTransparent);
}

TEST(Core, DistancesProductsAndMiddles) {
    EXPECT_FLOAT_EQ(5.0f, Core::distanceBetweenInt2(Int2(0, 0), Int2(3, 4)));
    EXPECT_FLOAT_EQ(5.0f, Core::distanceBetweenInt2(Int2(-1, 7), Int2(2, 3)));
    EXPECT_EQ(Float3(0, 0, 1), Core::crossProduct(Float2(1, 0), Float2(0, 1)));
    EXPECT_EQ(Float3(0, 0, -1), Core::crossProduct(Float2(0, 1), Float2(1, 0)));
    EXPECT_EQ(Float3(-3, 6, -3), Core::crossProduct(Float3(1, 2, 3), Float3(4, 5, 6)));
    EXPECT_FLOAT_EQ(32.0f, Core::dotProduct(Float3(1, 2, 3), Float3(4, 5, 6)));
    EXPECT_EQ(Float3(2, -1, 0.5f), Core::middleBetweenTwoPoints(Float3(1, 0, 0), Float3(3, -2, 1)));
    EXPECT_FLOAT_EQ(13.0f, Core::distanceBetween(Float3(1, 1, 1), Float3(4, 5, 13)));
}

TEST(Core, SphericalCoordinates) {
    expectNear(Float3(1.7320508f, 0.9553166f, 0.7853982f),
               Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 1, 1)));
    // Negative z puts the azimuth in the second half turn.
    expectNear(Float3(1.7320508f, 0.9553166f, 5.4977875f),
               Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 1, -1)));
    // Either x or z at zero gives the zero triple.
    EXPECT_EQ(Float3(0, 0, 0), Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 0, 0)));
    EXPECT_EQ(Float3(0, 0, 0), Core::getSphericalCoordinatesFrom3DCoordinates(Float3(0, 5, 3)));

    expectNear(Float3(2, 0, 0), Core::get3DCoordinatesFromSphericalCoordinates(2, 0, 0));
    // Elevation lifts toward +y; the heading turns from +x toward +z.
    expectNear(Float3(0, 3, 0),
               Core::get3DCoordinatesFromSphericalCoordinates(3, MathManager::PI / 2, 0));
    expectNear(Float3(0, 0, 3),
               Core::get3DCoordinatesFromSphericalCoordinates(3, 0, MathManager::PI / 2));

    // Going there and back keeps the radius and the heading; the second component comes
    // back measured from +y.
    float phi = 0.3f, theta = 4.0f;
    Float3 back = Core::getSphericalCoordinatesFrom3DCoordinates(
        Core::get3DCoordinatesFromSphericalCoordinates(2.5f, phi, theta));
    expectNear(Float3(2.5f, MathManager::PI / 2 - phi, theta), back, 1e-5f);
}

}  // namespace
