#include "pictures/scene/PressureScene.h"

#include "core/calc/PressureFlowCalculator.h"
#include "core/project/WorkingRecords.h"
#include "core/base/Text.h"
#include "pictures/scene/ChartParts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double kHeadMargin = 0.2f;
constexpr double kAxisMargin = 0.15f;
constexpr double kLowestHead = 1e-4f;
constexpr double kWaterDensity = 999.7f;

using namespace picture::chart;
using picture::LabelBox;

constexpr CanvasPen kBluePen{kBlue, 3};
constexpr CanvasPen kRedPen{kRed, 3};
constexpr CanvasPen kHeadLossPen{Rgb(127, 127, 0), 1};
constexpr CanvasPen kOperatingPen{Rgb(127, 127, 0), 1, PenStyle::Dot};

const double* LastPoint(const CPressureFlowCalculator& calc)
{
    const int n = std::clamp(calc.pointCount, 1, CPressureFlowCalculator::kPoints);
    return calc.points[n - 1];
}

class PressureScene final : public PictureScene {
public:
    PressureScene(WorkingRecords& w, const CPressureFlowCalculator& c, const int& offset, PictureView& v)
        : working(w), calc(c), languageOffset(offset), view(v)
    {
    }
    void Draw(Canvas& canvas, int w, int h, bool print) override
    {
        // The printout always carries the characteristic.
        if (view.chartChoice == 1 && !print) {
            DrawPressureChart(canvas, working.pressureFlow, languageOffset, w, h, print);
            return;
        }
        const PressureLayout layout = LayoutCharacteristic(calc, w, h);
        if (!print)
            screen = layout;
        DrawCharacteristic(canvas, working.pressureFlow, calc, languageOffset, view, layout, w, h, print);
    }
    void LayOut(int w, int h) override { screen = LayoutCharacteristic(calc, w, h); }
    int Pick(int y) const override { return PickPressure(screen, view, y); }
    DragEffect Drag(int line, int dy) override
    {
        if (line != 0 || view.chartChoice != 0)
            return DragEffect::None;
        return DragPressure(screen, dy, working.pressureFlow, calc, view);
    }

private:
    WorkingRecords& working;
    const CPressureFlowCalculator& calc;
    const int& languageOffset;
    PictureView& view;
    PressureLayout screen;
};

}  // namespace

bool PressureLayout::Usable() const
{
    return AllDrawable({xsV, xsQ, ys}) && xsV > 0.0 && xsQ > 0.0 && ys > 0.0;
}

int PressureLayout::Y(double head) const { return h - TruncPx((head + my) * ys); }
int PressureLayout::XV(double v) const { return TruncPx((v + mxV) * xsV); }
int PressureLayout::XQ(double q) const { return TruncPx((q + mxQ) * xsQ); }

