#include "pictures/scene/ManholeScene.h"

#include "core/project/WorkingRecords.h"
#include "core/base/Text.h"
#include "pictures/scene/SceneParts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace picture;

constexpr uint32_t kLight = Rgb(230, 230, 230);
constexpr uint32_t kSlabGrey = Rgb(128, 128, 128);

// Wall pen width by diameter (m), screen and print.
int WallWidth(double diameter, bool print)
{
    if (diameter > 1.499)
        return print ? 39 : 5;
    return print ? 29 : 4;
}

class ManholeScene final : public SectionScene<ManholeRecord, ManholeLayout, LayoutManhole, DrawManhole> {
public:
    explicit ManholeScene(WorkingRecords& working) : SectionScene(working.manhole) {}
    int Pick(int y) const override { return PickManhole(screen.layout, record, y); }
    DragEffect Drag(int line, int dy) override { return DragManhole(screen.layout, line, dy, record); }
};

}  // namespace

bool ManholeLayout::Usable() const { return AllDrawable({scale, lowest, bottom, sceneHeight}) && scale > 0.0; }
int ManholeLayout::Y(double level) const { return h - RoundPx((level - lowest + bottom) * scale); }

ManholeLayout LayoutManhole(const ManholeRecord& r, int w, int h)
{
    ManholeLayout l;
    l.h = h;
    const double Hb = r.ballastHeight;
    const double depth = r.groundLevel - r.pipeBottomLevel + Hb;
    l.sceneWidth = std::max(r.nominalDiameter + 4.0, 0.1);
    l.sceneHeight = std::max(depth + 1.0 + 2.0, 0.1);
    l.lowest = r.pipeBottomLevel - Hb;
    FitToSize(l, w, h, depth, r.nominalDiameter, 0.0, 2, l.side);
    return l;
}

