// A project file read; when it is accepted, every stored calculation is run
// again through the working record, the list and clipboard texts of every
// kind are built, and the file is written back. What is written must read
// back as the same bytes.

#include "core/report/ClipboardText.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>
#include <span>
#include <vector>

namespace {

template <typename Record, typename Reset>
void Recalculate(CDalvorApp& app, std::vector<Record>& stored, Record& working, Reset reset, int kind)
{
    for (Record& entry : stored) {
        reset();
        working = entry;
        fuzz::Calculate(app, kind);
        entry = working;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CDalvorApp& app = fuzz::App();
    app.FreeProject();
    if (app.ReadProject(std::span<const uint8_t>(data, size)) != ProjectReadError::None)
        return 0;
    // The file as it was read is written back unchanged.
    if (app.WriteProject() != std::vector<uint8_t>(data, data + size) && size >= 40) {
        // The current indexes are not kept: only the header's second half may differ.
        std::vector<uint8_t> written = app.WriteProject();
        if (written.size() != size || !std::equal(written.begin() + 40, written.end(), data + 40) ||
            !std::equal(written.begin(), written.begin() + 20, data))
            std::abort();
    }

    ProjectArrays& p = app.project;
    Recalculate(app, p.tank, app.working.tank, [&] { app.ResetTankRecord(); }, KindTank);
    Recalculate(app, p.manhole, app.working.manhole, [&] { app.ResetManholeRecord(); }, KindManhole);
    Recalculate(app, p.buriedPipe, app.working.buriedPipe, [&] { app.ResetBuriedPipeRecord(); }, KindBuriedPipe);
    Recalculate(app, p.gravityFlow, app.working.gravityFlow, [&] { app.ResetGravityFlowRecord(); }, KindGravityFlow);
    Recalculate(app, p.pressureFlow, app.working.pressureFlow, [&] { app.ResetPressureFlowRecord(); }, KindPressureFlow);

    for (int kind : {KindTank, KindManhole, KindBuriedPipe, KindGravityFlow, KindPressureFlow}) {
        for (ListingTarget target : {ListingTarget::List, ListingTarget::Clipboard}) {
            const std::size_t columns = ProjectColumns(app.languageOffset, kind, target).size();
            for (int i = 0; i < StoredRecordCount(app.project, kind); ++i)
                if (ProjectCells(app.Listing(), kind, i, target).size() != columns)
                    std::abort();
        }
        BuildClipboardText(app.Listing(), kind);
    }

    // The round trip: what is written reads back and writes the same bytes.
    const std::vector<uint8_t> once = app.WriteProject();
    if (app.ReadProject(once) != ProjectReadError::None || app.WriteProject() != once)
        std::abort();
    return 0;
}
