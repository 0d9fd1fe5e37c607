// The picture widgets driven with the mouse as a user drags a line, on a stub
// page, and the drawing adapter's pixel rules.
#include "GravityScene.h"
#include "PictureFixtures.h"
#include "PictureWidget.h"
#include "PressureScene.h"
#include "QPainterCanvas.h"
#include "TankScene.h"
#include "Text.h"
#include "TrenchScene.h"
#include "ManholeScene.h"

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
    void ShowInputs() override { ++showInputs; }
    void ReadInputs() override { ++readInputs; }
    void Recalculate() override { ++recalculations; }
    void ShowResults() override { ++showResults; }
    CDalvorApp& app;
    PictureView view;
    int showInputs = 0, readInputs = 0, recalculations = 0, showResults = 0;
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
        return {[](StubHost& s) { return s.app.buriedPipe.groundLevel; },
                [](StubHost& s, int w, int h) { return LayoutTrench(s.app.buriedPipe, w, h).scale; }};
    case KindManhole:
        return {[](StubHost& s) { return s.app.manhole.waterLevel; },
                [](StubHost& s, int w, int h) { return LayoutManhole(s.app.manhole, w, h).scale; }};
    default:
        return {[](StubHost& s) { return s.app.tank.waterLevel; },
                [](StubHost& s, int w, int h) { return LayoutTank(s.app.tank, w, h).scale; }};
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

