#pragma once

#include <climits>
#include <cmath>

// Pixel sizes are integer quantities times a float scale, truncated toward zero. This
// keeps that truncation defined when a caller's scale pushes the product out of the int
// range (it saturates) or is not a number (it gives 0).
inline int truncatePixels(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
