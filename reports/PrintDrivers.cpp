#include "PrintDrivers.h"

#include "QPainterCanvas.h"

#include "DalvorApp.h"
#include "PrintoutTitleDlg.h"

#include <QString>

#include <utility>

namespace {

constexpr int kStartFailureKey = 21018;

PrintPicturePainter& PicturePainter()
{
    static PrintPicturePainter painter;
    return painter;
}

// The one place where the recorded picture meets the printout.
void PaintPrintPicture(CDalvorApp& app, QPainter& p, const QRect& target)
{
    if (const PrintPicturePainter& painter = PicturePainter())
        painter(p, target);
    else
        PlayPrintPicture(p, app.printPicture, target);
}

QString ToQ(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

}  // namespace

void SetPrintPicturePainter(PrintPicturePainter painter)
{
    PicturePainter() = std::move(painter);
}

bool PrepareReportPrint(CDalvorApp& app, int kind, const std::tm& now, CReportPrint& report)
{
    if (!app.BuildReport(kind))
        return false;
    report.texts = app.MakeReportTexts(kind, now);
    report.documentName = ToQ(report.texts.documentName);
    report.startFailure = ToQ(app.LoadLangString(kStartFailureKey));
    report.pictureWidth = app.printPicture.width;
    report.pictureHeight = app.printPicture.height;
    // Played once: the page needs a new recording for the next printout.
    report.picture = [&app](QPainter& p, const QRect& target) {
        if (!target.isEmpty())
            PaintPrintPicture(app, p, target);
        app.printPicture = PrintPicture{};
    };
    return true;
}

bool PrintReport(CDalvorApp& app, int kind, QWidget* parent)
{
    if (KindToArrayIndex(kind) < 0)
        return false;
    CReportPrint report(app.reportSections);
    CPrintoutTitleDlg titles(app, parent);
    if (titles.exec() != QDialog::Accepted)
        return false;
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    PrepareReportPrint(app, kind, now, report);
    return report.Print(parent);
}

bool PrintGravityFlow(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindGravityFlow, parent); }
bool PrintPressureFlow(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindPressureFlow, parent); }
bool PrintBuriedPipe(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindBuriedPipe, parent); }
bool PrintManhole(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindManhole, parent); }
bool PrintTank(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindTank, parent); }
