#include "pictures/PictureWidget.h"
#include "pictures/scene/Scenes.h"

#include "core/app/DalvorApp.h"
#include "pictures/QPainterCanvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

CPictureBase::CPictureBase(int pictureKind, PictureHost& pageHost, QWidget* parent)
    : QWidget(parent), kind(pictureKind), host(pageHost),
      scene(MakePictureScene(pictureKind, pageHost.PictureApp(), pageHost.PictureViewState()))
{
    // Every paint covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
}

CPictureBase::~CPictureBase() = default;

void CPictureBase::SetLayoutDirty()
{
    scene->SetLayoutDirty();
    update();
}

void CPictureBase::CancelDrag()
{
    if (!buttonDown)
        return;
    buttonDown = false;
    picked = -1;
    scene->SetDragging(false);
    update();
    UpdateCursor();
}

void CPictureBase::BuildPrintMetafile()
{
    CDalvorApp& app = host.PictureApp();
    const PictureSize size = PictureControlSize(kind);
    app.print.printPicture = BuildPrintPicture(kind, app, host.PictureViewState(), size.width, size.height);
}

void CPictureBase::DrawInto(QImage& image)
{
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    scene->Draw(canvas, image.width(), image.height(), false);
}

void CPictureBase::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (buffer.size() != size())
        buffer = QImage(size(), QImage::Format_RGB32);
    DrawInto(buffer);
    QPainter(this).drawImage(0, 0, buffer);
}

void CPictureBase::resizeEvent(QResizeEvent* event)
{
    scene->SetLayoutDirty();
    QWidget::resizeEvent(event);
}

void CPictureBase::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!host.PicturePressed())
        return;
    last = event->position().toPoint();
    buttonDown = true;
    scene->LayOut(width(), height());
    picked = scene->Pick(last.y());
    if (picked >= 0)
        scene->SetDragging(true);
    UpdateCursor();
}

void CPictureBase::mouseMoveEvent(QMouseEvent* event)
{
    if (!buttonDown)
        return;
    QPoint point = event->position().toPoint();
    const bool endsAtEdge = scene->EndsAtEdge();
    if (endsAtEdge) {
        // A point outside the control moves no farther than its edge.
        point.setX(std::clamp(point.x(), 0, width()));
        point.setY(std::clamp(point.y(), 0, height()));
    }
    if (picked >= 0)
        FollowDrag(scene->Drag(picked, point.y() - last.y()));
    last = point;
    update();
    if (endsAtEdge && buttonDown &&
        (point.x() < 2 || point.y() < 2 || point.x() > width() - 2 || point.y() > height() - 2))
        CancelDrag();
}

void CPictureBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        CancelDrag();
    UpdateCursor();
}

void CPictureBase::FollowDrag(DragEffect effect)
{
    if (effect == DragEffect::None)
        return;
    host.FollowDrag();
}

void CPictureBase::UpdateCursor()
{
    if (!buttonDown)
        setCursor(Qt::ArrowCursor);
    else if (picked >= 0)
        setCursor(Qt::SizeVerCursor);
}

CPictureGravityFlow::CPictureGravityFlow(PictureHost& pageHost, QWidget* parent)
    : CPictureBase(KindGravityFlow, pageHost, parent)
{
}

CPicturePressureFlow::CPicturePressureFlow(PictureHost& pageHost, QWidget* parent)
    : CPictureBase(KindPressureFlow, pageHost, parent), view(pageHost.PictureViewState())
{
}

void CPicturePressureFlow::SetChartChoice(int choice)
{
    view.chartChoice = choice == 1 ? 1 : 0;
    update();
}

CPicturePipe::CPicturePipe(PictureHost& pageHost, QWidget* parent) : CPictureBase(KindBuriedPipe, pageHost, parent) {}

CPictureManhole::CPictureManhole(PictureHost& pageHost, QWidget* parent) : CPictureBase(KindManhole, pageHost, parent) {}

CPictureReservoir::CPictureReservoir(PictureHost& pageHost, QWidget* parent) : CPictureBase(KindTank, pageHost, parent) {}
