// The picture widgets driven with the mouse as a user drags a line, on a stub
// page, and the drawing adapter's pixel rules.
#include "core/base/Text.h"
#include "pictures/PictureWidget.h"
#include "pictures/QPainterCanvas.h"
#include "pictures/scene/GravityScene.h"
#include "pictures/scene/ManholeScene.h"
#include "pictures/scene/PressureScene.h"
#include "pictures/scene/Scenes.h"
#include "pictures/scene/TankScene.h"
#include "pictures/scene/TrenchScene.h"
#include "tests/pictures/PictureFixtures.h"
#include "tests/QtTestMain.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <functional>
#include <tuple>

namespace {

class StubHost : public PictureHost {
public:
    explicit StubHost(CDalvorApp& a) : app(a) {}
    CDalvorApp& PictureApp() override { return app; }
    PictureView& PictureViewState() override { return view; }
    void FollowDrag() override { ++follows; }
    CDalvorApp& app;
    PictureView view;
    int follows = 0;
};

CPictureBase* MakeWidget(int kind, PictureHost& host)
{
    switch (kind) {
    case KindGravityFlow: return new CPictureGravityFlow(host);
    case KindPressureFlow: return new CPicturePressureFlow(host);
    case KindBuriedPipe: return new CPicturePipe(host);
    case KindManhole: return new CPictureManhole(host);
    default: return new CPictureReservoir(host);
    }
}

// The dragged value and the pixels per unit of its axis, as the picture lays
// itself out at w x h.
struct Dragged {
    std::function<double(StubHost&)> value;
    std::function<double(StubHost&, int, int)> pixelsPerUnit;
};

Dragged DraggedLine(int kind)
{
    switch (kind) {
    case KindGravityFlow:
        return {[](StubHost& s) { return s.view.opFilling; },
                [](StubHost& s, int w, int h) { return LayoutGravity(s.app.gravityCalculator, w, h).py; }};
    case KindPressureFlow:
        return {[](StubHost& s) { return s.view.pressure.head; },
                [](StubHost& s, int w, int h) { return LayoutCharacteristic(s.app.pressureCalculator, w, h).ys; }};
    case KindBuriedPipe:
        return {[](StubHost& s) { return s.app.working.buriedPipe.groundLevel; },
                [](StubHost& s, int w, int h) { return LayoutTrench(s.app.working.buriedPipe, w, h).scale; }};
    case KindManhole:
        return {[](StubHost& s) { return s.app.working.manhole.waterLevel; },
                [](StubHost& s, int w, int h) { return LayoutManhole(s.app.working.manhole, w, h).scale; }};
    default:
        return {[](StubHost& s) { return s.app.working.tank.waterLevel; },
                [](StubHost& s, int w, int h) { return LayoutTank(s.app.working.tank, w, h).scale; }};
    }
}

QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

// What a drawing inks: the strokes of its pens (outlines of rectangles and
// ellipses included) with how far each pen inks beside its middle, its
// texts' boxes in the screen face, and the fills drawn after its background,
// each with its place in the drawing. Its texts must lie whole inside it and
// apart.
struct Survey {
    struct Stroke {
        QLineF line;
        double reach;
        qsizetype order;
        uint32_t rgb;
    };
    QList<Stroke> strokes;
    QStringList texts;
    QList<QRect> boxes;
    QList<qsizetype> textOrder;
    QList<std::pair<QRect, qsizetype>> fills;
    // Whether the stroke inks inside the text's box, or within a pixel of
    // either end of it, where it shows: drawn after the text, or before it
    // with no fill over the whole box drawn in between.
    bool Crosses(const Stroke& s, qsizetype text) const
    {
        for (const auto& [fill, order] : fills)
            if (order > s.order && order < textOrder[text] && fill.contains(boxes[text]))
                return false;
        return Meets(s, boxes[text]);
    }
    static bool Meets(const Stroke& s, const QRect& b)
    {
        for (double i = 0.0, n = std::max(1.0, 4.0 * s.line.length()); i <= n; ++i) {
            const QPointF p = s.line.pointAt(i / n);
            if (p.x() >= b.left() - s.reach - 1 && p.x() <= b.right() + s.reach + 1 && p.y() >= b.top() - s.reach &&
                p.y() <= b.bottom() + s.reach)
                return true;
        }
        return false;
    }
    // The first text a stroke crosses, and where that stroke ends; empty when none.
    QString Crossed() const
    {
        for (qsizetype i = 0; i < texts.size(); ++i)
            for (const Stroke& s : strokes)
                if (Crosses(s, i))
                    return texts[i] + QStringLiteral(" is crossed by a line to %1,%2").arg(s.line.x2()).arg(s.line.y2());
        return {};
    }
};

Survey SurveyOf(CDalvorApp& app, PictureView& view, int kind, int k, DisplayList& ops, QSize size = {})
{
    if (size.isEmpty())
        size = QSize(PictureControlSize(kind).width, PictureControlSize(kind).height);
    const QRect picture(0, 0, size.width() * k, size.height() * k);
    MakePictureScene(kind, app, view)->Draw(ops, picture.width(), picture.height(), k == 10);
    Survey s;
    QFont font(QStringLiteral("Arial"));
    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont cell;
    qsizetype order = 0;
    auto add = [&](QPointF a, QPointF b) {
        if (pen.style != PenStyle::Null)
            s.strokes.append({QLineF(a, b), (pen.width - 1) / 2.0, order, pen.rgb});
    };
    for (const DisplayList::Item& it : ops.Items()) {
        ++order;
        if (it.op == DisplayList::Op::FillRect)
            s.fills.append({QRect(QPoint(it.a, it.b), QPoint(it.c - 1, it.d - 1)), order});
        const int l = it.a, t = it.b, r = it.c - 1, b = it.d - 1;
        if (it.op == DisplayList::Op::Pen)
            pen = {it.rgb, it.a, PenStyle(it.b)};
        if (it.op == DisplayList::Op::Font)
            font.setPixelSize(QPainterCanvas::PixelSizeForCell((cell = {it.a, it.b}).height));
        if (it.op == DisplayList::Op::Line)
            add(QPointF(it.a, it.b), QPointF(it.c, it.d));
        if (it.op == DisplayList::Op::Brush)
            brush = {it.rgb, it.a != 0};
        // An area outlined in its own colour has an edge, not a line.
        if (it.op == DisplayList::Op::Rectangle && (brush.null || brush.rgb != pen.rgb))
            for (auto [a, z] : {std::pair{QPointF(l, t), QPointF(r, t)}, {QPointF(r, t), QPointF(r, b)},
                                {QPointF(r, b), QPointF(l, b)}, {QPointF(l, b), QPointF(l, t)}})
                add(a, z);
        for (int i = 0; it.op == DisplayList::Op::Ellipse && i < 90; ++i) {
            const double rx = (r - l) / 2.0, ry = (b - t) / 2.0;
            auto at = [&](int j) { return QPointF(l + rx + rx * std::cos(j * M_PI / 45), t + ry + ry * std::sin(j * M_PI / 45)); };
            add(at(i), at(i + 1));
        }
        if (it.op != DisplayList::Op::Text && it.op != DisplayList::Op::TextCentred)
            continue;
        s.texts.append(QString::fromUtf8(ops.TextOf(it).data(), qsizetype(ops.TextOf(it).size())));
        s.textOrder.append(order);
        const int advance = QFontMetrics(font).horizontalAdvance(s.texts.last());
        const int x = it.op == DisplayList::Op::TextCentred ? it.a - advance / 2 : it.a;
        s.boxes.append(cell.escapement == 900 ? QRect(x, it.b - advance, cell.height, advance)
                                              : QRect(x, it.b, advance, cell.height));
        [&] { QVERIFY2(picture.contains(s.boxes.last()), qPrintable(s.texts.last() + " is cut")); }();
        for (qsizetype j = 0; j + 1 < s.boxes.size(); ++j)
            [&] { QVERIFY2(!s.boxes[j].intersects(s.boxes.last()), qPrintable(s.texts[j] + " covers " + s.texts.last())); }();
    }
    return s;
}

// The row of the first line across the picture (from x 0 or 1) drawn with a
// pen of that colour and style; -1 when there is none.
int DrawnRow(const DisplayList& ops, uint32_t rgb, PenStyle style)
{
    bool match = false;
    for (const DisplayList::Item& it : ops.Items()) {
        if (it.op == DisplayList::Op::Pen)
            match = it.rgb == rgb && it.b == int(style);
        if (match && it.op == DisplayList::Op::Line && it.a <= 1 && it.b == it.d)
            return it.b;
    }
    return -1;
}

using Change = std::function<void(CDalvorApp&)>;
using ViewChange = std::function<void(CDalvorApp&, PictureView&)>;

}  // namespace

