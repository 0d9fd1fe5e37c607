// Drawing pieces shared by the two flow charts (gravity filling chart and
// pressure characteristic) and the pressure-range chart: colours, the frame,
// the flow and velocity scales read along the bottom and the top of the
// chart, and the texts, which the chart's lines never strike through.
//
// A chart draws its grid first, then the lines it plots over the grid, then
// its texts: a scale label on a plate of the background, behind which a
// plotted line passes; a curve's letter and an axis title where no plotted
// line and no other text runs.
#pragma once

#include "core/base/Text.h"
#include "core/report/Canvas.h"
#include "pictures/scene/SceneParts.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace picture::chart {

constexpr uint32_t kBackground = Rgb(230, 230, 230);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kBlue = Rgb(90, 90, 255);
constexpr CanvasPen kFramePen{kGrey, 3};
constexpr CanvasPen kGridPen{Rgb(0, 127, 0), 1};
constexpr uint32_t kTitleColour = Rgb(64, 64, 64);

// The i-th tenth of a scale, as the grid and its labels place it.
inline double Tenth(int i)
{
    return static_cast<float>(static_cast<float>(i) * 0.1f);
}

// How many of the decimals asked a column of labels keeps so that its
// widest value, largest, fits in room pixels at that cell height; none when
// even that does not fit.
inline int FittedDecimals(double largest, int decimals, int room, int cell)
{
    while (decimals > 0 && LabelWidth(FormatC("%.*f", decimals, largest), cell) > room)
        --decimals;
    return decimals;
}

// What a text at (x, y) covers in that font: a vertical text runs upward
// from (x, y).
inline LabelBox TextBox(int x, int y, std::string_view text, const CanvasFont& font)
{
    const int width = LabelWidth(text, font.height);
    if (font.escapement == 900)
        return {x, y - width, x + font.height, y};
    return {x, y, x + width, y + font.height};
}

// An area of the chart in a colour of its own.
struct Zone {
    LabelBox box;
    uint32_t rgb;
};

// The texts of one chart: each kept in the placer, so that a curve's letter
// and an axis title go where no plotted line, no other text and not the
// frame runs.
class ChartTexts {
public:
    // lines: the lines plotted over the grid, which the texts keep clear of.
    ChartTexts(Canvas& canvas, int w, int h, int cell, const DisplayList& lines)
        : c(canvas), placer(w, h, cell), width(w), height(h)
    {
        placer.Avoid(lines);
        const int edge = kFramePen.width;
        for (const LabelBox& b : {LabelBox{0, 0, w, edge}, LabelBox{0, h - edge, w, h}, LabelBox{0, 0, edge, h},
                                  LabelBox{w - edge, 0, w, h}})
            placer.Reserve(b);
    }

    // A scale label on a plate of the background, in the font and colour
    // selected. A label beside the frame has its plate reach the frame, so
    // that no stub of a line passing behind it is left between the two.
    void Label(int x, int y, std::string_view text, const CanvasFont& font, bool toFrame = false)
    {
        const LabelBox b = TextBox(x, y, text, font);
        const int edge = kFramePen.width / 2 + 1;
        const bool left = b.left < width - b.right;
        c.FillRect(toFrame && left ? edge : b.left, b.top, toFrame && !left ? width - edge : b.right, b.bottom,
                   kBackground);
        c.TextOut(x, y, text);
        placer.Reserve(b);
    }

    // A text where no plotted line reaches (the scales' letters, the
    // pressure-range chart's labels in its margins).
    void Plain(int x, int y, std::string_view text, const CanvasFont& font)
    {
        c.TextOut(x, y, text);
        placer.Reserve(TextBox(x, y, text, font));
    }

