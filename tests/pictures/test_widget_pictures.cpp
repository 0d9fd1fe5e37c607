// The picture widgets driven with the mouse as a user drags a line, on a stub
// page, and the drawing adapter's pixel rules.
#include "QtTestMain.h"
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

// The boxes of the drawing's texts, measured in the face the screen draws
// them in, after the given box; fails when one covers another.
void CollectClearLabels(const DisplayList& ops, QList<QRect>& boxes, QStringList& texts)
{
    QFont font(QStringLiteral("Arial"));
    int cell = 0;
    for (const DisplayList::Item& it : ops.Items()) {
        if (it.op == DisplayList::Op::Font)
            font.setPixelSize(QPainterCanvas::PixelSizeForCell(cell = it.a));
        if (it.op != DisplayList::Op::Text && it.op != DisplayList::Op::TextCentred)
            continue;
        texts.append(QString::fromUtf8(ops.TextOf(it).data(), qsizetype(ops.TextOf(it).size())));
        const int advance = QFontMetrics(font).horizontalAdvance(texts.last());
        boxes.append(QRect(it.op == DisplayList::Op::TextCentred ? it.a - advance / 2 : it.a, it.b, advance, cell));
        for (int i = 0; i + 1 < boxes.size(); ++i)
            QVERIFY2(!boxes[i].intersects(boxes.last()), qPrintable(texts[i] + " covers " + texts.last()));
    }
}

QRect WaterSymbolRect(int x, int y, int k)
{
    return QRect(QPoint(x - 7 * k, y - 12 * k), QPoint(x + 7 * k, y + 10 * k));
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
    void tankLabelsStayClear_data();
    void tankLabelsStayClear();
    void levelLabelsStayClear_data();
    void levelLabelsStayClear();
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

void TestPictureWidgets::tankLabelsStayClear_data()
{
    // The water table at the foundation + above, or at the ground - below.
    QTest::addColumn<int>("variant");
    QTest::addColumn<double>("above");
    QTest::addColumn<double>("below");
    QTest::addColumn<bool>("print");
    QTest::newRow("short, water halfway") << 0 << 2.07 << 0.0 << false;
    QTest::newRow("short, water at the ground") << 0 << 0.0 << 0.0 << false;
    QTest::newRow("short, water near the bottom") << 0 << 0.3 << 0.0 << false;
    QTest::newRow("short, water under the tank") << 0 << -0.4 << 0.0 << false;
    QTest::newRow("long, water near the ground") << 1 << 0.0 << 0.2 << false;
    QTest::newRow("long, water near the bottom") << 1 << 0.2 << 0.0 << false;
    QTest::newRow("long, water at the tank's top") << 1 << 1.3 << 0.0 << false;
    QTest::newRow("long, print") << 1 << 0.0 << 0.2 << true;
}

// No text of the tank picture covers another or the water symbol, measured
// in the face the screen draws them in; where nothing meets, the water's
// label starts at the left.
void TestPictureWidgets::tankLabelsStayClear()
{
    QFETCH(int, variant);
    QFETCH(double, above);
    QFETCH(double, below);
    QFETCH(bool, print);
    auto app = picture_fixtures::StartedApp(LangPolish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, KindTank, variant);
    TankRecord& r = app->tank;
    r.waterLevel = below > 0.0 ? r.groundLevel - below : r.foundationLevel + above;
    const int k = print ? 10 : 1, w = 560 * k, h = 300 * k;
    DisplayList ops;
    MakePictureScene(KindTank, *app, view)->Draw(ops, w, h, print);

    const int y = LayoutTank(r, w, h).Y(r.waterLevel), xSymbol = int(std::lround(0.95 * w));
    QList<QRect> boxes = {WaterSymbolRect(xSymbol, y, k)};
    QStringList texts = {QStringLiteral("the water symbol")};
    CollectClearLabels(ops, boxes, texts);
    if (QTest::currentTestFailed())
        return;
    const qsizetype zwg = texts.indexOf(QString::fromStdString(FormatC("ZWG=%.2f", r.waterLevel)));
    QVERIFY(zwg > 0);
    QCOMPARE(boxes[zwg].topLeft() == QPoint(5, y - 14), above > 2.0);
}

void TestPictureWidgets::levelLabelsStayClear_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("ground");
    QTest::addColumn<double>("level");  // the trench's PD, the manhole's PP
    QTest::addColumn<double>("water");
    QTest::addColumn<bool>("print");
    QTest::addColumn<bool>("levelStays");
    QTest::newRow("trench, levels apart") << int(KindBuriedPipe) << 4.0 << 2.0 << 3.0 << false << true;
    QTest::newRow("trench, shallow cover") << int(KindBuriedPipe) << 0.10 << -0.13 << -1.5 << false << false;
    QTest::newRow("trench, pipe near the ground") << int(KindBuriedPipe) << 4.0 << 3.77 << 2.0 << false << false;
    QTest::newRow("trench, water at the ground") << int(KindBuriedPipe) << 4.0 << 2.0 << 3.98 << false << true;
    QTest::newRow("trench, water on the pipe") << int(KindBuriedPipe) << 4.0 << 2.0 << 2.01 << false << true;
    QTest::newRow("trench, shallow cover, print") << int(KindBuriedPipe) << 0.10 << 0.02 << -1.5 << true << false;
    QTest::newRow("manhole, levels apart") << int(KindManhole) << 3.0 << 0.5 << 1.7 << false << true;
    QTest::newRow("manhole, collector near the ground") << int(KindManhole) << 1.0 << 0.9 << 0.0 << false << false;
    QTest::newRow("manhole, water at the ground") << int(KindManhole) << 3.0 << 0.5 << 2.95 << false << true;
    QTest::newRow("manhole, water on the collector") << int(KindManhole) << 3.0 << 0.5 << 0.55 << false << true;
    QTest::newRow("manhole, all three close, print") << int(KindManhole) << 1.0 << 0.95 << 0.97 << true << false;
}

