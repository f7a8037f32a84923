#pragma once

/// \file
/// Small fixed-size vector values used for every position, size, scale and colour that
/// crosses an interface of the library, the named colours, and a few geometry helpers.

#include <cmath>
#include <type_traits>

/// A plain array of nbElements values. No base class, no virtuals, no other state: a Color
/// is exactly four bytes and an Int2 exactly two ints, so arrays of them can be handed to
/// OpenGL as they are. Elements read as (x, y, z, w), (width, height) or (r, g, b, a).
template <unsigned int nbElements, typename TypeOfElement>
class BasicVector {
public:
    typedef BasicVector<nbElements, TypeOfElement> V;  ///< This vector's own type.
    typedef TypeOfElement T;                           ///< The element type.

    TypeOfElement data[nbElements];  ///< The elements, in order.

    /// Elements start at zero.
    BasicVector() : data{} {}

    /// Every element set to the value (a Float2 made from a scale s is (s, s)).
    BasicVector(float value) {
        for (unsigned int i = 0; i < nbElements; i++) {
            data[i] = static_cast<T>(value);
        }
    }

    ///@{
    /// Copies every element of the other vector.
    BasicVector(const V& other) { set(other); }

    void set(const V& other) {
        for (unsigned int i = 0; i < nbElements; i++) {
            data[i] = other.data[i];
        }
    }

    // Copying its own elements onto themselves is harmless: no self-assignment test.
    // NOLINTNEXTLINE(bugprone-unhandled-self-assignment)
    V& operator=(const V& other) {
        set(other);
        return *this;
    }
    ///@}

    ///@{
    /// Element-wise sum and difference, in place.

    V& operator+=(const V& other) {
        for (unsigned int i = 0; i < nbElements; i++) {
            data[i] += other.data[i];
        }
        return *this;
    }

    V& operator-=(const V& other) {
        for (unsigned int i = 0; i < nbElements; i++) {
            data[i] -= other.data[i];
        }
        return *this;
    }
    ///@}

    /// The product is formed in floating point and then converted, so integer elements
    /// truncate toward zero: Int2(10, 3) * 0.5f is (5, 1), Int2(-3, 3) * 0.5f is (-1, 1).
    V operator*(float factor) const {
        V result;
        for (unsigned int i = 0; i < nbElements; i++) {
            result.data[i] = static_cast<T>(static_cast<double>(data[i]) * factor);
        }
        return result;
    }

    /// Element-wise product.
    V operator*(const V& other) const {
        V result;
        for (unsigned int i = 0; i < nbElements; i++) {
            result.data[i] = data[i] * other.data[i];
        }
        return result;
    }

    /// A true division of each element (not a multiplication by the reciprocal).
    V operator/(float divisor) const {
        V result;
        for (unsigned int i = 0; i < nbElements; i++) {
            result.data[i] = static_cast<T>(static_cast<double>(data[i]) / divisor);
        }
        return result;
    }

    /// Element-wise remainder. A zero divisor gives zeros rather than a division fault.
    V operator%(int divisor) const {
        V result;
        if (divisor == 0) {
            return result;
        }
        for (unsigned int i = 0; i < nbElements; i++) {
            if constexpr (std::is_integral<T>::value) {
                // x % -1 is always 0, and computing it for the most negative int overflows.
                result.data[i] = divisor == -1 ? T(0) : static_cast<T>(data[i] % divisor);
            } else {
                result.data[i] = static_cast<T>(std::fmod(data[i], static_cast<T>(divisor)));
            }
        }
        return result;
    }

    ///@{
    /// The value constructors fill the first elements; elements beyond the values given
    /// start at zero. Giving more values than the vector holds does not compile.
    BasicVector(T e0, T e1) : data{} {
        static_assert(nbElements >= 2, "too many values for this vector");
        data[0] = e0;
        data[1] = e1;
    }