    // A curve's letter in the font and colour selected, on a plate that
    // hides the grid, beside the curve's points from the point asked
    // outward: below and to the right of a point, else above and to its
    // left, gap pixels away. Where no place is clear of the plotted lines,
    // at the first that covers no other text, else at the first moved
    // inside the picture.
    void CurveLetter(std::span<const CanvasPoint> points, std::size_t first, int gap, std::string_view letter,
                     const CanvasFont& font)
    {
        if (points.empty())
            return;
        first = std::min(first, points.size() - 1);
        const int w = LabelWidth(letter, font.height);
        std::vector<CanvasPoint> places;
        auto beside = [&](CanvasPoint p) {
            places.push_back({p.x + gap, p.y});
            places.push_back({p.x - gap - w, p.y - font.height});
        };
        for (std::size_t d = 0; d < points.size(); ++d) {
            if (first + d < points.size())
                beside(points[first + d]);
            if (d > 0 && d <= first)
                beside(points[first - d]);
        }
        Put(Find(places, letter, font), letter, font, {});
    }

    // An axis title in dark grey standing at `first` inside the plot, on a
    // plate that hides the grid under it but keeps the colour of each zone
    // it lies on. It goes to the first place clear of the plotted lines and
    // the other texts: along its axis (the rows of a vertical title, the
    // columns of a horizontal one) from `first` outward, then the same on
    // lines moved farther into the plot, the way inward's sign gives, up to
    // a fifth of the plot. Where none is clear, it takes a face down to
    // three quarters of its own; where still none is, it stays in its own
    // face where it covers no other text, its plate hiding the lines there.
    void Title(CanvasPoint first, int inward, std::string_view text, const CanvasFont& font, const LabelBox& plot,
               std::span<const Zone> zones = {})
    {
        c.SetTextColor(kTitleColour);
        const int smaller = std::max(1, font.height / 12);
        for (CanvasFont face = font; 4 * face.height >= 3 * font.height; face.height -= smaller)
            if (const std::vector<CanvasPoint> places = TitlePlaces(first, inward, text, face, plot);
                std::optional<CanvasPoint> at = Find(places, text, face, true)) {
                c.SetFont(face);
                Put(*at, text, face, zones);
                return;
            }
        c.SetFont(font);
        Put(Find(TitlePlaces(first, inward, text, font, plot), text, font), text, font, zones);
    }

private:
    std::vector<CanvasPoint> TitlePlaces(CanvasPoint first, int inward, std::string_view text, const CanvasFont& font,
                                         const LabelBox& plot) const
    {
        const bool upward = font.escapement == 900;
        const int length = LabelWidth(text, font.height), step = std::max(1, font.height / 4);
        const int low = upward ? plot.top + length : plot.left;
        const int high = std::max(low, upward ? plot.bottom : plot.right - length);
        const int along = std::clamp(upward ? first.y : first.x, low, high);
        std::vector<int> positions{along};
        for (int d = step; along - d >= low || along + d <= high; d += step) {
            if (along + d <= high)
                positions.push_back(along + d);
            if (along - d >= low)
                positions.push_back(along - d);
        }
        std::vector<CanvasPoint> places;
        for (int moved = 0; moved <= (upward ? plot.right - plot.left : plot.bottom - plot.top) / 5; moved += step)
            for (int p : positions)
                places.push_back(upward ? CanvasPoint{first.x + (inward < 0 ? -moved : moved), p}
                                        : CanvasPoint{p, first.y + (inward < 0 ? -moved : moved)});
        return places;
    }

    // The first place where the text is clear of the plotted lines and the
    // other texts, or with offLines false also where it covers no other
    // text. A vertical text keeps as clear of the lines at its ends as the
    // placer keeps a level one at its own.
    std::optional<CanvasPoint> Find(std::span<const CanvasPoint> places, std::string_view text,
                                    const CanvasFont& font, bool offLines) const
    {
        const int clear = font.escapement == 900 ? placer.Clearance() : 0;
        for (CanvasPoint p : places) {
            LabelBox b = TextBox(p.x, p.y, text, font);
            b.top -= clear;
            b.bottom += clear;
            if (placer.Free(b, offLines))
                return p;
        }
        return std::nullopt;
    }

