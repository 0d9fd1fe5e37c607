// The report builders: the text of each kind's printout, its ten report
// sections made from the kind's record, and the printout's header and footer
// texts.
#include "core/report/ReportRows.h"

#include "core/base/CalcKind.h"
#include "core/base/LangTables.h"
#include "core/base/Millimetres.h"
#include "core/base/Text.h"
#include "core/base/TrafficClass.h"
#include "core/calc/Calculations.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kRowBound = 63;         // a row's label or value
constexpr std::size_t kConclusionPart = 60;   // the first conclusion row's most
constexpr std::size_t kLongRowBound = 127;    // the tank's warning row

// Unit texts.
enum Unit : int {
    UBlank = 20012, UM = 20013, UMm = 20014, UM3 = 20016, UMs = 20017, UM2s = 20018,
    UM3h = 20020, UM3s = 20021, ULs = 20022, UKgM3 = 20024, UKn = 20025, UKpa = 20026,
    UMpa = 20027, UKnM = 20028, UKnM2 = 20029, UKnM3 = 20030, UPercent = 20031, UDegree = 20032,
    UPcs = 20033, UPerMille = 20034,
};

constexpr char16_t kBlankRow[] = u" ";
constexpr char16_t kUnderline[] = u"______________________________________________";
constexpr char16_t kNotGiven[] = u"-";
constexpr int kOnDemandKey = 20295;
constexpr int kConfirmationKey = 20296;
constexpr int kYesKey = 20109;
constexpr int kNoKey = 20110;

// Thresholds the printout compares at single precision.
constexpr double kSlopeShown = 0.01f;
constexpr double kManholeShown = 0.001f;
constexpr double kTankAnchoringShown = 0.01f;

// A calculated value as the page shows it: "-" while the record holds no
// valid result (the values left in it are stale or partial).
std::u16string Calculated(const RecordHead& head, std::u16string text)
{
    return head.resultValid == 1 ? std::move(text) : std::u16string(kNotGiven);
}

// Fills one section row by row; the row count follows the rows written.
class SectionWriter {
public:
    explicit SectionWriter(ReportSection& s) : section(s) {}
    ~SectionWriter() { section.rowCount = rows; }

    void Row(std::u16string_view label, std::u16string_view value = {}, bool heavy = false,
             std::size_t bound = kRowBound)
    {
        if (rows >= 20)
            return;
        Put(section.label[rows], CutTextView(label, bound));
        Put(section.value[rows], CutTextView(value, bound));
        section.rowFlag[rows] = heavy ? 1 : 0;
        ++rows;
    }
    void Blank(bool heavy = false) { Row(kBlankRow, {}, heavy); }
    // A row with no text at all: it takes no space on the page.
    void Empty() { Row({}, {}); }

private:
    static void Put(char16_t (&dst)[129], std::u16string_view text)
    {
        std::memset(dst, 0, sizeof dst);
        std::copy(text.begin(), text.end(), dst);
    }

    ReportSection& section;
    int rows = 0;
};

// Formats bound to a language.
class Fmt {
public:
    explicit Fmt(int languageOffset) : offset(languageOffset) {}

    std::u16string Text(int key) const { return LangString(key, offset); }
    std::u16string Num(const char* format, double v) const { return NumberText(format, v); }
    // A value that is not finite prints "-" with no unit.
    std::u16string Val(const char* format, double v, int unit) const
    {
        return std::isfinite(v) ? Num(format, v) + u" " + Text(unit) : std::u16string(kNotGiven);
    }
    std::u16string F2(double v, int unit) const { return Val("%.2f", v, unit); }
    std::u16string F1(double v, int unit) const { return Val("%.1f", v, unit); }
    std::u16string F0(double v, int unit) const { return Val("%.0f", v, unit); }
    std::u16string F3(double v, int unit) const { return Val("%.3f", v, unit); }
    std::u16string FE(double v, int unit) const { return Val("%5.3e", v, unit); }
    std::u16string Flow(double q) const
    {
        if (!std::isfinite(q))
            return kNotGiven;
        return F3(q, UM3s) + u" = " + F0(q * 3600, UM3h) + u" = " + F0(q * 1000, ULs);
    }
    std::u16string YesNo(int flag) const { return Text(flag == 1 ? kYesKey : kNoKey); }

private:
    int offset;
};

