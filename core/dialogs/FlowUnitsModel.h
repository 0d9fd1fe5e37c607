// The flow-units calculator without its window: a flow given in m3/d, m3/h,
// l/s or l/h turned into m3/s, the unit the pipe calculations hold their
// flows in. The caller presets flowRate (m3/s) and takes it back after OK;
// OK takes the flow of the last conversion only.
#pragma once

#include <string>

class CFlowUnitsModel {
public:
    static constexpr int kUnitCount = 4;
    // Units per m3/s of m3/d, m3/h, l/s and l/h.
    static constexpr double kUnitsPerCubicMetrePerSecond[kUnitCount] = {86400.0, 3600.0, 1000.0, 3600000.0};

    int unit = 0;                        // 0 m3/d, 1 m3/h, 2 l/s, 3 l/h
    double perUnitFlow[kUnitCount] = {}; // the flow in each of the four units
    double enteredFlow = 0.0;            // the number last taken from, or shown in, the value field
    double flowRate = 0.0;               // m3/s: preset by the caller, returned after OK
    bool okEnabled = false;

    // The dialog opens in m3/d on the preset flow; OK waits for a conversion.
    void Open();
    // Another unit: the value field shows the flow in it, and OK waits for a
    // conversion. False, and nothing changed, for no such unit.
    bool ChooseUnit(int k);
    // The number typed in the current unit converted, and OK allowed. False
    // when the flow was taken as 0 (the value field shows 0 again).
    bool Convert(double typed);
    // The value is being edited: it has to be converted again before OK.
    void EditValue() { okEnabled = false; }

    std::u16string ValueText() const;   // enteredFlow
    std::u16string ResultText() const;  // flowRate in m3/s

private:
    // Takes a flow in m3/s and its value in each unit; a flow that is not
    // finite in every unit is taken as 0 and false returned.
    bool SetFlow(double cubicMetresPerSecond);
};
