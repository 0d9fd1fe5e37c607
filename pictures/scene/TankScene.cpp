#include "pictures/scene/TankScene.h"

#include "core/project/WorkingRecords.h"
#include "core/base/Text.h"
#include "core/base/Millimetres.h"
#include "core/calc/TankCover.h"
#include "pictures/scene/SceneParts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace picture;

constexpr int kMaxStraps = 1000;
constexpr uint32_t kLight = Rgb(230, 230, 230);

int WallWidth(double dz)
{
    if (dz > 1999.0)
        return 4;
    if (dz > 1499.0)
        return 3;
    return 2;
}

class TankScene final : public SectionScene<TankRecord, TankLayout, LayoutTank, DrawTank> {
public:
    explicit TankScene(WorkingRecords& working) : SectionScene(working.tank) {}
    int Pick(int y) const override { return PickTank(screen.layout, record, y); }
    DragEffect Drag(int line, int dy) override { return DragTank(screen.layout, line, dy, record); }
};

}  // namespace

bool TankLayout::Usable() const
{
    return AllDrawable({scale, reference, bottom, gap, shownLength, sceneHeight}) && scale > 0.0;
}
int TankLayout::Y(double level) const { return h - RoundPx((level - reference + bottom) * scale); }

TankLayout LayoutTank(const TankRecord& r, int w, int h)
{
    TankLayout l;
    l.h = h;
    const double D = r.outerDiameter * 0.001;
    const double depth = r.groundLevel - r.foundationLevel;
    l.shownLength = std::min(15.0 * D, r.length);
    l.sceneWidth = std::max(D + l.shownLength + 15.0, 0.1);
    l.sceneHeight = std::max(depth + 1.0 + 2.0, 0.1);
    l.reference = r.foundationLevel;
    FitToSize(l, w, h, depth, l.shownLength, D, 3, l.gap);
    return l;
}

int TankStrapCount(double count, double slabLength, double spacing)
{
    if (!std::isfinite(count) || !std::isfinite(slabLength) || !std::isfinite(spacing) || spacing <= 0.0 ||
        count <= 0.0)
        return 0;
    const double fits = std::floor(std::max(0.0, slabLength) / spacing) + 1.0;
    return static_cast<int>(std::min({count, fits, static_cast<double>(kMaxStraps)}));
}

namespace {

// Where the diameter's label stands and how its leader runs to it.
struct DiameterLabel {
    CanvasPoint at;
    int sx = 1, sy = -1;  // the leader's direction from the centre
    int reach = 0;        // how far from the centre its slant runs, each way
    int leaderEnd = 0;    // x where its level part ends
};

// The diameter's label on a leader across the circle: above the leader's
// level part up to the right where that is free; else the first free of the
// other directions, the label above or under the leader and moved out along
// it, clear of the circle; else with the leader's slant run on beyond the
// circle to rows that are free. Neither the label nor the leader covers a
// label placed before.
DiameterLabel PlaceDiameterLabel(LabelPlacer& placer, std::string_view text, int cx, int cy, int radius, int lead,
                                 int cell, int run, int t)
{
    const int width = LabelWidth(text, cell);
    // How far from the centre the circle reaches across the rows of a box.
    auto across = [&](int top) {
        const int nearest = cy < top ? top - cy : cy >= top + cell ? cy - (top + cell - 1) : 0;
        return nearest >= radius ? 0 : static_cast<int>(std::ceil(std::sqrt(double(radius) * radius - double(nearest) * nearest)));
    };
    for (bool offLines : {true, false})
        for (int rise = 0; rise <= 3 * cell; rise += cell / 2)
            for (int sy : {-1, 1})
                for (int sx : {1, -1})
                    for (bool under : {false, true})
                        for (int step = 0; step <= 6; ++step) {
                            const int reach = lead + rise;
                            const int yLeader = cy + sy * reach;
                            const int top = under ? yLeader + t : yLeader - cell;
                            const int clear = std::max(reach, across(top) + 2 * t);
                            const int x = sx > 0 ? cx + clear + step * cell : cx - clear - width - step * cell;
                            const int end = sx > 0 ? std::max(x + width, cx + reach + run)
                                                   : std::min(x, cx - reach - run);
                            const LabelBox box = placer.Box({x, top}, text);
                            const CanvasPoint bend{cx + sx * reach, yLeader};
                            if (!placer.Free(box, offLines) || placer.Blocks(bend, {end, yLeader}) ||
                                (rise > 0 && placer.Blocks({cx + sx * lead, cy + sy * lead}, bend)))
                                continue;
                            placer.Reserve(box);
                            return {{x, top}, sx, sy, reach, end};
                        }
    // Up to the right, as usual, when nothing else is free.
    const CanvasPoint at{std::max(cx + lead, cx + across(cy - lead - cell) + 2 * t), cy - lead - cell};
    placer.Reserve(placer.Box(at, text));
    return {at, 1, -1, lead, std::max(at.x + width, cx + lead + run)};
}

}  // namespace