    BasicVector(T e0, T e1, T e2) : data{} {
        static_assert(nbElements >= 3, "too many values for this vector");
        data[0] = e0;
        data[1] = e1;
        data[2] = e2;
    }

    BasicVector(T e0, T e1, T e2, T e3) : data{} {
        static_assert(nbElements >= 4, "too many values for this vector");
        data[0] = e0;
        data[1] = e1;
        data[2] = e2;
        data[3] = e3;
    }
    ///@}

    /// Copies at most nbElements values from the array; the rest start at zero. A template
    /// only so that a literal 0 (Float2(0, 1)) never reads as a null array.
    template <typename P,
              typename = typename std::enable_if<std::is_pointer<P>::value &&
                                                 std::is_convertible<P, const T*>::value>::type>
    BasicVector(P elements, unsigned int count) : data{} {
        for (unsigned int i = 0; i < nbElements && i < count && elements; i++) {
            data[i] = elements[i];
        }
    }

    /// The sum of all elements.
    T sumOfElements() const {
        T sum = T(0);
        for (unsigned int i = 0; i < nbElements; i++) {
            sum += data[i];
        }
        return sum;
    }

    /// Euclidean length, converted to the element type.
    T norm() const {
        double sum = 0.0;
        for (unsigned int i = 0; i < nbElements; i++) {
            sum += static_cast<double>(data[i]) * static_cast<double>(data[i]);
        }
        return static_cast<T>(std::sqrt(sum));
    }

    /// Scales to unit length; a zero vector stays zero.
    void normalize() {
        double sum = 0.0;
        for (unsigned int i = 0; i < nbElements; i++) {
            sum += static_cast<double>(data[i]) * static_cast<double>(data[i]);
        }
        if (sum <= 0.0) {
            return;
        }
        double length = std::sqrt(sum);
        for (unsigned int i = 0; i < nbElements; i++) {
            data[i] = static_cast<T>(static_cast<double>(data[i]) / length);
        }
    }

    ///@{
    /// The first and the last element (the ends of an interval held in an Int2).
    T left() const { return data[0]; }
    T right() const { return data[nbElements - 1]; }
    ///@}

    ///@{
    /// Elements 0 to 3 by name: x, y, z, w; width, height; r, g, b, a. A name past the
    /// end of the vector (z() of an Int2) does not compile.
    T width() const { return at<0>(); }
    T height() const { return at<1>(); }
    T x() const { return at<0>(); }
    T y() const { return at<1>(); }
    T z() const { return at<2>(); }
    T w() const { return at<3>(); }
    void setX(T value) { data[index<0>()] = value; }
    void setY(T value) { data[index<1>()] = value; }
    void setZ(T value) { data[index<2>()] = value; }
    void setWidth(T value) { data[index<0>()] = value; }
    void setHeight(T value) { data[index<1>()] = value; }
    T r() const { return at<0>(); }
    T g() const { return at<1>(); }
    T b() const { return at<2>(); }
    T a() const { return at<3>(); }
    ///@}

    /// Euclidean distance between the two points.
    float distanceTo(const V& other) const {
        double sum = 0.0;
        for (unsigned int i = 0; i < nbElements; i++) {
            double d = static_cast<double>(data[i]) - static_cast<double>(other.data[i]);
            sum += d * d;
        }
        return static_cast<float>(std::sqrt(sum));
    }

private:
    /// Named accessors past the end of a short vector (z() of an Int2) do not compile.
    template <unsigned int i>
    static constexpr unsigned int index() {
        static_assert(i < nbElements, "element not present in this vector");
        return i;
    }
    template <unsigned int i>
    T at() const {
        return data[index<i>()];
    }
};

typedef BasicVector<2, int> Int2;                     ///< A position or a size in window pixels.
typedef BasicVector<2, float> Float2;                 ///< A scale on each axis.
typedef BasicVector<3, float> Float3;                 ///< A point or a direction in space.
typedef BasicVector<4, unsigned char> UnsignedChar4;  ///< Four bytes.
typedef UnsignedChar4 Color;  ///< Red, green, blue and alpha bytes; alpha 255 is opaque.