void ClearReport(ReportSections& sections)
{
    for (ReportSection& s : sections) {
        std::memset(&s, 0, sizeof s);
        s.present = 1;
    }
}

// The heading on row 0, the conclusion over rows 1 and 2, the warning on row
// 3. A conclusion longer than a row breaks at the last blank among its first
// 61 units, the blank dropped; one with no blank there breaks after 60 units.
void ConclusionRows(SectionWriter& w, std::u16string_view heading, const RecordHead& head,
                    std::size_t warningBound = kRowBound)
{
    w.Row(heading, {}, true);
    const std::u16string conclusion = FromFixed(head.conclusion);
    const std::u16string_view text = conclusion;
    std::u16string_view first = CutTextView(text, kConclusionPart);
    std::u16string_view rest = text.substr(first.size());
    if (!rest.empty()) {
        const std::size_t blank = text.substr(0, kConclusionPart + 1).rfind(u' ');
        if (blank != std::u16string_view::npos && blank > 0) {
            first = text.substr(0, blank);
            rest = text.substr(blank + 1);
        }
    }
    w.Row(first, {}, true);
    w.Row(rest, {}, true);
    w.Row(FromFixed(head.warning), {}, true, warningBound);
}

// A blank row, then the note on a pipe made to order under a line.
void MadeToOrderRows(SectionWriter& w, const Fmt& f)
{
    w.Blank();
    w.Row(kUnderline);
    w.Row(f.Text(kOnDemandKey));
    w.Row(f.Text(kConfirmationKey));
}

// The name of the last row whose id matches; none when no row has the id (a
// category or type the catalogue no longer lists is named nowhere).
template <typename Entry>
std::u16string NameById(const std::vector<Entry>& rows, int id)
{
    const Entry* found = nullptr;
    for (const Entry& e : rows)
        if (e.id == id)
            found = &e;
    return found ? FromFixed(found->name) : std::u16string();
}

template <typename Entry>
std::u16string NameAt(const std::vector<Entry>& rows, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size())
        return {};
    return FromFixed(rows[static_cast<std::size_t>(index)].name);
}

std::u16string WallThickness(const Fmt& f, double outer, double inner)
{
    return f.F1((outer - inner) * 0.5, UMm);
}

// The size of a flow calculation's pipe: nominal size, inner diameter and
// wall, their labels the three keys from firstKey on; heavy rows as given.
template <typename Record>
void SizeRows(SectionWriter& w, const Fmt& f, int firstKey, const Record& r, bool heavyNominal, bool heavyInner)
{
    w.Row(f.Text(firstKey), f.F0(r.nominalSize, UMm), heavyNominal);
    w.Row(f.Text(firstKey + 1), f.F1(r.innerDiameter, UMm), heavyInner);
    w.Row(f.Text(firstKey + 2), WallThickness(f, r.outerDiameter, r.innerDiameter));
}

// The fluid of a flow calculation under its heading, then the note on a pipe
// made to order when the pipe is.
template <typename Record>
void FluidRows(ReportSection& section, const Fmt& f, int headingKey, int densityKey, int viscosityKey,
               const Record& r)
{
    SectionWriter w(section);
    w.Row(f.Text(headingKey));
    w.Row(f.Text(densityKey), f.F1(r.density, UKgM3));
    w.Row(f.Text(viscosityKey), f.FE(r.viscosity, UM2s));
    w.Blank();
    if (r.madeToOrder == 1)
        MadeToOrderRows(w, f);
}

// The backfill of an uplift check under its heading: name, unit weight,
// porosity, angle of friction and cohesion, their labels the five keys from
// firstKey on.
template <typename Record>
void SoilRows(ReportSection& section, const Fmt& f, int headingKey, int firstKey, const Record& r)
{
    SectionWriter w(section);
    w.Row(f.Text(headingKey));
    w.Row(f.Text(firstKey), FromFixed(r.soilName));
    w.Row(f.Text(firstKey + 1), f.F2(r.unitWeight, UKnM3));
    w.Row(f.Text(firstKey + 2), f.F0(r.porosity, UPercent));
    w.Row(f.Text(firstKey + 3), f.F0(r.frictionAngle, UDegree));
    w.Row(f.Text(firstKey + 4), f.F2(r.cohesion, UKpa));
    w.Blank();
}

}  // namespace

