#include "ui/controls/URLLinkButton.h"

#include "platform/Shell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CURLLinkButton::CURLLinkButton(QWidget* parent) : QAbstractButton(parent)
{
    const QPalette pal = QApplication::palette();
    normalColor = pal.color(QPalette::Active, QPalette::Highlight);
    hoverColor = pal.color(QPalette::Active, QPalette::Link);
    visitedColor = QColor(128, 0, 128);
    disabledColor = pal.color(QPalette::Disabled, QPalette::WindowText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &CURLLinkButton::OnClicked);
}

QColor CURLLinkButton::CurrentColor() const
{
    if (!isEnabled())
        return disabledColor;
    if (hover)
        return hoverColor;
    return visited ? visitedColor : normalColor;
}

QSize CURLLinkButton::sizeHint() const
{
    QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + 6, fm.height() + 4);
}

bool CURLLinkButton::event(QEvent* event)
{
    // A key press is remembered only until the next input that is not a key
    // message: a mouse move or click between Enter down and Enter up
    // forgets it.
    const QEvent::Type type = event->type();
    if ((event->isInputEvent() || type == QEvent::Leave) && type != QEvent::KeyPress &&
        type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        keyPressed = false;
    return QAbstractButton::event(event);
}

void CURLLinkButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
    QFont f = font();
    if (isEnabled() && hover)
        f.setUnderline(true);
    p.setFont(f);
    p.setPen(CurrentColor());
    p.drawText(rect().adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

void CURLLinkButton::enterEvent(QEnterEvent* event)
{
    hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CURLLinkButton::leaveEvent(QEvent* event)
{
    hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

bool CURLLinkButton::HandleKey(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter && event->key() != Qt::Key_Space) {
        keyPressed = false;
        return false;
    }
    // Space or Enter pressed marks the press and is taken; Space let go does
    // nothing; Enter let go after a press opens the link, once however long
    // the key was held.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        keyPressed = true;
    } else if (enter && keyPressed && !event->isAutoRepeat()) {
        keyPressed = false;
        click();
    }
    return true;
}

void CURLLinkButton::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(event))
        QAbstractButton::keyPressEvent(event);
}

void CURLLinkButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleKey(event))
        QAbstractButton::keyReleaseEvent(event);
}

void CURLLinkButton::focusOutEvent(QFocusEvent* event)
{
    keyPressed = false;
    update();
    QAbstractButton::focusOutEvent(event);
}

void CURLLinkButton::OnClicked()
{
    if (!isEnabled())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (linkText.isEmpty())
        linkText = text();
    // An address such as "www.example.org" has no scheme; it opens in the
    // browser as the desktop would open it typed into its address bar.
    const QUrl url = QUrl::fromUserInput(prefix + linkText);
    if (!ShellOpenUrl(url))
        emit linkOpenFailed(controlId);
    visited = true;
    hover = false;
    update();
    QGuiApplication::restoreOverrideCursor();
}
