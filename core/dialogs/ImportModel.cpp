#include "core/dialogs/ImportModel.h"

#include "core/base/CalcKind.h"
#include "core/base/LangTables.h"
#include "core/catalogue/ReferenceTables.h"
#include "core/dialogs/DialogText.h"
#include "core/project/ProjectArrays.h"
#include "core/project/Records.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kEmptyList = 20342;
// The captions of the buried-pipe, tank and manhole pages name the kinds.
constexpr int kProblemTexts[CImportModel::kProblemCount] = {112, 109, 108};

using M = CImportModel;
constexpr int kBoxes[] = {M::kGroundLevelBox, M::kWaterLevelBox, M::kTankBottomBox, M::kPipeBottomBox,
                          M::kFoundationLevelBox, M::kDiameterBox, M::kSoilBox};
constexpr int kSoilLabels[] = {M::kCompactionLabel, M::kUnitWeightLabel, M::kPorosityLabel, M::kFrictionAngleLabel,
                               M::kCohesionLabel};
constexpr int kFields[] = {M::kGroundLevelText,  M::kWaterLevelText,     M::kTankBottomText, M::kPipeBottomText,
                           M::kFoundationLevelText, M::kDiameterText,     M::kSoilNameText,   M::kCompactionText,
                           M::kUnitWeightText,   M::kPorosityText,       M::kFrictionAngleText, M::kCohesionText};

std::u16string F2(double v)
{
    return NumberText("%.2f", v);
}

std::u16string F0(double v)
{
    return NumberText("%.0f", v);
}

}  // namespace

CImportModel::CImportModel(const ProjectArrays& p, int offset) : project(p), languageOffset(offset) {}

int* CImportModel::Flag(int boxId)
{
    switch (boxId) {
    case kGroundLevelBox: return &importGroundLevel;
    case kWaterLevelBox: return &importWaterLevel;
    case kFoundationLevelBox: return &importFoundationLevel;
    case kDiameterBox: return &importDiameter;
    case kTankBottomBox: return &importTankBottom;
    case kPipeBottomBox: return &importPipeBottom;
    case kSoilBox: return &importSoil;
    default: return nullptr;
    }
}

int CImportModel::Ticked(int boxId) const
{
    const int* flag = const_cast<CImportModel*>(this)->Flag(boxId);
    return flag ? *flag : 0;
}

void CImportModel::SetTicked(int boxId, bool on)
{
    if (int* flag = Flag(boxId))
        *flag = on ? 1 : 0;
}

bool CImportModel::Enabled(int id) const
{
    const auto it = enabled.find(id);
    return it == enabled.end() || it->second;
}

std::u16string CImportModel::ValueText(int fieldId) const
{
    const auto it = valueTexts.find(fieldId);
    return it == valueTexts.end() ? u"-" : it->second;
}

std::u16string CImportModel::ProblemText(int problem) const
{
    return problem >= 0 && problem < kProblemCount ? LangString(kProblemTexts[problem], languageOffset) : std::u16string();
}

int CImportModel::StoredCount() const
{
    const ProjectArrays& p = project;
    switch (problemIndex) {
    case ProblemBuriedPipe: return RowCount(p.buriedPipe);
    case ProblemTank: return RowCount(p.tank);
    case ProblemManhole: return RowCount(p.manhole);
    default: return 0;
    }
}

void CImportModel::Open()
{
    problemIndex = 0;
    ListTasks();
    ShowTaskValues();
}

void CImportModel::ChooseProblem(int problem)
{
    problemIndex = problem;
    sourceNominalSize = sourceInnerDiameter = sourceOuterDiameter = sourceStiffness = 0.0;
    ListTasks();
    ShowTaskValues();
}

void CImportModel::ChooseTask(int task)
{
    taskIndex = task;
    ShowTaskValues();
}

