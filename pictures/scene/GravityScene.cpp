#include "GravityScene.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "ChartParts.h"

#include <algorithm>
#include <cmath>

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
    GravityScene(CDalvorApp& a, PictureView& v) : app(a), view(v) {}
    void Draw(Canvas& canvas, int w, int h, bool print) override
    {
        const GravityLayout layout = LayoutGravity(app.gravityCalculator, w, h);
        if (!print)
            screen = layout;
        DrawGravity(canvas, app.gravityFlow, app.gravityCalculator, view, layout, w, h, print);
    }
    void LayOut(int w, int h) override { screen = LayoutGravity(app.gravityCalculator, w, h); }
    int Pick(int y) const override { return PickGravity(screen, view, y); }
    DragEffect Drag(int line, int dy) override
    {
        if (line != 0)
            return DragEffect::None;
        return DragGravity(screen, dy, app.gravityFlow, app.gravityCalculator, view);
    }

private:
    CDalvorApp& app;
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

    Frame(c, w, h);
    if (!l.Usable())
        return;

    // Filling grid with its labels on both sides.
    c.SetPen(kGridPen);
    c.SetFont(picture::HorizontalFont(print));
    const int labelLeft = 2 + TruncPx(static_cast<double>(0.05f) * l.pv * l.mV);
    const int labelRight = w - TruncPx(static_cast<double>(0.95f) * l.pv * l.mV);
    for (int i = 0; i <= 10; ++i) {
        const double f = static_cast<float>(static_cast<float>(i) * 0.1f);
        const int y = l.Y(f);
        c.Line(0, y, w, y);
        const std::string label = FormatC("%.1f", f);
        c.TextOut(labelLeft, y - t, label);
        c.TextOut(labelRight, y - t, label);
    }

    ScaleLetters(c, x0, x1, h, t, l.Y(1.0) - t);

    // Flow and velocity grid: one set of vertical lines serves both scales.
    c.SetFont(picture::VerticalFont(print));
    const int top = TruncPx(static_cast<double>(kMargin) * l.py);
    FlowVelocityGrid(c, h, t, picture::VerticalFont(print).height, top, l.qMax, l.vMax,
                     [&](double q) { return l.XQ(q); });

    if (record.head.resultValid == 1) {
        c.SetFont(picture::HorizontalFont(print));
        const int rows = Rows(calc);
        auto curve = [&](const CanvasPen& pen, int column, int labelRow, const char* letter,
                         uint32_t colour, auto x) {
            c.SetPen(pen);
            for (int j = 0; j + 1 < rows; ++j) {
                const double f0 = calc.table[j][0], f1 = calc.table[j + 1][0];
                const double v0 = calc.table[j][column], v1 = calc.table[j + 1][column];
                if (AllDrawable({f0, f1, v0, v1}))
                    c.Line(x(v0), l.Y(f0), x(v1), l.Y(f1));
            }
            const double f = Cell(calc, labelRow, 0), v = Cell(calc, labelRow, column);
            if (AllDrawable({f, v})) {
                c.SetTextColor(colour);
                c.TextOut(x(v) + x0, l.Y(f), letter);
            }
        };
        curve(kVelocityPen, CGravityFlowCalculator::ColVelocity, rows / 4, "V", kBlue,
              [&](double v) { return l.XV(v); });
        curve(kFlowPen, CGravityFlowCalculator::ColFlow, rows / 3, "Q", kRed,
              [&](double q) { return l.XQ(q); });
    }

    const double filling = record.head.resultValid == 1 ? record.filling : record.fillingInput;
    if (std::isfinite(filling)) {
        c.SetPen(kFillingPen);
        c.Line(1, l.Y(filling), w - 1, l.Y(filling));
    }
    if (std::isfinite(view.opFilling)) {
        c.SetPen(kOperatingPen);
        c.Line(1, l.Y(view.opFilling), w - 1, l.Y(view.opFilling));
    }

    if (l.vMax > 0.5) {
        c.SetPen(kFramePen);
        for (double v : {static_cast<double>(0.6f), static_cast<double>(0.8f), 1.0})
            c.Line(l.XV(v), h - top, l.XV(v), top);
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

std::unique_ptr<PictureScene> MakeGravityScene(CDalvorApp& app, PictureView& view)
{
    return std::make_unique<GravityScene>(app, view);
}
