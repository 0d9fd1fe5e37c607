// The trench picture: the buried pipe's cross-section in its trench under the
// ground and water levels; the ground, water and pipe lines are dragged.
#pragma once

#include "pictures/scene/PictureScene.h"

struct BuriedPipeRecord;

struct TrenchLayout {
    double side = 2.0, top = 1.0, bottom = 2.0;
    double sceneWidth = 0.0, sceneHeight = 0.0;
    double reference = 0.0;  // the foundation level laid out
    double groundTop = 0.0;  // the ground level laid out
    double scale = 0.0;      // pixels per metre
    int h = 0;
    bool Usable() const;
    int Y(double level) const;  // drawn and picked row (rounded)
};

enum TrenchLine { TrenchGround = 0, TrenchWater = 1, TrenchPipe = 2 };

TrenchLayout LayoutTrench(const BuriedPipeRecord& r, int w, int h);
void DrawTrench(Canvas& canvas, const BuriedPipeRecord& r, const TrenchLayout& layout, int w, int h, bool print);
int PickTrench(const TrenchLayout& layout, const BuriedPipeRecord& r, int y);
// The least cover the page accepts, m.
double TrenchMinCover(const BuriedPipeRecord& r, bool extendedCatalogue);
DragEffect DragTrench(const TrenchLayout& layout, int line, int dy, BuriedPipeRecord& r, bool extendedCatalogue);
// extendedCatalogue is read at every drag, so a change of the mode is followed.
std::unique_ptr<PictureScene> MakeTrenchScene(WorkingRecords& working, const int& extendedCatalogue);