// What a drawing inks, as it is played: each stroke of a pen (the outlines
// of rectangles and ellipses included) and the box of each text, measured in
// the face the screen draws it in.
class Survey final : public Canvas {
public:
    struct Stroke {
        QPointF from, to;
        double half;  // how far the pen inks beside the stroke's middle
        // Whether the stroke inks a pixel of the box.
        bool Crosses(const QRect& box) const
        {
            const double length = QLineF(from, to).length();
            for (double s = 0.0; s <= length; s += 0.25) {
                const QPointF p = length > 0.0 ? from + (to - from) * (s / length) : from;
                if (p.x() >= box.left() - half && p.x() <= box.right() + half && p.y() >= box.top() - half &&
                    p.y() <= box.bottom() + half)
                    return true;
            }
            return false;
        }
    };
    void SetPen(const CanvasPen& p) override { pen = p; }
    void SetBrush(const CanvasBrush&) override {}
    void SetFont(const CanvasFont& f) override
    {
        cell = f;
        font.setPixelSize(QPainterCanvas::PixelSizeForCell(f.height));
    }
    void SetTextColor(uint32_t) override {}
    void FillRect(int, int, int, int, uint32_t) override {}
    void Rectangle(int l, int t, int r, int b) override
    {
        const CanvasPoint corners[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
        Polygon(corners);
    }
    void Ellipse(int l, int t, int r, int b) override
    {
        const QPointF c((l + r - 1) / 2.0, (t + b - 1) / 2.0);
        const double rx = (r - l - 1) / 2.0, ry = (b - t - 1) / 2.0;
        for (int i = 0; i < 90; ++i) {
            const double a = i * M_PI / 45.0, z = (i + 1) * M_PI / 45.0;
            Add(c + QPointF(rx * std::cos(a), ry * std::sin(a)), c + QPointF(rx * std::cos(z), ry * std::sin(z)));
        }
    }
    void Line(int x1, int y1, int x2, int y2) override { Add(QPointF(x1, y1), QPointF(x2, y2)); }
    void Polyline(std::span<const CanvasPoint> p) override
    {
        for (std::size_t i = 0; i + 1 < p.size(); ++i)
            Add(QPointF(p[i].x, p[i].y), QPointF(p[i + 1].x, p[i + 1].y));
    }
    void Polygon(std::span<const CanvasPoint> p) override
    {
        Polyline(p);
        Add(QPointF(p.back().x, p.back().y), QPointF(p.front().x, p.front().y));
    }
    void TextOut(int x, int y, std::string_view utf8) override { Text(x, y, utf8, false); }
    void TextOutCentred(int x, int y, std::string_view utf8) override { Text(x, y, utf8, true); }

    QList<Stroke> strokes;
    QStringList texts;
    QList<QRect> boxes;

private:
    void Add(QPointF a, QPointF b)
    {
        if (pen.style != PenStyle::Null)
            strokes.append({a, b, (pen.width - 1) / 2.0});
    }
    void Text(int x, int y, std::string_view utf8, bool centred)
    {
        texts.append(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        const int advance = QFontMetrics(font).horizontalAdvance(texts.last());
        if (cell.escapement == 900)
            boxes.append(QRect(x, y - advance, cell.height, advance));
        else
            boxes.append(QRect(centred ? x - advance / 2 : x, y, advance, cell.height));
    }
    CanvasPen pen;
    CanvasFont cell;
    QFont font{QStringLiteral("Arial")};
};

void CheckTextsWholeAndApart(const Survey& survey, int w, int h)
{
    for (qsizetype i = 0; i < survey.texts.size(); ++i) {
        QVERIFY2(QRect(0, 0, w, h).contains(survey.boxes[i]), qPrintable(survey.texts[i] + " is cut"));
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY2(!survey.boxes[i].intersects(survey.boxes[j]),
                     qPrintable(survey.texts[j] + " covers " + survey.texts[i]));
    }
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

}  // namespace

class TestPictureWidgets : public QObject {
    Q_OBJECT
private slots:
    void dragMovesTheLevel_data();
    void dragMovesTheLevel();
    void canvasPixelRules_data();
    void canvasPixelRules();
    void printPicturePlaysIntoItsRectangle();
    void fontCellIsTheHeightAsked();
    void sectionLabelsKeepOffLines_data();
    void sectionLabelsKeepOffLines();
    void chartLabelsWholeAndReadable_data();
    void chartLabelsWholeAndReadable();
    void linesAreGrabbedWhereDrawn_data();
    void linesAreGrabbedWhereDrawn();
};

void TestPictureWidgets::dragMovesTheLevel_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("line");
    QTest::newRow("gravity operating line") << int(KindGravityFlow) << 0;
    QTest::newRow("pressure operating head") << int(KindPressureFlow) << 0;
    QTest::newRow("trench ground") << int(KindBuriedPipe) << int(TrenchGround);
    QTest::newRow("manhole water") << int(KindManhole) << int(ManholeWater);
    QTest::newRow("tank water") << int(KindTank) << int(TankWater);
}

void TestPictureWidgets::dragMovesTheLevel()
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
    QTest::mouseMove(widget.get(), QPoint(100, row - 20));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(100, row - 20));
    QVERIFY(!widget->ButtonDown());
    QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(qAbs(dragged.value(host) - (before + 20.0 / perUnit)) < 1e-9);

    const bool valid = kind == KindBuriedPipe ? app->buriedPipe.head.resultValid == 1
                                              : kind == KindManhole ? app->manhole.head.resultValid == 1
                                                                    : app->tank.head.resultValid == 1;
    if (kind == KindGravityFlow || kind == KindPressureFlow) {
        QCOMPARE(host.showResults, 1);
        QCOMPARE(host.showInputs, 0);
    } else {
        QCOMPARE(host.showInputs, 1);
        QCOMPARE(host.recalculations, valid && kind != KindManhole ? 1 : 0);
        QCOMPARE(host.readInputs, valid && kind == KindManhole ? 1 : 0);
        // The section pictures end the drag at their edge.
        QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(100, row - 20));
        QTest::mouseMove(widget.get(), QPoint(100, 1));
        QVERIFY(!widget->ButtonDown());
    }

    widget->BuildPrintMetafile();
    QCOMPARE(app->printPicture.width, 4000);
    QCOMPARE(app->printPicture.height, 3000);
    QVERIFY(!app->printPicture.Empty());
}

void TestPictureWidgets::canvasPixelRules_data()
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

void TestPictureWidgets::canvasPixelRules()
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

void TestPictureWidgets::printPicturePlaysIntoItsRectangle()
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

