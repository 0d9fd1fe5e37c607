#include "core/report/DisplayList.h"

#include "core/base/Text.h"

namespace {

const char* StyleName(int style)
{
    switch (static_cast<PenStyle>(style)) {
    case PenStyle::Solid: return "solid";
    case PenStyle::Dot: return "dot";
    case PenStyle::DashDot: return "dashdot";
    case PenStyle::Null: return "null";
    }
    return "?";
}

}  // namespace

void DisplayList::Add(Op op, int a, int b, int c, int d, uint32_t rgb)
{
    items.push_back(Item{op, a, b, c, d, rgb, 0, 0});
}

void DisplayList::SetPen(const CanvasPen& pen)
{
    Add(Op::Pen, pen.width, static_cast<int>(pen.style), 0, 0, pen.rgb);
}

void DisplayList::SetBrush(const CanvasBrush& brush)
{
    Add(Op::Brush, brush.null ? 1 : 0, 0, 0, 0, brush.rgb);
}

void DisplayList::SetFont(const CanvasFont& font)
{
    Add(Op::Font, font.height, font.escapement, 0, 0);
}

void DisplayList::SetTextColor(uint32_t rgb) { Add(Op::TextColor, 0, 0, 0, 0, rgb); }

void DisplayList::FillRect(int left, int top, int right, int bottom, uint32_t rgb)
{
    Add(Op::FillRect, left, top, right, bottom, rgb);
}

void DisplayList::Rectangle(int left, int top, int right, int bottom)
{
    Add(Op::Rectangle, left, top, right, bottom);
}

void DisplayList::Ellipse(int left, int top, int right, int bottom)
{
    Add(Op::Ellipse, left, top, right, bottom);
}

void DisplayList::Line(int x1, int y1, int x2, int y2) { Add(Op::Line, x1, y1, x2, y2); }

void DisplayList::Polyline(std::span<const CanvasPoint> pts)
{
    Item item{Op::Polyline};
    item.first = static_cast<int>(points.size());
    item.count = static_cast<int>(pts.size());
    points.insert(points.end(), pts.begin(), pts.end());
    items.push_back(item);
}

void DisplayList::Polygon(std::span<const CanvasPoint> pts)
{
    Polyline(pts);
    items.back().op = Op::Polygon;
}

void DisplayList::TextOut(int x, int y, std::string_view utf8)
{
    Item item{Op::Text, x, y};
    item.first = static_cast<int>(texts.size());
    item.count = static_cast<int>(utf8.size());
    texts.append(utf8);
    items.push_back(item);
}

void DisplayList::TextOutCentred(int x, int y, std::string_view utf8)
{
    TextOut(x, y, utf8);
    items.back().op = Op::TextCentred;
}

std::string_view DisplayList::TextOf(const Item& item) const
{
    if (item.op != Op::Text && item.op != Op::TextCentred)
        return {};
    return std::string_view(texts).substr(item.first, item.count);
}

void DisplayList::Play(Canvas& target) const
{
    for (const Item& it : items) {
        switch (it.op) {
        case Op::Pen: target.SetPen({it.rgb, it.a, static_cast<PenStyle>(it.b)}); break;
        case Op::Brush: target.SetBrush({it.rgb, it.a != 0}); break;
        case Op::Font: target.SetFont({it.a, it.b}); break;
        case Op::TextColor: target.SetTextColor(it.rgb); break;
        case Op::FillRect: target.FillRect(it.a, it.b, it.c, it.d, it.rgb); break;
        case Op::Rectangle: target.Rectangle(it.a, it.b, it.c, it.d); break;
        case Op::Ellipse: target.Ellipse(it.a, it.b, it.c, it.d); break;
        case Op::Line: target.Line(it.a, it.b, it.c, it.d); break;
        case Op::Polyline:
            target.Polyline(std::span<const CanvasPoint>(points).subspan(it.first, it.count));
            break;
        case Op::Polygon:
            target.Polygon(std::span<const CanvasPoint>(points).subspan(it.first, it.count));
            break;
        case Op::Text: target.TextOut(it.a, it.b, TextOf(it)); break;
        case Op::TextCentred: target.TextOutCentred(it.a, it.b, TextOf(it)); break;
        }
    }
}

std::string DisplayList::Dump() const
{
    std::string out;
    for (const Item& it : items) {
        switch (it.op) {
        case Op::Pen: out += FormatC("pen %06X %d %s", it.rgb, it.a, StyleName(it.b)); break;
        case Op::Brush:
            out += it.a ? std::string("brush null") : FormatC("brush %06X", it.rgb);
            break;
        case Op::Font: out += FormatC("font %d %d", it.a, it.b); break;
        case Op::TextColor: out += FormatC("textcolor %06X", it.rgb); break;
        case Op::FillRect:
            out += FormatC("fillrect %d %d %d %d %06X", it.a, it.b, it.c, it.d, it.rgb);
            break;
        case Op::Rectangle: out += FormatC("rectangle %d %d %d %d", it.a, it.b, it.c, it.d); break;
        case Op::Ellipse: out += FormatC("ellipse %d %d %d %d", it.a, it.b, it.c, it.d); break;
        case Op::Line: out += FormatC("line %d %d %d %d", it.a, it.b, it.c, it.d); break;
        case Op::Polyline:
        case Op::Polygon:
            out += it.op == Op::Polyline ? "polyline" : "polygon";
            for (int i = 0; i < it.count; ++i)
                out += FormatC(" %d,%d", points[it.first + i].x, points[it.first + i].y);
            break;
        case Op::Text:
        case Op::TextCentred:
            out += FormatC(it.op == Op::Text ? "text %d %d \"" : "textcentred %d %d \"", it.a, it.b);
            out += TextOf(it);
            out += '"';
            break;
        }
        out += '\n';
    }
    return out;
}

void DisplayList::Clear()
{
    items.clear();
    points.clear();
    texts.clear();
}

bool DisplayList::operator==(const DisplayList& other) const
{
    return Dump() == other.Dump();
}
