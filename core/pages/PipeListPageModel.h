// What the gravity-flow and pressure-flow page models share: the catalogue's
// three pipe lists (category, type, nominal size) with the way a list choice,
// a reset and a reload of the tables run through them, the reset of number
// and name, the hint on a pipe made to order, the roughness typed becoming
// the user's own, and the fluid and flow-units dialogs' values taken up.
#pragma once

#include "core/pages/CatalogPicker.h"
#include "core/pages/PageModel.h"

#include <cstdint>
#include <string>

class CPipeListPageModel : public CPageModel {
public:
    // The page's control ids.
    struct Ids {
        int categoryList, typeList, sizeList;
        int number, name, hint;
        int roughness;
    };

    CPipeListPageModel(CDalvorApp& app, int kind, unsigned applicable, const Ids& ids);

    CCatalogPicker& Picker() { return picker; }

    // The first item of each list in turn, each through its handler.
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    void ApplyLanguage(int offset) override;
    bool ReferenceReloaded() override;
    void OnListChosen(int id, int index) override;

    // The list handlers. A new category or type clears a roughness of the
    // user's own, lists its sizes anew and works the record out.
    void OnSelchangePipeKind();
    void OnSelchangePipeType();
    virtual void OnSelchangeDiameter() = 0;
    // The fluid and flow-units dialogs gave a value (OK): shown and worked out.
    void SetViscosity(double viscosity);
    void SetFlowInput(double flow);

    // A roughness of the user's own: none.
    static constexpr double kNoUserRoughness = -0.01f;
    static constexpr double kMinRoughness = 0.001f;
    static constexpr int kTextMadeToOrder = 20295;
    static constexpr int kTextConfirmDelivery = 20296;

protected:
    // The record's members the lists work on.
    struct RecordPipe {
        int32_t& categoryId;
        int32_t& typeId;
        double& userRoughness;
        const int32_t& madeToOrder;
        double& roughness;
        double& viscosity;
        double& flowInput;
    };
    virtual RecordPipe Pipe() const = 0;
    // The sizes of the record's category and type listed anew after the user
    // chose another category or type.
    virtual void RefillSizes() = 0;

    // The roughness field read back: a roughness other than the one shown is
    // the user's own, held as the roughness is (a user's roughness below the
    // limit would not outlive a change of size).
    void ReadRoughness();
    // The two sentences on a pipe made to order, or none.
    void ShowHint();

    CCatalogPicker picker;

private:
    Ids ids;
    std::u16string hintFirst;
    std::u16string hintSecond;
};
