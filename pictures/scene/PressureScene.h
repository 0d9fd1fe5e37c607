// The pressure-flow pictures: the characteristic (head loss against flow and
// velocity, with the operating line the user drags) and the pressure-range
// chart with its admissible box.
#pragma once

#include "pictures/scene/PictureScene.h"

class CPressureFlowCalculator;
struct PressureFlowRecord;

struct PressureLayout {
    double vAxis = 1.0, qAxis = 0.01f, hMax = 0.1f;
    double my = 0.0, mxV = 0.0, mxQ = 0.0;
    double xsV = 0.0, xsQ = 0.0, ys = 0.0;
    double dragLow = 1e-4f, dragHigh = 1e-4f;
    int h = 0;
    bool Usable() const;
    int Y(double head) const;
    int XV(double v) const;
    int XQ(double q) const;
};

// The axis maxima of the characteristic from the calculator's last point.
double PressureVelocityAxis(double velocity);
double PressureFlowAxis(double flow);
PressureLayout LayoutCharacteristic(const CPressureFlowCalculator& calc, int w, int h);
// The axis titles in the language of languageOffset.
void DrawCharacteristic(Canvas& canvas, const PressureFlowRecord& record, const CPressureFlowCalculator& calc,
                        int languageOffset, const PictureView& view, const PressureLayout& layout, int w, int h,
                        bool print);
void DrawPressureChart(Canvas& canvas, const PressureFlowRecord& record, int languageOffset, int w, int h, bool print);
// 0 (the operating line) or -1; only on the characteristic.
int PickPressure(const PressureLayout& layout, const PictureView& view, int y);
DragEffect DragPressure(const PressureLayout& layout, int dy, const PressureFlowRecord& record,
                        const CPressureFlowCalculator& calc, PictureView& view);
// languageOffset is read at every drawing, so the titles follow a switch of
// the language.
std::unique_ptr<PictureScene> MakePressureScene(WorkingRecords& working, const CPressureFlowCalculator& calc,
                                                const int& languageOffset, PictureView& view);
