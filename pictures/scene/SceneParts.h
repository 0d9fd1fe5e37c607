// Drawing pieces shared by the section pictures (trench, manhole, tank).
#pragma once

#include "core/report/Canvas.h"
#include "core/report/DisplayList.h"
#include "pictures/scene/PictureScene.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

namespace picture {

constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kWaterBlue = Rgb(0, 0, 255);
constexpr uint32_t kSky = Rgb(224, 240, 255);
constexpr uint32_t kSoil = Rgb(218, 199, 190);
constexpr uint32_t kGreyLine = Rgb(128, 128, 128);
constexpr uint32_t kGround = Rgb(0, 127, 0);
constexpr uint32_t kAxisBlue = Rgb(102, 217, 255);

// The water-table symbol: a blue triangle standing on its apex at (x, y),
// 12k high and 12k wide, and three ever shorter strokes under the line.
inline void WaterSymbol(Canvas& c, int x, int y, int k)
{
    c.SetPen({kWaterBlue, 1});
    c.SetBrush({kWaterBlue});
    const CanvasPoint triangle[] = {{x, y}, {x - 6 * k, y - 12 * k}, {x + 6 * k, y - 12 * k}};
    c.Polygon(triangle);
    c.Line(x - 7 * k, y + 4 * k, x + 7 * k, y + 4 * k);
    c.Line(x - 5 * k, y + 7 * k, x + 5 * k, y + 7 * k);
    c.Line(x - 2 * k, y + 10 * k, x + 2 * k, y + 10 * k);
}

// Ground: soil from the line to the bottom and the line itself twice, one
// pixel apart.
void Ground(Canvas& c, int w, int h, int y);

// A level drawn as dotted ticks along the left and right share of the width
// (a fifth for share 5).
void LevelTicks(Canvas& c, int w, int y, int share);

// The width in pixels a label takes in the picture font of that cell height,
// reckoned from the sans face's advances and never short of them.
int LabelWidth(std::string_view utf8, int cell);

// A box in pixels, right and bottom excluded.
struct LabelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Meets(const LabelBox& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// What the water symbol at (x, y) covers.
inline LabelBox WaterSymbolBox(int x, int y, int k)
{
    return {x - 7 * k, y - 12 * k, x + 7 * k + 1, y + 10 * k + 1};
}

// Puts labels one after another where they cover no label placed before,
// nothing reserved and no line of the drawing they avoid, inside the
// picture, two pixels clear of the lines at its ends (in print, as far in its
// scale): each at the first free one of its places; when none is free, at
// the first free spot along the rows of its places, then along rows ever
// farther from the line the label belongs to, up to two cells away; when
// nothing is free of the lines, where it covers no label; else at its first
// place.
class LabelPlacer {
public:
    LabelPlacer(int w, int h, int cell) : width(w), height(h), cellHeight(cell) {}
    LabelBox Box(CanvasPoint at, std::string_view label) const
    {
        return {at.x, at.y, at.x + LabelWidth(label, cellHeight), at.y + cellHeight};
    }
    void Reserve(const LabelBox& b) { taken.push_back(b); }
    // Keeps labels off every outline the drawing draws: its lines, polylines,
    // polygons and ellipses, the edges of its rectangles and the whole of a
    // dark-filled one.
    void Avoid(const DisplayList& drawing);
    bool Free(const LabelBox& b) const;
    // How far a label keeps clear of the lines at its ends, in pixels.
    int Clearance() const { return std::max(2, cellHeight / 7); }
    // The same, with the lines left out of account when offLines is false.
    bool Free(const LabelBox& b, bool offLines) const;
    // Whether a segment crosses a label placed or a box reserved, or, when it
    // is level, runs on a level line of the drawing.
    bool Blocks(CanvasPoint from, CanvasPoint to) const;
    // lineY: the row of the line the label belongs to; places above it move
    // up, the others down.
    CanvasPoint Place(std::string_view label, std::initializer_list<CanvasPoint> places, int lineY);

private:
    struct Segment {
        double x1, y1, x2, y2, reach;  // reach: half the pen's width
    };
    class Outlines;
    int width, height, cellHeight;
    std::vector<LabelBox> taken;
    std::vector<Segment> lines;
};

// The labels of a section picture's three level lines: the ground's, the
// level drawn as ticks (the pipe's or the tank's), and the water's beside its
// symbol. Each stays where the drawing puts it (x 5 above its line; the
// water's at waterFirstX) unless it would cover a label before it, the symbol
// or a line: then it goes under its line, or to the right.
struct LevelLabelsIn {
    int w = 0, h = 0, cell = 0, k = 1, textOffset = 0;
    int groundY = 0;
    std::string_view groundText = {};
    int levelY = 0;
    std::string_view levelText = {};
    bool water = false;
    int waterY = 0, waterFirstX = 5, symbolX = 0;
    std::string_view waterText = {};
};
struct LevelLabelsOut {
    CanvasPoint ground, level, water;
};
LevelLabelsOut PlaceLevelLabels(const LevelLabelsIn& in, LabelPlacer& placer);

// Draws the three level labels where they were placed, the water's in blue.
void DrawLevelLabels(Canvas& c, const LevelLabelsIn& in, const LevelLabelsOut& at);

}  // namespace picture

namespace picture {

// The screen layout of a section picture: made again when the page marks it
// dirty or the size changes, but never while a drag is under way, so that the
// scene stays still under the mouse. The end of a drag marks it dirty.
template <class Layout>
struct ScreenLayout {
    template <class Make>
    const Layout& Get(int w, int h, Make make)
    {
        if (!dragging && (dirty || w != width || h != height)) {
            layout = make();
            dirty = false;
            width = w;
            height = h;
        }
        return layout;
    }
    void SetDragging(bool on)
    {
        dragging = on;
        if (!on)
            dirty = true;
    }
    Layout layout;
    bool dirty = true;
    bool dragging = false;
    int width = -1, height = -1;
};

// Fits a section scene of l.sceneWidth x l.sceneHeight metres into w x h
// pixels at the largest scale that shows all of it. The height to spare
// widens the bottom margin under the scene's depth (from its reference level
// up to the ground, with one metre above); the width to spare is shared
// equally by its `margins` side margins, each `margin`, beside the widths
// `body` and `body2` it draws across. The scale is 0 when nothing can be
// drawn.
template <class Layout>
void FitToSize(Layout& l, int w, int h, double depth, double body, double body2, int margins, double& margin)
{
    l.scale = std::min(w / l.sceneWidth, h / l.sceneHeight);
    if (!l.Usable() || w <= 0 || h <= 0) {
        l.scale = 0.0;
        return;
    }
    if (h / l.scale > l.sceneHeight) {
        l.bottom = h / l.scale - depth - 1.0;
        l.sceneHeight = depth + 1.0 + l.bottom;
    }
    if (w / l.scale > l.sceneWidth) {
        margin = (w / l.scale - body - body2) / margins;
        l.sceneWidth = body + body2 + margins * margin;
    }
}

// Which of the three levels (ground, water, and the pipe's or the tank's)
// has its line within picking distance of y on the layout: 0, 1, 2, or -1.
// The distance is measured from the row the line is drawn on, so the grab
// zone reaches as far above the line as below it.
template <class Layout>
int PickLevel(const Layout& l, double ground, double water, double third, int y)
{
    if (!l.Usable())
        return -1;
    const double levels[] = {ground, water, third};
    for (int i = 0; i < static_cast<int>(std::size(levels)); ++i)
        if (std::isfinite(levels[i]) && Near(l.Y(levels[i]), y))
            return i;
    return -1;
}

// A section picture of one record: the screen drawing on the layout kept as
// ScreenLayout says, the printout on a layout made afresh at its own size.
// Its lines end at the picture's edges; each scene picks and drags them on
// the screen layout in its own way.
template <class Record, class Layout, Layout (*MakeLayout)(const Record&, int, int),
          void (*Paint)(Canvas&, const Record&, const Layout&, int, int, bool)>
class SectionScene : public PictureScene {
public:
    explicit SectionScene(Record& r) : record(r) {}
    void Draw(Canvas& canvas, int w, int h, bool print) override
    {
        if (print) {
            Paint(canvas, record, MakeLayout(record, w, h), w, h, true);
            return;
        }
        Paint(canvas, record, screen.Get(w, h, [&] { return MakeLayout(record, w, h); }), w, h, false);
    }
    void LayOut(int w, int h) override { screen.Get(w, h, [&] { return MakeLayout(record, w, h); }); }
    bool EndsAtEdge() const override { return true; }
    void SetLayoutDirty() override { screen.dirty = true; }
    void SetDragging(bool on) override { screen.SetDragging(on); }

protected:
    Record& record;
    ScreenLayout<Layout> screen;
};

}  // namespace picture