void CImportModel::ListTasks()
{
    const int count = StoredCount();
    const ProjectArrays& p = project;
    taskItems.clear();
    for (int i = 0; i < count; ++i) {
        const char16_t* name = problemIndex == ProblemBuriedPipe ? p.buriedPipe[i].head.name
                               : problemIndex == ProblemTank     ? p.tank[i].head.name
                                                                 : p.manhole[i].head.name;
        taskItems.push_back(u"#" + Utf8ToUtf16(std::to_string(i + 1)) + u": " +
                            FromFixed(name, std::size(RecordHead{}.name)));
    }
    anyStored = count > 0;
    for (int id : kBoxes)
        enabled[id] = anyStored;
    for (int id : kSoilLabels)
        enabled[id] = anyStored;
    if (!anyStored)
        taskItems.push_back(LangString(kEmptyList, languageOffset));
    taskIndex = 0;
}

void CImportModel::ShowTaskValues()
{
    importGroundLevel = importWaterLevel = importFoundationLevel = importDiameter = 0;
    importTankBottom = importPipeBottom = importSoil = 0;
    for (int id : kFields)
        valueTexts[id] = u"-";

    const int count = StoredCount();
    if (count <= 0 || taskIndex < 0 || taskIndex >= count)
        return;
    const auto t = static_cast<std::size_t>(taskIndex);
    // Rows that do not apply to the kind stay "-" and cannot be ticked.
    auto disable = [this](int id) { enabled[id] = false; };
    auto soil = [this](const auto& r) {
        valueTexts[kSoilNameText] = FromFixed(r.soilName);
        valueTexts[kUnitWeightText] = F2(r.unitWeight);
        valueTexts[kPorosityText] = F2(r.porosity);
        valueTexts[kFrictionAngleText] = F2(r.frictionAngle);
        valueTexts[kCohesionText] = F2(r.cohesion);
    };
    switch (problemIndex) {
    case ProblemBuriedPipe: {
        const BuriedPipeRecord& r = project.buriedPipe[t];
        valueTexts[kGroundLevelText] = F2(r.groundLevel);
        valueTexts[kWaterLevelText] = F2(r.waterLevel);
        disable(kTankBottomBox);
        valueTexts[kPipeBottomText] = F2(r.invertLevel);
        valueTexts[kFoundationLevelText] = F2(r.foundationLevel);
        valueTexts[kDiameterText] = F0(r.nominalSize);
        soil(r);
        valueTexts[kCompactionText] = F2(r.compactionIndex);
        sourceNominalSize = r.nominalSize;
        sourceInnerDiameter = r.innerDiameter;
        sourceOuterDiameter = r.outerDiameter;
        sourceStiffness = r.ringStiffness;
        break;
    }
    case ProblemTank: {
        const TankRecord& r = project.tank[t];
        valueTexts[kGroundLevelText] = F2(r.groundLevel);
        valueTexts[kWaterLevelText] = F2(r.waterLevel);
        valueTexts[kTankBottomText] = F2(r.tankBottomLevel);
        disable(kPipeBottomBox);
        disable(kFoundationLevelBox);
        valueTexts[kDiameterText] = F0(r.innerDiameter);
        soil(r);
        disable(kCompactionLabel);
        // The tank's own diameters go with its stiffness, so that the
        // product looked up is this tank's and not the first of the list.
        sourceInnerDiameter = r.innerDiameter;
        sourceOuterDiameter = r.outerDiameter;
        sourceStiffness = r.stiffnessClass;
        break;
    }
    case ProblemManhole: {
        const ManholeRecord& r = project.manhole[t];
        valueTexts[kGroundLevelText] = F2(r.groundLevel);
        valueTexts[kWaterLevelText] = F2(r.waterLevel);
        disable(kTankBottomBox);
        disable(kPipeBottomBox);
        valueTexts[kFoundationLevelText] = F2(r.pipeBottomLevel);
        valueTexts[kDiameterText] = F0(r.pipeDiameter * 1000.0);
        soil(r);
        disable(kCompactionLabel);
        break;
    }
    default: break;
    }
}
