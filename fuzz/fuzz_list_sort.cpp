// The list's date parser and its typed comparison of cells: the input is two
// cell texts. A comparison must be antisymmetric and a text equal to itself.

#include "platform/DateParse.h"
#include "reports/ReportCtrl.h"

#include <QString>

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    const std::size_t cut = units.find(u'\n');
    const std::u16string a = units.substr(0, cut);
    const std::u16string b = cut == std::u16string::npos ? std::u16string() : units.substr(cut + 1);

    for (const std::u16string& text : {a, b})
        if (std::optional<double> day = ParseListDate(text); day && !std::isfinite(*day))
            std::abort();

    const QString qa = QString::fromUtf16(a.data(), static_cast<qsizetype>(a.size()));
    const QString qb = QString::fromUtf16(b.data(), static_cast<qsizetype>(b.size()));
    if (CReportCtrl::CompareCells(qa, qa) != 0 || CReportCtrl::CompareCells(qa, qb) != -CReportCtrl::CompareCells(qb, qa))
        std::abort();
    return 0;
}
