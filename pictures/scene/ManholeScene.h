// The manhole picture: the vertical section of the manhole under the ground and
// water levels; the ground, water and collector lines are dragged.
#pragma once

#include "pictures/scene/PictureScene.h"

struct ManholeRecord;

struct ManholeLayout {
    double side = 2.0, top = 1.0, bottom = 2.0;
    double sceneWidth = 0.0, sceneHeight = 0.0;
    double lowest = 0.0;  // Lb: the collector level less the ballast height
    double scale = 0.0;
    int h = 0;
    bool Usable() const;
    int Y(double level) const;
    // The highest ground level a drag may reach: half a metre below the top.
    double GroundCap() const { return lowest + sceneHeight - top - bottom + 0.5; }
};

enum ManholeLine { ManholeGround = 0, ManholeWater = 1, ManholePipe = 2 };

ManholeLayout LayoutManhole(const ManholeRecord& r, int w, int h);
void DrawManhole(Canvas& canvas, const ManholeRecord& r, const ManholeLayout& layout, int w, int h, bool print);
int PickManhole(const ManholeLayout& layout, const ManholeRecord& r, int y);
DragEffect DragManhole(const ManholeLayout& layout, int line, int dy, ManholeRecord& r);
std::unique_ptr<PictureScene> MakeManholeScene(WorkingRecords& working);
