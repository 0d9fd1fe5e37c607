// The loss calculator without its window: a hydraulic gradient in per mille
// over the section's length turned into its head loss, h = J x 0.001 x L.
// The caller presets pipeLength and totalLoss; after OK it takes totalLoss
// back, which is always the head loss of the last calculation.
#pragma once

#include <string>

class CLossCalcModel {
public:
    // The shortest length the gradient is worked out over (m).
    static constexpr double kMinLength = 0.001f;
    static constexpr double kPerMille = 0.001f;

    double totalLoss = 0.0;   // head loss in m: preset, returned after OK
    double gradient = 0.0;    // J in per mille
    double pipeLength = 0.0;  // L in m: preset
    bool okEnabled = false;

    // The dialog opens on the preset loss's gradient; OK waits for a
    // calculation.
    void Open();
    // Calculate with the gradient typed, and OK allowed. False when the
    // gradient was taken as 0 (its field shows 0 again).
    bool Calculate(double typedGradient);
    // The user changed the gradient: OK waits for a calculation.
    void EditGradient() { okEnabled = false; }

    std::u16string GradientText() const;
    std::u16string LengthText() const;
    std::u16string LossText() const;
};
