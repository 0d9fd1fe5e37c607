#include "ui/controls/ColorControls.h"

#include <QApplication>

QColor ButtonFaceColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void MarkReadOnlyField(QLineEdit* e)
{
    e->setReadOnly(true);
    // A click gives it the focus, so that Ctrl+C copies the selection.
    e->setFocusPolicy(Qt::ClickFocus);
    QPalette p = e->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Text})
            p.setColor(group, role, p.color(QPalette::Disabled, role));
    e->setPalette(p);
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
