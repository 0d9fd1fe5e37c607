// core/pages: the page models, what each calculation page decides apart from
// its widgets (the page kit, the pipe-list base, the catalogue picker and the
// five pages' models). It includes core/base, core/project, core/catalogue,
// core/calc and core/app; never core/report.
//
// The page kit: what a calculation page does apart from its widgets.
//
// A page is two halves. Its model (here, in core, free of Qt) holds what the
// page shows and decides: the text of every field by control id, the enabled,
// visible and colour state of controls, the contents and selection of its
// lists, the chosen item of its radio groups, and the message boxes it wants
// shown. Its window class (ui/, on CPageView) only copies that state to the
// widgets and the user's typing and choices back, and shows the messages. So
// the recalculation tool and the tests run a page's whole behaviour with no
// window at all.
//
// Building a page on the kit
// --------------------------
// 1. Control ids: an enum per page in the model's header, used by the model,
//    the window class and the tests alike; no bare numbers.
// 2. Fields: one table of FieldSpec rows per page (KIT_FIELD gives the record
//    member). A row names the field's control, its caption and unit keys, the
//    "?" button beside it, the group box it sits in, its format and limits,
//    and flags: Input rows are read by ReadFields in table order (text ->
//    number with commas taken as points, non-finite -> 0, then the limits);
//    Result rows are written by ShowFields with "-" while the record has no
//    valid result. A row whose value is not a plain record member (no
//    KIT_FIELD, or the Hook flag) is the kind's to read and show; the window
//    still lays it out. So are shown scales (a metre value shown in mm) and
//    limits that depend on another field (ZWG at most PT): code after
//    ReadFields.
// 3. The model class derives from CPageModel and implements the page's
//    operations on its kind's working record (app.<kind>):
//      FillLists, ReadInputs, ShowInputs(resetNumber), ShowResults,
//      Recalculate, ResetListsToFirst, ResetNumberAndName, ApplyLanguage,
//      and the handlers OnListChosen (a list's item picked by the user) and
//      OnChoiceClicked (a radio clicked). ReadInputs reads only the texts; a
//      rule that is more than a parse (a roughness typed becoming the user's
//      roughness, a bound checked with a message) is code in ReadInputs.
//      LoadBack() is the sheet's sequence after the project manager
//      (lists, inputs shown, recalculation); the recalculation tool runs it
//      on each stored record, so the tool recalculates as the page does.
// 4. Pipe lists: the gravity and pressure pages hold a CCatalogPicker
//    (CatalogPicker.h) through their base CPipeListPageModel, made with the
//    page's applicability (gravity {0,2}, pressure {1,2}) and its three list
//    ids. It fills the lists from the tables, keeps each item's table row and
//    row id, takes a choice by row (never by name), and relabels the lists
//    when the tables are loaded again. The buried-pipe page fills its three
//    lists through a picker of every applicability.
// 5. Messages: Raise({textKey, captionKey, args, captionArgs}) queues a
//    warning box (FormatMessage puts the arguments in);
//    captionKey 0 means the application's title. The window shows the queue
//    after each model call; a box shown by a recalculation that a mouse
//    press started drops that press (see CCalcPage).
// 6. Colours: SetColors(id, background, text) with the RgbColor constants below;
//    kFaceColor is the system button face of the desktop.
// 7. The window class (ui/) derives from CPageView, owns its model as a
//    member and passes it to CPageView's constructor. In its constructor it
//    lays the page out: MakeGroup(id) for each box, AddFieldRows(MakeGrid(box),
//    groupId) for the table's rows of that group (caption | field | unit |
//    "?"; results get colour fields), AddRadioGroup(group, {ids}) for radios,
//    MakeLabel/MakeStoreButton for the rest, and connects its dialog buttons
//    to handlers that open the dialog and then Run([..]{ model.Set...(); }).
//    CPageView implements the contract's operations (Recalculate, ShowInputs,
//    FillLists, ...) as Run(model operation); ModelChanged() is where the
//    picture is told to redraw. The lists follow a reload of the tables by
//    themselves (ReferenceReloaded), with no timer.
// 8. MakePageModel (PageModels.h) makes any kind's model with its language
//    applied: add the kind there. The recalculation tool and the print
//    drivers take their models from it (LoadBack on each stored record).
#pragma once

#include "core/calc/CalcSupport.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CDalvorApp;
struct RecordHead;

