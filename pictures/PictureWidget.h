// The picture controls of the five calculation pages.
//
// A page hosts its picture in three steps:
//
//   1. It gives the picture a PictureHost: the application, the view state
//      (the chart's operating point and choice) and what the page does after
//      a drag step (FollowDrag). The flow pages give a chart link that keeps a
//      copy of the model's operating point and, on FollowDrag, takes the
//      dragged point into the model and shows the results; the section pages
//      (buried pipe, manhole, tank) are the host themselves
//      (ui/pages/PicturePageView.h). PicturePressed() runs before every left
//      press on the picture (false drops the press).
//   2. It makes the picture and lays it out as a control of the page:
//        picture = new CPictureGravityFlow(chartLink, this);
//        const PictureSize size = PictureControlSize(KindGravityFlow);
//        picture->setFixedSize(size.width, size.height);
//   3. It tells the picture what happened, after every step of the page:
//        picture->SetLayoutDirty();        the record or view state changed (repaints)
//        picture->CancelDrag();            a reading moved a value (manhole)
//        picture->SetChartChoice(0 or 1);  the chart chosen (pressure)
//      and before its print driver picture->BuildPrintMetafile(), which
//      leaves the printout's picture in PictureApp().printPicture.
//
// A drag step moves the picked line, writes the value back into the working
// record (or the view state) and then calls the host's FollowDrag, which
// for the pages is:
//   gravity, pressure:   the results shown
//   buried pipe, tank:   the inputs shown; with a valid result, recalculated
//   manhole:             the inputs shown; with a valid result, read back,
//                        the buoyancy worked out and the results shown
#pragma once

#include "pictures/scene/PictureScene.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>

class CDalvorApp;

class PictureHost {
public:
    virtual ~PictureHost() = default;
    // The application object whose working record the picture shows.
    virtual CDalvorApp& PictureApp() = 0;
    // The page's operating point and chart choice.
    virtual PictureView& PictureViewState() = 0;
    // A left press on the picture, before it picks a line.
    virtual bool PicturePressed() { return true; }
    // A drag step moved a value of the working record or the view state: the
    // page shows it and works it out again as its kind does.
    virtual void FollowDrag() {}
};

class CPictureBase : public QWidget {
    Q_OBJECT
public:
    CPictureBase(int kind, PictureHost& host, QWidget* parent = nullptr);
    ~CPictureBase() override;

    int Kind() const { return kind; }
    PictureScene& Scene() { return *scene; }
    // The page recalculated: lay the scene out again and repaint.
    void SetLayoutDirty();
    // Ends a drag as a button release does.
    void CancelDrag();
    // Records the picture at ten times the kind's picture size with the print
    // fonts and pens into the application's print picture, replacing the one
    // before. The size is the kind's own, not the one the window's layout
    // happens to give the widget, so a printout looks the same whatever the
    // window's size, and as the report tool prints it.
    void BuildPrintMetafile();
    // The screen drawing into image, at the image's size (the paint's buffer).
    void DrawInto(QImage& image);

    bool ButtonDown() const { return buttonDown; }
    int PickedLine() const { return picked; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FollowDrag(DragEffect effect);
    void UpdateCursor();

    int kind;
    PictureHost& host;
    std::unique_ptr<PictureScene> scene;
    QImage buffer;
    bool buttonDown = false;
    int picked = -1;
    QPoint last;
};

class CPictureGravityFlow final : public CPictureBase {
    Q_OBJECT
public:
    explicit CPictureGravityFlow(PictureHost& host, QWidget* parent = nullptr);
};

class CPicturePressureFlow final : public CPictureBase {
    Q_OBJECT
public:
    explicit CPicturePressureFlow(PictureHost& host, QWidget* parent = nullptr);
    // 0 the characteristic, 1 the pressure-range chart.
    void SetChartChoice(int choice);

private:
    PictureView& view;
};

class CPicturePipe final : public CPictureBase {
    Q_OBJECT
public:
    explicit CPicturePipe(PictureHost& host, QWidget* parent = nullptr);
};

class CPictureManhole final : public CPictureBase {
    Q_OBJECT
public:
    explicit CPictureManhole(PictureHost& host, QWidget* parent = nullptr);
};

class CPictureReservoir final : public CPictureBase {
    Q_OBJECT
public:
    explicit CPictureReservoir(PictureHost& host, QWidget* parent = nullptr);
};
