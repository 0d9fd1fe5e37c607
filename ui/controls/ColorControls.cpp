#include "controls/ColorControls.h"

#include <QApplication>

QColor ButtonFaceColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void CColorEdit::SetReadOnly(int flag)
{
    if (flag != 1)
        bkColor = QColor(230, 230, 230);
    ApplyColors();
    setReadOnly(flag != 0);
}

CColorStatic::CColorStatic(QWidget* parent) : ColorStaticBase(parent)
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
}
