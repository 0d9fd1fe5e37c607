#include "pictures/scene/GravityScene.h"

#include "core/calc/GravityFlowCalculator.h"
#include "core/project/WorkingRecords.h"
#include "core/base/Text.h"
#include "pictures/scene/ChartParts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kMargin = 0.2f;                 // filling units below and above
constexpr double kExtent = 1.4000000059604645;   // 1 + two margins
constexpr double kScaleMargin = 0.15f;           // of each horizontal scale
constexpr double kLowestFilling = 1e-4f;
constexpr double kHighestFilling = 0.9999f;      // the table's last row

using namespace picture::chart;

constexpr CanvasPen kVelocityPen{kBlue, 3};
constexpr CanvasPen kFlowPen{kRed, 3};
constexpr CanvasPen kFillingPen{Rgb(127, 127, 0), 1};
constexpr CanvasPen kOperatingPen{Rgb(127, 127, 0), 1, PenStyle::Dot};

double Cell(const CGravityFlowCalculator& calc, int row, int column)
{
    const int rows = std::clamp(calc.rowCount, 1, CGravityFlowCalculator::kRows);
    return calc.table[std::clamp(row, 0, rows - 1)][column];
}

int Rows(const CGravityFlowCalculator& calc)
{
    return std::clamp(calc.rowCount, 1, CGravityFlowCalculator::kRows);
}

class GravityScene final : public PictureScene {
public:
    GravityScene(WorkingRecords& w, const CGravityFlowCalculator& c, PictureView& v) : working(w), calc(c), view(v) {}
    void Draw(Canvas& canvas, int w, int h, bool print) override
    {
        const GravityLayout layout = LayoutGravity(calc, w, h);
        if (!print)
            screen = layout;
        DrawGravity(canvas, working.gravityFlow, calc, view, layout, w, h, print);
    }
    void LayOut(int w, int h) override { screen = LayoutGravity(calc, w, h); }
    int Pick(int y) const override { return PickGravity(screen, view, y); }
    DragEffect Drag(int line, int dy) override
    {
        if (line != 0)
            return DragEffect::None;
        return DragGravity(screen, dy, working.gravityFlow, calc, view);
    }

private:
    WorkingRecords& working;
    const CGravityFlowCalculator& calc;
    PictureView& view;
    GravityLayout screen;
};

}  // namespace

bool GravityLayout::Usable() const
{
    return std::isfinite(py) && py > 0.0 && std::isfinite(pv) && pv > 0.0 && std::isfinite(pq) && pq > 0.0;
}

int GravityLayout::Y(double filling) const { return h - TruncPx((filling + kMargin) * py); }
int GravityLayout::XV(double v) const { return TruncPx((mV + v) * pv); }
int GravityLayout::XQ(double q) const { return TruncPx((mQ + q) * pq); }

double GravityVelocityMax(const CGravityFlowCalculator& calc)
{
    const double V = Cell(calc, static_cast<int>(0.9 * Rows(calc)), CGravityFlowCalculator::ColVelocity);
    if (!std::isfinite(V) || std::fabs(V) > 1.0e6)
        return 0.5;
    double v = std::trunc(2.0 * V + 1.0) * 0.5;
    if (v > 0.5)
        v = std::max(1.0, v);
    return std::max(0.5, v);
}

double GravityFlowMax(const CGravityFlowCalculator& calc)
{
    double Q = Cell(calc, Rows(calc) - 1, CGravityFlowCalculator::ColFlow);
    if (!std::isfinite(Q) || std::fabs(Q) > 1.0e6)
        return 0.01f;
    if (Q > 1.0)
        Q = std::trunc(2.0 * Q + 1.0) * 0.5;
    if (Q > 0.1f)
        Q = std::max(0.5, Q);
    if (Q > 0.5)
        Q = std::max(1.0, Q);
    if (Q > 0.01f)
        Q = std::max(static_cast<double>(0.05f), Q);
    if (Q > 0.05f)
        Q = std::max(static_cast<double>(0.1f), Q);
    return std::max(static_cast<double>(0.01f), Q);
}

GravityLayout LayoutGravity(const CGravityFlowCalculator& calc, int w, int h)
{
    GravityLayout l;
    l.h = h;
    l.py = h / kExtent;
    l.vMax = GravityVelocityMax(calc);
    l.mV = kScaleMargin * l.vMax;
    l.pv = w / (2.0 * l.mV + l.vMax);
    l.qMax = GravityFlowMax(calc);
    l.mQ = kScaleMargin * l.qMax;
    l.pq = w / (2.0 * l.mQ + l.qMax);
    return l;
}