// ---- gravity flow ----------------------------------------------------------------------

// Each Write...Report fills the sections it is given; its writers have all set
// their row counts once it returns, before the builder hands the table back.
ReportSections BuildGravityFlowReport(const GravityFlowRecord& r, const CatalogueTables& tables, int languageOffset)
{
    ReportSections sections;
    ClearReport(sections);
    const Fmt f(languageOffset);
    const int mode = r.mode;
    const bool knownMode = mode >= 0 && mode <= 3;
    const std::u16string slope = std::isfinite(r.slope) && r.slope < kSlopeShown ? u"< 0.01 " + f.Text(UPerMille) : f.F2(r.slope, UPerMille);

    if (knownMode) {
        SectionWriter s0(sections[0]);
        s0.Row(f.Text(20156));
        s0.Row(f.Text(20165), f.Text(20157 + mode), true);
        if (mode != 1)
            s0.Row(f.Text(20166), f.F2(r.slopeInput, UPerMille));
        if (mode != 3)
            s0.Row(f.Text(20167), f.F2(r.fillingInput, UBlank));
        if (mode != 2)
            s0.Row(f.Text(20168), f.Flow(r.flowInput));
        s0.Blank();

        SectionWriter s2(sections[2]);
        s2.Row(f.Text(20154));
        s2.Row(f.Text(20169), NameById(tables.pipeCategories, r.categoryId));
        s2.Row(f.Text(20170), NameById(tables.pipeTypes, r.typeId));
        if (mode != 0) {
            SizeRows(s2, f, 20175, r, false, false);
        }
        s2.Row(f.Text(20171), f.F3(r.roughness, UMm));
        s2.Blank();
        s2.Row(f.Text(20172), f.F2(r.length, UM));
        s2.Row(f.Text(20173), f.F2(r.startLevel, UM));
        s2.Blank();
        s2.Row(f.Text(20174), f.F0(r.localLossShare, UPercent));
        s2.Blank();

        const auto res = [&](std::u16string text) { return Calculated(r.head, std::move(text)); };
        SectionWriter s1(sections[1]);
        s1.Row(f.Text(20161));
        if (mode == 0) {
            SizeRows(s1, f, 20175, r, false, true);
            s1.Blank();
        }
        s1.Row(f.Text(20180), res(slope));
        s1.Row(f.Text(20181), res(f.F2(r.filling, UBlank)), mode == 3);
        s1.Row(f.Text(20182), res(f.Flow(mode == 2 ? r.flow : r.flowInput)), mode == 2);
        s1.Row(f.Text(20183), res(f.F2(r.velocity, UMs)));
        s1.Blank();
        s1.Row(f.Text(20184), res(f.FE(r.reynolds, UBlank)));
        s1.Row(f.Text(20185), res(f.FE(r.frictionFactor, UBlank)));
        s1.Blank();
        s1.Row(f.Text(20186), res(f.F2(r.localLossHead + r.frictionLossHead, UM)), true);
        s1.Row(f.Text(20187), res(f.F2(r.frictionLossHead, UM)));
        s1.Row(f.Text(20188), res(f.F2(r.localLossHead, UM)));
        s1.Blank();
        s1.Row(f.Text(20189), res(f.F2(r.endLevel, UM)));
        s1.Blank();
    }

    FluidRows(sections[4], f, 20155, 20178, 20179, r);

    SectionWriter s3(sections[3]);
    ConclusionRows(s3, f.Text(20162), r.head);
    s3.Blank(true);
    return sections;
}

// ---- pressure flow ---------------------------------------------------------------------

