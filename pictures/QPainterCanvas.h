// The Canvas painted with a QPainter: the one place where the pictures'
// drawing rules meet Qt's. Right and bottom edges are excluded, a thin line
// leaves out its end pixel, thick pens have round caps and joins, a font's
// height is its cell height, text is anchored at its top-left corner and
// escapement 900 turns it to run upward.
#pragma once

#include "core/report/Canvas.h"
#include "core/report/PrintData.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>

#include <exception>

class QRect;

// Saves the painter's state and restores it when it goes out of scope, also
// when drawing is left by an exception (memory running out mid-page), so no
// saved state is left behind on the painter. A restore that fails while the
// drawing is already being left is dropped; otherwise its failure is passed on.
class PainterSave {
public:
    explicit PainterSave(QPainter& painter) : p(painter), leaving(std::uncaught_exceptions()) { p.save(); }
    ~PainterSave() noexcept(false)
    {
        if (std::uncaught_exceptions() <= leaving) {
            p.restore();
            return;
        }
        try {
            p.restore();
        } catch (...) {
        }
    }
    PainterSave(const PainterSave&) = delete;
    PainterSave& operator=(const PainterSave&) = delete;

private:
    QPainter& p;
    int leaving;
};

class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);
    void SetPen(const CanvasPen& pen) override;
    void SetBrush(const CanvasBrush& brush) override;
    void SetFont(const CanvasFont& font) override;
    void SetTextColor(uint32_t rgb) override;
    void FillRect(int left, int top, int right, int bottom, uint32_t rgb) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(std::span<const CanvasPoint> points) override;
    void Polygon(std::span<const CanvasPoint> points) override;
    void TextOut(int x, int y, std::string_view utf8) override;
    void TextOutCentred(int x, int y, std::string_view utf8) override;

    // The pixel size of Qt's font whose cell is cellHeight pixels high.
    static int PixelSizeForCell(int cellHeight);

private:
    QPainter& p;
    QPen pen;
    QBrush brush;
    QColor textColor;
    QFont font;
    int escapement = 0;
    int penWidth = 1;
};

// Plays a recorded print picture into target: its width x height canvas is
// scaled onto the rectangle and clipped to it. An empty picture draws nothing.
void PlayPrintPicture(QPainter& painter, const PrintPicture& picture, const QRect& target);