void DrawGravity(Canvas& c, const GravityFlowRecord& record, const CGravityFlowCalculator& calc,
                 const PictureView& view, const GravityLayout& l, int w, int h, bool print)
{
    const int t = picture::TextOffset(print);
    const int x0 = print ? 50 : 7;
    const int x1 = w - TruncPx(static_cast<double>(1.2f) * t);
    const CanvasFont face = picture::HorizontalFont(print), vertical = picture::VerticalFont(print);

    Frame(c, w, h);
    if (!l.Usable())
        return;

    // The grid: the tenths of the filling, and one set of vertical lines
    // for both horizontal scales.
    Grid(c, w, h, [&](double f) { return l.Y(f); }, l.qMax, [&](double q) { return l.XQ(q); });
    const int top = TruncPx(static_cast<double>(kMargin) * l.py);

    // The lines plotted over it. The curves only where the table holds them.
    DisplayList lines;
    const int rows = Rows(calc);
    const double lastFlow = calc.table[rows - 1][CGravityFlowCalculator::ColFlow];
    const bool curves = record.head.resultValid == 1 && std::isfinite(lastFlow) && lastFlow > 0.0;
    // Each curve's points, and which of them its letter stands beside: the
    // row a quarter of the way up for the velocity, a third for the flow.
    struct Curve {
        std::vector<CanvasPoint> points;
        std::size_t letterPoint = 0;
    } velocity, flow;
    auto curve = [&](const CanvasPen& pen, int column, int letterRow, Curve& out, auto x) {
        lines.SetPen(pen);
        for (int j = 0; j + 1 < rows; ++j) {
            const double f0 = calc.table[j][0], f1 = calc.table[j + 1][0];
            const double v0 = calc.table[j][column], v1 = calc.table[j + 1][column];
            if (AllDrawable({f0, f1, v0, v1}))
                lines.Line(x(v0), l.Y(f0), x(v1), l.Y(f1));
        }
        for (int j = 0; j < rows; ++j)
            if (AllDrawable({calc.table[j][0], calc.table[j][column]})) {
                if (j <= letterRow)
                    out.letterPoint = out.points.size();
                out.points.push_back({x(calc.table[j][column]), l.Y(calc.table[j][0])});
            }
    };
    if (curves) {
        curve(kVelocityPen, CGravityFlowCalculator::ColVelocity, rows / 4, velocity, [&](double v) { return l.XV(v); });
        curve(kFlowPen, CGravityFlowCalculator::ColFlow, rows / 3, flow, [&](double q) { return l.XQ(q); });
    }
    const double filling = record.head.resultValid == 1 ? record.filling : record.fillingInput;
    if (std::isfinite(filling)) {
        lines.SetPen(kFillingPen);
        lines.Line(1, l.Y(filling), w - 1, l.Y(filling));
    }
    if (std::isfinite(view.opFilling)) {
        lines.SetPen(kOperatingPen);
        lines.Line(1, l.Y(view.opFilling), w - 1, l.Y(view.opFilling));
    }
    if (l.vMax > 0.5) {
        lines.SetPen(kFramePen);
        for (double v : {static_cast<double>(0.6f), static_cast<double>(0.8f), 1.0})
            lines.Line(l.XV(v), h - top, l.XV(v), top);
    }
    lines.Play(c);

    // The texts: the filling labels on both sides, the scales' letters and
    // labels, and each curve's letter.
    ChartTexts texts(c, w, h, face.height, lines);
    c.SetFont(face);
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * l.pv * l.mV);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * l.pv * l.mV);
    for (int i = 0; i <= 10; ++i) {
        const std::string label = FormatC("%.1f", Tenth(i));
        texts.Label(labelLeft, l.Y(Tenth(i)) - t, label, face, true);
        texts.Label(labelRight, l.Y(Tenth(i)) - t, label, face, true);
    }
    ScaleLetters(c, texts, face, x0, x1, h, t, l.Y(1.0) - t);
    FlowVelocityLabels(c, texts, h, t, vertical, top, l.qMax, l.vMax, [&](double q) { return l.XQ(q); });
    if (curves) {
        c.SetFont(face);
        c.SetTextColor(kBlue);
        texts.CurveLetter(velocity.points, velocity.letterPoint, x0, "V", face);
        c.SetTextColor(kRed);
        texts.CurveLetter(flow.points, flow.letterPoint, x0, "Q", face);
    }
}

int PickGravity(const GravityLayout& l, const PictureView& view, int y)
{
    if (!l.Usable() || !std::isfinite(view.opFilling))
        return -1;
    return picture::Near(l.h - TruncPx((kMargin + view.opFilling) * l.py), y) ? 0 : -1;
}

DragEffect DragGravity(const GravityLayout& l, int dy, const GravityFlowRecord& record,
                       const CGravityFlowCalculator& calc, PictureView& view)
{
    if (!l.Usable())
        return DragEffect::None;
    double f = view.opFilling - dy / l.py;
    if (!std::isfinite(f))
        f = kLowestFilling;
    view.opFilling = std::clamp(f, kLowestFilling, kHighestFilling);
    if (record.head.resultValid == 1) {
        view.opFlow = calc.FlowAt(view.opFilling);
        view.opVelocity = calc.VelocityAt(view.opFilling);
    }
    return DragEffect::ViewState;
}

std::unique_ptr<PictureScene> MakeGravityScene(WorkingRecords& working, const CGravityFlowCalculator& calc,
                                               PictureView& view)
{
    return std::make_unique<GravityScene>(working, calc, view);
}
