// Result fields whose background and text colours follow the calculation:
// an edit and a static text, each holding its colour pair.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>

// The colour of the dialog face, which fields show until a colour is set.
QColor ButtonFaceColor();

class CColorEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CColorEdit(QWidget* parent = nullptr);

    void SetBkColor(const QColor& color);
    void SetTextColor(const QColor& color);
    // A flag other than 1 greys the background (230,230,230) first; then the
    // field becomes read-only exactly when the flag is not 0.
    void SetReadOnly(int flag);

    QColor BkColor() const { return bkColor; }
    QColor TextColor() const { return textColor; }

private:
    void ApplyColors();
    QColor bkColor;
    QColor textColor;
};

class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);

    void SetBkColor(const QColor& color);
    void SetTextColor(const QColor& color);

    QColor BkColor() const { return bkColor; }
    QColor TextColor() const { return textColor; }

private:
    void ApplyColors();
    QColor bkColor;
    QColor textColor;
};