ReportSections BuildPressureFlowReport(const PressureFlowRecord& r, const CatalogueTables& tables, int languageOffset)
{
    ReportSections sections;
    ClearReport(sections);
    const Fmt f(languageOffset);
    const int mode = r.mode;
    const bool knownMode = mode >= 0 && mode <= 2;

    if (knownMode) {
        SectionWriter s0(sections[0]);
        s0.Row(f.Text(20198));
        s0.Row(f.Text(20206), f.Text(20199 + mode), true);
        if (mode == 0) {
            s0.Row(f.Text(20207), f.Flow(r.flowInput));
            s0.Row(f.Text(20208), f.F2(r.velocityInput, UMs));
        } else if (mode == 2) {
            s0.Row(f.Text(20209), f.F2(r.headLossInput, UM));
        } else {
            s0.Row(f.Text(20210), f.Flow(r.flowInput));
        }
        s0.Blank();

        SectionWriter s2(sections[2]);
        s2.Row(f.Text(20192));
        s2.Row(f.Text(20211), NameById(tables.pipeCategories, r.categoryId));
        s2.Row(f.Text(20212), NameById(tables.pipeTypes, r.typeId));
        if (mode != 0) {
            SizeRows(s2, f, 20217, r, false, false);
        }
        s2.Row(f.Text(20213), f.F3(r.roughness, UMm));
        s2.Blank();
        s2.Row(f.Text(20214), f.F2(r.length, UM));
        s2.Row(f.Text(20215), f.F2(r.startLevel, UM));
        s2.Row(f.Text(20216), f.F2(r.endLevel, UM));
        s2.Blank();
    }

    {
        SectionWriter s4(sections[4]);
        s4.Row(f.Text(20194));
        if (r.localLossMode == 0)
            s4.Row(f.Text(20220), f.Num("%.2f", r.lossCoefficient));
        else if (r.localLossMode == 1)
            s4.Row(f.Text(20221), f.F0(r.localLossShare, UPercent));
        else
            s4.Empty();
        s4.Blank();
    }
    FluidRows(sections[8], f, 20193, 20222, 20223, r);

    if (knownMode) {
        const auto res = [&](std::u16string text) { return Calculated(r.head, std::move(text)); };
        SectionWriter s1(sections[1]);
        s1.Row(f.Text(20202));
        if (mode == 0) {
            SizeRows(s1, f, 20217, r, true, true);
            s1.Blank();
        }
        s1.Row(f.Text(20224), res(f.Flow(r.flow)), mode != 0);
        s1.Row(f.Text(20225), res(f.F2(r.velocity, UMs)));
        s1.Blank();
        s1.Row(f.Text(20226), res(f.FE(r.reynolds, UBlank)));
        s1.Row(f.Text(20227), res(f.FE(r.frictionFactor, UBlank)));
        s1.Blank();
        s1.Row(f.Text(20228), res(f.F2(r.headLoss, UM)), true);
        s1.Row(f.Text(20229), res(f.F2(r.frictionLossHead, UM)));
        s1.Row(f.Text(20230), res(f.F2(r.localLossHead, UM)));
        s1.Blank();
        s1.Row(f.Text(20231), res(f.F2(r.energyGradient, UPerMille)), true);
        s1.Row(f.Text(20232), res(f.F2(r.energyHeadDifference, UM)), true);
        s1.Blank();
    }

    SectionWriter s3(sections[3]);
    ConclusionRows(s3, f.Text(20203), r.head);
    s3.Blank(true);
    return sections;
}

// ---- buried pipe -----------------------------------------------------------------------

