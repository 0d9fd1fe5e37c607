#include "PressureScene.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "ChartParts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHeadMargin = 0.2f;
constexpr double kAxisMargin = 0.15f;
constexpr double kLowestHead = 1e-4f;
constexpr double kWaterDensity = 999.7f;

using namespace picture::chart;

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
    PressureScene(CDalvorApp& a, PictureView& v) : app(a), view(v) {}
    void Draw(Canvas& canvas, int w, int h, bool print) override
    {
        // The printout always carries the characteristic.
        if (view.chartChoice == 1 && !print) {
            DrawPressureChart(canvas, app, w, h, print);
            return;
        }
        const PressureLayout layout = LayoutCharacteristic(app.pressureCalculator, w, h);
        if (!print)
            screen = layout;
        DrawCharacteristic(canvas, app, view, layout, w, h, print);
    }
    void LayOut(int w, int h) override { screen = LayoutCharacteristic(app.pressureCalculator, w, h); }
    int Pick(int y) const override { return PickPressure(screen, view, y); }
    DragEffect Drag(int line, int dy) override
    {
        if (line != 0 || view.chartChoice != 0)
            return DragEffect::None;
        return DragPressure(screen, dy, app.pressureFlow, app.pressureCalculator, view);
    }

private:
    CDalvorApp& app;
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

void DrawCharacteristic(Canvas& c, const CDalvorApp& app, const PictureView& view, const PressureLayout& l,
                        int w, int h, bool print)
{
    const PressureFlowRecord& r = app.pressureFlow;
    const CPressureFlowCalculator& calc = app.pressureCalculator;
    const int t = picture::TextOffset(print);
    Frame(c, w, h);
    if (!l.Usable())
        return;

    // Heads, with the energy-line drop at each on the right.
    c.SetPen(kGridPen);
    c.SetFont(picture::HorizontalFont(print));
    // Each label keeps to its margin, with fewer decimals where it is short.
    const int cell = picture::HorizontalFont(print).height;
    const int marginV = TruncPx(l.mxV * l.xsV);
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * l.mxV * l.xsV);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * l.mxV * l.xsV);
    const int headDecimals = FittedDecimals(l.hMax, l.hMax >= 1.0 ? 2 : 3, marginV - labelLeft - 1, cell);
    const double largestDrop = 1000.0 * l.hMax / r.length;
    const int dropDecimals = FittedDecimals(largestDrop, 2, w - 3 - labelRight, cell);
    // Drops too long for the margin even whole take a smaller face there.
    const CanvasFont face = picture::HorizontalFont(print);
    CanvasFont dropFace = face;
    while (std::isfinite(largestDrop) && dropFace.height > 1 &&
           picture::LabelWidth(FormatC("%.*f", dropDecimals, largestDrop), dropFace.height) > w - 3 - labelRight)
        --dropFace.height;
    for (int i = 0; i <= 10; ++i) {
        const double H = static_cast<float>(static_cast<float>(i) * 0.1f) * l.hMax;
        const int y = l.Y(H);
        c.Line(0, y, w, y);
        c.TextOut(labelLeft, y - t, FormatC("%.*f", headDecimals, H));
        const double drop = i * 100.0 * l.hMax / r.length;
        if (!std::isfinite(drop))
            continue;
        if (dropFace != face)
            c.SetFont(dropFace);
        c.TextOut(labelRight, y - t, FormatC("%.*f", dropDecimals, drop));
        if (dropFace != face)
            c.SetFont(face);
    }

    const int right = w - TruncPx(static_cast<double>(1.2f) * t);
    ScaleLetters(c, t / 2, right, h, t, l.Y(l.hMax) - t);

    c.SetFont(picture::VerticalFont(print));
    const int top = TruncPx(l.my * l.ys);
    FlowVelocityGrid(c, h, t, picture::VerticalFont(print).height, top, l.qAxis, l.vAxis,
                     [&](double q) { return l.XQ(q); });

    if (r.head.resultValid == 1) {
        c.SetFont(picture::HorizontalFont(print));
        const int n = std::clamp(calc.pointCount, 1, CPressureFlowCalculator::kPoints);
        auto curve = [&](const CanvasPen& pen, int quantity, int labelPoint, const char* letter, uint32_t colour,
                         auto x) {
            std::vector<CanvasPoint> pts;
            for (int j = 0; j < n; ++j) {
                const double head = calc.points[j][CPressureFlowCalculator::PtHead];
                const double value = calc.points[j][quantity];
                if (AllDrawable({head, value}))
                    pts.push_back({x(value), l.Y(head)});
            }
            c.SetPen(pen);
            c.Polyline(pts);
            const int j = std::min(labelPoint, n - 1);
            const double head = calc.points[j][CPressureFlowCalculator::PtHead];
            const double value = calc.points[j][quantity];
            if (AllDrawable({head, value})) {
                c.SetTextColor(colour);
                c.TextOut(x(value) + t / 2, l.Y(head), letter);
            }
        };
        curve(kBluePen, CPressureFlowCalculator::PtVelocity, 2 * CPressureFlowCalculator::kPoints / 3, "V",
              kBlue, [&](double v) { return l.XV(v); });
        curve(kRedPen, CPressureFlowCalculator::PtFlow, 3 * CPressureFlowCalculator::kPoints / 4, "Q", kRed,
              [&](double q) { return l.XQ(q); });
    }

    if (r.headLoss > 0.0 && std::isfinite(r.headLoss)) {
        c.SetPen(kHeadLossPen);
        c.Line(1, l.Y(r.headLoss), w - 1, l.Y(r.headLoss));
        if (std::isfinite(view.pressure.head)) {
            c.SetPen(kOperatingPen);
            c.Line(1, l.Y(view.pressure.head), w - 1, l.Y(view.pressure.head));
        }
    }

    if (r.velocityInput < l.vAxis && std::isfinite(r.velocityInput)) {
        c.SetPen(kFramePen);
        const int x = l.XV(r.velocityInput);
        c.Line(x, h - top, x, top);
    }

    // The axis titles beside the first and the last vertical line.
    Title(c, marginV + 2, h / 2 + 3 * t, picture::Text(app, 20266), picture::VerticalFont(print), h);
    Title(c, w - marginV - t, h / 2 + 4 * t, picture::Text(app, 20267), picture::VerticalFont(print), h);
}