void TestPictureWidgets::fontCellIsTheHeightAsked()
{
    // The screen, print and tank print fonts, horizontal and vertical.
    for (int cell : {12, 14, 75, 90, 100}) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(QPainterCanvas::PixelSizeForCell(cell));
        QCOMPARE(QFontMetrics(font).height(), cell);
    }
}

using Change = std::function<void(CDalvorApp&)>;

void TestPictureWidgets::sectionLabelsKeepOffLines_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("print");
    QTest::addColumn<bool>("partPlaces");  // every level label at x 5 above its line
    const Change none = [](CDalvorApp&) {};
    QTest::newRow("trench, levels apart") << int(KindBuriedPipe) << 0
        << Change([](CDalvorApp& a) { a.buriedPipe.waterLevel = 3.0; }) << false << true;
    QTest::newRow("trench, water 0.2 m under the ground") << int(KindBuriedPipe) << 1
        << Change([](CDalvorApp& a) { a.buriedPipe.waterLevel = a.buriedPipe.groundLevel - 0.2; }) << false << false;
    QTest::newRow("trench, water on the pipe") << int(KindBuriedPipe) << 0
        << Change([](CDalvorApp& a) { a.buriedPipe.waterLevel = a.buriedPipe.invertLevel + 0.01; }) << false << false;
    QTest::newRow("trench, shallow cover, print") << int(KindBuriedPipe) << 0 << Change([](CDalvorApp& a) {
        BuriedPipeRecord& r = a.buriedPipe;
        r.groundLevel = 0.10;
        r.invertLevel = 0.02;
        r.foundationLevel = r.invertLevel - (r.outerDiameter - r.innerDiameter) * 0.0005;
        r.waterLevel = -1.5;
    }) << true << false;
    QTest::newRow("manhole, as the page starts") << int(KindManhole) << 0 << none << false << true;
    QTest::newRow("manhole, water 0.2 m under the ground") << int(KindManhole) << 0
        << Change([](CDalvorApp& a) { a.manhole.waterLevel = a.manhole.groundLevel - 0.2; }) << false << false;
    QTest::newRow("manhole, sand trap, water 0.3 m over PP") << int(KindManhole) << 0 << Change([](CDalvorApp& a) {
        a.manhole.sandTrap = 1;
        a.manhole.ballastHeight = 0.0;
        a.manhole.waterLevel = a.manhole.pipeBottomLevel + 0.3;
        a.CalcManholeBuoyancy();
    }) << false << false;
    QTest::newRow("manhole, all three close, print") << int(KindManhole) << 0 << Change([](CDalvorApp& a) {
        a.manhole.groundLevel = 1.0;
        a.manhole.pipeBottomLevel = 0.95;
        a.manhole.waterLevel = 0.97;
    }) << true << false;
    QTest::newRow("tank, levels apart") << int(KindTank) << 0 << none << false << true;
    QTest::newRow("tank, water 0.2 m under the ground") << int(KindTank) << 0
        << Change([](CDalvorApp& a) { a.tank.waterLevel = a.tank.groundLevel - 0.2; }) << false << false;
    QTest::newRow("tank, water near the bottom") << int(KindTank) << 0
        << Change([](CDalvorApp& a) { a.tank.waterLevel = a.tank.foundationLevel + 0.3; }) << false << false;
    QTest::newRow("tank, anchored, water 0.2 m under the ground") << int(KindTank) << 1 << none << false << false;
    QTest::newRow("tank, anchored, water on the tank's top") << int(KindTank) << 1
        << Change([](CDalvorApp& a) { a.tank.waterLevel = a.tank.foundationLevel + 1.3; }) << false << false;
    QTest::newRow("tank, anchored, water over PD") << int(KindTank) << 1
        << Change([](CDalvorApp& a) { a.tank.waterLevel = a.tank.tankBottomLevel + 0.2; }) << false << false;
    QTest::newRow("tank, anchored, print") << int(KindTank) << 1 << none << true << false;
}