ReportSections BuildBuriedPipeReport(const BuriedPipeRecord& r, const CatalogueTables& tables, int languageOffset)
{
    ReportSections sections;
    ClearReport(sections);
    const Fmt f(languageOffset);

    const int trafficKey = TrafficClassTextKey(r.trafficClass);
    const std::u16string traffic = trafficKey ? f.Text(trafficKey) : std::u16string();
    std::u16string workmanship;
    if (r.workmanshipQuality == 0)
        workmanship = f.Text(20107);
    else if (r.workmanshipQuality == 1)
        workmanship = f.Text(20108);

    {
        SectionWriter s(sections[0]);
        s.Row(f.Text(20102));
        s.Row(f.Text(20115), NameById(tables.pipeCategories, r.categoryId));
        s.Row(f.Text(20116), NameById(tables.pipeTypes, r.typeId));
        s.Row(f.Text(20117), f.F0(r.nominalSize, UMm));
        s.Row(f.Text(20118), f.F1(r.innerDiameter, UMm));
        s.Row(f.Text(20119), f.F1(r.outerDiameter, UMm));
        s.Row(f.Text(20120), WallThickness(f, r.outerDiameter, r.innerDiameter));
        s.Row(f.Text(20121), f.F2(r.ringStiffness, UKnM2));
        s.Blank();
    }
    {
        SectionWriter s(sections[2]);
        s.Row(f.Text(20103));
        s.Row(f.Text(20122), f.F2(r.groundLevel, UM));
        s.Row(f.Text(20123), f.F2(r.invertLevel, UM));
        s.Row(f.Text(20124), f.F2(r.cover, UM));
        s.Row(f.Text(20125), f.F2(r.foundationLevel, UM));
        s.Row(f.Text(20126), f.F2(r.waterLevel, UM));
        s.Blank();
    }
    {
        SectionWriter s(sections[4]);
        s.Row(f.Text(20104));
        s.Row(f.Text(20127), FromFixed(r.soilName));
        s.Row(f.Text(20128), f.F2(r.compactionIndex, UBlank));
        s.Row(f.Text(20129), f.F2(r.unitWeight, UKnM3));
        s.Row(f.Text(20130), f.F0(r.porosity, UPercent));
        s.Row(f.Text(20131), f.F2(r.secantModulus, UMpa));
        s.Blank();
    }
    {
        SectionWriter s(sections[6]);
        s.Row(f.Text(20105));
        s.Row(f.Text(20132), traffic);
        s.Row(f.Text(20133), f.YesNo(r.roadSurface));
        s.Blank();
    }
    {
        SectionWriter s(sections[8]);
        s.Row(f.Text(20106));
        s.Row(f.Text(20134), f.YesNo(r.multiPipeTrench));
        s.Row(f.Text(20135), f.YesNo(r.heavyConstructionTraffic));
        s.Row(f.Text(20136));
        s.Row(f.Text(20137), f.YesNo(r.heavyCompaction));
        s.Row(f.Text(20138), f.YesNo(r.permanentSupervision));
        s.Row(f.Text(20139), workmanship);
        s.Row(f.Text(20140), f.F1(r.installationFactor, UPercent));
        s.Row(f.Text(20141), f.F1(r.beddingFactor, UPercent));
        s.Blank();
        if (r.madeToOrder == 1) {
            MadeToOrderRows(s, f);
        } else {
            for (int i = 0; i < 4; ++i)
                s.Empty();
        }
    }
    {
        const auto res = [&](std::u16string text) { return Calculated(r.head, std::move(text)); };
        SectionWriter s(sections[1]);
        s.Row(f.Text(20111));
        s.Row(f.Text(20142), res(f.F2(r.soilLoad, UKpa)));
        s.Row(f.Text(20143), res(f.F2(r.trafficLoad, UKpa)));
        s.Blank();
        s.Row(f.Text(20144), res(f.F2(r.totalLoad, UKpa)), true);
        s.Row(f.Text(20145), res(f.F2(r.admissibleLoad, UKpa)), true);
        s.Blank();
        s.Row(f.Text(20146), res(f.F1(r.loadDeflection, UPercent)));
        s.Row(f.Text(20147), res(f.F1(r.beddingFactor + r.installationFactor, UPercent)));
        s.Blank();
        s.Row(f.Text(20148), res(f.F1(r.totalDeflection, UPercent)), true);
        s.Row(f.Text(20149), res(f.F1(r.deflectionLimit, UPercent)), true);
        s.Blank();
        s.Row(f.Text(20150), res(f.F2(r.upliftForce, UKnM)), true);
        s.Row(f.Text(20151), res(f.F2(r.anchoringForce, UKnM)), true);
        s.Blank();
    }
    SectionWriter s3(sections[3]);
    ConclusionRows(s3, f.Text(20112), r.head);
    s3.Row(FromFixed(r.secondReason), {}, true);
    s3.Row(FromFixed(r.thirdReason), {}, true);
    s3.Blank(true);
    return sections;
}

// ---- manhole ---------------------------------------------------------------------------

