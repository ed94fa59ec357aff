#include "Geometry.h"

#include <algorithm>
#include <cstdint>

namespace core {

Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight) {
    // C++ division truncates toward zero, which is the rule for odd and negative differences alike.
    return {std::max(0, (desktopWidth - windowWidth) / 2), std::max(0, (desktopHeight - windowHeight) / 2)};
}

int MulDiv(int value, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + (half < 0 ? -half : half);
    const std::int64_t quotient = magnitude / (denominator < 0 ? -std::int64_t{denominator} : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
}

}  // namespace core
