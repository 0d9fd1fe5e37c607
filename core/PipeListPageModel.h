// What the gravity-flow and pressure-flow page models share: the catalogue's
// three pipe lists (category, type, nominal size) with the way a list choice,
// a reset and a reload of the tables run through them, and the hint on a pipe
// made to order.
#pragma once

#include "CatalogPicker.h"
#include "PageModel.h"

#include <string>

class CPipeListPageModel : public CPageModel {
public:
    // The page's control ids.
    struct Ids {
        int categoryList, typeList, sizeList;
        int number, name, hint;
    };

    CPipeListPageModel(CDalvorApp& app, int kind, unsigned applicable, const Ids& ids);

    CCatalogPicker& Picker() { return picker; }

    // The first item of each list in turn, each through its handler.
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;
    void ApplyLanguage(int offset) override;
    bool ReferenceReloaded() override;
    void OnListChosen(int id, int index) override;

    // The list handlers.
    virtual void OnSelchangePipeKind() = 0;
    virtual void OnSelchangePipeType() = 0;
    virtual void OnSelchangeDiameter() = 0;

    static constexpr int kTextMadeToOrder = 20295;
    static constexpr int kTextConfirmDelivery = 20296;

protected:
    // The pipe the record names, and whether it is made to order.
    struct RecordPipe {
        int categoryId, typeId;
        bool madeToOrder;
    };
    virtual RecordPipe Pipe() const = 0;

    // The two sentences on a pipe made to order, or none.
    void ShowHint();

    CCatalogPicker picker;

private:
    Ids ids;
    std::u16string hintFirst;
    std::u16string hintSecond;
};
