// What the manhole and tank page models add to the page kit: check boxes,
// the backfill's fields and the requests to end a drag of the picture.
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

    // The backfill's fields.
    struct SoilIds {
        int name, unitWeight, porosity, frictionAngle, cohesion;
    };

    // The manhole and tank pages lay their fields out themselves.
    std::span<const FieldSpec> Fields() const override { return {}; }

protected:
    void EndDrag() { ++dragEnds; }
    std::u16string Lang(int key) const;

    // Reads the backfill into the record, each value within its limits: unit
    // weight and cohesion 0 to 100, porosity 0 to 50 %, angle of friction 0
    // to 45 degrees.
    template <typename Record>
    void ReadSoil(Record& r, const SoilIds& ids);
    template <typename Record>
    void ShowSoil(const Record& r, const SoilIds& ids);

private:
    int dragEnds = 0;
};

template <typename Record>
void CUpliftPageModel::ReadSoil(Record& r, const SoilIds& ids)
{
    constexpr std::size_t kSoilNameUnits = 255;
    r.unitWeight = Limit(Value(ids.unitWeight), 0.0, 100.0);
    r.porosity = Limit(Value(ids.porosity), 0.0, 50.0);
    r.frictionAngle = Limit(Value(ids.frictionAngle), 0.0, 45.0);
    r.cohesion = Limit(Value(ids.cohesion), 0.0, 100.0);
    CopyBounded(r.soilName, CutText(Text(ids.name), kSoilNameUnits));
}

template <typename Record>
void CUpliftPageModel::ShowSoil(const Record& r, const SoilIds& ids)
{
    SetText(ids.name, FromFixed(r.soilName));
    SetText(ids.unitWeight, Format("%.2f", r.unitWeight));
    SetText(ids.porosity, Format("%.0f", r.porosity));
    SetText(ids.frictionAngle, Format("%.0f", r.frictionAngle));
    SetText(ids.cohesion, Format("%.2f", r.cohesion));
}
