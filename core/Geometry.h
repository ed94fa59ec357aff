// Placement and scaling arithmetic of the main window, kept free of Windows so it is tested natively.
#pragma once

namespace core {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Top left corner of a window of the given size centred on the virtual desktop: halves truncated
// toward zero, never negative, the desktop's origin not added.
Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight);

// value * numerator / denominator rounded half away from zero, as the Win32 MulDiv does;
// the product is taken in 64 bits so large layouts cannot overflow. denominator must not be 0.
int MulDiv(int value, int numerator, int denominator);

// The ratio by which a layout made for designTextHeight is scaled when the window's font measures
// measuredTextHeight here; scaling happens only when the two differ.
struct ScaleRatio {
    int numerator = 1;
    int denominator = 1;
    bool Scales() const { return numerator != denominator; }
    int Apply(int value) const { return MulDiv(value, numerator, denominator); }
};

}  // namespace core
