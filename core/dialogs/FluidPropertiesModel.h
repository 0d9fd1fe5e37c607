// The fluid-properties dialog without its window: the kinematic viscosity of
// sewage from its suspended solids, chosen on a slider from 0 to 1000 mg/l in
// steps of 50 mg/l (nu = 1.31e-6 + 2e-10 c). The caller presets viscosity and
// takes it back after OK; the slider's position always decides the value
// returned.
#pragma once

#include <string>

class CFluidPropertiesModel {
public:
    static constexpr int kLastPosition = 20;  // the slider runs 0..20 for 0..1000 mg/l

    double viscosity = 0.0;      // m2/s: preset by the caller, returned after OK
    double concentration = 0.0;  // suspended solids, mg/l
    int position = 0;            // the slider's

    // The slider position of a concentration: 0 for one outside 0..1000 mg/l.
    static int SliderPosition(double concentration);

    // The dialog opens with the slider at the grid point of the preset
    // viscosity's concentration, and the values of that point.
    void Open();
    // The slider at a position (held to 0..20): the concentration and the
    // viscosity of that grid point.
    void SetPosition(int position);

    std::u16string ConcentrationText() const;
    std::u16string ViscosityText() const;
};
