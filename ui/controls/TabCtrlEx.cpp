#include "ui/controls/TabCtrlEx.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kTextPadding = 8;
// The height of the 3D edge that the selected caption is lifted by.
constexpr int kEdge = 2;

// A side of a tab: drawn from its first point towards its last, which it
// stops short of.
void DrawSide(QPainter& p, int x1, int y1, int x2, int y2)
{
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    if (dx || dy)
        p.drawLine(x1, y1, x2 - dx, y2 - dy);
}

}  // namespace

CTabCtrlEx::CTabCtrlEx(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabCtrlEx"));
    setFocusPolicy(Qt::TabFocus);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QColor CTabCtrlEx::SelectedFillColor() const
{
    return palette().color(QPalette::Light);
}

QColor CTabCtrlEx::NormalFillColor() const
{
    return palette().color(QPalette::Button);
}

int CTabCtrlEx::addTab(const QString& text)
{
    texts.append(text);
    laidOutWidth = -1;
    updateGeometry();
    update();
    if (current < 0)
        setCurrentIndex(0);
    return count() - 1;
}

void CTabCtrlEx::setTabText(int index, const QString& text)
{
    if (index < 0 || index >= count() || texts[index] == text)
        return;
    texts[index] = text;
    laidOutWidth = -1;
    updateGeometry();
    update();
}

void CTabCtrlEx::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == current)
        return;
    current = index;
    update();
    emit currentChanged(index);
}

int CTabCtrlEx::RowHeight() const
{
    return fontMetrics().height() + 8;
}

int CTabCtrlEx::TabWidth(int index) const
{
    return fontMetrics().horizontalAdvance(texts.at(index)) + 2 * kTextPadding;
}

void CTabCtrlEx::Layout(int width) const
{
    if (width == laidOutWidth && rects.size() == count())
        return;
    laidOutWidth = width;
    rects = QVector<QRect>(count());
    // Tabs fill a row in their order; a row that is full starts the next.
    QVector<QVector<int>> rowTabs;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = TabWidth(i);
        if (rowTabs.isEmpty() || (used + w > width && used > 0)) {
            rowTabs.append(QVector<int>());
            used = 0;
        }
        rowTabs.last().append(i);
        used += w;
    }
    rows = static_cast<int>(rowTabs.size());
    const int h = RowHeight();
    for (int r = 0; r < rows; ++r) {
        const QVector<int>& tabs = rowTabs[r];
        int natural = 0;
        for (int i : tabs)
            natural += TabWidth(i);
        // With more than one row every row spans the whole width.
        const int spare = rows > 1 ? std::max(0, width - natural) : 0;
        int x = 0;
        for (int k = 0; k < tabs.size(); ++k) {
            int extra = tabs.size() ? spare / static_cast<int>(tabs.size()) : 0;
            if (k == tabs.size() - 1)
                extra = spare - extra * (static_cast<int>(tabs.size()) - 1);
            const int w = TabWidth(tabs[k]) + extra;
            rects[tabs[k]] = QRect(x, r * h, w, h);
            x += w;
        }
    }
}

QRect CTabCtrlEx::tabRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    Layout(width());
    return rects.at(index);
}

int CTabCtrlEx::tabAt(const QPoint& pos) const
{
    Layout(width());
    for (int i = 0; i < count(); ++i)
        if (rects.at(i).contains(pos))
            return i;
    return -1;
}

int CTabCtrlEx::rowCount() const
{
    Layout(width());
    return rows;
}

int CTabCtrlEx::heightForWidth(int width) const
{
    Layout(width);
    return std::max(1, rows) * RowHeight() + 2;
}

QSize CTabCtrlEx::sizeHint() const
{
    int w = 0;
    for (int i = 0; i < count(); ++i)
        w += TabWidth(i);
    return QSize(w, heightForWidth(width() > 0 ? width() : w));
}

QSize CTabCtrlEx::minimumSizeHint() const
{
    return QSize(0, heightForWidth(width() > 0 ? width() : sizeHint().width()));
}

void CTabCtrlEx::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = heightForWidth(width());
    if (h != height())
        updateGeometry();
}

void CTabCtrlEx::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        laidOutWidth = -1;
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void CTabCtrlEx::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        int i = tabAt(event->position().toPoint());
        if (i >= 0)
            setCurrentIndex(i);
    }
    QWidget::mousePressEvent(event);
}

void CTabCtrlEx::keyPressEvent(QKeyEvent* event)
{
    if (count() > 0 && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        setCurrentIndex((current + step + count()) % count());
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTabCtrlEx::paintEvent(QPaintEvent*)
{
    Layout(width());
    QPainter p(this);
    for (int i = 0; i < count(); ++i)
        DrawItem(p, i);
}

void CTabCtrlEx::DrawItem(QPainter& p, int index)
{
    if (index < 0)
        return;
    const bool selected = index == current;
    const QRect r = rects.at(index);
    // Right and bottom are exclusive, as the sides below count them.
    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();

    p.setPen(QPen(BorderColor(), 1));
    QRect textRect = r;
    if (selected) {
        p.fillRect(r, SelectedFillColor());
        DrawSide(p, left + 2, bottom - 1, right - 2, bottom - 1);
        DrawSide(p, left + 2, bottom - 1, left + 2, top - 1);
        DrawSide(p, right - 3, bottom - 1, right - 3, top - 1);
        textRect.setTop(top - kEdge);
    } else {
        // The right side stands just outside the tab: the next tab's fill
        // covers it, and its own left side parts the two.
        p.fillRect(r, NormalFillColor());
        DrawSide(p, left + 1, bottom - 1, right, bottom - 1);
        DrawSide(p, left + 1, bottom - 1, left + 1, top);
        DrawSide(p, right, bottom - 1, right, top);
    }
    if (selected && hasFocus()) {
        p.setPen(QPen(BorderColor(), 1, Qt::DotLine));
        p.drawRect(r.adjusted(4, 3, -6, -4));
    }
    p.setFont(font());
    p.setPen(selected ? SelectedTextColor() : NormalTextColor());
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, texts.at(index));
}
