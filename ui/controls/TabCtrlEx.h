// The sheet's tabs, drawn by the program below the pages: the selected tab in
// blue on the light 3D colour, the others in dark grey on the dialog face,
// each framed by a grey line. Tabs that do not fit in one row take further
// rows, each row spread over the whole width, as a property sheet's stacked
// tabs do.
#pragma once

#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

class CTabCtrlEx : public QWidget {
    Q_OBJECT
public:
    explicit CTabCtrlEx(QWidget* parent = nullptr);

    int addTab(const QString& text);
    int count() const { return static_cast<int>(texts.size()); }
    QString tabText(int index) const { return texts.value(index); }
    void setTabText(int index, const QString& text);
    int currentIndex() const { return current; }
    void setCurrentIndex(int index);
    // The tab's rectangle in the control (empty for an index out of range).
    QRect tabRect(int index) const;
    int tabAt(const QPoint& pos) const;
    int rowCount() const;

    static QColor SelectedTextColor() { return QColor(0, 0, 255); }
    static QColor NormalTextColor() { return QColor(50, 50, 50); }
    static QColor BorderColor() { return QColor(150, 150, 150); }
    QColor SelectedFillColor() const;
    QColor NormalFillColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Layout(int width) const;
    int TabWidth(int index) const;
    int RowHeight() const;
    void DrawItem(QPainter& p, int index);

    QStringList texts;
    int current = -1;
    // The tabs' rectangles for the width they were laid out for.
    mutable QVector<QRect> rects;
    mutable int laidOutWidth = -1;
    mutable int rows = 0;
};