class TestPictureWidgets : public QObject {
    Q_OBJECT

private slots:
    void dragMovesTheLevel_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::newRow("gravity operating line") << int(KindGravityFlow) << 0;
        QTest::newRow("pressure operating head") << int(KindPressureFlow) << 0;
        QTest::newRow("trench ground") << int(KindBuriedPipe) << int(TrenchGround);
        QTest::newRow("manhole water") << int(KindManhole) << int(ManholeWater);
        QTest::newRow("tank water") << int(KindTank) << int(TankWater);
    }

    void dragMovesTheLevel()
    {
        QFETCH(int, kind);
        QFETCH(int, line);
        auto app = picture_fixtures::StartedApp(LangEnglish);
        StubHost host(*app);
        picture_fixtures::Prepare(*app, host.view, kind, 0);
        std::unique_ptr<CPictureBase> widget(MakeWidget(kind, host));
        widget->resize(400, 300);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        widget->repaint();

        int row = -1;
        for (int y = 0; y < 300 && row < 0; ++y)
            if (widget->Scene().Pick(y) == line)
                row = y + 4;
        QVERIFY(row >= 20);
        const Dragged dragged = DraggedLine(kind);
        const double before = dragged.value(host);
        const double perUnit = dragged.pixelsPerUnit(host, 400, 300);

        // 5 px from the line picks nothing, and a move then changes nothing.
        QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(100, row + 5));
        QCOMPARE(widget->PickedLine(), -1);
        QTest::mouseMove(widget.get(), QPoint(100, row - 15));
        QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(100, row - 15));
        QCOMPARE(dragged.value(host), before);

        QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(100, row));
        QCOMPARE(widget->PickedLine(), line);
        QCOMPARE(widget->cursor().shape(), Qt::SizeVerCursor);
        QTest::mouseMove(widget.get(), QPoint(100, row - 10));
        QTest::mouseMove(widget.get(), QPoint(100, row - 20));
        QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(100, row - 20));
        QVERIFY(!widget->ButtonDown());
        QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(qAbs(dragged.value(host) - (before + 20.0 / perUnit)) < 1e-9);

        // Each of the two moves hands the page one drag step.
        QCOMPARE(host.follows, 2);
        if (kind != KindGravityFlow && kind != KindPressureFlow) {
            // The section pictures end the drag at their edge.
            QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(100, row - 20));
            QTest::mouseMove(widget.get(), QPoint(100, 1));
            QVERIFY(!widget->ButtonDown());
        }

        // Printed at ten times the kind's picture size, not the widget's.
        const PictureSize size = PictureControlSize(kind);
        widget->resize(size.width + 37, size.height + 91);
        widget->BuildPrintMetafile();
        QCOMPARE(app->print.printPicture.width, 10 * size.width);
        QCOMPARE(app->print.printPicture.height, 10 * size.height);
        QVERIFY(!app->print.printPicture.Empty());
    }

    void canvasPixelRules_data()
    {
        QTest::addColumn<std::function<void(Canvas&)>>("draw");
        QTest::addColumn<QRect>("ink");
        using Draw = std::function<void(Canvas&)>;
        QTest::newRow("rectangle leaves out right and bottom")
            << Draw([](Canvas& c) { c.SetBrush({0, true}); c.Rectangle(2, 2, 7, 7); }) << QRect(QPoint(2, 2), QPoint(6, 6));
        QTest::newRow("ellipse likewise")
            << Draw([](Canvas& c) { c.Ellipse(2, 2, 9, 9); }) << QRect(QPoint(2, 2), QPoint(8, 8));
        QTest::newRow("thin line leaves out its end")
            << Draw([](Canvas& c) { c.Line(2, 5, 8, 5); }) << QRect(QPoint(2, 5), QPoint(7, 5));
        QTest::newRow("vertical thin line")
            << Draw([](Canvas& c) { c.Line(4, 9, 4, 2); }) << QRect(QPoint(4, 3), QPoint(4, 9));
        QTest::newRow("line to the left")
            << Draw([](Canvas& c) { c.Line(9, 4, 2, 4); }) << QRect(QPoint(3, 4), QPoint(9, 4));
        QTest::newRow("fill")
            << Draw([](Canvas& c) { c.FillRect(3, 3, 6, 8, 0); }) << QRect(QPoint(3, 3), QPoint(5, 7));
        QTest::newRow("null pen draws no line")
            << Draw([](Canvas& c) { c.SetPen({0, 1, PenStyle::Null}); c.Line(2, 5, 8, 5); }) << QRect();
    }

    void canvasPixelRules()
    {
        QFETCH(std::function<void(Canvas&)>, draw);
        QFETCH(QRect, ink);
        QImage image(12, 12, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterCanvas canvas(painter);
            draw(canvas);
        }
        QCOMPARE(InkBox(image), ink);
    }

    void printPicturePlaysIntoItsRectangle()
    {
        PrintPicture picture;
        picture.width = 100;
        picture.height = 100;
        picture.ops.FillRect(-50, -50, 150, 150, Rgb(255, 0, 0));  // overflow is clipped
        picture.ops.SetTextColor(0);
        picture.ops.SetFont({100, 0});
        picture.ops.TextOut(0, 0, "X");
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PlayPrintPicture(painter, picture, QRect(10, 10, 50, 50));
        }
        QCOMPARE(InkBox(image), QRect(10, 10, 50, 50));
        // Text anchored at its top-left corner: the letter starts near (10, 10).
        QRect letter;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (image.pixel(x, y) == qRgb(0, 0, 0))
                    letter |= QRect(x, y, 1, 1);
        QVERIFY2(letter.left() >= 10 && letter.left() <= 14, qPrintable(QString::number(letter.left())));
        QVERIFY2(letter.top() >= 10 && letter.top() <= 24, qPrintable(QString::number(letter.top())));
    }

    void fontCellIsTheHeightAsked()
    {
        // The screen, print and tank print fonts, horizontal and vertical.
        for (int cell : {12, 14, 75, 90, 100}) {
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(QPainterCanvas::PixelSizeForCell(cell));
            QCOMPARE(QFontMetrics(font).height(), cell);
        }
    }

    void sectionLabelsKeepOffLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("variant");
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("k");            // 10 for the print picture
        QTest::addColumn<bool>("usualPlaces");  // each level label at x 5 above its line
        auto row = [](const char* name, int kind, int variant, Change change, int k = 1, bool usual = false) {
            QTest::newRow(name) << kind << variant << change << k << usual;
        };
        row("trench, levels apart", KindBuriedPipe, 0, [](CDalvorApp& a) { a.working.buriedPipe.waterLevel = 3.0; }, 1, true);
        row("trench, water 0.2 m under the ground", KindBuriedPipe, 1, [](CDalvorApp& a) { a.working.buriedPipe.waterLevel = 3.8; });
        row("trench, shallow cover, print", KindBuriedPipe, 0, [](CDalvorApp& a) { a.working.buriedPipe.groundLevel = 2.2; }, 10);
        // A structured-wall SN8 pipe, ground 4.00, invert 0.00, water 2.00: its trench's slopes beside the water's label.
        for (int dn : {2000, 2400, 2800, 3000})
            QTest::addRow("trench, SN8 DN %d", dn) << int(KindBuriedPipe) << 0
                                                  << Change([dn](CDalvorApp& a) { picture_fixtures::LayPipe(a, 13, dn, 4.0, 0.0, 2.0); })
                                                  << 1 << false;
        row("manhole, as the page starts", KindManhole, 0, [](CDalvorApp&) {}, 1, true);
        row("manhole, water 0.2 m under the ground", KindManhole, 0, [](CDalvorApp& a) { a.working.manhole.waterLevel = 3.8; });
        row("manhole, sand trap, water 0.3 m over PP", KindManhole, 0, [](CDalvorApp& a) {
            std::tie(a.working.manhole.sandTrap, a.working.manhole.ballastHeight, a.working.manhole.waterLevel) = std::tuple(1, 0.0, 0.3);
        });
        row("tank, levels apart", KindTank, 0, [](CDalvorApp&) {}, 1, true);
        row("tank, water 0.2 m under the ground", KindTank, 0, [](CDalvorApp& a) { a.working.tank.waterLevel = 3.8; });
        row("tank, anchored, water 0.2 m under the ground", KindTank, 1, [](CDalvorApp&) {});
        row("tank, anchored, water on the tank's top", KindTank, 1, [](CDalvorApp& a) { a.working.tank.waterLevel = a.working.tank.foundationLevel + 1.3; });
        row("tank, anchored, water over PD", KindTank, 1, [](CDalvorApp& a) { a.working.tank.waterLevel = a.working.tank.tankBottomLevel + 0.2; });
        row("tank, anchored, print", KindTank, 1, [](CDalvorApp&) {}, 10);
    }

    // No text of a section picture covers another or crosses a line of the
    // picture, and where nothing crowds them the level labels keep their places.
    void sectionLabelsKeepOffLines()
    {
        QFETCH(int, kind);
        QFETCH(int, variant);
        QFETCH(Change, change);
        QFETCH(int, k);
        QFETCH(bool, usualPlaces);
        auto app = picture_fixtures::StartedApp(LangPolish);
        PictureView view;
        picture_fixtures::Prepare(*app, view, kind, variant);
        change(*app);
        // The page's size, and the tall one the manhole and trench pages give their pictures.
        for (QSize size : {QSize(), kind == KindTank ? QSize() : QSize(290, 500)}) {
            DisplayList ops;
            const Survey survey = SurveyOf(*app, view, kind, k, ops, size);
            QVERIFY(survey.texts.size() >= 3 && !QTest::currentTestFailed());
            QVERIFY2(survey.Crossed().isEmpty(), qPrintable(survey.Crossed() + QStringLiteral(" at %1 px").arg(size.width())));
        }
        DisplayList ops;
        const Survey survey = SurveyOf(*app, view, kind, k, ops);
        const std::pair<uint32_t, PenStyle> lines[] = {{Rgb(0, 127, 0), PenStyle::Solid}, {Rgb(0, 0, 0), PenStyle::Dot},
                                                       {Rgb(0, 0, 255), PenStyle::Solid}};
        for (int i = 0; usualPlaces && i < 3; ++i)
            QCOMPARE(survey.boxes[i].topLeft(), QPoint(5, DrawnRow(ops, lines[i].first, lines[i].second) - 14));
    }

    void chartLabelsWholeAndReadable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("chart");
        QTest::addColumn<ViewChange>("change");
        auto row = [](const QString& name, int kind, int variant, int chart, ViewChange change = {}) {
            QTest::newRow(qPrintable(name)) << kind << variant << chart << change;
        };
        auto recalc = [](double diameter, double length, double pressure, double flow) {
            return ViewChange([=](CDalvorApp& a, PictureView&) {
                std::tie(a.working.pressureFlow.innerDiameter, a.working.pressureFlow.length) = std::pair(diameter, length);
                std::tie(a.working.pressureFlow.nominalPressure, a.working.pressureFlow.flowInput) = std::pair(pressure, flow);
                a.CalcPressureFlow();
            });
        };
        for (int chart : {0, 1}) {
            for (int variant : {0, 1})
                row(QStringLiteral("pressure, chart %1, record %2").arg(chart).arg(variant), KindPressureFlow, variant,
                    chart);
            row(QStringLiteral("pressure, chart %1, 5 cm at 1.6 MPa, a steep drop").arg(chart), KindPressureFlow, 0, chart,
                recalc(200.0, 0.05, 1.6, 0.05));
            row(QStringLiteral("pressure, chart %1, 26 mm over 1 m, six-digit drops").arg(chart), KindPressureFlow, 0, chart,
                recalc(26.0, 1.0, 1.0, 0.05));
        }
        row("pressure, over 100 m/s", KindPressureFlow, 0, 0, recalc(26.0, 1.0, 1.0, 0.08));
        row("pressure, operating head just over a grid line", KindPressureFlow, 0, 0, [](CDalvorApp& a, PictureView& v) {
            v.pressure.head = LayoutCharacteristic(a.pressureCalculator, 360, 270).hMax * 0.51;
        });
        row("pressure range, the admissible box inside red", KindPressureFlow, 0, 1, [](CDalvorApp& a, PictureView&) {
            std::tie(a.working.pressureFlow.startPressureMin, a.working.pressureFlow.startPressureMax) = std::pair(30.0, 70.0);
            std::tie(a.working.pressureFlow.endPressureMin, a.working.pressureFlow.endPressureMax) = std::pair(25.0, 60.0);
        });
        row("gravity", KindGravityFlow, 0, 0);
        row("gravity, large flow", KindGravityFlow, 1, 0);
        row("gravity, filling 0.715 just over a grid line", KindGravityFlow, 0, 0,
            [](CDalvorApp& a, PictureView&) { a.working.gravityFlow.filling = 0.715; });
        row("gravity, the 0.8 m/s marker at the velocity's letter", KindGravityFlow, 1, 0, [](CDalvorApp& a, PictureView&) {
            a.working.gravityFlow.slopeInput = 2.0;
            a.CalcGravityFlow();
        });
    }

    // Every label of a chart lies whole inside the picture and apart from the
    // others, on screen and in print, and no line crosses it where it shows;
    // an axis title hides no line but the grid's, and its plate is red just
    // where a red area lies under it.
    void chartLabelsWholeAndReadable()
    {
        QFETCH(int, kind);
        QFETCH(int, variant);
        QFETCH(int, chart);
        QFETCH(ViewChange, change);
        auto app = picture_fixtures::StartedApp(LangPolish);
        PictureView view;
        picture_fixtures::Prepare(*app, view, kind, variant);
        if (change)
            change(*app, view);
        view.chartChoice = chart;
        DisplayList print, ops;
        const Survey printed = SurveyOf(*app, view, kind, chart == 1 ? 1 : 10, print);
        const Survey survey = SurveyOf(*app, view, kind, 1, ops);
        QVERIFY2(printed.Crossed().isEmpty(), qPrintable(printed.Crossed()));
        QVERIFY2(survey.Crossed().isEmpty(), qPrintable(survey.Crossed()));
        QImage image(PictureControlSize(kind).width, PictureControlSize(kind).height, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        ops.Play(canvas);
        QRegion red;
        uint32_t brush = 0;
        for (const DisplayList::Item& it : ops.Items()) {
            brush = it.op == DisplayList::Op::Brush ? it.rgb : brush;
            if (it.op == DisplayList::Op::Rectangle && brush == Rgb(255, 0, 0))
                red += QRect(QPoint(it.a - 1, it.b - 1), QPoint(it.c, it.d));  // with its outline
        }
        int titles = 0;
        for (int key = 20262; key <= 20267; ++key) {
            const qsizetype i = survey.texts.indexOf(QString::fromStdString(picture::Text(app->languageOffset, key)));
            if (i < 0)
                continue;
            ++titles;
            for (const Survey::Stroke& s : survey.strokes)
                QVERIFY2(s.rgb == Rgb(0, 127, 0) || !Survey::Meets(s, survey.boxes[i]),
                         qPrintable(survey.texts[i] + " hides a plotted line"));
            for (int y = 0; y < survey.boxes[i].width() * survey.boxes[i].height(); ++y) {
                const QPoint at = survey.boxes[i].topLeft() + QPoint(y % survey.boxes[i].width(), y / survey.boxes[i].width());
                const QRgb ink = image.pixel(at);
                QVERIFY2(ink != qRgb(0, 127, 0) && ink != (red.contains(at) ? qRgb(230, 230, 230) : qRgb(255, 0, 0)),
                         qPrintable(survey.texts[i]));
            }
        }
        QCOMPARE(titles, kind == KindGravityFlow ? 0 : chart == 1 ? 4 : 2);
    }

    void linesAreGrabbedWhereDrawn_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::addColumn<uint>("rgb");
        QTest::addColumn<int>("style");
        QTest::newRow("gravity") << int(KindGravityFlow) << 0 << uint(Rgb(127, 127, 0)) << int(PenStyle::Dot);
        QTest::newRow("pressure") << int(KindPressureFlow) << 0 << uint(Rgb(127, 127, 0)) << int(PenStyle::Dot);
        for (int kind : {KindBuriedPipe, KindManhole, KindTank}) {
            QTest::addRow("%d ground", kind) << kind << 0 << uint(Rgb(0, 127, 0)) << int(PenStyle::Solid);
            QTest::addRow("%d water", kind) << kind << 1 << uint(Rgb(0, 0, 255)) << int(PenStyle::Solid);
            QTest::addRow("%d pipe or bottom", kind) << kind << 2 << uint(Rgb(0, 0, 0)) << int(PenStyle::Dot);
        }
    }

    // A press on the row a draggable line is drawn on, or 4 px above or below
    // it, grabs that line: at the page's size, and at once after a resize,
    // before the picture has painted again.
    void linesAreGrabbedWhereDrawn()
    {
        QFETCH(int, kind);
        QFETCH(int, line);
        QFETCH(uint, rgb);
        QFETCH(int, style);
        auto app = picture_fixtures::StartedApp(LangEnglish);
        StubHost host(*app);
        picture_fixtures::Prepare(*app, host.view, kind, 0);
        // Every line apart, and a thick tank wall: the foundation well under the tank's bottom.
        app->working.buriedPipe.waterLevel = 3.0;
        app->working.tank.innerDiameter = app->working.tank.outerDiameter - 1000.0;
        app->working.tank.foundationLevel = app->working.tank.tankBottomLevel - 0.5;
        const QSize page(PictureControlSize(kind).width, PictureControlSize(kind).height);
        std::unique_ptr<CPictureBase> widget(MakeWidget(kind, host));
        widget->resize(page);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        widget->repaint();
        for (QSize size : {page, page * 1.4, page * 0.7}) {
            widget->resize(size);
            DisplayList ops;
            MakePictureScene(kind, *app, host.view)->Draw(ops, size.width(), size.height(), false);
            for (const int y = DrawnRow(ops, rgb, PenStyle(style)); int dy : {0, -4, 4}) {
                QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(size.width() / 3, y + dy));
                QVERIFY2(widget->PickedLine() == line, qPrintable(QStringLiteral("%1 at row %2").arg(size.width()).arg(y + dy)));
                QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(size.width() / 3, y + dy));
            }
        }
    }
};

DALVOR_TEST_MAIN(TestPictureWidgets)
#include "test_widget_pictures.moc"