ReportSections BuildManholeReport(const ManholeRecord& r, const CatalogueTables& tables, int languageOffset)
{
    ReportSections sections;
    ClearReport(sections);
    const Fmt f(languageOffset);
    const auto res = [&](std::u16string text) { return Calculated(r.head, std::move(text)); };
    const auto shown = [&](double v, double test, int unit) {
        return res(test > kManholeShown ? f.F2(v, unit) : std::u16string(kNotGiven));
    };

    {
        SectionWriter s(sections[0]);
        s.Row(f.Text(20074));
        s.Row(f.Text(20081), NameAt(tables.manholeTypes, r.typeIndex));
        s.Row(f.Text(20082), f.F0(r.nominalDiameter * 1000, UMm));
        s.Row(f.Text(20083), f.F0(r.pipeDiameter * 1000, UMm));
        s.Blank();
    }
    {
        SectionWriter s(sections[2]);
        s.Row(f.Text(20075));
        s.Row(f.Text(20084), f.F2(r.groundLevel, UM));
        s.Row(f.Text(20085), f.F2(r.pipeBottomLevel, UM));
        s.Row(f.Text(20086), f.F2(r.waterLevel, UM));
        s.Blank();
    }
    SoilRows(sections[4], f, 20076, 20087, r);
    if (r.madeToOrder == 1) {
        SectionWriter s(sections[6]);
        MadeToOrderRows(s, f);
    }
    {
        SectionWriter s(sections[1]);
        s.Row(f.Text(20077));
        s.Row(f.Text(20092), res(f.F2(r.height, UM)), true);
        s.Row(f.Text(20093), res(f.F2(r.deadWeight, UKn)), true);
        s.Blank();
        s.Row(f.Text(20094), res(f.F2(r.frictionForce, UKn)), true);
        s.Row(f.Text(20095), res(f.F2(r.upliftForce, UKn)));
        s.Blank();
        s.Row(f.Text(20096), shown(r.anchoringForce, r.anchoringForce, UKn));
        s.Blank();
        s.Row(f.Text(20097), res(f.F2(r.height + r.ballastHeight, UM)));
        s.Blank();
        if (r.eccentric == 1) {
            s.Row(kBlankRow, kBlankRow);
            s.Row(kBlankRow, kBlankRow);
        } else {
            s.Row(f.Text(20098), shown(r.ballastHeight, r.ballastHeight, UM));
            s.Row(f.Text(20099), shown(r.ballastVolume, r.ballastHeight, UM3));
        }
        s.Blank();
    }
    SectionWriter s3(sections[3]);
    ConclusionRows(s3, f.Text(20078), r.head);
    s3.Blank(true);
    return sections;
}

// ---- tank ------------------------------------------------------------------------------

ReportSections BuildTankReport(const TankRecord& r, const CatalogueTables& tables, int languageOffset)
{
    ReportSections sections;
    ClearReport(sections);
    const Fmt f(languageOffset);
    const bool anchored = r.anchoringForce > kTankAnchoringShown;
    const auto res = [&](std::u16string text) { return Calculated(r.head, std::move(text)); };
    const auto shown = [&](std::u16string text) { return anchored ? text : std::u16string(kNotGiven); };
    const auto slab = [&](double v) {
        return NoSlabLengthSuffices(v) ? std::u16string(kNotGiven) : res(shown(f.F1(v, UM)));
    };

    {
        SectionWriter s(sections[0]);
        s.Row(f.Text(20037));
        s.Row(f.Text(20045), NameAt(tables.tankTypes, r.tankTypeIndex));
        s.Row(f.Text(20046), f.F2(r.capacity, UM3));
        s.Row(f.Text(20047), f.F0(r.innerDiameter, UMm));
        s.Row(f.Text(20048), f.F0(r.outerDiameter, UMm));
        s.Row(f.Text(20049), f.F2(r.length, UM));
        s.Row(f.Text(20050), f.F2(r.ownWeight, UKn));
        s.Blank();
    }
    {
        SectionWriter s(sections[2]);
        s.Row(f.Text(20038));
        s.Row(f.Text(20051), f.F2(r.groundLevel, UM));
        s.Row(f.Text(20052), f.F2(r.foundationLevel + (r.outerDiameter - r.innerDiameter) * kHalfMmToM, UM));
        s.Row(f.Text(20053), f.F2(r.coverDepth, UM));
        s.Row(f.Text(20054), f.F2(r.foundationLevel, UM));
        s.Row(f.Text(20055), f.F2(r.waterLevel, UM));
        s.Blank();
    }
    SoilRows(sections[4], f, 20039, 20056, r);
    {
        SectionWriter s(sections[1]);
        s.Row(f.Text(20041));
        s.Row(f.Text(20061), res(f.F2(r.upliftForce, UKn)), true);
        s.Row(f.Text(20062), res(f.F2(r.soilWeight, UKn)), true);
        s.Blank();
        s.Row(f.Text(20063), res(shown(f.F2(r.anchoringForce, UKn))));
        s.Row(f.Text(20064), res(shown(Utf8ToUtf16(FormatC("%d ", r.anchorCount)) + f.Text(UPcs))));
        s.Row(f.Text(20065), res(shown(f.F2(r.tieForce, UKn))));
        s.Row(f.Text(20066), res(shown(f.F0(r.tieAngle, UDegree))));
        s.Blank();
        s.Row(f.Text(20067), slab(r.minSlabLength));
        s.Row(f.Text(20068), slab(r.slabLength), true);
        s.Blank();
        s.Row(f.Text(20069), shown(f.F2(r.slabWidth, UM)));
        s.Row(f.Text(20070), shown(f.F2(r.slabHeight, UM)));
        s.Row(f.Text(20071), res(shown(f.F0(r.slabWeight, UKn))));
        s.Blank();
    }
    SectionWriter s3(sections[3]);
    ConclusionRows(s3, f.Text(20042), r.head, kLongRowBound);
    return sections;
}

