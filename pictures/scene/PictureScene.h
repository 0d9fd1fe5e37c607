// The schematic pictures without any window: each picture lays its scene out
// from the working record, draws it onto a Canvas, finds the line under the
// mouse and moves it, writing the value back into the record or into the
// page's view state. The picture widgets and the printing tool both use this.
#pragma once

#include "core/report/Canvas.h"
#include "core/report/PrintData.h"

#include <memory>
#include <string>

struct WorkingRecords;

// The pressure-flow page's operating point, which its characteristic shows
// and drags.
struct PressureOperatingPoint {
    double head = 0.0;            // m
    double gradient = 0.0;        // energy-line drop, per mille
    double velocity = 0.0;        // m/s
    double flow = 0.0;            // m3/s
    double headDifference = 0.0;  // m
};

// The state a page keeps for its picture besides the working record.
struct PictureView {
    // Gravity-flow page: the operating line and what the table gives there.
    double opFilling = 0.0;
    double opVelocity = 0.0;
    double opFlow = 0.0;
    // Pressure-flow page.
    PressureOperatingPoint pressure;
    int chartChoice = 0;  // 0 characteristic, 1 pressure range
};

// What a drag step changed, so that the page can follow it.
enum class DragEffect {
    None,       // nothing was written
    ViewState,  // the page's view state (operating point) changed
    Inputs,     // the working record's input levels changed
};

class PictureScene {
public:
    virtual ~PictureScene() = default;
    // Draws the whole scene at w x h. A screen drawing keeps its layout for
    // the mouse; a print drawing (ten times the size, print fonts and pens)
    // lays out on its own and leaves the screen layout alone.
    virtual void Draw(Canvas& canvas, int w, int h, bool print) = 0;
    // Lays the screen scene out at w x h as the next screen drawing would, so
    // that a press that comes before that drawing (just after a resize) picks
    // the lines where they are about to be drawn.
    virtual void LayOut(int w, int h) = 0;
    // The draggable line within 5 pixels of row y in the last screen drawing,
    // the first in the picture's order; -1 when none.
    virtual int Pick(int y) const = 0;
    // Moves the picked line by dy pixels (down is positive), clamps it and
    // writes it back.
    virtual DragEffect Drag(int line, int dy) = 0;
    // Whether a drag ends when the mouse comes within 2 pixels of the edge.
    virtual bool EndsAtEdge() const { return false; }
    // The page recalculated: lay the scene out again at the next drawing
    // (held back while a drag is under way).
    virtual void SetLayoutDirty() {}
    // A drag starts or ends; the layout stays fixed in between.
    virtual void SetDragging(bool dragging) { (void)dragging; }
};

// The size in pixels of a page's picture control: the tank's long view is
// wider than the others, the gravity-flow chart smaller.
struct PictureSize {
    int width;
    int height;
};
PictureSize PictureControlSize(int kind);

namespace picture {

// Text offset above a line and fonts of the screen and print drawings.
inline int TextOffset(bool print) { return print ? 100 : 14; }
inline CanvasFont HorizontalFont(bool print) { return {print ? 100 : 14, 0}; }
inline CanvasFont VerticalFont(bool print) { return {print ? 90 : 12, 900}; }

// How near a click must come to a line to pick it, in pixels.
constexpr int kPickDistance = 5;
inline bool Near(int lineY, int y) { return lineY - y < kPickDistance && y - lineY < kPickDistance; }

// A language text in UTF-8.
std::string Text(int languageOffset, int key);

}  // namespace picture
