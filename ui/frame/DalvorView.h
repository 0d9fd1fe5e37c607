// The main window's form: the calculation sheet and, at start-up, a picture in
// the current language covering it until the user clicks it or ten seconds
// pass; below them the disclaimer line. The form scrolls when the window is
// smaller than it.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QTimer>

class CDalvorApp;
class CCalcSheet;
class CColorStatic;
class QLabel;

class CDalvorView : public QScrollArea {
    Q_OBJECT
public:
    explicit CDalvorView(CDalvorApp& app, QWidget* parent = nullptr);
    ~CDalvorView() override;

    // How long the start-up picture stays, in milliseconds (tests shorten it).
    static int startupPictureMs;

    CCalcSheet* Sheet() const { return sheet; }
    QLabel* Picture() const { return picture; }
    CColorStatic* Disclaimer() const { return disclaimer; }
    QWidget* Form() const { return form; }
    // The rectangle of picture and sheet, in the form's pixels.
    QRect PictureRect() const { return rect; }
    int StartupBitmap() const { return bitmapId; }
    bool StartupPictureShown() const;
    bool StartupTimerActive() const { return timer.isActive(); }

    // Lays the form out for the screen, shows the picture over the sheet and
    // starts the timer.
    void OnInitialUpdate();
    // Hides the picture and shows the sheet; once.
    void EndStartupPicture();
    // The disclaimer in the current language.
    void ApplyLanguage();

    // The size of the picture and the sheet for a screen's logical dots per
    // inch: 1050 by 656 at 96, cut to whole pixels.
    static QSize FormSize(qreal dpiX, qreal dpiY);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CDalvorApp& app;
    QWidget* form;
    QLabel* picture;
    CColorStatic* disclaimer;
    CCalcSheet* sheet;
    QTimer timer;
    QRect rect;
    int bitmapId;
    bool pictureEnded = false;
};
