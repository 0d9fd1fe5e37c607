#include "ColorControls.h"

#include <QApplication>
#include <QPalette>

QColor ButtonFaceColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

namespace {

// The colours hold in every state: a disabled or read-only field shows them
// too, as the pages rely on for their result fields.
void SetRoleEverywhere(QPalette& p, QPalette::ColorRole role, const QColor& c)
{
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, role, c);
}

}  // namespace

CColorEdit::CColorEdit(QWidget* parent)
    : QLineEdit(parent), bkColor(ButtonFaceColor()), textColor(Qt::black)
{
    ApplyColors();
}

void CColorEdit::SetBkColor(const QColor& color)
{
    bkColor = color;
    ApplyColors();
}

void CColorEdit::SetTextColor(const QColor& color)
{
    textColor = color;
    ApplyColors();
}

void CColorEdit::SetReadOnly(int flag)
{
    if (flag != 1) {
        bkColor = QColor(230, 230, 230);
        ApplyColors();
    }
    setReadOnly(flag != 0);
}

void CColorEdit::ApplyColors()
{
    QPalette p = palette();
    SetRoleEverywhere(p, QPalette::Base, bkColor);
    SetRoleEverywhere(p, QPalette::Text, textColor);
    setPalette(p);
    // The new colours show at once.
    repaint();
}

CColorStatic::CColorStatic(QWidget* parent)
    : QLabel(parent), bkColor(ButtonFaceColor()), textColor(Qt::black)
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    ApplyColors();
}

void CColorStatic::SetBkColor(const QColor& color)
{
    bkColor = color;
    ApplyColors();
}

void CColorStatic::SetTextColor(const QColor& color)
{
    textColor = color;
    ApplyColors();
}

void CColorStatic::ApplyColors()
{
    QPalette p = palette();
    SetRoleEverywhere(p, QPalette::Window, bkColor);
    SetRoleEverywhere(p, QPalette::WindowText, textColor);
    setPalette(p);
    repaint();
}
