// A button drawn as a web link. A click (or Enter, acting when the key is
// released) opens prefix + link with the desktop's browser; the link then shows
// as visited.
#pragma once

#include <QAbstractButton>
#include <QColor>

class CURLLinkButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CURLLinkButton(QWidget* parent = nullptr);

    // The link is the button's text as the first click finds it.
    void SetPrefix(const QString& p) { prefix = p; }
    // The control id reported when the link cannot be opened.
    void SetControlId(int id) { controlId = id; }

    bool IsVisited() const { return visited; }
    bool IsHovered() const { return hover; }
    // The colour the link is drawn in now.
    QColor CurrentColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // Nothing could open the link.
    void linkOpenFailed(int controlId);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnClicked();
    // The link's keys, Space and Enter; false for any other key.
    bool HandleKey(QKeyEvent* event);

    QColor normalColor;
    QColor hoverColor;
    QColor visitedColor;
    QColor disabledColor;
    bool hover = false;
    bool visited = false;
    bool keyPressed = false;
    QString linkText;
    QString prefix;
    int controlId = 0;
};
