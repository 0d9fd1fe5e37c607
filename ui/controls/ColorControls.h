// ui/controls: the shared controls (colour fields, the tab control, the link
// button). They include only Qt and platform/.
//
// Result fields whose background and text colours follow the calculation:
// an edit and a static text, each holding its colour pair.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

// The colour of the dialog face, which fields show until a colour is set.
QColor ButtonFaceColor();

// A field the user reads but never types into (a number, a value worked out
// from others): read-only, drawn in a disabled field's colours and passed by
// Tab, yet its text can be selected with the mouse and copied.
void MarkReadOnlyField(QLineEdit* e);

// A control holding a background and a text colour. The colours hold in every
// state of the control: a disabled or read-only field shows them too, as the
// pages rely on for their result fields. A colour set shows at once.
template <class Control, QPalette::ColorRole BackRole, QPalette::ColorRole TextRole>
class ColorPairControl : public Control {
public:
    explicit ColorPairControl(QWidget* parent) : Control(parent) { ApplyColors(); }

    void SetBkColor(const QColor& color)
    {
        bkColor = color;
        ApplyColors();
    }
    void SetTextColor(const QColor& color)
    {
        textColor = color;
        ApplyColors();
    }
    QColor BkColor() const { return bkColor; }
    QColor TextColor() const { return textColor; }

protected:
    void ApplyColors()
    {
        QPalette p = this->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, BackRole, bkColor);
            p.setColor(group, TextRole, textColor);
        }
        this->setPalette(p);
        this->repaint();
    }

    QColor bkColor = ButtonFaceColor();
    QColor textColor = Qt::black;
};

using ColorEditBase = ColorPairControl<QLineEdit, QPalette::Base, QPalette::Text>;
using ColorStaticBase = ColorPairControl<QLabel, QPalette::Window, QPalette::WindowText>;

class CColorEdit : public ColorEditBase {
    Q_OBJECT
public:
    explicit CColorEdit(QWidget* parent = nullptr) : ColorEditBase(parent) {}

    // A flag other than 1 greys the background (230,230,230) first; then the
    // field becomes read-only exactly when the flag is not 0.
    void SetReadOnly(int flag);
};

class CColorStatic : public ColorStaticBase {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);
};
