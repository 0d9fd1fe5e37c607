// The tank picture: the buried tank lengthwise (shortened with a break when
// long) and in cross-section, with its anchoring slab, straps and ties; the
// ground, water and bottom lines are dragged.
#pragma once

#include "pictures/scene/PictureScene.h"

struct TankRecord;

struct TankLayout {
    double gap = 5.0, top = 1.0, bottom = 2.0;
    double reference = 0.0;   // the foundation level laid out
    double shownLength = 0.0; // Ls
    double sceneWidth = 0.0, sceneHeight = 0.0;
    double scale = 0.0;
    int h = 0;
    bool Usable() const;
    int Y(double level) const;
    // The highest ground level a drag may reach: half a metre below the top.
    double GroundCap() const { return reference - bottom + sceneHeight - top + 0.5; }
};

enum TankLine { TankGround = 0, TankWater = 1, TankBottom = 2 };

TankLayout LayoutTank(const TankRecord& r, int w, int h);
void DrawTank(Canvas& canvas, const TankRecord& r, const TankLayout& layout, int w, int h, bool print);
int PickTank(const TankLayout& layout, const TankRecord& r, int y);
DragEffect DragTank(const TankLayout& layout, int line, int dy, TankRecord& r);
// Straps drawn from each end of a shortened slab (or all of them on a whole
// one), bounded to what fits in the slab and to 1000; 0 for no usable spacing.
int TankStrapCount(double count, double slabLength, double spacing);
std::unique_ptr<PictureScene> MakeTankScene(WorkingRecords& working);
