#include "ui/frame/DalvorView.h"

#include "core/app/DalvorApp.h"
#include "ui/base/Artwork.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/pages/GravityFlowPage.h"
#include "ui/pages/ManholePage.h"
#include "ui/pages/PipeStaticPage.h"
#include "ui/pages/PressureFlowPage.h"
#include "ui/pages/ReservoirPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QLabel>
#include <QMouseEvent>

int CDalvorView::startupPictureMs = 10000;

namespace {

constexpr int kPictureId = 1001;
constexpr int kDisclaimerId = 1612;

}  // namespace

CDalvorView::CDalvorView(CDalvorApp& a, QWidget* parent)
    : QScrollArea(parent), app(a), bitmapId(StartupBitmapId(a.languageOffset))
{
    setObjectName(QStringLiteral("DalvorView"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    // A window wider than the form keeps it in the middle, under the bars.
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    form = new QWidget;
    form->setObjectName(QStringLiteral("101"));
    form->setAutoFillBackground(true);

    picture = new QLabel(form);
    picture->setObjectName(QString::number(kPictureId));
    picture->setProperty("helpTopic", QStringLiteral("startup"));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->installEventFilter(this);

    disclaimer = new CColorStatic(form);
    disclaimer->setObjectName(QString::number(kDisclaimerId));
    disclaimer->setAutoFillBackground(false);
    disclaimer->setWordWrap(false);
    // Grey, as a note under the sheet.
    disclaimer->SetTextColor(QColor(128, 128, 128));
    QFont small = disclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    disclaimer->setFont(small);

    // The sheet exists from the start, hidden under the picture.
    sheet = new CCalcSheet(app,
                           {new CReservoirPage(app), new CManholePage(app), new CPipeStaticPage(app),
                            new CPressureFlowPage(app), new CGravityFlowPage(app)},
                           form);
    sheet->hide();

    setWidget(form);
    connect(&timer, &QTimer::timeout, this, &CDalvorView::EndStartupPicture);
    timer.setSingleShot(true);
    ApplyLanguage();
}

CDalvorView::~CDalvorView()
{
    timer.stop();
}

QSize CDalvorView::FormSize(qreal dpiX, qreal dpiY)
{
    qreal sx = dpiX / 96.0;
    qreal sy = dpiY / 96.0;
    if (sy == 0)
        sy = sx;
    return QSize(static_cast<int>(1050 * sx), static_cast<int>(656 * sy));
}

void CDalvorView::OnInitialUpdate()
{
    const QSize size = FormSize(logicalDpiX(), logicalDpiY());
    rect = QRect(QPoint(0, 0), size);

    // The disclaimer sits under the sheet: its rule and one line of text.
    const int disclaimerHeight = disclaimer->fontMetrics().lineSpacing() * 2 + 6;
    form->setFixedSize(size.width(), size.height() + disclaimerHeight);
    disclaimer->setGeometry(0, size.height() + 2, size.width(), disclaimerHeight - 2);

    picture->setGeometry(rect);
    sheet->setGeometry(rect);
    sheet->OnInitDialog();
    if (!pictureEnded) {
        picture->setPixmap(StartupPicture(bitmapId, size, devicePixelRatioF()));
        picture->show();
        picture->raise();
        timer.start(startupPictureMs);
    }
}

bool CDalvorView::StartupPictureShown() const
{
    return !pictureEnded && !picture->isHidden();
}

void CDalvorView::EndStartupPicture()
{
    if (pictureEnded)
        return;
    pictureEnded = true;
    timer.stop();
    picture->hide();
    sheet->show();
    // The picture is not needed again.
    picture->clear();
}

void CDalvorView::ApplyLanguage()
{
    disclaimer->setText(QString(158, QLatin1Char('_')) + QLatin1Char('\n') + LangText(app, kDisclaimerId));
}

bool CDalvorView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picture && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && StartupPictureShown()) {
        EndStartupPicture();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void CDalvorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && StartupPictureShown())
        EndStartupPicture();
    QScrollArea::mousePressEvent(event);
}
