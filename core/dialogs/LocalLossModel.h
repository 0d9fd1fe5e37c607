// The local-losses dialog without its window: the total local-loss
// coefficient of a pressure pipe from its fittings, the counts of segmented
// bends of 30, 45, 60 and 90 degrees with a fixed coefficient each, plus one
// coefficient for all other local losses. The caller presets bendCounts and
// otherLossCoefficient and, after OK, takes back the counts, the other losses
// and the total, none of them below 0.
#pragma once

#include <string>
#include <string_view>

class CLocalLossModel {
public:
    static constexpr int kBendKinds = 4;
    // Coefficient of one segmented bend of 30, 45, 60 and 90 degrees.
    static constexpr float kBendCoefficient[kBendKinds] = {0.1f, 0.15f, 0.2f, 0.25f};

    int bendCounts[kBendKinds] = {0, 0, 0, 0};  // 30, 45, 60, 90 degrees: preset, returned
    double otherLossCoefficient = 0.0;          // preset, returned
    double bendsCoefficient = 0.0;              // the bends' share of the total
    double totalLossCoefficient = 0.0;          // bends + other losses: returned

    // The bends' share: each count times its coefficient, summed in single
    // precision and widened.
    static double BendsCoefficient(const int counts[kBendKinds]);
    // A count as typed: the whole number at the start of the text (blanks and
    // a sign allowed), 0 when there is none, held to the range of int.
    static int ReadCount(std::u16string_view text);

    // The dialog opens on the preset counts and other losses, summed.
    void Open();
    // A field was changed: the four counts as typed and the other losses'
    // coefficient, summed again.
    void Change(const std::u16string (&countTexts)[kBendKinds], double otherLosses);

    std::u16string CountText(int k) const;
    std::u16string OtherText() const;
    // The sums: two decimals as the dialog opens, three from the first change on.
    std::u16string BendsText() const;
    std::u16string TotalText() const;

private:
    void Sum();

    bool changed = false;
};