void DrawTank(Canvas& out, const TankRecord& r, const TankLayout& l, int w, int h, bool print)
{
    const int t = print ? 10 : 1;
    const int text = TextOffset(print);
    out.FillRect(0, 0, w, h, kSky);
    const double PT = r.groundLevel, PP = r.foundationLevel, PD = r.tankBottomLevel, ZWG = r.waterLevel;
    const double D = r.outerDiameter * 0.001;
    if (!l.Usable() || !AllDrawable({PT, PP, PD, D}))
        return;
    auto X = [&](double metres) { return RoundPx(metres * l.scale); };
    const bool anchored = r.head.resultValid == 1 && r.minSlabLength > 0.01 &&
                          AllDrawable({r.slabWidth, r.slabHeight, r.slabLength, r.anchorSpacing, r.length});
    const int cell = print ? 90 : 14;

    // Cross-section: the circle one gap from the right edge, resting on PP.
    const int yPP = l.Y(PP);
    const int yTop = l.Y(PP + D);
    const int radius = X(D * 0.5);
    const int cx = w - X(l.gap + D * 0.5);
    const int cy = l.Y(PP + D * 0.5);
    const int slab = anchored ? X(r.slabWidth) : 0;
    const double Lv = std::max(D / 2.0 + 1.0, l.shownLength);
    const int xMiddle = X(l.gap + Lv / 2.0);
    const int slabTop = yPP + 2 * t, slabBottom = slabTop + X(r.slabHeight);

    // The anchoring's label, centred under the slab.
    std::string lfText;
    LabelBox lfBox;
    if (anchored) {
        const double n = r.anchorCount, s = r.anchorSpacing;
        const double e = (r.slabLength - (n - 1.0) * s) / 2.0;
        // The count comes from the record as stored: no arithmetic on it may overflow.
        lfText = FormatC("Lf=%.2fm (%.2fm+%lld\u02E3%.2fm+%.2fm)", r.slabLength, e,
                         static_cast<long long>(r.anchorCount) - 1, s, e);
        const int width = LabelWidth(lfText, cell);
        const int top = slabBottom + 7 * t;
        lfBox = {xMiddle - width / 2, top, xMiddle + width - width / 2, top + cell};
    }

    const bool water = std::isfinite(ZWG) && ZWG > l.reference - l.bottom;
    const int yWater = water ? l.Y(ZWG) : 0;
    const int xSymbol = RoundPx(0.95 * w);
    const std::string ptText = FormatC("PT=%.2f", PT), pdText = FormatC("PD=%.2f", PD);
    const std::string zwgText = FormatC("ZWG=%.2f", ZWG);
    LevelLabelsIn labels{.w = w, .h = h, .cell = cell, .k = t, .textOffset = text};
    labels.groundY = l.Y(PT);
    labels.groundText = ptText;
    labels.levelY = l.Y(PD);
    labels.levelText = pdText;
    if (water) {
        // Near the ground or the bottom the water's label starts to the right.
        const bool nearLevel = std::fabs(ZWG - PP) < 0.5 || std::fabs(ZWG - PT) < 0.5;
        labels.water = true;
        labels.waterY = yWater;
        labels.waterFirstX = nearLevel ? w - X(0.17 * l.sceneWidth) : 5;
        labels.symbolX = xSymbol;
        labels.waterText = zwgText;
    }

    // The lines are drawn first; the labels then go where they cover no line
    // and no other label, and are drawn over the lines.
    DisplayList c;
    Ground(c, w, h, labels.groundY);
    LevelTicks(c, w, labels.levelY, 10);

    if (water) {
        c.SetPen({kWaterBlue, 1});
        c.Line(0, yWater, w, yWater);
        WaterSymbol(c, xSymbol, yWater, t);
    }

    const CanvasPen tiePen{Rgb(158, 158, 158), 2 * t};
    if (anchored) {
        c.SetPen(tiePen);
        const int yTie = l.Y(PP + 0.6 * D);
        for (int side : {-1, 1}) {
            const int xSlab = cx + side * (radius + slab / 2);
            const int xWall = cx + side * radius;
            c.Line(xSlab, yPP + 2 * t, xWall, yTie);
            c.Line(xSlab + side * t, yPP + 2 * t, xWall + side * t, yTie);
        }
    }
    const int wallPen = WallWidth(r.outerDiameter) * t;
    c.SetPen({kBlack, wallPen});
    c.SetBrush({kLight});
    c.Ellipse(cx - radius, yTop, cx + radius, yPP);
    const int cross = w / 20;
    c.SetPen({kAxisBlue, 1, PenStyle::DashDot});
    c.Line(cx - cross, cy, cx + cross, cy);
    c.Line(cx, cy - cross, cx, cy + cross);

    // Longitudinal view.
    const int xStart = X(l.gap + 0.5), xEnd = X(l.gap + Lv - 0.5);
    const int endHalf = X(D / 4.0);
    c.SetPen({kBlack, 2 * t});
    c.SetBrush({kBlack});
    c.Rectangle(xStart, yTop, xEnd, yPP);
    c.Ellipse(xStart - endHalf, yTop, xStart + endHalf, yPP);
    c.Ellipse(xEnd - endHalf, yTop, xEnd + endHalf, yPP);

    const bool shortened = Lv < r.length;
    const double Lfv = shortened ? r.slabLength - (r.length - Lv) : r.slabLength;
    // The slabs stand clear of the tank by 2 pixels, 20 in print.
    const int slabLeft = xMiddle - X(Lfv / 2.0), slabRight = xMiddle + X(Lfv / 2.0);
    if (anchored) {
        c.SetPen({kGreyLine, 1});
        c.SetBrush({Rgb(158, 158, 158)});
        c.Rectangle(slabLeft, slabTop, slabRight, slabBottom);
        c.Rectangle(cx - radius - slab, slabTop, cx - radius, slabBottom);
        c.Rectangle(cx + radius, slabTop, cx + radius + slab, slabBottom);
    }

    if (shortened) {
        const int half = X(D / 20.0) + t;
        const int bandTop = l.Y(PP + D * 0.5 + 0.55 * D);
        const int bandBottom = h - 10 * t;
        c.SetPen({0, 1, PenStyle::Null});
        c.SetBrush({kSoil});
        c.Rectangle(xMiddle - half, bandTop, xMiddle + half, bandBottom);
        // The band's dotted edges leave the anchoring's label free.
        c.SetPen({kGreyLine, 1, PenStyle::Dot});
        for (int x : {xMiddle - half, xMiddle + half}) {
            if (anchored && lfBox.top > bandTop && lfBox.bottom < bandBottom) {
                c.Line(x, bandTop, x, lfBox.top - t);
                c.Line(x, lfBox.bottom + t, x, bandBottom);
            } else {
                c.Line(x, bandTop, x, bandBottom);
            }
        }
        c.SetPen({kBlack, 1});
        c.Line(xMiddle - half, yTop, xMiddle + half, yTop);
        c.Line(xMiddle - half, yPP, xMiddle + half, yPP);
    }

    if (anchored) {
        const double n = r.anchorCount;
        const double s = r.anchorSpacing;
        const double e = (r.slabLength - (n - 1.0) * s) / 2.0;
        c.SetPen({Rgb(191, 191, 191), 3 * t});
        const int strapTop = slabTop - (X(D) + 4 * t);
        auto strap = [&](double fromLeft) {
            const int x = slabLeft + X(fromLeft);
            c.Line(x, slabTop, x, strapTop);
        };
        if (!shortened) {
            const int count = TankStrapCount(n, r.slabLength, s);
            for (int i = 0; i < count; ++i)
                strap(e + i * s);
        } else {
            const double each = std::round((Lfv - 2.0 * e - r.outerDiameter * 0.00005) / (2.0 * s));
            const int count = TankStrapCount(each, Lfv / 2.0, s);
            for (int i = 0; i < count; ++i) {
                strap(e + i * s);
                strap(Lfv - e - i * s);
            }
        }
    }

    c.SetPen({kAxisBlue, 1, PenStyle::DashDot});
    c.Line(X(l.gap - 0.5), cy, X(l.gap + Lv + 0.5), cy);

    LabelPlacer placer(w, h, cell);
    placer.Avoid(c);
    if (anchored)
        placer.Reserve(lfBox);
    const LevelLabelsOut at = PlaceLevelLabels(labels, placer);
    const int lead = RoundPx(0.9 * radius * std::sqrt(0.5));
    const std::string dzText = FormatC("Dz=%.0f", r.outerDiameter);
    const DiameterLabel dz = PlaceDiameterLabel(placer, dzText, cx, cy, radius, lead, cell, 4 * text, t);

    c.Play(out);
    // The leader across the circle and on under (or over) its label.
    const int sx = dz.sx, sy = dz.sy;
    out.SetPen({kBlack, 1});
    out.Line(cx - sx * lead, cy - sy * lead, cx + sx * dz.reach, cy + sy * dz.reach);
    out.Line(cx + sx * dz.reach, cy + sy * dz.reach, dz.leaderEnd, cy + sy * dz.reach);
    out.SetFont({cell, 0});
    DrawLevelLabels(out, labels, at);
    out.TextOut(dz.at.x, dz.at.y, dzText);
    if (anchored)
        out.TextOutCentred(xMiddle, slabBottom + 7 * t, lfText);
}