double PressureVelocityAxis(double velocity)
{
    for (double a : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
        if (a > velocity)
            return a;
    return 100.0;
}

double PressureFlowAxis(double flow)
{
    for (double a : {static_cast<double>(0.01f), 0.02, static_cast<double>(0.05f), static_cast<double>(0.1f),
                     static_cast<double>(0.2f), 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
        if (a > flow)
            return a;
    return 100.0;
}

PressureLayout LayoutCharacteristic(const CPressureFlowCalculator& calc, int w, int h)
{
    const double* last = LastPoint(calc);
    PressureLayout l;
    l.h = h;
    // A point that is not a number puts the axes at their smallest.
    const double v = std::isfinite(last[CPressureFlowCalculator::PtVelocity]) ? last[CPressureFlowCalculator::PtVelocity] : 0.0;
    const double q = std::isfinite(last[CPressureFlowCalculator::PtFlow]) ? last[CPressureFlowCalculator::PtFlow] : 0.0;
    const double head = last[CPressureFlowCalculator::PtHead];
    l.vAxis = PressureVelocityAxis(v);
    l.qAxis = PressureFlowAxis(q);
    l.hMax = std::isfinite(head) && head > 0.1f ? std::min(head, 1.0e9) : static_cast<double>(0.1f);
    l.dragHigh = l.hMax - kLowestHead;
    l.my = kHeadMargin * l.hMax;
    l.mxV = kAxisMargin * l.vAxis;
    l.mxQ = kAxisMargin * l.qAxis;
    l.xsV = w / (l.vAxis + 2.0 * l.mxV);
    l.xsQ = w / (l.qAxis + 2.0 * l.mxQ);
    l.ys = h / (l.hMax + 2.0 * l.my);
    return l;
}

void DrawCharacteristic(Canvas& c, const PressureFlowRecord& r, const CPressureFlowCalculator& calc, int languageOffset,
                        const PictureView& view, const PressureLayout& l, int w, int h, bool print)
{
    const int t = picture::TextOffset(print);
    const CanvasFont face = picture::HorizontalFont(print), vertical = picture::VerticalFont(print);
    Frame(c, w, h);
    if (!l.Usable())
        return;

    // The grid: the tenths of the head, and one set of vertical lines for
    // both horizontal scales.
    Grid(c, w, h, [&](double s) { return l.Y(s * l.hMax); }, l.qAxis, [&](double q) { return l.XQ(q); });
    const int top = TruncPx(l.my * l.ys);

    // The lines plotted over it. The curves only where the calculator holds
    // a characteristic.
    DisplayList lines;
    const int n = std::clamp(calc.pointCount, 1, CPressureFlowCalculator::kPoints);
    const double* last = LastPoint(calc);
    const bool curves = r.head.resultValid == 1 && last[CPressureFlowCalculator::PtFlow] > 0.0 &&
                        std::isfinite(last[CPressureFlowCalculator::PtFlow]);
    std::vector<CanvasPoint> velocity, flow;
    if (curves) {
        auto curve = [&](const CanvasPen& pen, int quantity, std::vector<CanvasPoint>& pts, auto x) {
            for (int j = 0; j < n; ++j) {
                const double head = calc.points[j][CPressureFlowCalculator::PtHead];
                const double value = calc.points[j][quantity];
                if (AllDrawable({head, value}))
                    pts.push_back({x(value), l.Y(head)});
            }
            lines.SetPen(pen);
            lines.Polyline(pts);
        };
        curve(kBluePen, CPressureFlowCalculator::PtVelocity, velocity, [&](double v) { return l.XV(v); });
        curve(kRedPen, CPressureFlowCalculator::PtFlow, flow, [&](double q) { return l.XQ(q); });
    }
    if (r.headLoss > 0.0 && std::isfinite(r.headLoss)) {
        lines.SetPen(kHeadLossPen);
        lines.Line(1, l.Y(r.headLoss), w - 1, l.Y(r.headLoss));
        if (std::isfinite(view.pressure.head)) {
            lines.SetPen(kOperatingPen);
            lines.Line(1, l.Y(view.pressure.head), w - 1, l.Y(view.pressure.head));
        }
    }
    if (r.velocityInput < l.vAxis && std::isfinite(r.velocityInput)) {
        lines.SetPen(kFramePen);
        const int x = l.XV(r.velocityInput);
        lines.Line(x, h - top, x, top);
    }
    lines.Play(c);

    // Heads on the left, with the energy-line drop at each on the right,
    // each label keeping to its margin with fewer decimals where it is short.
    ChartTexts texts(c, w, h, face.height, lines);
    c.SetFont(face);
    const int marginV = TruncPx(l.mxV * l.xsV);
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * l.mxV * l.xsV);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * l.mxV * l.xsV);
    const int headDecimals = FittedDecimals(l.hMax, l.hMax >= 1.0 ? 2 : 3, marginV - labelLeft - 1, face.height);
    const double largestDrop = 1000.0 * l.hMax / r.length;
    const int dropDecimals = FittedDecimals(largestDrop, 2, w - 3 - labelRight, face.height);
    // Drops too long for the margin even whole take a smaller face there.
    CanvasFont dropFace = face;
    while (std::isfinite(largestDrop) && dropFace.height > 1 &&
           picture::LabelWidth(FormatC("%.*f", dropDecimals, largestDrop), dropFace.height) > w - 3 - labelRight)
        --dropFace.height;
    for (int i = 0; i <= 10; ++i) {
        const double H = Tenth(i) * l.hMax;
        const int y = l.Y(H);
        texts.Label(labelLeft, y - t, FormatC("%.*f", headDecimals, H), face, true);
        const double drop = i * 100.0 * l.hMax / r.length;
        if (!std::isfinite(drop))
            continue;
        if (dropFace != face)
            c.SetFont(dropFace);
        texts.Label(labelRight, y - t, FormatC("%.*f", dropDecimals, drop), dropFace, true);
        if (dropFace != face)
            c.SetFont(face);
    }

    const int right = w - TruncPx(static_cast<double>(1.2f) * t);
    ScaleLetters(c, texts, face, t / 2, right, h, t, l.Y(l.hMax) - t);
    FlowVelocityLabels(c, texts, h, t, vertical, top, l.qAxis, l.vAxis, [&](double q) { return l.XQ(q); });

    // The axis titles beside the first and the last vertical line, about
    // the middle of the height, moved up or down clear of the plotted lines,
    // else farther into the plot.
    const LabelBox plot{marginV, top, w - marginV, h - top};
    texts.Title({marginV + 2, h / 2 + 3 * t}, 1, picture::Text(languageOffset, 20266), vertical, plot);
    texts.Title({w - marginV - t, h / 2 + 4 * t}, -1, picture::Text(languageOffset, 20267), vertical, plot);
    // The curves' letters where the titles leave room.
    if (curves) {
        c.SetFont(face);
        c.SetTextColor(kBlue);
        texts.CurveLetter(velocity, 2 * CPressureFlowCalculator::kPoints / 3, t / 2, "V", face);
        c.SetTextColor(kRed);
        texts.CurveLetter(flow, 3 * CPressureFlowCalculator::kPoints / 4, t / 2, "Q", face);
    }
}

void DrawPressureChart(Canvas& c, const PressureFlowRecord& r, int languageOffset, int w, int h, bool print)
{
    const int t = picture::TextOffset(print);
    Frame(c, w, h);
    // Without a nominal pressure the chart has no scale: background and frame only.
    const double P = r.nominalPressure * 100.0;
    if (!std::isfinite(P) || P <= 0.0 || w <= 0 || h <= 0)
        return;
    const double my = kHeadMargin * P, mx = kAxisMargin * P;
    const double xs = w / (1.3 * P), ys = h / (1.4 * P);
    auto X = [&](double s) { return TruncPx((s + mx) * xs); };
    auto Y = [&](double e) { return h - TruncPx((e + my) * ys); };

    // Everything outside the admissible box is red.
    std::vector<Zone> red;
    const bool box = AllDrawable({r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax});
    if (box) {
        const int x1 = X(r.startPressureMin), x2 = X(r.startPressureMax);
        const int yTop = Y(r.endPressureMax), yBottom = Y(r.endPressureMin);
        c.SetPen(kRedPen);
        c.SetBrush({kRed});
        for (const LabelBox& b :
             {LabelBox{0, 0, x1, h}, LabelBox{x2, 0, w, h}, LabelBox{x1, 0, x2, yTop}, LabelBox{x1, yBottom, x2, h}}) {
            c.Rectangle(b.left, b.top, b.right, b.bottom);
            // As far as its outline reaches.
            red.push_back({{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}, kRed});
        }
    }

    // The admissible segment, which the titles keep clear of.
    DisplayList lines;
    if (r.head.resultValid == 1 && box) {
        lines.SetPen(kBluePen);
        lines.Line(X(r.startPressureMin), Y(r.endPressureMin), X(r.startPressureMax), Y(r.endPressureMax));
    }

    c.SetPen(kGridPen);
    c.SetFont(picture::HorizontalFont(print));
    c.SetTextColor(kGrey);
    // Each label keeps to its margin, with fewer decimals where it is short;
    // no plotted line runs there.
    const CanvasFont vertical = picture::VerticalFont(print), horizontal = picture::HorizontalFont(print);
    ChartTexts texts(c, w, h, horizontal.height, lines);
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * mx * xs);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * mx * xs);
    const int top = TruncPx(my * ys);
    const int barDecimals = FittedDecimals(0.1 * P, 2, w - 3 - labelRight, horizontal.height);
    const int topDecimals = FittedDecimals(0.1 * P, 2, top - t / 3 - 2, vertical.height);
    for (int i = 0; i <= 10; ++i) {
        const double E = Tenth(i) * P;
        const double bar = static_cast<float>(static_cast<float>(i) * 0.01f) * P;
        const int y = Y(E);
        c.Line(0, y, w, y);
        texts.Plain(labelLeft, y - t, FormatC("%.0f", E), horizontal);
        texts.Plain(labelRight, y - t, FormatC("%.*f", barDecimals, bar), horizontal);
    }
    const int marginX = TruncPx(mx * xs);
    c.SetFont(vertical);
    for (int i = 0; i <= 10; ++i) {
        const double S = Tenth(i) * P;
        const double bar = static_cast<float>(static_cast<float>(i) * 0.01f) * P;
        const int x = X(S);
        c.Line(x, 0, x, h);
        texts.Plain(x - t, h - t, FormatC("%.0f", S), vertical);
        // The bar values run up from just above the plot, whole below the top edge.
        texts.Plain(x - t, top - t / 3, FormatC("%.*f", topDecimals, bar), vertical);
    }
    lines.Play(c);

    // The axis titles inside the plot beside its edges, moved along them
    // clear of the admissible segment, else farther into the plot.
    const LabelBox plot{marginX, top, w - marginX, h - top};
    texts.Title({marginX + 2, h / 2 + 3 * t}, 1, picture::Text(languageOffset, 20262), vertical, plot, red);
    texts.Title({w - marginX - t, h / 2 + 3 * t}, -1, picture::Text(languageOffset, 20263), vertical, plot, red);
    texts.Title({w / 2 - 4 * t, top + 2}, 1, picture::Text(languageOffset, 20264), horizontal, plot, red);
    texts.Title({w / 2 - 4 * t, h - top - t - 2}, -1, picture::Text(languageOffset, 20265), horizontal, plot, red);
}