// No text of a section picture covers another or crosses a line of the
// picture, all lie whole inside it, and where nothing crowds them the level
// labels keep their places at x 5 above their lines.
void TestPictureWidgets::sectionLabelsKeepOffLines()
{
    QFETCH(int, kind);
    QFETCH(int, variant);
    QFETCH(Change, change);
    QFETCH(bool, print);
    QFETCH(bool, partPlaces);
    auto app = picture_fixtures::StartedApp(LangPolish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, kind, variant);
    change(*app);
    int w = 0, h = 0;
    picture_fixtures::ControlSize(kind, w, h);
    const int k = print ? 10 : 1;
    DisplayList ops;
    MakePictureScene(kind, *app, view)->Draw(ops, w * k, h * k, print);
    Survey survey;
    ops.Play(survey);
    QVERIFY(survey.texts.size() >= 3);
    CheckTextsWholeAndApart(survey, w * k, h * k);
    for (qsizetype i = 0; i < survey.texts.size(); ++i)
        for (const Survey::Stroke& stroke : survey.strokes)
            QVERIFY2(!stroke.Crosses(survey.boxes[i]),
                     qPrintable(survey.texts[i] + QStringLiteral(" is crossed by the line from %1 %2 to %3 %4")
                                                      .arg(stroke.from.x()).arg(stroke.from.y())
                                                      .arg(stroke.to.x()).arg(stroke.to.y())));
    if (partPlaces)
        for (auto [rgb, style, index] : {std::tuple{Rgb(0, 127, 0), PenStyle::Solid, 0},
                                         {Rgb(0, 0, 0), PenStyle::Dot, 1}, {Rgb(0, 0, 255), PenStyle::Solid, 2}}) {
            const int y = DrawnRow(ops, rgb, style);
            const QPoint at = survey.boxes[index].topLeft();
            QCOMPARE(at, QPoint(index == 2 && at.x() != 5 ? at.x() : 5, y - picture::TextOffset(print)));
        }
}

void TestPictureWidgets::chartLabelsWholeAndReadable_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("chart");
    const Change none = [](CDalvorApp&) {};
    const Change steep = [](CDalvorApp& a) {
        a.pressureFlow.length = 0.05;
        a.pressureFlow.nominalPressure = 1.6;
        a.CalcPressureFlow();
    };
    QTest::newRow("gravity") << int(KindGravityFlow) << 0 << none << 0;
    QTest::newRow("gravity, large flow") << int(KindGravityFlow) << 1 << none << 0;
    QTest::newRow("pressure characteristic") << int(KindPressureFlow) << 0 << none << 0;
    QTest::newRow("pressure characteristic, steep drop") << int(KindPressureFlow) << 1 << steep << 0;
    QTest::newRow("pressure range") << int(KindPressureFlow) << 0 << none << 1;
    QTest::newRow("pressure range, 1.6 MPa") << int(KindPressureFlow) << 1 << steep << 1;
}

// Every label of a chart lies whole inside the picture, apart from the
// others, on screen and in print; the axis titles show on a plate that no
// grid line and no red area runs through.
void TestPictureWidgets::chartLabelsWholeAndReadable()
{
    QFETCH(int, kind);
    QFETCH(int, variant);
    QFETCH(Change, change);
    QFETCH(int, chart);
    auto app = picture_fixtures::StartedApp(LangPolish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, kind, variant);
    change(*app);
    view.chartChoice = chart;
    int w = 0, h = 0;
    picture_fixtures::ControlSize(kind, w, h);
    for (int k : {1, 10}) {
        if (chart == 1 && k == 10)
            break;  // the range chart is never printed
        DisplayList ops;
        MakePictureScene(kind, *app, view)->Draw(ops, w * k, h * k, k == 10);
        Survey survey;
        ops.Play(survey);
        CheckTextsWholeAndApart(survey, w * k, h * k);
        if (QTest::currentTestFailed())
            return;
    }
    QImage image(w, h, QImage::Format_RGB32);
    DisplayList ops;
    MakePictureScene(kind, *app, view)->Draw(ops, w, h, false);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        ops.Play(canvas);
    }
    Survey survey;
    ops.Play(survey);
    int titles = 0;
    for (int key = 20262; key <= 20267; ++key) {
        const qsizetype i = survey.texts.indexOf(QString::fromStdString(picture::Text(*app, key)));
        if (i < 0)
            continue;
        ++titles;
        const QRect box = survey.boxes[i];
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb ink = image.pixel(x, y);
                QVERIFY2(ink != qRgb(0, 127, 0) && ink != qRgb(255, 0, 0),
                         qPrintable(survey.texts[i] + QStringLiteral(" at %1 %2").arg(x).arg(y)));
            }
    }
    QCOMPARE(titles, kind == KindGravityFlow ? 0 : chart == 1 ? 4 : 2);
}