int PickTank(const TankLayout& l, const TankRecord& r, int y)
{
    // The bottom line is grabbed where it is drawn: at the tank's bottom PD.
    return PickLevel(l, r.groundLevel, r.waterLevel, r.tankBottomLevel, y);
}

DragEffect DragTank(const TankLayout& l, int line, int dy, TankRecord& r)
{
    if (!l.Usable() || line < 0 || line > 2)
        return DragEffect::None;
    const double move = dy / l.scale;
    const double least = TankLeastCover(r.outerDiameter);  // least depth PT - PP
    const double wall = HalfMmInMByTenThousandths(r.outerDiameter - r.innerDiameter);
    switch (line) {
    case TankGround:
        r.groundLevel -= move;
        if (TankCoverShort(r.groundLevel - r.foundationLevel, r.outerDiameter, 0.0))
            r.groundLevel = r.foundationLevel + least + 0.001;
        r.groundLevel = std::min(r.groundLevel, l.GroundCap());
        if (r.waterLevel > r.groundLevel)
            r.waterLevel = r.groundLevel;
        break;
    case TankWater:
        r.waterLevel -= move;
        r.waterLevel = std::min(r.waterLevel, r.groundLevel);
        // Below two metres under the tank the water table drops out of the scene.
        if (r.waterLevel < l.reference - 2.0)
            r.waterLevel = l.reference - 2.5;
        break;
    case TankBottom:
        r.tankBottomLevel -= move;
        r.foundationLevel = r.tankBottomLevel - HalfMmInM(r.outerDiameter - r.innerDiameter);
        if (TankCoverShort(r.groundLevel - r.foundationLevel, r.outerDiameter, 0.0)) {
            r.foundationLevel = r.groundLevel - least - 0.001;
            r.tankBottomLevel = r.foundationLevel + wall;
        }
        if (r.foundationLevel < l.reference - 2.0) {
            r.foundationLevel = l.reference - 2.0;
            r.tankBottomLevel = r.foundationLevel + wall;
        }
        break;
    }
    r.coverDepth = r.groundLevel - r.foundationLevel - r.outerDiameter * 0.001;
    return DragEffect::Inputs;
}

std::unique_ptr<PictureScene> MakeTankScene(WorkingRecords& working) { return std::make_unique<TankScene>(working); }
