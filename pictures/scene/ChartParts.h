// Drawing pieces shared by the two flow charts (gravity filling chart and
// pressure characteristic): colours, the frame, and the flow and velocity
// scales read along the bottom and the top of the chart.
#pragma once

#include "Canvas.h"
#include "Text.h"

namespace picture::chart {

constexpr uint32_t kBackground = Rgb(230, 230, 230);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kBlue = Rgb(90, 90, 255);
constexpr CanvasPen kFramePen{kGrey, 3};
constexpr CanvasPen kGridPen{Rgb(0, 127, 0), 1};

// The background and its frame; texts are grey from here on.
inline void Frame(Canvas& c, int w, int h)
{
    c.SetTextColor(kGrey);
    c.FillRect(0, 0, w, h, kBackground);
    c.SetPen(kFramePen);
    c.SetBrush({kBackground});
    c.Rectangle(0, 0, w, h);
}

// The scales' letters at x left and right: "Q" in red at the bottom, "V" in
// blue at the top.
inline void ScaleLetters(Canvas& c, int left, int right, int h, int t)
{
    c.SetTextColor(kRed);
    c.TextOut(left, h - 2 * t, "Q");
    c.TextOut(right, h - 2 * t, "Q");
    c.SetTextColor(kBlue);
    c.TextOut(left, t, "V");
    c.TextOut(right, t, "V");
}

// One set of vertical lines at the tenths of the flow scale serves both
// scales: each is labelled with its flow at the bottom (red) and with the
// velocity of the same tenth at the top (blue). xOfFlow places a flow.
template <class X>
void FlowVelocityGrid(Canvas& c, int h, int t, int top, double qMax, double vMax, X xOfFlow)
{
    for (int i = 0; i <= 10; ++i) {
        const double s = static_cast<float>(static_cast<float>(i) * 0.1f);
        const int x = xOfFlow(s * qMax);
        c.Line(x, 0, x, h);
        const char* format = i == 0 ? "%.1f" : "%.3f";
        const int lift = i == 0 ? t : t / 3;
        c.SetTextColor(kRed);
        c.TextOut(x - t, h - lift, FormatC(format, s * qMax));
        c.SetTextColor(kBlue);
        c.TextOut(x - t, top - lift, FormatC(format, s * vMax));
    }
}

}  // namespace picture::chart
