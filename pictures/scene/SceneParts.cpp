#include "pictures/scene/SceneParts.h"

#include "core/base/Text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace picture {

void Ground(Canvas& c, int w, int h, int y)
{
    c.SetPen({kGreyLine, 1});
    c.SetBrush({kSoil});
    c.Rectangle(0, y, w, h);
    c.SetPen({kGround, 1});
    c.Line(0, y, w, y);
    c.Line(0, y + 1, w, y + 1);
}

void LevelTicks(Canvas& c, int w, int y, int share)
{
    c.SetPen({kBlack, 1, PenStyle::Dot});
    c.Line(0, y, w / share, y);
    c.Line(w - w / share, y, w, y);
}

int LabelWidth(std::string_view utf8, int cell)
{
    // Advances of the sans face in ems, rounded up: its figures, signs and
    // letters, the narrow ones apart, and of the Polish letters and the per
    // mille sign; any other character as a wide capital.
    double ems = 0.0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char ch = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = ch < 0x80 ? 1 : ch < 0xE0 ? 2 : ch < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? ch : ch & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        double a = 0.78;
        if (code >= '0' && code <= '9')
            a = 0.56;
        else if (code == '.' || code == ',' || code == ' ' || code == 'f' || code == 't' || code == 'I' ||
                 code == '[' || code == ']')
            a = 0.28;
        else if (code == 'i' || code == 'j' || code == 'l' || code == U'\u0142')  // and ł
            a = 0.23;
        else if (code == 'r')
            a = 0.34;
        else if (code == '=' || code == '+')
            a = 0.59;
        else if (code == '-' || code == '(' || code == ')')
            a = 0.34;
        else if (code == 'm' || code == 'W' || code == 'M' || code == 'w' ||
                 std::u32string_view(U"\u0428\u0429\u0416\u042E\u0424\u041C\u042B\u0448\u0449\u0444\u044E")
                         .find(code) != std::u32string_view::npos)  // and the widest Cyrillic letters
            a = 0.95;
        else if (code == U'\u2030')  // per mille
            a = 1.0;
        else if ((code >= 'a' && code <= 'z') ||
                 std::u32string_view(U"\u0105\u0107\u0119\u0144\u00F3\u015B\u017A\u017C").find(code) !=
                     std::u32string_view::npos)
            a = 0.56;
        ems += a;
    }
    // The cell is about 1.117 ems high.
    return static_cast<int>(std::ceil(ems * cell / 1.117));
}

namespace {

// Whether a segment, widened by its reach, crosses the box: the segment is
// clipped to the box grown by the reach (Liang and Barsky's clipping).
bool SegmentMeets(double x1, double y1, double x2, double y2, double reach, const LabelBox& b)
{
    const double left = b.left - reach, right = b.right - 1 + reach;
    const double top = b.top - reach, bottom = b.bottom - 1 + reach;
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    auto clip = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-dx, x1 - left) && clip(dx, right - x1) && clip(-dy, y1 - top) && clip(dy, bottom - y1);
}

bool Dark(uint32_t rgb)
{
    return ((rgb >> 16) & 255) + ((rgb >> 8) & 255) + (rgb & 255) < 3 * 100;
}

}  // namespace

