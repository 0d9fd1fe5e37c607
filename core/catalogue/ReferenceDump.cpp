#include "core/catalogue/ReferenceDump.h"

#include "core/base/Text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class Line {
public:
    explicit Line(std::string& target) : out(target) {}
    ~Line() { out += '\n'; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    template <std::size_t N>
    Line& Text(const char16_t (&text)[N])
    {
        Separate();
        out += Utf16ToUtf8(FromFixed(text));
        return *this;
    }
    Line& Int(int v)
    {
        Separate();
        out += FormatC("%d", v);
        return *this;
    }
    Line& Real(double v)
    {
        Separate();
        // The listing tells a value that is not finite as it is held.
        if (std::isfinite(v))
            out += FormatC("%.17g", v);
        else
            out += std::isnan(v) ? "nan" : v < 0 ? "-inf" : "inf";
        return *this;
    }

private:
    void Separate()
    {
        if (!first)
            out += '\t';
        first = false;
    }
    std::string& out;
    bool first = true;
};

}  // namespace

std::string DumpReferenceTables(const CatalogueTables& tables)
{
    std::string out;

    out += "# soils\n";
    for (std::size_t i = 0; i < tables.soils.size(); ++i) {
        const SoilEntry& e = tables.soils[i];
        Line line(out);
        line.Text(e.name).Int(e.soilGroup);
        for (double c : e.soilCoefficient)
            line.Real(c);
    }

    out += "# pipeCategories\n";
    for (std::size_t i = 0; i < tables.pipeCategories.size(); ++i) {
        const PipeCategoryEntry& e = tables.pipeCategories[i];
        Line(out).Int(e.id).Text(e.name).Int(e.applicability);
    }

    out += "# pipeTypes\n";
    for (std::size_t i = 0; i < tables.pipeTypes.size(); ++i) {
        const PipeTypeEntry& e = tables.pipeTypes[i];
        Line(out).Int(e.id).Int(e.categoryId).Text(e.name).Int(e.applicability);
    }

    out += "# nominalSizes\n";
    for (std::size_t i = 0; i < tables.nominalSizes.size(); ++i) {
        const NominalSizeEntry& e = tables.nominalSizes[i];
        Line(out)
            .Int(e.id)
            .Int(e.categoryId)
            .Int(e.typeId)
            .Int(e.classCode)
            .Real(e.nominalSize)
            .Real(e.innerDiameter)
            .Real(e.outerDiameter)
            .Real(e.ringStiffness)
            .Real(e.sectionValueA)
            .Real(e.sectionValueB)
            .Real(e.allowedDeflection)
            .Real(e.enlargedAllowedDeflection)
            .Real(e.minCover)
            .Real(e.sizeValueC)
            .Real(e.roughness)
            .Real(e.ratingValue)
            .Int(e.madeToOrder)
            .Int(e.enlargedDeflectionAvailable)
            .Int(e.reducedLoadCapacity);
    }

    out += "# manholeTypes\n";
    for (std::size_t i = 0; i < tables.manholeTypes.size(); ++i) {
        const ManholeTypeEntry& e = tables.manholeTypes[i];
        Line(out)
            .Text(e.name)
            .Real(e.nominalDiameter)
            .Real(e.outerDiameter)
            .Real(e.maxPipeDiameter)
            .Real(e.sandTrapDepth)
            .Real(e.crownAllowance)
            .Real(e.weightPerMetre)
            .Real(e.minDepth)
            .Real(e.maxDepth)
            .Int(e.reinforced)
            .Int(e.eccentric)
            .Int(e.madeToOrder);
    }

    out += "# tankTypes\n";
    for (std::size_t i = 0; i < tables.tankTypes.size(); ++i) {
        const TankTypeEntry& e = tables.tankTypes[i];
        Line(out)
            .Text(e.name)
            .Int(e.classCode)
            .Real(e.innerDiameter)
            .Real(e.outerDiameter)
            .Real(e.weightPerMetre)
            .Real(e.endWeight)
            .Real(e.reservedA)
            .Real(e.reservedB)
            .Real(e.endAllowance)
            .Real(e.stiffnessClass)
            .Real(e.reservedC)
            .Real(e.reservedD)
            .Real(e.minAnchorSpacing)
            .Real(e.maxAnchorSpacing)
            .Int(e.madeToOrder);
    }
    return out;
}