// A colour as 0xRRGGBB; kFaceColor stands for the desktop's button face.
using RgbColor = std::uint32_t;
constexpr RgbColor kFaceColor = 0xFF000000u;
constexpr RgbColor kBlackColor = 0x000000u;
constexpr RgbColor kSoughtColor = 0x7FFFFFu;      // background of the sought quantity
constexpr RgbColor kMetTextColor = 0x007F00u;     // a verdict that is met
constexpr RgbColor kMetBackColor = 0xC8FFC8u;
constexpr RgbColor kFailedTextColor = 0xFF0000u;  // a verdict that fails
constexpr RgbColor kFailedBackColor = 0xFFC8C8u;

// Levels (kLowestLevel to kHighestLevel, core/calc/CalcSupport.h) and lengths
// that no rule of a page bounds are held where the arithmetic keeps the digits
// the pages show (metres); a 120 km main is whole.
constexpr double kLongestLength = 1000000.0;
// Diameters and depths given in millimetres are held to the longest length.
constexpr double kLongestMillimetres = kLongestLength * 1000.0;

// A message box the page wants shown (exclamation icon, OK). Each %s, %d or
// %.Nf of the text takes the next argument, already formatted by the model.
struct MessageRequest {
    int textKey = 0;
    int captionKey = 0;  // 0: the application's title
    std::vector<std::u16string> args;
    std::vector<std::u16string> captionArgs;  // the caption's, likewise
};

// The text of a message with its arguments: each %s, %d or %.Nf takes the
// next argument, "%%" is a percent sign, and any other "%" stands as it is
// (a conversion without an argument left shows as it stands too).
std::u16string FormatMessage(std::u16string_view text, const std::vector<std::u16string>& args);

// The state of one control besides its text.
struct ControlState {
    bool enabled = true;
    bool visible = true;
    RgbColor background = kFaceColor;
    RgbColor text = kBlackColor;
};

// An item of a list: its text, and where it came from (table row and the
// row's id, -1 when none).
struct ListItem {
    std::u16string text;
    int row = -1;
    int id = -1;

    bool operator==(const ListItem&) const = default;
};

struct ListState {
    std::vector<ListItem> items;
    int selected = -1;
    // Grows whenever the items change, so a window rebuilds the list only then.
    int revision = 0;
};

// One field of a page.
struct FieldSpec {
    // The number member of a record that a field shows, given the record.
    using Member = double* (*)(void* record);
    enum Flags : unsigned {
        Input = 1u << 0,     // read by ReadFields, shown by ShowFields
        Result = 1u << 1,    // shown by ShowFields; "-" without a valid result
        Always = 1u << 2,    // a result shown even without a valid result
        Hook = 1u << 3,      // the kind reads and shows it itself
        ReadOnly = 1u << 4,  // never typed into (number, results)
        Combo = 1u << 5,     // a list, not an edit
        Wide = 1u << 6,      // a text field that takes the row's width
        NoUnit = 1u << 7,
    };
    int id;             // the control
    int captionId;      // its label (0: none)
    int unitId;         // its unit label (0: none)
    int buttonId;       // a "?" button beside it (0: none)
    int groupId;        // the group it is laid out in
    Member member;      // the record member (nullptr: none)
    const char* format; // printf format of its text (nullptr: none)
    double low;         // limits applied after reading
    double high;
    unsigned flags;

    static constexpr double kNone = std::numeric_limits<double>::infinity();
};

// Shorthands of the flags for the pages' field tables.
namespace FieldFlags {
constexpr unsigned In = FieldSpec::Input;
constexpr unsigned Out = FieldSpec::Result;
constexpr unsigned Hook = FieldSpec::Hook;
constexpr unsigned Shown = FieldSpec::ReadOnly | FieldSpec::Hook;  // shown by the page, never typed
constexpr unsigned List = FieldSpec::Combo | FieldSpec::Hook;
}  // namespace FieldFlags

// The record member a field shows, named by the member itself (a number).
#define KIT_FIELD(Record, field) (+[](void* record) -> double* { return &static_cast<Record*>(record)->field; })
#define KIT_NO_FIELD nullptr

class CPageModel {
public:
    CPageModel(CDalvorApp& app, int kind);
    virtual ~CPageModel() = default;
    CPageModel(const CPageModel&) = delete;
    CPageModel& operator=(const CPageModel&) = delete;

    CDalvorApp& App() const { return app; }
    int Kind() const { return kind; }

