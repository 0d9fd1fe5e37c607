#include "pictures/scene/TrenchScene.h"

#include "core/project/WorkingRecords.h"
#include "core/base/Text.h"
#include "core/base/Millimetres.h"
#include "pictures/scene/SceneParts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace picture;

constexpr double kMm = 0.001f;
constexpr double kStep = 0.001f;      // how far a level stays clear of its limit
constexpr double kMinScene = 0.1f;

constexpr uint32_t kTrenchBrown = Rgb(161, 120, 79);

// Wall pen width by the inner diameter, in screen pixels.
int WallWidth(double innerDiameter)
{
    if (innerDiameter > 2001.0)
        return 7;
    if (innerDiameter > 1499.0)
        return 5;
    if (innerDiameter > 799.0)
        return 3;
    return 2;
}

class TrenchScene final : public SectionScene<BuriedPipeRecord, TrenchLayout, LayoutTrench, DrawTrench> {
public:
    TrenchScene(WorkingRecords& working, const int& extended)
        : SectionScene(working.buriedPipe), extendedCatalogue(extended)
    {
    }
    int Pick(int y) const override { return PickTrench(screen.layout, record, y); }
    DragEffect Drag(int line, int dy) override
    {
        return DragTrench(screen.layout, line, dy, record, extendedCatalogue != 0);
    }

private:
    const int& extendedCatalogue;
};

}  // namespace

bool TrenchLayout::Usable() const
{
    return AllDrawable({scale, reference, bottom, groundTop}) && scale > 0.0;
}

int TrenchLayout::Y(double level) const { return h - RoundPx((level - reference + bottom) * scale); }

TrenchLayout LayoutTrench(const BuriedPipeRecord& r, int w, int h)
{
    TrenchLayout l;
    l.h = h;
    const double depth = r.groundLevel - r.foundationLevel;
    l.sceneWidth = std::max(r.outerDiameter * kMm + 8.0, kMinScene);
    l.sceneHeight = std::max(depth + 1.0 + 2.0, kMinScene);
    l.reference = r.foundationLevel;
    l.groundTop = r.groundLevel;
    FitToSize(l, w, h, depth, r.outerDiameter * kMm, 0.0, 4, l.side);
    return l;
}

void DrawTrench(Canvas& out, const BuriedPipeRecord& r, const TrenchLayout& l, int w, int h, bool print)
{
    const int k = print ? 10 : 1;
    const int t = TextOffset(print);
    out.FillRect(0, 0, w, h, kSky);
    if (!l.Usable())
        return;
    const double od = r.outerDiameter * kMm;  // m
    const int cx = w / 2;
    const bool levels = AllDrawable({r.groundLevel, r.foundationLevel, od});

    // The lines are drawn first; the labels then go where they cover no line
    // and no other label, and are drawn over the lines.
    const bool water = std::isfinite(r.waterLevel) && r.waterLevel > l.reference - l.bottom;
    const std::string ptText = FormatC("PT=%.2f", r.groundLevel), pdText = FormatC("PD=%.2f", r.invertLevel);
    const std::string zwgText = FormatC("ZWG=%.2f", r.waterLevel);
    LevelLabelsIn labels{.w = w, .h = h, .cell = HorizontalFont(print).height, .k = k, .textOffset = t};
    labels.groundY = std::isfinite(r.groundLevel) ? l.Y(r.groundLevel) : 0;
    labels.groundText = ptText;
    labels.levelY = std::isfinite(r.invertLevel) ? l.Y(r.invertLevel) : 0;
    labels.levelText = pdText;
    if (water) {
        const bool nearLevel = std::fabs(r.waterLevel - r.foundationLevel) < 0.6f ||
                               std::fabs(r.waterLevel - r.groundLevel) < 0.5;
        labels.water = true;
        labels.waterY = l.Y(r.waterLevel);
        labels.waterFirstX = nearLevel ? w - RoundPx(0.3f * l.sceneWidth * l.scale) : 5;
        labels.symbolX = RoundPx(0.93f * w);
        labels.waterText = zwgText;
    }

    DisplayList c;
    if (std::isfinite(r.groundLevel))
        Ground(c, w, h, labels.groundY);
    if (std::isfinite(r.invertLevel))
        LevelTicks(c, w, labels.levelY, 5);

    if (levels) {
        // The trench: 500 mm wider than the pipe, two pixels below it, sides at 1:1.
        const int yTop = l.Y(r.groundLevel);
        const int yBottom = l.Y(r.foundationLevel) + 2;
        const int half = RoundPx((r.outerDiameter + 500.0) * kHalfMmToM * l.scale);
        const int xl = cx - half, xr = cx + half;
        c.SetPen({kTrenchBrown, 1});
        c.Line(xl, yBottom, xr, yBottom);
        // A side rising at 1:1 from (x, y) to the ground, cut at the edge.
        auto side = [&](int x, int y, int dir) {
            int rise = std::max(0, y - yTop);
            const int room = dir < 0 ? x : w - x;
            rise = std::min(rise, std::max(0, room));
            c.Line(x, y, x + dir * rise, y - rise);
        };
        side(xl, yBottom, -1);
        if (r.multiPipeTrench == 1) {
            const int step = RoundPx(od * 0.5 * l.scale);
            const int bench = RoundPx((r.outerDiameter + 500.0) * kMm * l.scale);
            const int yBench = yBottom - step;
            c.Line(xr, yBottom, xr + step, yBench);
            c.Line(xr + step, yBench, xr + step + bench, yBench);
            side(xr + step + bench, yBench, 1);
            // The second pipe, half the size, resting on the middle of the bench.
            const int cx2 = xr + step + bench / 2;
            const int r2 = RoundPx(od * 0.25 * l.scale);
            c.SetPen({kBlack, 1});
            c.SetBrush({Rgb(230, 230, 230)});
            c.Ellipse(cx2 - r2, yBench - 2 - 2 * r2, cx2 + r2, yBench - 2);
        } else {
            side(xr, yBottom, 1);
        }
    }

    if (r.roadSurface == 1 && AllDrawable({r.groundLevel, r.pavingWidth, r.pavingThickness})) {
        const int half = RoundPx(r.pavingWidth * 0.5 * l.scale);
        const int top = l.Y(r.groundLevel + 0.05);
        const int height = RoundPx(r.pavingThickness * l.scale);
        c.SetPen({kBlack, 1});
        c.SetBrush({Rgb(158, 158, 158)});
        c.Rectangle(cx - half - 3 * k, top + height + k, cx + half + 3 * k,
                    top + height + k + RoundPx(1.5 * r.pavingThickness * l.scale));
        c.SetBrush({kBlack});
        c.Rectangle(cx - half, top, cx + half, top + height);
    }

    if (water) {
        c.SetPen({kWaterBlue, 1});
        c.Line(0, labels.waterY, w, labels.waterY);
        WaterSymbol(c, labels.symbolX, labels.waterY, k);
    }

    if (levels) {
        const int half = RoundPx(r.outerDiameter * kHalfMmToM * l.scale) + 1;
        const int yBottom = l.Y(r.foundationLevel);
        const int yTop = l.Y(r.foundationLevel + od);
        uint32_t wall = kBlack, fill = Rgb(230, 230, 230);
        switch (r.categoryId) {
        case 2: wall = Rgb(245, 122, 0); fill = Rgb(255, 255, 255); break;
        case 3: wall = Rgb(191, 191, 191); fill = Rgb(247, 247, 247); break;
        case 4:
        case 6: fill = Rgb(122, 122, 122); break;
        default: break;
        }
        c.SetPen({wall, WallWidth(r.innerDiameter) * k});
        c.SetBrush({fill});
        c.Ellipse(cx - half, yTop, cx + half, yBottom);
        const int reach = w / 30;
        const int yMiddle = l.Y(r.foundationLevel + od * 0.5);
        c.SetPen({kAxisBlue, 1, PenStyle::DashDot});
        c.Line(cx, yBottom + reach, cx, yTop - reach);
        c.Line(cx - half - reach, yMiddle, cx + half + reach, yMiddle);
    }

    LabelPlacer placer(w, h, labels.cell);
    placer.Avoid(c);
    const LevelLabelsOut at = PlaceLevelLabels(labels, placer);
    c.Play(out);
    out.SetFont(HorizontalFont(print));
    if (!std::isfinite(r.groundLevel))
        labels.groundText = {};
    if (!std::isfinite(r.invertLevel))
        labels.levelText = {};
    DrawLevelLabels(out, labels, at);
}