void DrawPressureChart(Canvas& c, const CDalvorApp& app, int w, int h, bool print)
{
    const PressureFlowRecord& r = app.pressureFlow;
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
    if (AllDrawable({r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})) {
        const int x1 = X(r.startPressureMin), x2 = X(r.startPressureMax);
        const int yTop = Y(r.endPressureMax), yBottom = Y(r.endPressureMin);
        c.SetPen(kRedPen);
        c.SetBrush({kRed});
        c.Rectangle(0, 0, x1, h);
        c.Rectangle(x2, 0, w, h);
        c.Rectangle(x1, 0, x2, yTop);
        c.Rectangle(x1, yBottom, x2, h);
    }

    c.SetPen(kGridPen);
    c.SetFont(picture::HorizontalFont(print));
    c.SetTextColor(kGrey);
    // Each label keeps to its margin, with fewer decimals where it is short.
    const CanvasFont vertical = picture::VerticalFont(print), horizontal = picture::HorizontalFont(print);
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * mx * xs);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * mx * xs);
    const int top = TruncPx(my * ys);
    const int barDecimals = FittedDecimals(0.1 * P, 2, w - 3 - labelRight, horizontal.height);
    const int topDecimals = FittedDecimals(0.1 * P, 2, top - t / 3 - 2, vertical.height);
    for (int i = 0; i <= 10; ++i) {
        const double E = static_cast<float>(static_cast<float>(i) * 0.1f) * P;
        const double bar = static_cast<float>(static_cast<float>(i) * 0.01f) * P;
        const int y = Y(E);
        c.Line(0, y, w, y);
        c.TextOut(labelLeft, y - t, FormatC("%.0f", E));
        c.TextOut(labelRight, y - t, FormatC("%.*f", barDecimals, bar));
    }

    const int marginX = TruncPx(mx * xs);
    c.SetFont(vertical);
    for (int i = 0; i <= 10; ++i) {
        const double S = static_cast<float>(static_cast<float>(i) * 0.1f) * P;
        const double bar = static_cast<float>(static_cast<float>(i) * 0.01f) * P;
        const int x = X(S);
        c.Line(x, 0, x, h);
        c.TextOut(x - t, h - t, FormatC("%.0f", S));
        // The bar values run up from just above the plot, whole below the top edge.
        c.TextOut(x - t, top - t / 3, FormatC("%.*f", topDecimals, bar));
    }

    if (r.head.resultValid == 1 &&
        AllDrawable({r.startPressureMin, r.startPressureMax, r.endPressureMin, r.endPressureMax})) {
        c.SetPen(kBluePen);
        c.Line(X(r.startPressureMin), Y(r.endPressureMin), X(r.startPressureMax), Y(r.endPressureMax));
    }

    // The axis titles inside the plot, beside its edges, on plates.
    Title(c, marginX + 2, h / 2 + 3 * t, picture::Text(app, 20262), vertical, h);
    Title(c, w - marginX - t, h / 2 + 3 * t, picture::Text(app, 20263), vertical, h);
    Title(c, w / 2 - 4 * t, top + 2, picture::Text(app, 20264), horizontal, h);
    Title(c, w / 2 - 4 * t, h - top - t - 2, picture::Text(app, 20265), horizontal, h);
}

int PickPressure(const PressureLayout& l, const PictureView& view, int y)
{
    if (view.chartChoice != 0 || view.dragLock != 0 || !l.Usable() || !std::isfinite(view.pressure.head))
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

std::unique_ptr<PictureScene> MakePressureScene(CDalvorApp& app, PictureView& view)
{
    return std::make_unique<PressureScene>(app, view);
}