void TestPictureWidgets::linesAreGrabbedWhereDrawn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("line");
    QTest::addColumn<uint>("rgb");
    QTest::addColumn<int>("style");
    const uint operating = Rgb(127, 127, 0), ground = Rgb(0, 127, 0), water = Rgb(0, 0, 255), ticks = 0;
    const int solid = int(PenStyle::Solid), dot = int(PenStyle::Dot);
    QTest::newRow("gravity operating line") << int(KindGravityFlow) << 0 << operating << dot;
    QTest::newRow("pressure operating line") << int(KindPressureFlow) << 0 << operating << dot;
    QTest::newRow("trench ground") << int(KindBuriedPipe) << int(TrenchGround) << ground << solid;
    QTest::newRow("trench water") << int(KindBuriedPipe) << int(TrenchWater) << water << solid;
    QTest::newRow("trench PD") << int(KindBuriedPipe) << int(TrenchPipe) << ticks << dot;
    QTest::newRow("manhole ground") << int(KindManhole) << int(ManholeGround) << ground << solid;
    QTest::newRow("manhole water") << int(KindManhole) << int(ManholeWater) << water << solid;
    QTest::newRow("manhole PP") << int(KindManhole) << int(ManholePipe) << ticks << dot;
    QTest::newRow("tank ground") << int(KindTank) << int(TankGround) << ground << solid;
    QTest::newRow("tank water") << int(KindTank) << int(TankWater) << water << solid;
    QTest::newRow("tank PD") << int(KindTank) << int(TankBottom) << ticks << dot;
}

// A press on the row a draggable line is drawn on, or 4 px above or below
// it, grabs that line: at the page's size, and at once after a resize,
// before the picture has painted again.
void TestPictureWidgets::linesAreGrabbedWhereDrawn()
{
    QFETCH(int, kind);
    QFETCH(int, line);
    QFETCH(uint, rgb);
    QFETCH(int, style);
    auto app = picture_fixtures::StartedApp(LangEnglish);
    StubHost host(*app);
    picture_fixtures::Prepare(*app, host.view, kind, 0);
    // A thick tank wall sets the foundation well under the tank's bottom.
    app->tank.innerDiameter = app->tank.outerDiameter - 1000.0;
    app->tank.foundationLevel = app->tank.tankBottomLevel - 0.5;
    app->buriedPipe.waterLevel = 3.0;  // apart from the pipe's line
    int w = 0, h = 0;
    picture_fixtures::ControlSize(kind, w, h);
    std::unique_ptr<CPictureBase> widget(MakeWidget(kind, host));
    widget->resize(w, h);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    widget->repaint();
    for (QSize size : {QSize(w, h), QSize(w * 3 / 2, h * 4 / 3), QSize(w * 3 / 4, h * 2 / 3)}) {
        widget->resize(size);
        DisplayList ops;
        MakePictureScene(kind, *app, host.view)->Draw(ops, size.width(), size.height(), false);
        const int y = DrawnRow(ops, rgb, PenStyle(style));
        QVERIFY(y > 0);
        for (int dy : {0, -4, 4}) {
            QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(size.width() / 3, y + dy));
            QVERIFY2(widget->PickedLine() == line, qPrintable(QStringLiteral("%1 at row %2").arg(size.width()).arg(y + dy)));
            QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(size.width() / 3, y + dy));
        }
    }
}

QTEST_MAIN(TestPictureWidgets)
#include "test_widget_pictures.moc"
