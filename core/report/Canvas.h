// An abstract drawing surface with the rules of the pictures' drawing code:
// integer coordinates; rectangles and ellipses given by their left, top,
// right and bottom edges with the right and bottom edges excluded; a line
// drawn from its start up to, but not including, its end; polygons filled
// by the winding rule; fonts given by their cell height in pixels and an
// escapement of 0 (horizontal) or 900 (text running upward); text anchored
// at its top-left corner and drawn on a transparent background.
//
// A pen or brush stays selected until the next one; every shape is outlined
// with the current pen and filled with the current brush.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>

constexpr uint32_t Rgb(int r, int g, int b)
{
    return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}

enum class PenStyle : int { Solid = 0, Dot = 1, DashDot = 2, Null = 3 };

struct CanvasPen {
    uint32_t rgb = 0;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasBrush {
    uint32_t rgb = 0;
    bool null = false;
    bool operator==(const CanvasBrush&) const = default;
};

struct CanvasFont {
    int height = 14;      // cell height in pixels
    int escapement = 0;   // tenths of a degree: 0 or 900
    bool operator==(const CanvasFont&) const = default;
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetPen(const CanvasPen& pen) = 0;
    virtual void SetBrush(const CanvasBrush& brush) = 0;
    virtual void SetFont(const CanvasFont& font) = 0;
    virtual void SetTextColor(uint32_t rgb) = 0;
    // Fills with a colour of its own; neither pen nor brush is used.
    virtual void FillRect(int left, int top, int right, int bottom, uint32_t rgb) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Polyline(std::span<const CanvasPoint> points) = 0;
    virtual void Polygon(std::span<const CanvasPoint> points) = 0;
    virtual void TextOut(int x, int y, std::string_view utf8) = 0;
    // Text whose top edge is centred on (x, y).
    virtual void TextOutCentred(int x, int y, std::string_view utf8) = 0;
};

// The largest pixel coordinate a drawing ever uses; anything farther lies far
// outside every picture.
constexpr double kPixelLimit = 1.0e6;

// A value in pixels cut toward zero to a whole pixel. A value that is not
// finite gives 0 and a huge one stops at the limit, so no conversion is ever
// out of range; callers leave out items whose values are not finite.
inline int TruncPx(double v)
{
    if (!(v == v))
        return 0;
    if (v > kPixelLimit)
        return int(kPixelLimit);
    if (v < -kPixelLimit)
        return -int(kPixelLimit);
    return int(v);
}

// The same rounded to the nearest pixel, halves away from zero.
inline int RoundPx(double v)
{
    if (!(v == v))
        return 0;
    return TruncPx(std::round(v));
}

inline bool AllDrawable(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}
