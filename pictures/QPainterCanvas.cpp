#include "pictures/QPainterCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

QColor ToColor(uint32_t rgb) { return QColor((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255); }

// The rectangle from (left, top) to (right, bottom), edges in either order,
// as Qt outlines it: its outline inks one pixel beyond the rectangle's size.
QRect Span(int left, int top, int right, int bottom)
{
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left) - 1,
                 std::abs(bottom - top) - 1);
}

QFont PictureFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    return font;
}

QPolygon ToPolygon(std::span<const CanvasPoint> points)
{
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const CanvasPoint& pt : points)
        poly << QPoint(pt.x, pt.y);
    return poly;
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter) : p(painter)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBackgroundMode(Qt::TransparentMode);
    SetPen({});
    SetBrush({});
    SetFont({});
}

int QPainterCanvas::PixelSizeForCell(int cellHeight)
{
    // The cell of the sans face is about 1.117 of its em, but its ascent and
    // descent round to whole pixels on their own: take the largest size whose
    // cell is no higher than asked, found from the font's own metrics.
    const int cell = std::max(1, cellHeight);
    static std::array<int, 1024> known{};
    if (cell < static_cast<int>(known.size()) && known[cell] > 0)
        return known[cell];
    QFont font = PictureFont();
    auto cellOf = [&](int pixels) {
        font.setPixelSize(pixels);
        return QFontMetrics(font).height();
    };
    int pixels = std::max(1, static_cast<int>(std::lround(cell / 1.117)));
    while (pixels > 1 && cellOf(pixels) > cell)
        --pixels;
    while (cellOf(pixels + 1) <= cell)
        ++pixels;
    if (cell < static_cast<int>(known.size()))
        known[cell] = pixels;
    return pixels;
}

void QPainterCanvas::SetPen(const CanvasPen& cp)
{
    penWidth = std::max(1, cp.width);
    if (cp.style == PenStyle::Null) {
        pen = QPen(Qt::NoPen);
    } else if (penWidth > 1) {
        // Wide pens are always solid, with round ends and joins.
        pen = QPen(ToColor(cp.rgb), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    } else {
        pen = QPen(ToColor(cp.rgb), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (cp.style == PenStyle::Dot)
            pen.setDashPattern({3, 3});
        else if (cp.style == PenStyle::DashDot)
            pen.setDashPattern({9, 6, 3, 6});
    }
    p.setPen(pen);
}

void QPainterCanvas::SetBrush(const CanvasBrush& cb)
{
    brush = cb.null ? QBrush(Qt::NoBrush) : QBrush(ToColor(cb.rgb));
    p.setBrush(brush);
}

void QPainterCanvas::SetFont(const CanvasFont& cf)
{
    font = PictureFont();
    font.setPixelSize(PixelSizeForCell(cf.height));
    escapement = cf.escapement;
    p.setFont(font);
}

void QPainterCanvas::SetTextColor(uint32_t rgb) { textColor = ToColor(rgb); }

void QPainterCanvas::FillRect(int left, int top, int right, int bottom, uint32_t rgb)
{
    p.fillRect(QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                     QSize(std::abs(right - left), std::abs(bottom - top))),
               ToColor(rgb));
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    p.drawRect(Span(left, top, right, bottom));
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    p.drawEllipse(Span(left, top, right, bottom));
}

void QPainterCanvas::Line(int x1, int y1, int x2, int y2)
{
    // A line inks its start pixel and stops short of its end one. Qt's flat
    // ends cover the pixels from the lower coordinate up to the higher one, so
    // a line running toward lower coordinates moves over by one pixel.
    if (penWidth <= 1) {
        const bool alongX = std::abs(x2 - x1) >= std::abs(y2 - y1);
        if (alongX && x2 < x1) {
            ++x1;
            ++x2;
        } else if (!alongX && y2 < y1) {
            ++y1;
            ++y2;
        }
    }
    p.drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::Polyline(std::span<const CanvasPoint> points)
{
    if (points.size() >= 2)
        p.drawPolyline(ToPolygon(points));
}

void QPainterCanvas::Polygon(std::span<const CanvasPoint> points)
{
    if (points.size() >= 3)
        p.drawPolygon(ToPolygon(points), Qt::WindingFill);
}

void QPainterCanvas::TextOut(int x, int y, std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const int ascent = QFontMetrics(font).ascent();
    p.setPen(QPen(textColor));
    if (escapement == 900) {
        const PainterSave saved(p);
        p.translate(x, y);
        p.rotate(-90.0);
        p.drawText(0, ascent, text);
    } else {
        p.drawText(x, y + ascent, text);
    }
    p.setPen(pen);
}

void QPainterCanvas::TextOutCentred(int x, int y, std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    TextOut(x - QFontMetrics(font).horizontalAdvance(text) / 2, y, utf8);
}

void PlayPrintPicture(QPainter& painter, const PrintPicture& picture, const QRect& target)
{
    if (picture.Empty() || target.isEmpty())
        return;
    const PainterSave saved(painter);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / static_cast<double>(picture.width),
                  target.height() / static_cast<double>(picture.height));
    QPainterCanvas canvas(painter);
    picture.ops.Play(canvas);
}
