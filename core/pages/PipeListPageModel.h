// What the gravity-flow and pressure-flow page models share: the catalogue's
// three pipe lists (category, type, nominal size) with the way a list choice,
// a reset and a reload of the tables run through them, the record's candidate
// sizes and the size it takes from the list, the reset of number
// and name, the hint on a pipe made to order, the roughness typed becoming
// the user's own, and the fluid and flow-units dialogs' values taken up.
#pragma once

#include "core/pages/CatalogPicker.h"
#include "core/pages/PageModel.h"
#include "core/project/Records.h"

#include <cstdint>
#include <span>
#include <string>

class CPipeListPageModel : public CPageModel {
public:
    // The page's control ids.
    struct Ids {
        int categoryList, typeList, sizeList;
        int number, name, hint;
        int roughness;
        int innerDiameter;
    };
    // Where the two pages' size lists differ.
    struct SizeRules {
        // A further field that shows the size taken from the list (0: none).
        int sizeField;
        // The candidates carry their rows' rating (the nominal pressure).
        bool candidateRatings;
        // With no size listed, a stored pipe kept shows its bore, not "-".
        bool boreWithoutSizes;
        // A size taken while the diameter is sought is worked out at once.
        bool recalculateWhenSought;
    };

    CPipeListPageModel(CDalvorApp& app, int kind, unsigned applicable, const Ids& ids, const SizeRules& rules);

    CCatalogPicker& Picker() { return picker; }

    // The lists from the record: a record that names a pipe already (a
    // stored calculation loaded back) keeps a size the list does not hold.
    void FillLists() override;
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
    // The record takes the size the list shows chosen, while its row is still
    // one of the record's category and type (with no item it keeps its own),
    // shows it (no bore, "-", when no size is listed) and is worked out,
    // except while the diameter is sought where SizeRules say so.
    void OnSelchangeDiameter();
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
        void* record;  // the fields' record
        std::span<DiameterCandidate> candidates;
        int32_t& candidateCount;
        const double& nominalSize;
        const int32_t& mode;
    };
    virtual RecordPipe Pipe() const = 0;
    // The record takes a size of the catalogue.
    virtual void TakeSize(const DiameterCandidate& size) = 0;
    // The user chose a pipe of the catalogue (a category, type or size).
    virtual void PipeChosen() {}

    // What FillSizeList found for the record.
    enum class SizeFill {
        None,      // no size listed
        Unlisted,  // the record keeps a size the list does not hold
        Taken,     // the record took the listed size shown
    };
    // The categories and types, then the sizes (FillSizeList) with a stored
    // pipe kept.
    SizeFill FillPipeLists();
    // Lists the sizes of the record's category and type and makes them the
    // record's candidates, item i being candidate i. The record takes the
    // last listed size within kSizeMatch of its own, or else the first; with
    // keepUnlisted, a record with a size of its own that the list does not
    // hold keeps it, and the list shows none (the diameter mode then chooses
    // among the listed sizes itself).
    SizeFill FillSizeList(bool keepUnlisted);

    // The roughness field read back: a roughness other than the one shown is
    // the user's own, held as the roughness is (a user's roughness below the
    // limit would not outlive a change of size).
    void ReadRoughness();
    // The two sentences on a pipe made to order, or none.
    void ShowHint();

    CCatalogPicker picker;

private:
    // The record's size shown: its bore, the further size field and the
    // roughness.
    void ShowSize(const RecordPipe& pipe);

    Ids ids;
    SizeRules rules;
    std::u16string hintFirst;
    std::u16string hintSecond;
};
