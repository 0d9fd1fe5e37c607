#include "core/dialogs/LocalLossModel.h"

#include "core/dialogs/DialogText.h"

#include <algorithm>
#include <climits>

double CLocalLossModel::BendsCoefficient(const int counts[kBendKinds])
{
    float sum = 0.0f;
    for (int k = 0; k < kBendKinds; ++k)
        sum += static_cast<float>(counts[k]) * kBendCoefficient[k];
    return static_cast<double>(sum);
}

int CLocalLossModel::ReadCount(std::u16string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // held; more digits change nothing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void CLocalLossModel::Open()
{
    changed = false;
    // Counts and coefficients cannot be negative.
    for (int& count : bendCounts)
        count = std::max(count, 0);
    otherLossCoefficient = std::max(otherLossCoefficient, 0.0);
    Sum();
}

void CLocalLossModel::Change(const std::u16string (&countTexts)[kBendKinds], double otherLosses)
{
    // A negative count or coefficient is taken as 0; the field keeps its text.
    for (int k = 0; k < kBendKinds; ++k)
        bendCounts[k] = std::max(ReadCount(countTexts[k]), 0);
    otherLossCoefficient = std::max(otherLosses, 0.0);
    changed = true;
    Sum();
}

void CLocalLossModel::Sum()
{
    bendsCoefficient = BendsCoefficient(bendCounts);
    totalLossCoefficient = bendsCoefficient + otherLossCoefficient;
}

std::u16string CLocalLossModel::CountText(int k) const
{
    return k >= 0 && k < kBendKinds ? Utf8ToUtf16(std::to_string(bendCounts[k])) : std::u16string();
}

std::u16string CLocalLossModel::OtherText() const
{
    return NumberText("%.2f", otherLossCoefficient);
}

std::u16string CLocalLossModel::BendsText() const
{
    return NumberText(changed ? "%.3f" : "%.2f", bendsCoefficient);
}

std::u16string CLocalLossModel::TotalText() const
{
    return NumberText(changed ? "%.3f" : "%.2f", totalLossCoefficient);
}
