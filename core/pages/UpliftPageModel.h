// What the manhole and tank page models add to the page kit: check boxes,
// the backfill's limits and name and the requests to end a drag of the picture.
#pragma once

#include "core/base/Text.h"
#include "core/catalogue/ReferenceTables.h"
#include "core/pages/PageModel.h"
#include "core/project/Records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CUpliftPageModel : public CPageModel {
public:
    CUpliftPageModel(CDalvorApp& a, int pageKind) : CPageModel(a, pageKind) {}

    // A check box's state (0 or 1), kept as the choice of its id.
    int Checked(int id) const { return Choice(id) == 1 ? 1 : 0; }
    void SetChecked(int id, int state) { SetChoice(id, state ? 1 : 0); }
    // How often the page asked its picture to end a drag in progress.
    int DragEnds() const { return dragEnds; }

    // The backfill's limits: unit weight and cohesion 0 to 100, porosity 0
    // to 50 %, angle of friction 0 to 45 degrees.
    static constexpr double kMaxUnitWeight = 100.0;
    static constexpr double kMaxPorosity = 50.0;
    static constexpr double kMaxFrictionAngle = 45.0;
    static constexpr double kMaxCohesion = 100.0;

protected:
    void EndDrag() { ++dragEnds; }

    // The backfill's name (its numbers are rows of the field table).
    template <typename Record>
    void ReadSoilName(Record& r, int id);

private:
    int dragEnds = 0;
};

template <typename Record>
void CUpliftPageModel::ReadSoilName(Record& r, int id)
{
    constexpr std::size_t kSoilNameUnits = 255;
    CopyBounded(r.soilName, CutText(Text(id), kSoilNameUnits));
}