// Takes a drawing's outlines as it is played: the lines labels keep off.
class LabelPlacer::Outlines final : public Canvas {
public:
    explicit Outlines(LabelPlacer& p) : placer(p) {}
    void SetPen(const CanvasPen& p) override { pen = p; }
    void SetBrush(const CanvasBrush& b) override { brush = b; }
    void SetFont(const CanvasFont&) override {}
    void SetTextColor(uint32_t) override {}
    void FillRect(int, int, int, int, uint32_t) override {}
    void Rectangle(int left, int top, int right, int bottom) override
    {
        if (!brush.null && Dark(brush.rgb))
            placer.taken.push_back({std::min(left, right), std::min(top, bottom), std::max(left, right),
                                    std::max(top, bottom)});
        const CanvasPoint corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
        Polygon(corners);
    }
    void Ellipse(int left, int top, int right, int bottom) override
    {
        // The outline as a polygon of 32 sides.
        const double cx = (left + right - 1) * 0.5, cy = (top + bottom - 1) * 0.5;
        const double rx = (right - left - 1) * 0.5, ry = (bottom - top - 1) * 0.5;
        constexpr int kSides = 32;
        for (int i = 0; i < kSides; ++i) {
            const double a0 = 2.0 * M_PI * i / kSides, a1 = 2.0 * M_PI * (i + 1) / kSides;
            Add(cx + rx * std::cos(a0), cy + ry * std::sin(a0), cx + rx * std::cos(a1), cy + ry * std::sin(a1));
        }
    }
    void Line(int x1, int y1, int x2, int y2) override { Add(x1, y1, x2, y2); }
    void Polyline(std::span<const CanvasPoint> points) override
    {
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            Add(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
    }
    void Polygon(std::span<const CanvasPoint> points) override
    {
        Polyline(points);
        if (points.size() > 2)
            Add(points.back().x, points.back().y, points.front().x, points.front().y);
    }
    void TextOut(int, int, std::string_view) override {}
    void TextOutCentred(int, int, std::string_view) override {}

private:
    void Add(double x1, double y1, double x2, double y2)
    {
        if (pen.style != PenStyle::Null)
            placer.lines.push_back({x1, y1, x2, y2, std::max(1, pen.width) * 0.5});
    }
    LabelPlacer& placer;
    CanvasPen pen;
    CanvasBrush brush;
};

void LabelPlacer::Avoid(const DisplayList& drawing)
{
    Outlines outlines(*this);
    drawing.Play(outlines);
}

bool LabelPlacer::Free(const LabelBox& b) const { return Free(b, true); }

bool LabelPlacer::Free(const LabelBox& b, bool offLines) const
{
    if (b.left < 0 || b.top < 0 || b.right > width || b.bottom > height)
        return false;
    if (std::any_of(taken.begin(), taken.end(), [&](const LabelBox& o) { return o.Meets(b); }))
        return false;
    // Two pixels clear at either end, where a line would touch the first or the
    // last letter; above and below, the cell's own leading keeps it clear.
    // The picture's edges, where the soil's outline runs, need no room.
    const int clear = Clearance();
    const LabelBox wide{std::max(b.left - clear, std::min(b.left, clear)), b.top,
                        std::min(b.right + clear, std::max(b.right, width - clear)), b.bottom};
    return !offLines || std::none_of(lines.begin(), lines.end(), [&](const Segment& s) {
        return SegmentMeets(s.x1, s.y1, s.x2, s.y2, s.reach, wide);
    });
}

bool LabelPlacer::Blocks(CanvasPoint from, CanvasPoint to) const
{
    if (std::any_of(taken.begin(), taken.end(),
                    [&](const LabelBox& b) { return SegmentMeets(from.x, from.y, to.x, to.y, 0.5, b); }))
        return true;
    if (from.y != to.y)
        return false;
    const double left = std::min(from.x, to.x), right = std::max(from.x, to.x);
    return std::any_of(lines.begin(), lines.end(), [&](const Segment& s) {
        const bool level = std::fabs(s.y2 - s.y1) * 8.0 <= std::fabs(s.x2 - s.x1);
        return level && std::fabs((s.y1 + s.y2) * 0.5 - from.y) <= s.reach &&
               std::min(s.x1, s.x2) < right && left < std::max(s.x1, s.x2);
    });
}

CanvasPoint LabelPlacer::Place(std::string_view label, std::initializer_list<CanvasPoint> places, int lineY)
{
    // Its places, then the rows of its places from the left, then rows ever
    // farther from its line: off the lines where that can be, else at least
    // off the other labels.
    const int step = std::max(1, cellHeight / 10), labelWidth = LabelWidth(label, cellHeight);
    auto alongRow = [&](int y, bool offLines, CanvasPoint& at) {
        for (int x = cellHeight / 3; x + labelWidth <= width - cellHeight / 3; x += step)
            if (Free(Box({x, y}, label), offLines)) {
                at = {x, y};
                return true;
            }
        return false;
    };
    auto find = [&](bool offLines, CanvasPoint& at) {
        for (const CanvasPoint& p : places)
            if (Free(Box(p, label), offLines)) {
                at = p;
                return true;
            }
        for (int shift = 0; shift <= 2 * cellHeight; shift += std::max(1, cellHeight / 7))
            for (const CanvasPoint& p : places)
                if (alongRow(p.y < lineY ? p.y - shift : p.y + shift, offLines, at))
                    return true;
        return false;
    };
    CanvasPoint at = *places.begin();
    if (!find(true, at))
        find(false, at);
    taken.push_back(Box(at, label));
    return at;
}

LevelLabelsOut PlaceLevelLabels(const LevelLabelsIn& in, LabelPlacer& placer)
{
    if (in.water)
        placer.Reserve(WaterSymbolBox(in.symbolX, in.waterY, in.k));
    const int t = in.textOffset, under = 3 * in.k;
    // A line's label goes under it at the left, else to the right edge,
    // above the line or under it.
    auto line = [&](int y, std::string_view text) {
        const int right = in.w - 5 * in.k - LabelWidth(text, in.cell);
        return placer.Place(text, {{5, y - t}, {5, y + under}, {right, y - t}, {right, y + under}}, y);
    };
    LevelLabelsOut out;
    // The water's label, squeezed between the others more often, goes
    // before the pipe's or the tank's, which has its line's whole width.
    out.ground = line(in.groundY, in.groundText);
    if (in.water) {
        const int first = in.waterFirstX, y = in.waterY;
        const int beforeSymbol = in.symbolX - 10 * in.k - LabelWidth(in.waterText, in.cell);
        out.water = placer.Place(in.waterText, {{first, y - t}, {5, y - t}, {beforeSymbol, y - t}, {5, y + under},
                                                {first, y + under}, {beforeSymbol, y + under}},
                                   y);
    }
    out.level = line(in.levelY, in.levelText);
    return out;
}

void DrawLevelLabels(Canvas& c, const LevelLabelsIn& in, const LevelLabelsOut& at)
{
    c.SetTextColor(kBlack);
    if (!in.groundText.empty())
        c.TextOut(at.ground.x, at.ground.y, in.groundText);
    if (!in.levelText.empty())
        c.TextOut(at.level.x, at.level.y, in.levelText);
    if (in.water) {
        c.SetTextColor(kWaterBlue);
        c.TextOut(at.water.x, at.water.y, in.waterText);
        c.SetTextColor(kBlack);
    }
}

}  // namespace picture
