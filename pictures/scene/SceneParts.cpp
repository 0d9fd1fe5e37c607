#include "SceneParts.h"

#include "Text.h"

#include <algorithm>
#include <string>

namespace picture {

void Ground(Canvas& c, int w, int h, int y, double level, int textOffset)
{
    Ground(c, w, h, y, level, CanvasPoint{5, y - textOffset});
}

void Ground(Canvas& c, int w, int h, int y, double level, CanvasPoint label)
{
    c.SetPen({kGreyLine, 1});
    c.SetBrush({kSoil});
    c.Rectangle(0, y, w, h);
    c.SetPen({kGround, 1});
    c.Line(0, y, w, y);
    c.Line(0, y + 1, w, y + 1);
    c.SetTextColor(kBlack);
    c.TextOut(label.x, label.y, FormatC("PT=%.2f", level));
}

void LevelTicks(Canvas& c, int w, int y, int share, const char* format, double level, int textOffset)
{
    LevelTicks(c, w, y, share, format, level, CanvasPoint{5, y - textOffset});
}

void LevelTicks(Canvas& c, int w, int y, int share, const char* format, double level, CanvasPoint label)
{
    c.SetPen({kBlack, 1, PenStyle::Dot});
    c.Line(0, y, w / share, y);
    c.Line(w - w / share, y, w, y);
    c.SetTextColor(kBlack);
    c.TextOut(label.x, label.y, FormatC(format, level));
}

int LabelWidth(std::string_view utf8, int cell)
{
    // Advances of the sans face in ems, rounded up: its figures, signs and
    // the letters the labels use; any other character as a wide capital.
    double ems = 0.0;
    for (unsigned char ch : utf8) {
        if ((ch & 0xC0) == 0x80)
            continue;
        double a = 0.78;
        if (ch >= '0' && ch <= '9')
            a = 0.56;
        else if (ch == '.' || ch == ',' || ch == ' ' || ch == 'f')
            a = 0.28;
        else if (ch == '=' || ch == '+')
            a = 0.59;
        else if (ch == '-' || ch == '(' || ch == ')')
            a = 0.34;
        else if (ch == 'm' || ch == 'W')
            a = 0.95;
        else if (ch >= 'a' && ch <= 'z')
            a = 0.56;
        else if (ch >= 'A' && ch <= 'Z')
            a = 0.78;
        ems += a;
    }
    // The cell is about 1.117 ems high.
    return static_cast<int>(std::ceil(ems * cell / 1.117));
}

bool LabelPlacer::Free(const LabelBox& b) const
{
    if (b.left < 0 || b.top < 0 || b.right > width || b.bottom > height)
        return false;
    return std::none_of(taken.begin(), taken.end(), [&](const LabelBox& o) { return o.Meets(b); });
}

const CanvasPoint* LabelPlacer::FirstFree(std::string_view label, std::initializer_list<CanvasPoint> places) const
{
    for (const CanvasPoint& p : places)
        if (Free(Box(p, label)))
            return &p;
    return nullptr;
}

CanvasPoint LabelPlacer::Place(std::string_view label, std::initializer_list<CanvasPoint> places)
{
    const CanvasPoint* p = FirstFree(label, places);
    const CanvasPoint at = p ? *p : *places.begin();
    taken.push_back(Box(at, label));
    return at;
}

LevelLabelsOut PlaceLevelLabels(const LevelLabelsIn& in)
{
    LabelPlacer placer(in.w, in.h, in.cell);
    if (in.water)
        placer.Reserve(WaterSymbolBox(in.symbolX, in.waterY, in.k));
    const int t = in.textOffset, under = 3 * in.k;
    // A line's label goes under it at the left, else to the right edge,
    // above the line or under it.
    auto line = [&](int y, std::string_view text) {
        const int right = in.w - 5 * in.k - LabelWidth(text, in.cell);
        return placer.Place(text, {{5, y - t}, {5, y + under}, {right, y - t}, {right, y + under}});
    };
    LevelLabelsOut out;
    out.ground = line(in.groundY, in.groundText);
    out.level = line(in.levelY, in.levelText);
    if (in.water) {
        const int first = in.waterFirstX, y = in.waterY;
        const int beforeSymbol = in.symbolX - 10 * in.k - LabelWidth(in.waterText, in.cell);
        out.water = placer.Place(in.waterText, {{first, y - t}, {5, y - t}, {beforeSymbol, y - t}, {5, y + under},
                                                {first, y + under}, {beforeSymbol, y + under}});
    }
    return out;
}

}  // namespace picture
