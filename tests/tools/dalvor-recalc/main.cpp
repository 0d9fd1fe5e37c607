// dalvor-recalc: reads a project file, runs every stored calculation again as
// the program does, and writes the project back. A kind with a page model
// goes through it as the page does when the record is loaded back (lists
// from the catalogue, inputs shown and read back with the page's limits, the
// calculation with the page's checks and second run); --core-only, and the
// kinds without one, run the bare calculation on the working record.
//
//   dalvor-recalc [--lang pl|en|ru] [--extended] [--data DIR] [--no-calc|--core-only] IN.qdl OUT.qdl
//   dalvor-recalc --dump-tables [--lang pl|en|ru] [--extended] [--data DIR]
//   dalvor-recalc --clipboard|--list [--lang pl|en|ru] [--extended] [--data DIR] IN.qdl KIND OUT.txt
//
// --clipboard writes the text that Copy in the project manager puts on the
// clipboard for the stored records of KIND, --list the manager's list as it
// opens (column titles, then a line per record, cells separated by tabs);
// both as UTF-8, of the records as stored. KIND: 1 tank, 2 manhole, 3 buried
// pipe, 4 gravity flow, 5 pressure flow.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/catalogue/ReferenceDump.h"
#include "core/pages/PageModels.h"
#include "core/project/AtomicFile.h"
#include "core/project/CalcKinds.h"
#include "core/report/ClipboardText.h"
#include "tests/tools/ToolStart.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

const char* ReadErrorText(ProjectReadError e)
{
    switch (e) {
    case ProjectReadError::CannotOpen: return "cannot be opened";
    case ProjectReadError::TooShort: return "is shorter than a project file's header";
    case ProjectReadError::NegativeCount: return "holds a negative record count";
    case ProjectReadError::LengthMismatch: return "is shorter than its record counts say";
    case ProjectReadError::TooLong: return "is longer than its record counts say";
    case ProjectReadError::NotRegularFile: return "is not a regular file";
    default: return "is damaged";
    }
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: dalvor-recalc [--lang pl|en|ru] [--extended] [--data DIR] [--no-calc|--core-only] IN.qdl "
                 "OUT.qdl\n"
                 "       dalvor-recalc --dump-tables [--lang pl|en|ru] [--extended] [--data DIR]\n"
                 "       dalvor-recalc --clipboard|--list [--lang pl|en|ru] [--extended] [--data DIR] IN.qdl KIND "
                 "OUT.txt\n"
                 "       KIND: 1 tank, 2 manhole, 3 buried pipe, 4 gravity flow, 5 pressure flow\n");
    return 1;
}

// Writes the clipboard text or the list of the stored records of the kind as
// UTF-8, saved as the program saves a file.
int WriteListing(const CDalvorApp& app, const std::string& kindText, const std::string& out, bool list)
{
    const int kind = KindOfText(kindText);
    if (KindToArrayIndex(kind) < 0) {
        std::fprintf(stderr, "dalvor-recalc: %s is not a kind (1 to 5)\n", kindText.c_str());
        return 2;
    }
    const std::string text = Utf16ToUtf8(list ? BuildListText(app.Listing(), kind) : BuildClipboardText(app.Listing(), kind));
    const AtomicWriteResult written =
        WriteFileAtomically(out, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    if (!written) {
        std::fprintf(stderr, "dalvor-recalc: %s could not be written: %s\n", out.c_str(),
                     written.status == AtomicWriteResult::NotRegularFile ? "it is not a regular file"
                                                                         : std::strerror(written.error));
        return 3;
    }
    return 0;
}

// Runs one kind's calculation on each stored record in turn, through the
// working record, exactly as a page does after loading the record back.
template <typename Record, typename Reset, typename Calc>
void Recalculate(std::vector<Record>& stored, Record& working, Reset reset, Calc calc)
{
    for (Record& entry : stored) {
        reset();
        working = entry;
        calc();
        entry = working;
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    CoreOptions options;
    bool noCalc = false, dump = false, coreOnly = false, clipboard = false, list = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (const int taken = TakeCoreOption(i, argc, argv, options); taken != 0) {
            if (taken < 0)
                return Usage();
        } else if (a == "--no-calc") {
            noCalc = true;
        } else if (a == "--core-only") {
            coreOnly = true;
        } else if (a == "--dump-tables") {
            dump = true;
        } else if (a == "--clipboard") {
            clipboard = true;
        } else if (a == "--list") {
            list = true;
        } else if (a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9')) {
            return Usage();
        } else {
            files.push_back(a);
        }
    }
    const bool listing = clipboard || list;
    if (dump + clipboard + list > 1 || (listing && (noCalc || coreOnly)))
        return Usage();
    if (dump ? !files.empty() : files.size() != (listing ? 3u : 2u))
        return Usage();

    CountingHost host;
    CDalvorApp& app = theApp;
    StartCore(app, host, options, "dalvor-recalc");

    if (dump) {
        std::string text = DumpReferenceTables(app.tables);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }

    ProjectReadError error = app.ReadProjectFile(files[0]);
    if (error != ProjectReadError::None) {
        std::fprintf(stderr, "dalvor-recalc: %s: the project file %s\n", files[0].c_str(),
                     ReadErrorText(error));
        return 2;
    }
    // The stored records as the project manager shows them: nothing is recalculated.
    if (listing)
        return WriteListing(app, files[1], files[2], list);

    if (!noCalc) {
        ProjectArrays& p = app.project;
        // Each kind through its page, or with --core-only its bare calculation.
        auto run = [&](int kind, auto& stored, auto& working, auto reset, auto calc) {
            const std::unique_ptr<CPageModel> page = coreOnly ? nullptr : MakePageModel(app, kind);
            Recalculate(stored, working, [&] { (app.*reset)(); }, [&] {
                if (page)
                    page->LoadBack();
                else
                    calc();
            });
        };
        run(KindTank, p.tank, app.working.tank, &CDalvorApp::ResetTankRecord, [&] {
            app.CalcTankBuoyancy();
            app.CalcTankAnchoring();
        });
        run(KindManhole, p.manhole, app.working.manhole, &CDalvorApp::ResetManholeRecord,
            [&] { app.CalcManholeBuoyancy(); });
        run(KindBuriedPipe, p.buriedPipe, app.working.buriedPipe, &CDalvorApp::ResetBuriedPipeRecord,
            [&] { app.CalcBuriedPipe(); });
        run(KindGravityFlow, p.gravityFlow, app.working.gravityFlow, &CDalvorApp::ResetGravityFlowRecord,
            [&] { app.CalcGravityFlow(); });
        run(KindPressureFlow, p.pressureFlow, app.working.pressureFlow, &CDalvorApp::ResetPressureFlowRecord,
            [&] { app.CalcPressureFlow(); });
    }

    int writeError = 0;
    ProjectWriteError written = app.WriteProjectFile(files[1], &writeError);
    if (written != ProjectWriteError::None) {
        std::fprintf(stderr, "dalvor-recalc: %s: the project could not be written: %s\n", files[1].c_str(),
                     written == ProjectWriteError::NotRegularFile ? "not a regular file" : std::strerror(writeError));
        return 3;
    }
    return 0;
}
