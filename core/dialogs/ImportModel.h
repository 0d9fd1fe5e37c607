// The import dialog without its window: the stored calculations of a kind
// that gives values to other pages (a buried pipe, a tank or a manhole), the
// levels, the pipe size and the backfill soil of the chosen one as the
// dialog shows them, which of them apply to the kind, and the ticks of the
// values to take. The model changes no record.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ProjectArrays;

class CImportModel {
public:
    // The stored calculations come from project, the texts in the language of
    // languageOffset.
    CImportModel(const ProjectArrays& project, int languageOffset);

    // Source kinds of the problem list, in its order.
    enum Problem { ProblemBuriedPipe = 0, ProblemTank = 1, ProblemManhole = 2 };
    static constexpr int kProblemCount = 3;
    // The check boxes.
    static constexpr int kGroundLevelBox = 1655;
    static constexpr int kWaterLevelBox = 1656;
    static constexpr int kTankBottomBox = 1657;
    static constexpr int kPipeBottomBox = 1659;
    static constexpr int kSoilBox = 1660;
    static constexpr int kFoundationLevelBox = 1665;
    static constexpr int kDiameterBox = 1667;
    // The labels of the soil's values, which go with the soil's box.
    static constexpr int kCompactionLabel = 1670;
    static constexpr int kUnitWeightLabel = 1671;
    static constexpr int kPorosityLabel = 1672;
    static constexpr int kFrictionAngleLabel = 1674;
    static constexpr int kCohesionLabel = 1675;
    // The value fields.
    static constexpr int kGroundLevelText = 1682;
    static constexpr int kWaterLevelText = 1683;
    static constexpr int kTankBottomText = 1684;
    static constexpr int kPipeBottomText = 1685;
    static constexpr int kFoundationLevelText = 1686;
    static constexpr int kDiameterText = 1687;
    static constexpr int kSoilNameText = 1669;
    static constexpr int kCompactionText = 1688;
    static constexpr int kUnitWeightText = 1689;
    static constexpr int kPorosityText = 1690;
    static constexpr int kFrictionAngleText = 1692;
    static constexpr int kCohesionText = 1693;

    // 1 = take this value.
    int importGroundLevel = 0;
    int importWaterLevel = 0;
    int importFoundationLevel = 0;
    int importDiameter = 0;
    int importTankBottom = 0;
    int importPipeBottom = 0;
    int importSoil = 0;
    int problemIndex = -1;  // 0 buried pipe, 1 tank, 2 manhole; -1 until opened
    int taskIndex = -1;     // the chosen stored calculation of that kind; -1 until opened
    // Pipe data of the chosen calculation for the page's size lists; 0 when not set.
    double sourceNominalSize = 0.0;
    double sourceInnerDiameter = 0.0;
    double sourceOuterDiameter = 0.0;
    double sourceStiffness = 0.0;

    // The dialog opens on the first kind and its first stored calculation.
    void Open();
    // A kind chosen: its stored calculations listed, the first of them
    // chosen; the pipe data of the kind before are forgotten.
    void ChooseProblem(int problem);
    // A stored calculation of the kind chosen, by its place in the list.
    void ChooseTask(int task);

    // The problem list's item of a kind.
    std::u16string ProblemText(int problem) const;
    // The task list: "#n: name" for each stored calculation of the kind, or
    // one item saying the list is empty.
    const std::vector<std::u16string>& TaskItems() const { return taskItems; }
    // With nothing stored, nothing below the lists can be chosen and OK
    // cannot be pressed.
    bool AnyStored() const { return anyStored; }
    // Whether a check box or a soil value's label can be used: rows that do
    // not apply to the kind cannot.
    bool Enabled(int id) const;
    // The text of a value field as shown ("-" for none).
    std::u16string ValueText(int fieldId) const;
    // The tick of a check box (0 or 1), by its id; every change of source
    // clears the ticks.
    int Ticked(int boxId) const;
    void SetTicked(int boxId, bool on);

private:
    int* Flag(int boxId);
    // The stored calculations of the chosen kind.
    int StoredCount() const;
    void ListTasks();
    void ShowTaskValues();

    const ProjectArrays& project;
    int languageOffset;
    std::vector<std::u16string> taskItems;
    bool anyStored = false;
    std::map<int, bool> enabled;
    std::map<int, std::u16string> valueTexts;
};