// ---- the printout's texts --------------------------------------------------------------

std::u16string ReportDate(const std::tm& t)
{
    return Utf8ToUtf16(FormatC("%02d/%02d/%02d", t.tm_mday, t.tm_mon + 1, ((t.tm_year % 100) + 100) % 100));
}

std::u16string ReportTime(const std::tm& t)
{
    return Utf8ToUtf16(FormatC("%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec));
}

ReportPageTexts MakeReportTexts(int kind, const WorkingRecords& working, const CatalogueTables& tables,
                                const PrintTitle& printTitle, int languageOffset, const std::tm& now)
{
    struct Keys {
        int name, title, notice, date;
    };
    Keys keys{};
    const RecordHead* head = nullptr;
    std::u16string subtitle;
    const auto pipe = [&](int categoryId, int typeId) {
        const std::u16string category = NameById(tables.pipeCategories, categoryId);
        const std::u16string type = NameById(tables.pipeTypes, typeId);
        return category.empty() || type.empty() ? category + type : category + u" " + type;
    };
    switch (kind) {
    case KindGravityFlow:
        keys = {20152, 20153, 20163, 20164};
        head = &working.gravityFlow.head;
        subtitle = pipe(working.gravityFlow.categoryId, working.gravityFlow.typeId);
        break;
    case KindBuriedPipe:
        keys = {20100, 20101, 20113, 20114};
        head = &working.buriedPipe.head;
        subtitle = pipe(working.buriedPipe.categoryId, working.buriedPipe.typeId);
        break;
    case KindPressureFlow:
        keys = {20190, 20191, 20204, 20205};
        head = &working.pressureFlow.head;
        subtitle = pipe(working.pressureFlow.categoryId, working.pressureFlow.typeId);
        break;
    case KindTank:
        keys = {20035, 20036, 20043, 20044};
        head = &working.tank.head;
        subtitle = NameAt(tables.tankTypes, working.tank.tankTypeIndex);
        break;
    case KindManhole:
        keys = {20072, 20073, 20079, 20080};
        head = &working.manhole.head;
        subtitle = NameAt(tables.manholeTypes, working.manhole.typeIndex) + u" - ";
        if (working.manhole.eccentric != 1)
            subtitle += LangString(1604, languageOffset);
        else if (working.manhole.reinforcedVersion == 1)
            subtitle += LangString(1605, languageOffset) + u", " + LangString(1600, languageOffset);
        else
            subtitle += LangString(1605, languageOffset);
        break;
    default:
        return {};
    }
    ReportPageTexts t;
    t.documentName = LangString(keys.name, languageOffset);
    t.reportTitle = LangString(keys.title, languageOffset);
    t.printTitle = FromFixed(printTitle.text);
    t.subtitle = subtitle;
    // The maker's address reads the same in every language: its text has no
    // language offset.
    t.addressText = LangString(122, 0);
    t.programLine = kind == KindTank ? u"\r\nProgram Quorlin v.5.0" : u"\r\n\r\nProgram Quorlin v.5.0";
    t.noticeLine = LangString(keys.notice, languageOffset) + u" " + FromFixed(head->name);
    t.dateLine = LangString(keys.date, languageOffset) + u" " + ReportDate(now) + u" " + ReportTime(now);
    if (kind == KindBuriedPipe)
        t.extraLine = LangString(20300, languageOffset);
    t.disclaimer = LangString(1612, languageOffset);
    return t;
}
