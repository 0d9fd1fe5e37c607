// Drawing pieces shared by the two flow charts (gravity filling chart and
// pressure characteristic): colours, the frame, and the flow and velocity
// scales read along the bottom and the top of the chart.
#pragma once

#include "base/Text.h"
#include "report/Canvas.h"
#include "SceneParts.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace picture::chart {

constexpr uint32_t kBackground = Rgb(230, 230, 230);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kBlue = Rgb(90, 90, 255);
constexpr CanvasPen kFramePen{kGrey, 3};
constexpr CanvasPen kGridPen{Rgb(0, 127, 0), 1};
constexpr uint32_t kTitleColour = Rgb(64, 64, 64);

// How many of the decimals asked a column of labels keeps so that its
// widest value, largest, fits in room pixels at that cell height; none when
// even that does not fit.
inline int FittedDecimals(double largest, int decimals, int room, int cell)
{
    while (decimals > 0 && LabelWidth(FormatC("%.*f", decimals, largest), cell) > room)
        --decimals;
    return decimals;
}

// An axis title in dark grey on a plate of the background, so that neither
// the grid nor the red areas run through it. A vertical title runs upward
// from (x, y) and is kept whole inside the picture.
inline void Title(Canvas& c, int x, int y, std::string_view text, const CanvasFont& font, int h)
{
    const int width = LabelWidth(text, font.height);
    if (font.escapement == 900) {
        y = std::max(std::min(y, h - 3), width + 3);
        c.FillRect(x, y - width, x + font.height, y, kBackground);
    } else {
        c.FillRect(x, y, x + width, y + font.height, kBackground);
    }
    c.SetFont(font);
    c.SetTextColor(kTitleColour);
    c.TextOut(x, y, text);
}

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
// blue at the top, raised clear of the label of the top grid line, whose top
// is at topLabel.
inline void ScaleLetters(Canvas& c, int left, int right, int h, int t, int topLabel)
{
    c.SetTextColor(kRed);
    c.TextOut(left, h - 2 * t, "Q");
    c.TextOut(right, h - 2 * t, "Q");
    c.SetTextColor(kBlue);
    const int top = std::max(3, std::min(t, topLabel - t));
    c.TextOut(left, top, "V");
    c.TextOut(right, top, "V");
}

// One set of vertical lines at the tenths of the flow scale serves both
// scales: each is labelled with its flow at the bottom (red) and with the
// velocity of the same tenth at the top (blue), in the vertical font of that
// cell height, each in the margin between the plot and the picture's edge
// (with fewer decimals where the margin is short). xOfFlow places a flow.
template <class X>
void FlowVelocityGrid(Canvas& c, int h, int t, int cell, int top, double qMax, double vMax, X xOfFlow)
{
    for (int i = 0; i <= 10; ++i) {
        const double s = static_cast<float>(static_cast<float>(i) * 0.1f);
        const int x = xOfFlow(s * qMax);
        c.Line(x, 0, x, h);
        const int lift = i == 0 ? t : t / 3;
        const int room = top - lift - 2;
        const int qDecimals = std::min(i == 0 ? 1 : 3, FittedDecimals(qMax, 3, room, cell));
        const int vDecimals = std::min(i == 0 ? 1 : 3, FittedDecimals(vMax, 3, room, cell));
        c.SetTextColor(kRed);
        c.TextOut(x - t, h - lift, FormatC("%.*f", qDecimals, s * qMax));
        c.SetTextColor(kBlue);
        c.TextOut(x - t, top - lift, FormatC("%.*f", vDecimals, s * vMax));
    }
}

}  // namespace picture::chart
