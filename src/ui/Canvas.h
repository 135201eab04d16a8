#pragma once

#include "ui/Geometry.h"

#include <string>
#include <string_view>

// The drawing surface of the reports and of owner-drawn controls. Coordinates are device
// units of the target (pixels of a screen, dots of a printer or PDF page) after the origin
// offset; the report code computes them from inches and the target's resolution.
namespace mivra::ui {

/**
 * A font as the settings describe it. height > 0 is the cell height (ascent + descent) and
 * height < 0 the character height, both in device units of the target; 0 with an empty
 * face is the platform's dialog font. width 0 keeps the face's own proportions.
 */
struct Font {
    int height = 0;
    int width = 0;
    int weight = 400; ///< 100 thin … 400 normal … 700 bold … 900 black
    bool italic = false;
    bool underline = false;
    int charSet = 0;
    int pitchAndFamily = 0; ///< low bits 1 fixed, 2 variable; high nibble the family
    std::string face;
    Colour colour = kBlack; ///< the text colour the report gives with the font
    friend bool operator==(const Font&, const Font&) = default;
};

struct FontMetrics {
    int height = 0; ///< ascent + descent
    int ascent = 0; ///< baseline below the top of the cell
    int descent = 0;
    int averageWidth = 0;
};

enum class HAlign { Left, Right, Centre };
enum class VAlign { Top, Bottom, Baseline };

/** Where a text stands relative to its reference point. */
struct Align {
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Top;
};

enum class PenStyle { Solid, Dash, Dot, None };

struct Pen {
    Colour colour = kBlack;
    int width = 0; ///< device units; 0 is the thinnest line the target draws
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

/** A decoded picture (map files); drawn scaled into a rectangle. */
class Picture {
public:
    virtual ~Picture() = default;
    virtual Size PixelSize() const = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    virtual bool IsPrinter() const = 0;

    /** Selects a font; its colour does not change the text colour. */
    virtual void SelectFont(const Font& font) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    /** Opaque text fills its cell with the background colour first; transparent does not. */
    virtual void SetBackground(bool opaque, Colour colour = kWhite) = 0;

    virtual void DrawText(Point at, std::string_view text, Align align = {}) = 0;
    /** Width and cell height of a one-line text in the selected font. */
    virtual Size TextExtent(std::string_view text) = 0;
    virtual FontMetrics Metrics() = 0;
    /** Draws text broken at spaces to fit the width; returns the height it took. */
    virtual int DrawWrapped(Rect box, std::string_view text, HAlign align = HAlign::Left) = 0;
    /** The height DrawWrapped would take, drawing nothing. */
    virtual int WrappedHeight(int width, std::string_view text) = 0;

    virtual void FillRect(Rect box, Colour colour) = 0;
    virtual void SetPen(const Pen& pen) = 0;
    virtual void DrawLine(Point from, Point to) = 0;

    /** Restricts drawing to a rectangle in the coordinates in force; ClearClip lifts it. */
    virtual void SetClip(Rect box) = 0;
    virtual void ClearClip() = 0;
    /** Point p is drawn at p - origin: page N of a strip prints with origin (0, top of N). */
    virtual void SetOrigin(Point origin) = 0;

    virtual void DrawPicture(const Picture& picture, Rect box) = 0;
};

} // namespace mivra::ui
