// A recorded picture: the drawing operations made on a Canvas, kept as plain
// values. It replays onto any other Canvas and dumps itself as text, one
// operation a line, so that a picture can be compared and reviewed.
#pragma once

#include "core/report/Canvas.h"

#include <string>
#include <vector>

class DisplayList final : public Canvas {
public:
    enum class Op : uint8_t {
        Pen, Brush, Font, TextColor, FillRect, Rectangle, Ellipse, Line, Polyline, Polygon, Text, TextCentred,
    };
    struct Item {
        Op op;
        int a = 0, b = 0, c = 0, d = 0;  // coordinates, or the state's values
        uint32_t rgb = 0;
        int first = 0;                   // polyline/polygon: first point; text: offset in texts
        int count = 0;                   // number of points, or bytes of text
    };

    void SetPen(const CanvasPen& pen) override;
    void SetBrush(const CanvasBrush& brush) override;
    void SetFont(const CanvasFont& font) override;
    void SetTextColor(uint32_t rgb) override;
    void FillRect(int left, int top, int right, int bottom, uint32_t rgb) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(std::span<const CanvasPoint> points) override;
    void Polygon(std::span<const CanvasPoint> points) override;
    void TextOut(int x, int y, std::string_view utf8) override;
    void TextOutCentred(int x, int y, std::string_view utf8) override;

    // Draws every recorded operation onto target, in order.
    void Play(Canvas& target) const;
    // One line per operation, e.g. "line 0 212 400 212".
    std::string Dump() const;
    void Clear();
    bool Empty() const { return items.empty(); }
    std::size_t Size() const { return items.size(); }
    const std::vector<Item>& Items() const { return items; }
    std::string_view TextOf(const Item& item) const;
    bool operator==(const DisplayList& other) const;

private:
    void Add(Op op, int a, int b, int c, int d, uint32_t rgb = 0);
    std::vector<Item> items;
    std::vector<CanvasPoint> points;
    std::string texts;
};