    // ---- the page's operations (the kind gives their content) -------------
    virtual void FillLists() {}
    virtual void ReadInputs() = 0;
    virtual void ShowInputs(int resetNumber) = 0;
    virtual void ShowResults() = 0;
    virtual void Recalculate() = 0;
    virtual void ResetListsToFirst() {}
    virtual void ResetNumberAndName() {}
    // Texts of the model's own that follow the language.
    virtual void ApplyLanguage(int offset) { (void)offset; }
    // The tables were loaded again (another language): the lists take the
    // new names; lists whose rows no longer fit are filled anew. True when
    // the lists were filled anew (the page then recalculates when active).
    virtual bool ReferenceReloaded() { return false; }
    // The user picked item index of list id (the selection is set already).
    virtual void OnListChosen(int id, int index) { (void)id, (void)index; }
    // The user clicked radio index of group id (the choice is set already).
    virtual void OnChoiceClicked(int group, int index) { (void)group, (void)index; }
    // The sheet's sequence when a record is loaded into the page.
    void LoadBack();
    // The table of the page's fields.
    virtual std::span<const FieldSpec> Fields() const = 0;

    // ---- texts ----------------------------------------------------------------
    const std::u16string& Text(int id) const;
    void SetText(int id, std::u16string text);
    void SetText(int id, double value, const char* format);
    // The field's text read as a number.
    double Value(int id) const;
    const std::map<int, std::u16string>& Texts() const { return texts; }

    // ---- states ---------------------------------------------------------------
    void Enable(int id, bool on) { states[id].enabled = on; }
    void Show(int id, bool on) { states[id].visible = on; }
    void SetColors(int id, RgbColor background, RgbColor text);
    void SetBackground(int id, RgbColor background) { states[id].background = background; }
    void SetTextColor(int id, RgbColor text) { states[id].text = text; }
    const ControlState& State(int id) const;
    const std::map<int, ControlState>& States() const { return states; }

    // ---- lists and radio groups -------------------------------------------------
    ListState& List(int id) { return lists[id]; }
    const ListState& List(int id) const;
    const std::map<int, ListState>& Lists() const { return lists; }
    // The list's items replaced (a window shows them anew), then an item
    // selected as Select does.
    void SetListItems(int id, std::vector<ListItem> items, int selected);
    // As SetListItems, but a list that holds these items already keeps them
    // and its revision (a list a page fills again on every recalculation).
    void UpdateListItems(int id, std::vector<ListItem> items, int selected);
    // Selects an item without running a handler (-1 or out of range: none).
    void Select(int id, int index);
    int Selected(int id) const { return List(id).selected; }
    // The item selected, or nullptr.
    const ListItem* SelectedItem(int id) const;
    int Choice(int group) const;
    void SetChoice(int group, int index) { choices[group] = index; }
    const std::map<int, int>& Choices() const { return choices; }

    // ---- messages -------------------------------------------------------------
    void Raise(MessageRequest request) { messages.push_back(std::move(request)); }
    std::vector<MessageRequest> TakeMessages();
    const std::vector<MessageRequest>& PendingMessages() const { return messages; }

    // ---- helpers for the kinds ------------------------------------------------
    // printf-style text in the C numeric locale.
    static std::u16string Format(const char* format, double value);
    // The limits of a field: below low -> low, above high -> high (kNone:
    // no limit on that side).
    static double Limit(double value, double low, double high);
    static double LimitLevel(double value) { return Limit(value, kLowestLevel, kHighestLevel); }
    // A value the page changed after reading it (a limit applied, a level
    // moved to meet a rule) becomes what its field then shows, read back,
    // and is held to its limits once more; a limit the field cannot show
    // stays as it is. So the calculation runs on what the page shows, and a
    // stored record loads back the same every time.
    static double AsShown(double value, const char* format, double low, double high);
    // The field's number within its limits (AsShown when they changed it).
    double ReadLimited(int id, const char* format, double low, double high) const;
    // A name typed into the page: at most 63 units, never half of a pair.
    static void CopyName(char16_t (&dst)[64], std::u16string_view text);
    // The fields of the table with the given flags, on a record.
    void ReadFields(void* record, unsigned flags = FieldSpec::Input);
    void ShowFields(const void* record, unsigned flags, bool resultValid);
    // One field of the table shown from the record in its format, whoever
    // reads it (a Hook row too).
    void ShowField(const void* record, int id);
    // The kind's working record holds a valid result.
    bool ResultValid() const;
    // The current stored index of the kind, or -1.
    int CurrentIndex() const;
    // The calculation's number and name: a new one (resetNumber 1) shows
    // "-" for both, a stored one the number of its place in the list.
    void ShowNumberAndName(int numberId, int nameId, RecordHead& head, int resetNumber);
    bool HasStoredRecords() const;
    // Update overwrites the current stored record, so it is enabled only while
    // one is current (none after a new or opened project); the project button
    // whenever the kind has stored records.
    void ShowStoreButtons(int updateId, int projectId);

protected:
    CDalvorApp& app;
    const int kind;

private:
    std::map<int, std::u16string> texts;
    std::map<int, ControlState> states;
    std::map<int, ListState> lists;
    std::map<int, int> choices;
    std::vector<MessageRequest> messages;
};
