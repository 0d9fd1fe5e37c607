// The gravity-flow picture: flow and velocity against the filling of the pipe,
// with the calculated filling and the operating line the user drags.
#pragma once

#include "pictures/scene/PictureScene.h"

class CGravityFlowCalculator;
struct GravityFlowRecord;

struct GravityLayout {
    double py = 0.0;    // pixels per filling unit
    double vMax = 0.5;  // velocity scale, m/s
    double qMax = 0.01; // flow scale, m3/s
    double mV = 0.0, pv = 0.0;
    double mQ = 0.0, pq = 0.0;
    int h = 0;
    bool Usable() const;
    int Y(double filling) const;
    int XV(double v) const;
    int XQ(double q) const;
};

// The scale maxima from the calculator's table as it stands.
double GravityVelocityMax(const CGravityFlowCalculator& calc);
double GravityFlowMax(const CGravityFlowCalculator& calc);
GravityLayout LayoutGravity(const CGravityFlowCalculator& calc, int w, int h);
void DrawGravity(Canvas& canvas, const GravityFlowRecord& record, const CGravityFlowCalculator& calc,
                 const PictureView& view, const GravityLayout& layout, int w, int h, bool print);
// 0 (the operating line) or -1.
int PickGravity(const GravityLayout& layout, const PictureView& view, int y);
DragEffect DragGravity(const GravityLayout& layout, int dy, const GravityFlowRecord& record,
                       const CGravityFlowCalculator& calc, PictureView& view);
std::unique_ptr<PictureScene> MakeGravityScene(WorkingRecords& working, const CGravityFlowCalculator& calc,
                                               PictureView& view);