// No label of the trench or manhole picture covers another or the water
// symbol; the pipe's label keeps its place above its line where that is free.
void TestPictureWidgets::levelLabelsStayClear()
{
    QFETCH(int, kind);
    QFETCH(double, ground);
    QFETCH(double, level);
    QFETCH(double, water);
    QFETCH(bool, print);
    QFETCH(bool, levelStays);
    auto app = picture_fixtures::StartedApp(LangEnglish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, kind, 0);
    const int k = print ? 10 : 1, w = 400 * k, h = 300 * k;
    int yLevel = 0, yWater = 0;
    if (kind == KindBuriedPipe) {
        BuriedPipeRecord& r = app->buriedPipe;
        r.groundLevel = ground;
        r.invertLevel = level;
        r.foundationLevel = level - (r.outerDiameter - r.innerDiameter) * 0.0005;
        r.waterLevel = water;
        const TrenchLayout l = LayoutTrench(r, w, h);
        yLevel = l.Y(level);
        yWater = l.Y(water);
    } else {
        ManholeRecord& r = app->manhole;
        r.groundLevel = ground;
        r.pipeBottomLevel = level;
        r.waterLevel = water;
        const ManholeLayout l = LayoutManhole(r, w, h);
        yLevel = l.Y(level);
        yWater = l.Y(water);
    }
    DisplayList ops;
    MakePictureScene(kind, *app, view)->Draw(ops, w, h, print);

    QList<QRect> boxes = {WaterSymbolRect(int(std::lround(0.93 * w)), yWater, k)};
    QStringList texts = {QStringLiteral("the water symbol")};
    CollectClearLabels(ops, boxes, texts);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(texts.size(), 4);
    const QString levelText = QString::fromStdString(FormatC(kind == KindBuriedPipe ? "PD=%.2f" : "PP=%.2f", level));
    const qsizetype at = texts.indexOf(levelText);
    QVERIFY(at > 0);
    QCOMPARE(boxes[at].topLeft() == QPoint(5, yLevel - picture::TextOffset(print)), levelStays);
    for (const QRect& box : boxes)
        QVERIFY(QRect(0, 0, w, h).contains(box));
}

DALVOR_TEST_MAIN(TestPictureWidgets)
#include "test_widget_pictures.moc"