/// Element-wise sum.
template <unsigned int n, typename T>
BasicVector<n, T> operator+(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    BasicVector<n, T> result(left);
    result += right;
    return result;
}

/// Element-wise difference.
template <unsigned int n, typename T>
BasicVector<n, T> operator-(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    BasicVector<n, T> result(left);
    result -= right;
    return result;
}

/// The comparisons are not an ordering: each holds only when it holds for every pair of
/// elements. For Int2 this is a hit test: p lies in the box at corner c with size s when
/// p >= c && p < c + s.
///@{
template <unsigned int n, typename T>
bool operator>(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    for (unsigned int i = 0; i < n; i++) {
        if (!(left.data[i] > right.data[i])) {
            return false;
        }
    }
    return true;
}

template <unsigned int n, typename T>
bool operator<(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    for (unsigned int i = 0; i < n; i++) {
        if (!(left.data[i] < right.data[i])) {
            return false;
        }
    }
    return true;
}

template <unsigned int n, typename T>
bool operator>=(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    for (unsigned int i = 0; i < n; i++) {
        if (!(left.data[i] >= right.data[i])) {
            return false;
        }
    }
    return true;
}

template <unsigned int n, typename T>
bool operator<=(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    for (unsigned int i = 0; i < n; i++) {
        if (!(left.data[i] <= right.data[i])) {
            return false;
        }
    }
    return true;
}

///@}

/// True when every element matches.
template <unsigned int n, typename T>
bool operator==(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    for (unsigned int i = 0; i < n; i++) {
        if (!(left.data[i] == right.data[i])) {
            return false;
        }
    }
    return true;
}

/// True when at least one element differs.
template <unsigned int n, typename T>
bool operator!=(const BasicVector<n, T>& left, const BasicVector<n, T>& right) {
    return !(left == right);
}

/// \name Named colours
/// RGBA; the two transparent ones are white, not black.
///@{
extern const Color colorBlack;            ///< 0, 0, 0, 255
extern const Color colorGrey;             ///< 128, 128, 128, 255
extern const Color colorWhite;            ///< 255, 255, 255, 255
extern const Color colorSemiTransparent;  ///< 255, 255, 255, 128
extern const Color colorTransparent;      ///< 255, 255, 255, 0
extern const Color colorBlue;             ///< 0, 0, 255, 255
extern const Color colorRed;              ///< 255, 0, 0, 255
extern const Color colorYellow;           ///< 255, 255, 0, 255
///@}

/// Geometry on vector values; angles in radians.
namespace Core {
/// Differences in integer arithmetic (callers keep dx*dx + dy*dy below 2^31).
float distanceBetweenInt2(const Int2& first, const Int2 second);
/// The cross product a x b.
Float3 crossProduct(const Float3& a, const Float3& b);
/// The 3D cross product of (a.x, a.y, 0) and (b.x, b.y, 0): (0, 0, a.x*b.y - a.y*b.x).
Float3 crossProduct(const Float2& a, const Float2& b);
/// The dot product of a and b.
float dotProduct(const Float3& a, const Float3& b);
/// The point halfway between the two.
Float3 middleBetweenTwoPoints(const Float3& pt1, const Float3& pt2);
/// The Euclidean distance between the two points.
float distanceBetween(const Float3& a, const Float3& b);
/// anglePhi is the elevation above the x-z plane, angleTheta the heading in that plane
/// from +x toward +z.
Float3 get3DCoordinatesFromSphericalCoordinates(float radius, float anglePhi, float angleTheta);
/// Returns (radius, polar angle from +y, azimuth in [0, 2 pi) from +x toward +z); (0, 0, 0)
/// for the origin, azimuth 0 on the y axis. The polar angle is measured from +y, so this is
/// not the inverse of the function above for that component.
Float3 getSphericalCoordinatesFrom3DCoordinates(const Float3& pos);
}  // namespace Core