int PickPressure(const PressureLayout& l, const PictureView& view, int y)
{
    if (view.chartChoice != 0 || !l.Usable() || !std::isfinite(view.pressure.head))
        return -1;
    return picture::Near(l.h - TruncPx((l.my + view.pressure.head) * l.ys), y) ? 0 : -1;
}

DragEffect DragPressure(const PressureLayout& l, int dy, const PressureFlowRecord& r,
                        const CPressureFlowCalculator& calc, PictureView& view)
{
    if (!l.Usable())
        return DragEffect::None;
    PressureOperatingPoint& op = view.pressure;
    double head = op.head - dy / l.ys;
    if (!std::isfinite(head))
        head = l.dragLow;
    op.head = std::clamp(head, l.dragLow, std::max(l.dragLow, l.dragHigh));
    if (r.head.resultValid == 1) {
        op.flow = calc.FlowAtHead(op.head);
        op.velocity = calc.VelocityAtHead(op.head);
        op.gradient = calc.GradientPerMille(op.head);
        // The same density-weighted level difference as the calculation shows.
        op.headDifference = (r.endLevel - r.startLevel) * r.density / kWaterDensity + op.head;
    }
    return DragEffect::ViewState;
}

std::unique_ptr<PictureScene> MakePressureScene(WorkingRecords& working, const CPressureFlowCalculator& calc,
                                                const int& languageOffset, PictureView& view)
{
    return std::make_unique<PressureScene>(working, calc, languageOffset, view);
}
