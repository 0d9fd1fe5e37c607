#include "reports/PrintDrivers.h"

#include "pictures/QPainterCanvas.h"

#include "core/app/DalvorApp.h"
#include "core/pages/GravityFlowPageModel.h"
#include "core/pages/PageModels.h"
#include "core/pages/PressureFlowPageModel.h"
#include "core/project/CalcKinds.h"
#include "core/report/ClipboardText.h"
#include "pictures/scene/Scenes.h"
#include "reports/PrintoutTitleDlg.h"

#include <QFile>
#include <QString>

#include <memory>
#include <new>
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
        PlayPrintPicture(p, app.print.printPicture, target);
}

QString ToQ(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

}  // namespace

bool LoadStoredForPrint(CDalvorApp& app, int kind, int index, bool asStored)
{
    if (index < 0 || index >= StoredRecordCount(app.project, kind))
        return false;
    ForKindRecords(kind, [&](const auto& e) {
        e.reset(app.working.*e.working, app.tables);
        app.working.*e.working = (app.project.*e.stored)[static_cast<std::size_t>(index)];
    });
    // The operating points the charts show: the record's results, or the
    // point the page's recalculation puts them on.
    PictureView view;
    const GravityFlowRecord& g = app.working.gravityFlow;
    view.opFilling = g.filling;
    view.opVelocity = g.velocity;
    view.opFlow = g.flow;
    const PressureFlowRecord& pf = app.working.pressureFlow;
    view.pressure = {pf.headLoss, pf.energyGradient, pf.velocity, pf.flow, pf.energyHeadDifference};
    if (!asStored) {
        // The page's model takes the working record back as the page does
        // after the project manager.
        const std::unique_ptr<CPageModel> model = MakePageModel(app, kind);
        model->LoadBack();
        if (kind == KindGravityFlow) {
            const auto& m = static_cast<const CGravityFlowPageModel&>(*model);
            view.opFilling = m.opFilling;
            view.opVelocity = m.opVelocity;
            view.opFlow = m.opFlow;
        } else if (kind == KindPressureFlow) {
            auto& m = static_cast<CPressureFlowPageModel&>(*model);
            m.OnChart(0);  // the printout always shows the characteristic
            view.pressure = {m.op.head, m.op.gradient, m.op.velocity, m.op.flow, m.op.headDifference};
        }
    }
    const PictureSize size = PictureControlSize(kind);
    app.print.printPicture = BuildPrintPicture(kind, app, view, size.width, size.height);
    return true;
}

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
    report.pictureWidth = app.print.printPicture.width;
    report.pictureHeight = app.print.printPicture.height;
    // Played once: the page needs a new recording for the next printout.
    report.picture = [&app](QPainter& p, const QRect& target) {
        if (!target.isEmpty())
            PaintPrintPicture(app, p, target);
        app.print.printPicture = PrintPicture{};
    };
    return true;
}

bool PrintReport(CDalvorApp& app, int kind, QWidget* parent)
{
    if (KindToArrayIndex(kind) < 0)
        return false;
    // A printout that runs out of memory is not made and the user is told;
    // the project and the program go on as they were.
    try {
        CReportPrint report(app.print.reportSections);
        CPrintoutTitleDlg titles(app.print, app.languageOffset, parent);
        if (titles.exec() != QDialog::Accepted)
            return false;
        const std::time_t t = std::time(nullptr);
        std::tm now{};
        localtime_r(&t, &now);
        PrepareReportPrint(app, kind, now, report);
        report.pdfNotSaved = [&app](const QString& file, const PdfSaveResult& result) {
            if (result.status == PdfSaveResult::NoMemory)
                app.Host().ReportOutOfMemory();
            else
                app.Host().ReportPrintoutNotSaved(QFile::encodeName(file).toStdString(), result.write.error,
                                                  result.write.status == AtomicWriteResult::NotRegularFile);
        };
        return report.Print(parent);
    } catch (const std::bad_alloc&) {
        app.print.printPicture = PrintPicture{};
        app.Host().ReportOutOfMemory();
        return false;
    }
}

bool PrintGravityFlow(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindGravityFlow, parent); }
bool PrintPressureFlow(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindPressureFlow, parent); }
bool PrintBuriedPipe(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindBuriedPipe, parent); }
bool PrintManhole(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindManhole, parent); }
bool PrintTank(CDalvorApp& app, QWidget* parent) { return PrintReport(app, KindTank, parent); }
