// dalvor-report: writes the printout of one stored calculation to an A4 PDF,
// as File > Print prints it.
//
//   dalvor-report [--lang pl|en|ru] [--extended] [--data DIR] [--title TEXT] IN.qdl KIND INDEX OUT.pdf
//
// KIND: 1 tank, 2 manhole, 3 buried pipe, 4 gravity flow, 5 pressure flow;
// INDEX counts from 0.
#include "ProgramFaces.h"
#include "DalvorApp.h"
#include "../ToolStart.h"
#include "PictureScene.h"
#include "PrintDrivers.h"
#include "Text.h"

#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: dalvor-report [--lang pl|en|ru] [--extended] [--data DIR] [--title TEXT] "
                         "IN.qdl KIND INDEX OUT.pdf\n"
                         "       KIND: 1 tank, 2 manhole, 3 buried pipe, 4 gravity flow, 5 pressure flow\n");
    return 1;
}

bool ParseIndex(const std::string& text, long& value)
{
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == 0;
}

// Makes the stored calculation the kind's working record, as the page does
// when it reads it back.
template <typename Record>
void Load(const std::vector<Record>& stored, long index, Record& working)
{
    working = stored[static_cast<std::size_t>(index)];
}

std::size_t StoredCount(const CDalvorApp& app, int kind)
{
    const ProjectArrays& p = app.storedRecords;
    switch (kind) {
    case KindTank: return p.tank.size();
    case KindManhole: return p.manhole.size();
    case KindBuriedPipe: return p.buriedPipe.size();
    case KindGravityFlow: return p.gravityFlow.size();
    case KindPressureFlow: return p.pressureFlow.size();
    default: return 0;
    }
}

// Records the print picture from the working record, as the kind's page
// does before it prints. The pictures are not part of the program yet, so
// nothing is recorded and the printout has no picture.
void RecordPrintPicture(CDalvorApp& app, int kind)
{
    // The picture as its page shows it after a recalculation: the operating
    // point on the calculated result, the pressure page's characteristic, at
    // the size of the page's picture control.
    PictureView view;
    const GravityFlowRecord& g = app.gravityFlow;
    view.opFilling = g.filling;
    view.opVelocity = g.velocity;
    view.opFlow = g.flow;
    const PressureFlowRecord& pf = app.pressureFlow;
    view.pressure = {pf.headLoss, pf.energyGradient, pf.velocity, pf.flow, pf.energyHeadDifference};
    view.chartChoice = 0;
    const PictureSize size = PictureControlSize(kind);
    app.printPicture = BuildPrintPicture(kind, app, view, size.width, size.height);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CoreOptions options;
    bool haveTitle = false;
    std::string title;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (const int taken = TakeCoreOption(i, argc, argv, options); taken != 0) {
            if (taken < 0)
                return Usage();
        } else if (a == "--title" && i + 1 < argc) {
            title = argv[++i];
            haveTitle = true;
        } else if (a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9')) {
            return Usage();
        } else {
            args.push_back(a);
        }
    }
    if (args.size() != 4)
        return Usage();

    QGuiApplication application(argc, argv);
    // The printout is laid out for the program's own faces.
    RegisterProgramFaces();
    CountingHost host;
    CDalvorApp& app = theApp;
    StartCore(app, host, options, "dalvor-report");

    const std::string& in = args[0];
    if (app.ReadProjectFile(in) != ProjectReadError::None) {
        std::fprintf(stderr, "dalvor-report: %s: the project file cannot be read or is damaged\n", in.c_str());
        return 2;
    }
    long kind = 0, index = 0;
    if (!ParseIndex(args[1], kind) || KindToArrayIndex(static_cast<int>(kind)) < 0) {
        std::fprintf(stderr, "dalvor-report: %s is not a kind (1 to 5)\n", args[1].c_str());
        return 2;
    }
    const std::size_t count = StoredCount(app, static_cast<int>(kind));
    if (!ParseIndex(args[2], index) || index < 0 || static_cast<std::size_t>(index) >= count) {
        std::fprintf(stderr, "dalvor-report: the project holds %zu calculations of kind %ld; %s is none of them\n",
                     count, kind, args[2].c_str());
        return 2;
    }
    switch (kind) {
    case KindTank: Load(app.storedRecords.tank, index, app.tank); break;
    case KindManhole: Load(app.storedRecords.manhole, index, app.manhole); break;
    case KindBuriedPipe: Load(app.storedRecords.buriedPipe, index, app.buriedPipe); break;
    case KindGravityFlow: Load(app.storedRecords.gravityFlow, index, app.gravityFlow); break;
    default: Load(app.storedRecords.pressureFlow, index, app.pressureFlow); break;
    }
    if (haveTitle)
        ConfirmPrintTitle(app.printTitles, Utf8ToUtf16(title));
    RecordPrintPicture(app, static_cast<int>(kind));

    CReportPrint report(app.reportSections);
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    PrepareReportPrint(app, static_cast<int>(kind), now, report);
    const QString out = QString::fromStdString(args[3]);
    if (!report.PrintToPdf(out)) {
        QFile::remove(out);
        std::fprintf(stderr, "dalvor-report: %s could not be written\n", args[3].c_str());
        return 3;
    }
    return 0;
}
