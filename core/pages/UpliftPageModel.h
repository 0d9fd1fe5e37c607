// What the manhole and tank page models add to the page kit: check boxes,
// colour pairs of result fields and the requests to end a drag of the
// picture.
#pragma once

#include "base/Text.h"
#include "catalogue/ReferenceTables.h"
#include "pages/PageModel.h"
#include "project/Records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A colour pair of a result field: text on background, each 0xRRGGBB, or
// kFaceColor for the dialog face.
struct FieldColors {
    static constexpr uint32_t kFaceColor = ::kFaceColor;
    uint32_t text = 0x000000;
    uint32_t back = kFaceColor;
    bool operator==(const FieldColors&) const = default;
};

constexpr uint32_t kRgbRed = kFailedTextColor;
constexpr uint32_t kRgbGreen = kMetTextColor;
constexpr uint32_t kRgbBlack = kBlackColor;
constexpr uint32_t kRgbFailedBack = kFailedBackColor;
constexpr uint32_t kRgbMetBack = kMetBackColor;
constexpr uint32_t kRgbSoughtBack = kSoughtColor;

class CUpliftPageModel : public CPageModel {
public:
    CUpliftPageModel(CDalvorApp& a, int pageKind) : CPageModel(a, pageKind) {}

    // A check box's state (0 or 1), kept as the choice of its id.
    int Checked(int id) const { return Choice(id) == 1 ? 1 : 0; }
    void SetChecked(int id, int state) { SetChoice(id, state ? 1 : 0); }
    // Controls are enabled until the page disables them.
    bool Enabled(int id) const { return State(id).enabled; }
    void SetEnabled(int id, bool on) { Enable(id, on); }
    using CPageModel::SetColors;
    FieldColors Colors(int id) const { return {State(id).text, State(id).background}; }
    void SetColors(int id, FieldColors c) { CPageModel::SetColors(id, c.back, c.text); }
    bool HasMessages() const { return !PendingMessages().empty(); }
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

    static double Clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }
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

// printf formatting of one number into a UTF-16 text, in the C locale.
inline std::u16string FormatNumber(const char* format, double value)
{
    return CPageModel::Format(format, value);
}

template <typename Record>
void CUpliftPageModel::ReadSoil(Record& r, const SoilIds& ids)
{
    constexpr std::size_t kSoilNameUnits = 255;
    r.unitWeight = Clamp(Value(ids.unitWeight), 0.0, 100.0);
    r.porosity = Clamp(Value(ids.porosity), 0.0, 50.0);
    r.frictionAngle = Clamp(Value(ids.frictionAngle), 0.0, 45.0);
    r.cohesion = Clamp(Value(ids.cohesion), 0.0, 100.0);
    CopyBounded(r.soilName, CutText(Text(ids.name), kSoilNameUnits));
}

template <typename Record>
void CUpliftPageModel::ShowSoil(const Record& r, const SoilIds& ids)
{
    SetText(ids.name, FromFixed(r.soilName));
    SetText(ids.unitWeight, FormatNumber("%.2f", r.unitWeight));
    SetText(ids.porosity, FormatNumber("%.0f", r.porosity));
    SetText(ids.frictionAngle, FormatNumber("%.0f", r.frictionAngle));
    SetText(ids.cohesion, FormatNumber("%.2f", r.cohesion));
}
