#pragma once

#include <cstdint>

// Plain geometry and colour values shared by windows and the Canvas.
namespace mivra::ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

/** A rectangle that holds left and top but not right and bottom, as the fills use it. */
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

/** A colour as the settings store it: red in the low byte, then green, then blue. */
using Colour = uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int Red(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int Green(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
/** The stock light-grey brush of the reports' bands. */
inline constexpr Colour kLightGrey = Rgb(192, 192, 192);

} // namespace mivra::ui