    // The first place clear of everything, else of the other texts, else the
    // first place moved inside the picture.
    CanvasPoint Find(std::span<const CanvasPoint> places, std::string_view text, const CanvasFont& font) const
    {
        if (std::optional<CanvasPoint> at = Find(places, text, font, true))
            return *at;
        if (std::optional<CanvasPoint> at = Find(places, text, font, false))
            return *at;
        CanvasPoint at = places.front();
        const LabelBox b = TextBox(at.x, at.y, text, font);
        at.x += std::max(0, -b.left) - std::max(0, b.right - width);
        at.y += std::max(0, -b.top) - std::max(0, b.bottom - height);
        return at;
    }

    void Put(CanvasPoint at, std::string_view text, const CanvasFont& font, std::span<const Zone> zones)
    {
        const LabelBox b = TextBox(at.x, at.y, text, font);
        c.FillRect(b.left, b.top, b.right, b.bottom, kBackground);
        for (const Zone& z : zones) {
            const LabelBox part{std::max(b.left, z.box.left), std::max(b.top, z.box.top),
                                std::min(b.right, z.box.right), std::min(b.bottom, z.box.bottom)};
            if (part.left < part.right && part.top < part.bottom)
                c.FillRect(part.left, part.top, part.right, part.bottom, z.rgb);
        }
        c.TextOut(at.x, at.y, text);
        placer.Reserve(b);
    }

    Canvas& c;
    LabelPlacer placer;
    int width, height;
};

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
inline void ScaleLetters(Canvas& c, ChartTexts& texts, const CanvasFont& font, int left, int right, int h, int t,
                         int topLabel)
{
    c.SetTextColor(kRed);
    texts.Plain(left, h - 2 * t, "Q", font);
    texts.Plain(right, h - 2 * t, "Q", font);
    c.SetTextColor(kBlue);
    const int top = std::max(3, std::min(t, topLabel - t));
    texts.Plain(left, top, "V", font);
    texts.Plain(right, top, "V", font);
}

// The grid of a flow chart: a level line at each tenth of its height scale
// (yOfTenth places a tenth of the scale), and one set of vertical lines at the
// tenths of the flow scale, which serves both horizontal scales (xOfFlow
// places a flow).
template <class Y, class X>
void Grid(Canvas& c, int w, int h, Y yOfTenth, double qMax, X xOfFlow)
{
    c.SetPen(kGridPen);
    for (int i = 0; i <= 10; ++i)
        c.Line(0, yOfTenth(Tenth(i)), w, yOfTenth(Tenth(i)));
    for (int i = 0; i <= 10; ++i) {
        const int x = xOfFlow(Tenth(i) * qMax);
        c.Line(x, 0, x, h);
    }
}

// Each vertical line is labelled with its flow at the bottom (red) and with
// the velocity of the same tenth at the top (blue), in the vertical font,
// each in the margin between the plot and the picture's edge (with fewer
// decimals where the margin is short).
template <class X>
void FlowVelocityLabels(Canvas& c, ChartTexts& texts, int h, int t, const CanvasFont& font, int top, double qMax,
                        double vMax, X xOfFlow)
{
    c.SetFont(font);
    for (int i = 0; i <= 10; ++i) {
        const double s = Tenth(i);
        const int x = xOfFlow(s * qMax);
        const int lift = i == 0 ? t : t / 3;
        const int room = top - lift - 2;
        const int qDecimals = std::min(i == 0 ? 1 : 3, FittedDecimals(qMax, 3, room, font.height));
        const int vDecimals = std::min(i == 0 ? 1 : 3, FittedDecimals(vMax, 3, room, font.height));
        c.SetTextColor(kRed);
        texts.Label(x - t, h - lift, FormatC("%.*f", qDecimals, s * qMax), font);
        c.SetTextColor(kBlue);
        texts.Label(x - t, top - lift, FormatC("%.*f", vDecimals, s * vMax), font);
    }
}

}  // namespace picture::chart
