// What the manhole and tank pages share, free of any window: the texts of the
// page's edits by control id (as the page's fields hold them between the
// controls and the record), check states, enables, the colours of the result
// fields, and the message boxes the page asks for. The page's window shows
// this state and hands the user's edits back into it.
#pragma once

#include "ClipboardText.h"  // CutText
#include "Records.h"
#include "ReferenceTables.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CDalvorApp;

// A colour pair of a result field: text on background, each 0xRRGGBB, or
// kFaceColor for the dialog face.
struct FieldColors {
    static constexpr uint32_t kFaceColor = 0xFFFFFFFFu;
    uint32_t text = 0x000000;
    uint32_t back = kFaceColor;
    bool operator==(const FieldColors&) const = default;
};

constexpr uint32_t kRgbRed = 0xFF0000;
constexpr uint32_t kRgbGreen = 0x007F00;
constexpr uint32_t kRgbBlack = 0x000000;
constexpr uint32_t kRgbFailedBack = 0xFFC8C8;  // 255,200,200
constexpr uint32_t kRgbMetBack = 0xC8FFC8;     // 200,255,200
constexpr uint32_t kRgbSoughtBack = 0x7FFFFF;  // 127,255,255

// A message box the page asks for: the text and caption already formatted
// (an empty caption: the program's title), with the keys they came from.
struct PageMessage {
    int textKey = 0;
    int captionKey = 0;
    std::u16string text;
    std::u16string caption;
};

class CUpliftPageModel {
public:
    explicit CUpliftPageModel(CDalvorApp& a) : app(a) {}
    virtual ~CUpliftPageModel() = default;

    CDalvorApp& App() const { return app; }

    // The text a field holds ("" when never set).
    const std::u16string& Text(int id) const;
    void SetText(int id, std::u16string text) { texts[id] = std::move(text); }
    // The field's text read as a number (decimal comma, no number: 0).
    double Value(int id) const;

    int Checked(int id) const;
    void SetChecked(int id, int state) { checks[id] = state ? 1 : 0; }
    // Controls are enabled until the page disables them.
    bool Enabled(int id) const;
    void SetEnabled(int id, bool on) { enabled[id] = on; }
    FieldColors Colors(int id) const;
    void SetColors(int id, FieldColors c) { colors[id] = c; }

    // The messages asked for since the last call, in their order.
    std::vector<PageMessage> TakeMessages();
    bool HasMessages() const { return !messages.empty(); }
    // How often the page asked its picture to end a drag in progress.
    int DragEnds() const { return dragEnds; }

    // Ids of every text field the page keeps (for the window's transfers).
    const std::map<int, std::u16string>& Texts() const { return texts; }

protected:
    void Ask(int textKey, std::u16string text, int captionKey = 0, std::u16string caption = {});
    void EndDrag() { ++dragEnds; }
    std::u16string Lang(int key) const;
    // The kind's stored records and current index.
    int StoredCount(int kind) const;
    int CurrentIndex(int kind) const;

    CDalvorApp& app;

private:
    std::map<int, std::u16string> texts;
    std::map<int, int> checks;
    std::map<int, bool> enabled;
    std::map<int, FieldColors> colors;
    std::vector<PageMessage> messages;
    int dragEnds = 0;
};

// printf formatting of one number into a UTF-16 text, in the C locale.
std::u16string FormatNumber(const char* format, double value);