void DrawManhole(Canvas& out, const ManholeRecord& r, const ManholeLayout& l, int w, int h, bool print)
{
    const int k = print ? 10 : 1;
    const int t = TextOffset(print);
    out.FillRect(0, 0, w, h, kSky);
    const double PT = r.groundLevel, PP = r.pipeBottomLevel, ZWG = r.waterLevel;
    const double Hb = r.ballastHeight, Dns = r.nominalDiameter, Dk = r.pipeDiameter, base = r.baseLevel;
    if (!l.Usable() || !AllDrawable({PT, PP, Hb, Dns, Dk, base}))
        return;
    const int cx = w / 2;
    auto px = [&](double metres) { return RoundPx(metres * l.scale); };

    // The lines are drawn first; the labels then go where they cover no line
    // and no other label, and are drawn over the lines.
    const bool water = std::isfinite(ZWG) && ZWG > l.lowest - l.bottom;
    const std::string ptText = FormatC("PT=%.2f", PT), ppText = FormatC("PP=%.2f", PP);
    const std::string zwgText = FormatC("ZWG=%.2f", ZWG);
    LevelLabelsIn labels{.w = w, .h = h, .cell = HorizontalFont(print).height, .k = k, .textOffset = t};
    labels.groundY = l.Y(PT);
    labels.groundText = ptText;
    labels.levelY = l.Y(PP);
    labels.levelText = ppText;
    if (water) {
        const bool nearLevel = std::fabs(ZWG - PP) < 0.5 || std::fabs(ZWG - PT) < 0.5;
        labels.water = true;
        labels.waterY = l.Y(ZWG);
        labels.waterFirstX = nearLevel ? w - px(0.3 * l.sceneWidth) : 5;
        labels.symbolX = RoundPx(0.93 * w);
        labels.waterText = zwgText;
    }

    DisplayList c;
    Ground(c, w, h, labels.groundY);
    LevelTicks(c, w, labels.levelY, 5);

    if (water) {
        const int y = labels.waterY;
        c.SetPen({kWaterBlue, 1});
        c.Line(0, y, w, y);
        WaterSymbol(c, labels.symbolX, y, k);
    }

    // Cover frame and top slab.
    c.SetPen({kGreyLine, 1});
    c.SetBrush({kBlack});
    c.Rectangle(cx - px(0.4), l.Y(PT), cx - px(0.4) + px(0.8), l.Y(PT - 0.1));
    c.SetBrush({kSlabGrey});
    const int slabLeft = cx - px(Dns * 0.5 + 0.5);
    c.Rectangle(slabLeft, l.Y(PT - 0.1), slabLeft + px(Dns + 1.0), l.Y(PT - 0.4));
    if (r.sandTrap != 0 && Hb < 0.001) {
        const int trapLeft = cx - px(Dns * 0.5 + 0.3);
        c.Rectangle(trapLeft, l.Y(base + 0.05), trapLeft + px(Dns + 0.6), l.Y(base - 0.15));
    }

    const CanvasPen outline{kBlack, print ? 21 : 3};
    const CanvasPen wall{kBlack, WallWidth(Dns, print)};
    const int halfShaft = px(Dns * 0.5);
    const int shaftTop = l.Y(PT - 0.3);
    auto walls = [&](int from, int to) {
        c.SetPen(wall);
        c.Line(cx - halfShaft, from, cx - halfShaft, to);
        c.Line(cx + halfShaft, from, cx + halfShaft, to);
    };
    if (r.eccentric == 1) {
        const int shaftBottom = l.Y(PP - Hb + 0.7 * Dk);
        c.SetPen(outline);
        c.SetBrush({kLight});
        c.Rectangle(cx - halfShaft - k, shaftTop, cx + halfShaft + k, shaftBottom);
        walls(shaftTop + 2 * k, shaftBottom - 2 * k);
        c.SetPen({kBlack, WallWidth(Dk, print)});
        c.Ellipse(cx - px(Dk), l.Y(PP + Dk) + 2, cx, l.Y(PP) - 2);
    } else {
        const int halfBox = px(Dns * 0.5 + 0.4);
        c.SetPen(outline);
        c.SetBrush({kLight});
        c.Rectangle(cx - halfBox + k, l.Y(PP) - k, cx + halfBox, l.Y(PP + Dk) - k);
        const int shaftBottom = l.Y(base - Hb);
        c.Rectangle(cx - halfShaft - k, shaftTop, cx + halfShaft + k, shaftBottom);
        walls(shaftTop + k, shaftBottom - 2 * k);
        if (r.head.resultValid == 1 && Hb > 0.0) {
            const int yBase = l.Y(base);
            c.SetPen(outline);
            c.SetBrush({Rgb(158, 158, 158)});
            c.Rectangle(cx - halfShaft - k, yBase, cx + halfShaft + k, shaftBottom);
            c.Line(cx - halfShaft - k, yBase, cx + halfShaft + k, yBase);
            walls(yBase + 2 * k, shaftBottom - 2 * k);
        }
    }

    c.SetPen({kAxisBlue, 1, PenStyle::DashDot});
    const int yMiddle = l.Y(PP + Dk * 0.5);
    if (r.eccentric == 1) {
        c.Line(cx, l.Y(PT), cx, l.Y(PP - 0.2 * Dk));
        c.Line(cx - px(1.2 * Dk), yMiddle, cx + px(0.2 * Dk), yMiddle);
        const int x = cx - px(Dk * 0.5);
        c.Line(x, l.Y(PP - 0.2 * Dk), x, l.Y(PP + 1.2 * Dk));
    } else {
        c.Line(cx, l.Y(PT), cx, l.Y(base - Hb - 0.3));
        const int reach = px(Dns * 0.5 + 0.6);
        c.Line(cx - reach, yMiddle - k, cx + reach, yMiddle - k);
    }

    LabelPlacer placer(w, h, labels.cell);
    placer.Avoid(c);
    const LevelLabelsOut at = PlaceLevelLabels(labels, placer);
    c.Play(out);
    out.SetFont(HorizontalFont(print));
    DrawLevelLabels(out, labels, at);
}

int PickManhole(const ManholeLayout& l, const ManholeRecord& r, int y)
{
    return PickLevel(l, r.groundLevel, r.waterLevel, r.pipeBottomLevel, y);
}

DragEffect DragManhole(const ManholeLayout& l, int line, int dy, ManholeRecord& r)
{
    if (!l.Usable() || line < 0 || line > 2)
        return DragEffect::None;
    const double move = dy / l.scale;
    double& PT = r.groundLevel;
    double& PP = r.pipeBottomLevel;
    double& ZWG = r.waterLevel;
    switch (line) {
    case ManholeGround:
        PT -= move;
        if (PT - PP < r.minDepth)
            PT = PP + r.minDepth;
        if (PT - PP > r.maxDepth)
            PT = PP + r.maxDepth;
        PT = std::min(PT, l.GroundCap());
        if (ZWG > PT)
            ZWG = PT;
        break;
    case ManholeWater:
        ZWG -= move;
        ZWG = std::min(ZWG, PT);
        ZWG = std::max(ZWG, l.lowest - 1.0);
        break;
    case ManholePipe:
        PP -= move;
        if (PT - PP < r.minDepth)
            PP = PT - r.minDepth;
        if (PT - PP > r.maxDepth)
            PP = PT - r.maxDepth;
        PP = std::min(PP, PT - r.pipeDiameter - 0.5);
        PP = std::max(PP, l.lowest - 1.0);
        break;
    }
    return DragEffect::Inputs;
}

std::unique_ptr<PictureScene> MakeManholeScene(WorkingRecords& working)
{
    return std::make_unique<ManholeScene>(working);
}
