// dalvor-report: writes the printout of one stored calculation to an A4 PDF,
// as File > Print prints it once the calculation is loaded back into its page:
// recalculated in the chosen language, the charts drawn with their curves.
// --as-stored prints the stored record as it stands instead (its rows as
// stored, the picture as far as the record holds it).
//
//   dalvor-report [--lang pl|en|ru] [--extended] [--data DIR] [--title TEXT] [--as-stored]
//                 IN.qdl KIND INDEX OUT.pdf
//
// KIND: 1 tank, 2 manhole, 3 buried pipe, 4 gravity flow, 5 pressure flow;
// INDEX counts from 0.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/report/ClipboardText.h"
#include "platform/ProgramFaces.h"
#include "reports/PrintDrivers.h"
#include "tests/tools/ToolStart.h"

#include <QGuiApplication>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: dalvor-report [--lang pl|en|ru] [--extended] [--data DIR] [--title TEXT] "
                         "[--as-stored] IN.qdl KIND INDEX OUT.pdf\n"
                         "       KIND: 1 tank, 2 manhole, 3 buried pipe, 4 gravity flow, 5 pressure flow\n");
    return 1;
}

bool ParseIndex(const std::string& text, long& value)
{
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == 0;
}

int Report(const std::vector<std::string>& args, const std::string& title, bool haveTitle, bool asStored,
           const CoreOptions& options)
{
    // The printout is laid out for the program's own faces.
    RegisterProgramFaces();
    CountingHost host;
    CDalvorApp& app = theApp;
    StartCore(app, host, options, "dalvor-report");

    const std::string& in = args[0];
    int readError = 0;
    if (const ProjectReadError read = app.ReadProjectFile(in, &readError); read != ProjectReadError::None) {
        if (readError == ENOMEM) {
            std::fprintf(stderr, "dalvor-report: %s: out of memory: the project does not fit in the memory left\n",
                         in.c_str());
            return 3;
        }
        if (readError != 0)
            std::fprintf(stderr, "dalvor-report: %s: the project file cannot be read: %s\n", in.c_str(),
                         std::strerror(readError));
        else
            std::fprintf(stderr, "dalvor-report: %s: the project file cannot be read or is damaged\n", in.c_str());
        return 2;
    }
    const int kind = KindOfText(args[1]);
    if (kind == KindNone) {
        std::fprintf(stderr, "dalvor-report: %s is not a kind (1 to 5)\n", args[1].c_str());
        return 2;
    }
    long index = 0;
    const int count = StoredRecordCount(app.project, kind);
    if (!ParseIndex(args[2], index) || index < 0 || index >= count) {
        std::fprintf(stderr, "dalvor-report: the project holds %d calculations of kind %d; %s is none of them\n",
                     count, kind, args[2].c_str());
        return 2;
    }
    if (haveTitle)
        ConfirmPrintTitle(app.print.printTitles, Utf8ToUtf16(title));
    LoadStoredForPrint(app, kind, static_cast<int>(index), asStored);

    CReportPrint report(app.print.reportSections);
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    PrepareReportPrint(app, kind, now, report);
    // Saved as the program saves, by the same path as the window's PDF.
    const PdfSaveResult saved = report.SavePdf(args[3]);
    switch (saved.status) {
    case PdfSaveResult::Saved: return 0;
    case PdfSaveResult::NotDrawn: std::fprintf(stderr, "dalvor-report: the printout could not be drawn\n"); break;
    case PdfSaveResult::NoMemory:
        std::fprintf(stderr, "dalvor-report: out of memory: the printout was not made\n");
        break;
    case PdfSaveResult::NotWritten:
        std::fprintf(stderr, "dalvor-report: %s could not be written: %s\n", args[3].c_str(),
                     saved.write.status == AtomicWriteResult::NotRegularFile ? "it is not a regular file"
                                                                             : std::strerror(saved.write.error));
        break;
    }
    return 3;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CoreOptions options;
    bool haveTitle = false, asStored = false;
    std::string title;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (const int taken = TakeCoreOption(i, argc, argv, options); taken != 0) {
            if (taken < 0)
                return Usage();
        } else if (a == "--as-stored") {
            asStored = true;
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
    // Whatever step runs out of memory, the tool stops with a message that
    // says so and writes nothing.
    try {
        return Report(args, title, haveTitle, asStored, options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "dalvor-report: out of memory: the printout was not made\n");
        return 3;
    }
}