int PickTrench(const TrenchLayout& l, const BuriedPipeRecord& r, int y)
{
    return PickLevel(l, r.groundLevel, r.waterLevel, r.invertLevel, y);
}

double TrenchMinCover(const BuriedPipeRecord& r, bool extendedCatalogue)
{
    if (r.trafficClass == 0)
        return r.minCoverNoTraffic;
    if (!extendedCatalogue) {
        if (r.trafficClass == 13 || r.trafficClass == 14)
            return std::max(r.nominalSize * kMm, 1.5);
        if (r.trafficClass >= 17 && r.trafficClass <= 21)
            return 1.0;
    }
    return r.minCoverTraffic;
}

DragEffect DragTrench(const TrenchLayout& l, int line, int dy, BuriedPipeRecord& r, bool extendedCatalogue)
{
    if (!l.Usable() || line < 0 || line > 2)
        return DragEffect::None;
    const double move = dy / l.scale;
    const double od = r.outerDiameter / 1000.0;  // as the page's cover check takes it
    const double c = TrenchMinCover(r, extendedCatalogue);
    const double lowest = l.reference - 1.0;
    switch (line) {
    case TrenchGround:
        r.groundLevel -= move;
        if (r.groundLevel < r.foundationLevel + od + c)
            r.groundLevel = r.foundationLevel + od + c + kStep;
        r.groundLevel = std::min(r.groundLevel, l.groundTop + 0.5);
        if (r.waterLevel >= r.groundLevel)
            r.waterLevel = r.groundLevel - kStep;
        break;
    case TrenchWater:
        r.waterLevel -= move;
        if (r.waterLevel >= r.groundLevel)
            r.waterLevel = r.groundLevel - kStep;
        r.waterLevel = std::max(r.waterLevel, lowest);
        break;
    case TrenchPipe:
        r.invertLevel -= move;
        r.foundationLevel -= move;
        if (r.groundLevel - r.foundationLevel - od < c) {
            r.foundationLevel = r.groundLevel - od - c - kStep;
            r.invertLevel = r.foundationLevel + (r.outerDiameter - r.innerDiameter) * kHalfMmToM;
        }
        if (r.foundationLevel < lowest) {
            r.foundationLevel = lowest;
            r.invertLevel = r.foundationLevel + (r.outerDiameter - r.innerDiameter) * kHalfMmToM;
        }
        break;
    }
    // The cover follows every level it depends on.
    r.cover = r.groundLevel - r.foundationLevel - od;
    return DragEffect::Inputs;
}

std::unique_ptr<PictureScene> MakeTrenchScene(WorkingRecords& working, const int& extendedCatalogue)
{
    return std::make_unique<TrenchScene>(working, extendedCatalogue);
}
